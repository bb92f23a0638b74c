// One key press end to end on the real widgets with the shipped English list: the key event
// into the entry box, the scan, the candidates list filled, laid out and painted. Every step
// starts with nothing left to do and is timed until nothing is left to do again: work the
// step leaves queued (a layout, a second paint) is its own, and none of the step before it
// is counted.
// The worst case is a first digit in number input: "1" lists a thousand entries. Its floor is
// a bare QListView with uniform row heights over a QStringListModel, as large as the
// candidates list and in its font, filled with the same thousand rows, laid out and painted:
// once with the rows as QStrings made beforehand, once making them from the program's own
// strings, as a bare list given them would have to. BM_KeyPressAgainstBareList takes the key
// press and both fills in turn, many times, so all three meet the same load of the machine,
// and prints the ratios of their medians at the end.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QLineEdit>
#include <QListView>
#include <QMainWindow>
#include <QPaintEvent>
#include <QStringListModel>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/Form1.h"
#include "app/WindowDesign.h"
#include "platform/posix/RealFileSystem.h"
#include "platform/posix/SystemRandom.h"
#include "platform/qt/QtPlatform.h"
#include "platform/qt/QtStyle.h"

namespace {

// Handles events until none is left: a round of events can queue more (the list's layout
// asks for a paint), and only an empty round means the step is done.
void settle() {
  QAbstractEventDispatcher* events = QAbstractEventDispatcher::instance();
  while (events->processEvents(QEventLoop::AllEvents)) {
  }
}

// Counts the paints of a list's whole viewport, to check that a step drew the list.
class Drawn : public QObject {
 public:
  explicit Drawn(QListView* list) : viewport_(list->viewport()) {
    viewport_->installEventFilter(this);
  }
  int count() const { return paints_; }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint &&
        static_cast<QPaintEvent*>(event)->rect() == viewport_->rect()) {
      ++paints_;
    }
    return false;
  }

 private:
  QWidget* viewport_;
  int paints_ = 0;
};

// Runs `action` and the events it leads to; false when the list was not drawn whole.
template <typename Action>
bool drawnAfter(const Drawn& drawn, const Action& action) {
  const int before = drawn.count();
  action();
  settle();
  return drawn.count() != before;
}

struct Window {
  quorvel::QtPlatform platform{quorvel::windowDesign()};
  quorvel::RealFileSystem files;
  quorvel::SystemRandom random;
  quorvel::Form1 form{platform, files, random, QUORVEL_DATA_DIR};
  QLineEdit* box = nullptr;
  QListView* list = nullptr;
  std::unique_ptr<Drawn> drawn;

  Window() {
    platform.setEvents(&form);
    form.onLoad();
    platform.window()->show();
    QApplication::setActiveWindow(platform.window());
    (void)QTest::qWaitForWindowExposed(platform.window());
    box = static_cast<QLineEdit*>(platform.widget(quorvel::Control::EntryBox));
    list = static_cast<QListView*>(platform.widget(quorvel::Control::Candidates));
    drawn = std::make_unique<Drawn>(list);
    box->setFocus();
  }
};

// Made on first use and gone before the application object is.
std::unique_ptr<Window> theWindow;

Window& window() {
  if (!theWindow) theWindow = std::make_unique<Window>();
  return *theWindow;
}

void keyPress(benchmark::State& state, bool numbers, Qt::Key key, int expected) {
  Window& w = window();
  if ((w.platform.text(quorvel::Control::ModeButton) == "Numbers") != numbers) {
    w.form.onClick(quorvel::Control::ModeButton);
  }
  settle();
  for (auto _ : state) {
    const bool drawn = drawnAfter(*w.drawn, [&] { QTest::keyClick(w.box, key); });
    state.PauseTiming();
    if (!drawn) state.SkipWithError("the candidates were not drawn");
    if (w.list->model()->rowCount() != expected) state.SkipWithError("wrong number of candidates");
    QTest::keyClick(w.box, Qt::Key_Backspace);
    settle();
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

struct BareList {
  QStringListModel model;
  QListView view;
  std::vector<std::string> entries;
  QStringList rows;
  std::unique_ptr<Drawn> drawn;

  explicit BareList(Window& w) {
    // The rows the program lists for "1", read back from its candidates list.
    QTest::keyClick(w.box, Qt::Key_1);
    const QAbstractItemModel* shown = w.list->model();
    for (int i = 0; i < shown->rowCount(); ++i) {
      rows.append(shown->index(i, 0).data().toString());
      entries.push_back(rows.back().toStdString());
    }
    QTest::keyClick(w.box, Qt::Key_Backspace);
    settle();
    view.setUniformItemSizes(true);
    view.setModel(&model);
    view.setFont(w.list->font());
    view.resize(w.list->size());
    view.show();
    (void)QTest::qWaitForWindowExposed(&view);
    drawn = std::make_unique<Drawn>(&view);
  }
  void fill(const QStringList& shown) { model.setStringList(shown); }
};

// The same list under an entry box, each placed and in its font as in the window, and nothing
// else: typing a character lists the ready-made rows at once, erasing it empties the list. A
// key press must echo its character in the box as well as fill the list; this is that floor.
struct BareEntry {
  QWidget window;
  QStringListModel model;
  QListView view{&window};
  QLineEdit box{&window};  // made last, so it lies over the list where they overlap
  std::unique_ptr<Drawn> drawn;

  BareEntry(Window& w, const QStringList& rows) {
    view.setUniformItemSizes(true);
    view.setModel(&model);
    view.setFont(w.list->font());
    view.setGeometry(w.list->geometry());
    box.setFont(w.box->font());
    box.setGeometry(w.box->geometry());
    QObject::connect(&box, &QLineEdit::textEdited, &model, [this, rows](const QString& text) {
      model.setStringList(text.isEmpty() ? QStringList() : rows);
      // As the program does: laid out before the paint, so the list is painted once.
      view.doItemsLayout();
    });
    window.resize(w.platform.window()->centralWidget()->size());
    window.show();
    QApplication::setActiveWindow(&window);
    (void)QTest::qWaitForWindowExposed(&window);
    box.setFocus();
    drawn = std::make_unique<Drawn>(&view);
  }
};

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n == 0 ? 0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void BM_KeyPressAgainstBareList(benchmark::State& state) {
  using Clock = std::chrono::steady_clock;
  Window& w = window();
  if (w.platform.text(quorvel::Control::ModeButton) != "Numbers") {
    w.form.onClick(quorvel::Control::ModeButton);
  }
  BareList bare(w);
  BareEntry entry(w, bare.rows);
  std::vector<double> key, readyMade, fromStrings, typed;  // microseconds
  // Times one step from a quiet start to a quiet end; the events before it are not its own.
  const auto timed = [&state](std::vector<double>& into, const Drawn& drawn, const auto& action) {
    settle();
    const Clock::time_point start = Clock::now();
    const bool wasDrawn = drawnAfter(drawn, action);
    into.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    if (!wasDrawn) state.SkipWithError("a list was not drawn");
  };
  for (auto _ : state) {
    timed(key, *w.drawn, [&] { QTest::keyClick(w.box, Qt::Key_1); });
    if (w.list->model()->rowCount() != 1000) state.SkipWithError("wrong number of candidates");
    QTest::keyClick(w.box, Qt::Key_Backspace);

    timed(readyMade, *bare.drawn, [&] { bare.fill(bare.rows); });
    bare.fill({});

    timed(fromStrings, *bare.drawn, [&] {
      QStringList rows;
      rows.reserve(static_cast<qsizetype>(bare.entries.size()));
      for (const std::string& entry : bare.entries) rows.append(QString::fromStdString(entry));
      bare.fill(rows);
    });
    bare.fill({});

    timed(typed, *entry.drawn, [&] { QTest::keyClick(&entry.box, Qt::Key_1); });
    QTest::keyClick(&entry.box, Qt::Key_Backspace);
  }
  state.counters["key_us"] = median(key);
  state.counters["bare_entry_us"] = median(typed);
  state.counters["bare_us"] = median(readyMade);
  state.counters["bare_from_strings_us"] = median(fromStrings);
}
BENCHMARK(BM_KeyPressAgainstBareList)->Unit(benchmark::kMillisecond)->MinTime(3.0);

// Shows the results as usual, then the key press set against its floor.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  RatioReporter() : ConsoleReporter(::isatty(STDOUT_FILENO) ? OO_Defaults : OO_Tabular) {}
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_name.function_name == "BM_KeyPressAgainstBareList") pairs.push_back(run.counters);
    }
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    for (const auto& counters : pairs) {
      const double key = counters.at("key_us");
      for (const auto& [name, how] :
           {std::pair{"bare_us", "given the same rows ready made"},
            std::pair{"bare_from_strings_us", "making the same rows from strings"}}) {
        const double floor = counters.at(name);
        std::printf(
            "key press \"1\" (1000 candidates) / bare QListView %s, medians: "
            "%.0f us / %.0f us = %.2fx (goal: at most 1.10x)\n",
            how, key, floor, key / floor);
      }
      const double typed = counters.at("bare_entry_us");
      std::printf(
          "key press \"1\" (1000 candidates) / the same key into a bare QLineEdit over a bare "
          "QListView that it fills with the rows ready made, medians: %.0f us / %.0f us = %.2fx\n",
          key, typed, key / typed);
    }
  }

 private:
  std::vector<benchmark::UserCounters> pairs;
};

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QApplication::setStyle(quorvel::makeProgramStyle());  // as the program draws
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  theWindow.reset();
  return 0;
}
