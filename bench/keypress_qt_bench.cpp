// One key press end to end on the real widgets with the shipped English list: the key event
// into the entry box, the scan, the candidates list filled, and the pending layout and paint.
// The worst case is a first digit in number input: "1" lists a thousand entries.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QListView>
#include <QMainWindow>
#include <QTest>

#include "app/Form1.h"
#include "platform/qt/QtPlatform.h"
#include "wordlist/FileSystem.h"
#include "wordlist/PrivateList.h"

namespace {

struct Window {
  quorvel::QtPlatform platform;
  quorvel::RealFileSystem files;
  quorvel::SystemRandom random;
  quorvel::Form1 form{platform, files, random, QUORVEL_DATA_DIR};
  QLineEdit* box = nullptr;
  QListView* list = nullptr;

  Window() {
    platform.setEvents(&form);
    form.formLoad();
    platform.window()->show();
    QApplication::setActiveWindow(platform.window());
    (void)QTest::qWaitForWindowExposed(platform.window());
    box = static_cast<QLineEdit*>(platform.widget(quorvel::Control::Text1));
    list = static_cast<QListView*>(platform.widget(quorvel::Control::List1));
    box->setFocus();
  }
};

Window& window() {
  static Window w;
  return w;
}

void keyPress(benchmark::State& state, bool numbers, Qt::Key key, int expected) {
  Window& w = window();
  if ((w.platform.text(quorvel::Control::WordNum) == "Numbers") != numbers) {
    w.form.click(quorvel::Control::WordNum);
  }
  for (auto _ : state) {
    QTest::keyClick(w.box, key);
    QCoreApplication::processEvents();  // the list's layout and paint
    state.PauseTiming();
    if (w.list->model()->rowCount() != expected) state.SkipWithError("wrong number of candidates");
    QTest::keyClick(w.box, Qt::Key_Backspace);
    QCoreApplication::processEvents();
    state.ResumeTiming();
  }
}

void BM_KeyPressFirstDigit(benchmark::State& state) {
  keyPress(state, true, Qt::Key_1, 1000);
}
BENCHMARK(BM_KeyPressFirstDigit)->Unit(benchmark::kMicrosecond);

void BM_KeyPressFirstLetter(benchmark::State& state) {
  keyPress(state, false, Qt::Key_S, 250);
}
BENCHMARK(BM_KeyPressFirstLetter)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
