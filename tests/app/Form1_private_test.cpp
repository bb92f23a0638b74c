// "Load Private Words": the question, the made file, and every way making it can fail.
#include <algorithm>

#include "app/Form1Fixture.h"
#include "wordlist/WordFile.h"

namespace quorvel::testing {
namespace {

class PrivateTest : public Form1Test {
 public:
  std::string privateEnglish() const { return path("PriEnglish.txt"); }
  static std::vector<std::string> texts(const std::string& bytes) {
    std::vector<std::string> out;
    for (const auto& item : readWordItems(bytes)) out.emplace_back(item.text);
    return out;
  }
  // Sets up a lookup state and a pick, which no private-list action may disturb.
  void busyWindow() {
    ui.typeText("zo");
    ui.selectCandidate(0);
    ui.clickOn(Control::WordNum);
    ui.typeText("12");
  }
  void expectWindowUndisturbed() {
    EXPECT_EQ(text(Control::Text1), "12");
    EXPECT_EQ(candidates().size(), 100u);
    EXPECT_EQ(text(Control::Text3), "");
    EXPECT_EQ(text(Control::WordNum), "Numbers");
    EXPECT_FALSE(ui.state(Control::Label3).visible);
    EXPECT_FALSE(ui.ended);
  }
};

TEST_F(PrivateTest, YesMakesAReadOnlyShuffledCopyAndLoadsIt) {
  start();
  busyWindow();
  bool labelShown = false;
  bool menusLocked = false;
  ui.duringDoEvents = [&] {
    labelShown = ui.state(Control::Label3).visible;
    menusLocked = !ui.chooseMenu(MenuItem::Cz) && !ui.typeKey('1') && !ui.closeWindow();
  };
  ui.chooseMenu(MenuItem::Lpw);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].title, "Query");
  EXPECT_EQ(ui.messages[0].text, "Do You Want To Make Private PriEnglish Words Yes No? ");
  EXPECT_EQ(ui.messages[0].icon, MessageIcon::Question);
  EXPECT_EQ(ui.messages[0].buttons, MessageButtons::YesNo);
  EXPECT_EQ(ui.doEventsCalls, 2);
  EXPECT_TRUE(labelShown);
  EXPECT_TRUE(menusLocked);
  EXPECT_EQ(ui.inputEnabledCalls, (std::vector<bool>{false, true}));

  ASSERT_TRUE(fs.files.count(privateEnglish()));
  EXPECT_TRUE(fs.readOnly.count(privateEnglish()));
  const std::string& made = fs.files[privateEnglish()];
  const auto lines = texts(made);
  ASSERT_EQ(lines.size(), 2048u);
  EXPECT_EQ(std::count(made.begin(), made.end(), '\n'), 2048);
  EXPECT_EQ(made.substr(made.size() - 2), "\r\n");
  auto sorted = lines;
  std::sort(sorted.begin(), sorted.end());
  auto original = texts(fs.files[path("PubEnglish.txt")]);
  EXPECT_NE(lines, original);
  std::sort(original.begin(), original.end());
  EXPECT_EQ(sorted, original);

  EXPECT_EQ(text(Control::Label1), "PriEnglish");
  EXPECT_EQ(form->FilePath, privateEnglish());
  EXPECT_EQ(master()[1], "0001 " + lines[0]);
  EXPECT_EQ(ui.itemCount(Control::lstRand), 2048);
  EXPECT_EQ(ui.text(Control::txtNum), "2048");
  EXPECT_EQ(ui.state(Control::lstRand).columns, 3);  // 2055 / (4 * 105 * 1.5) = 3.26
  expectWindowUndisturbed();
}

TEST_F(PrivateTest, AnExistingPrivateFileLoadsWithoutAQuestion) {
  fs.files[privateEnglish()] = "zeta\r\nalpha\r\n";
  start();
  ui.chooseMenu(MenuItem::Lpw);
  ASSERT_EQ(ui.messages.size(), 1u);  // not the public words: a warning, no question
  EXPECT_EQ(ui.messages[0].title, "Warning");
  EXPECT_EQ(master(), (std::vector<std::string>{" ", "0001 zeta", "0002 alpha"}));
  ui.chooseMenu(MenuItem::Lpw);  // while shown: loads it again
  EXPECT_EQ(ui.messages.size(), 2u);
  EXPECT_EQ(text(Control::Label1), "PriEnglish");
  EXPECT_EQ(fs.files[privateEnglish()], "zeta\r\nalpha\r\n");
}

TEST_F(PrivateTest, NoWritesNothingAndAsksAgain) {
  start();
  busyWindow();
  ui.answers = {MessageAnswer::No, MessageAnswer::No};
  ui.chooseMenu(MenuItem::Lpw);
  EXPECT_EQ(form->Declined, 1);
  EXPECT_EQ(text(Control::Label1), "PubEnglish");
  EXPECT_EQ(form->FilePath, path("PubEnglish.txt"));
  EXPECT_FALSE(fs.files.count(privateEnglish()));
  EXPECT_EQ(ui.doEventsCalls, 0);
  ui.chooseMenu(MenuItem::Lpw);
  EXPECT_EQ(ui.messages.size(), 2u);
  expectWindowUndisturbed();
}

TEST_F(PrivateTest, SmallSourcesMakeFilesOfTheirOwnSize) {
  fs.files[path("PubCzech.txt")] = "only\r\n";
  fs.files[path("PubFrench.txt")] = "un,deux\r\n";
  fs.files[path("PubItalian.txt")] = "";
  start();
  ui.chooseMenu(MenuItem::Cz);
  ui.chooseMenu(MenuItem::Lpw);
  EXPECT_EQ(fs.files[path("PriCzech.txt")], "only\r\n");
  ui.chooseMenu(MenuItem::Fr);
  ui.chooseMenu(MenuItem::Lpw);
  const std::string two = fs.files[path("PriFrench.txt")];
  EXPECT_TRUE(two == "un\r\ndeux\r\n" || two == "deux\r\nun\r\n") << two;
  // An empty source after a bigger one: lstRand still holds the old order, the file is empty.
  ui.chooseMenu(MenuItem::It);
  ui.chooseMenu(MenuItem::Lpw);
  EXPECT_EQ(fs.files[path("PriItalian.txt")], "");
  EXPECT_TRUE(fs.readOnly.count(path("PriItalian.txt")));
  EXPECT_EQ(master(), std::vector<std::string>{" "});
  EXPECT_EQ(ui.itemCount(Control::lstRand), 2);
}

TEST_F(PrivateTest, AFailedCreationLeavesNoFileSaysWhyAndKeepsTheList) {
  struct Case {
    const char* what;
    std::function<void(PrivateTest&)> arrange;
  };
  const Case cases[] = {
      {"directory not writable", [](PrivateTest& t) { t.fs.createError = "Permission denied"; }},
      {"source removed before writing",
       [](PrivateTest& t) {
         t.ui.duringDoEvents = [&t] {
           if (t.ui.doEventsCalls == 2) t.fs.files.erase(t.path("PubEnglish.txt"));
         };
       }},
      {"source changed meanwhile",
       [](PrivateTest& t) {
         t.ui.duringDoEvents = [&t] {
           if (t.ui.doEventsCalls == 2) t.fs.files[t.path("PubEnglish.txt")] += "extra\r\n";
         };
       }},
      {"source unreadable",
       [](PrivateTest& t) { t.fs.readErrors[t.path("PubEnglish.txt")] = "Input/output error"; }}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ui = FakePlatform();
    fs = MemoryFileSystem();
    SetUp();
    start();
    busyWindow();
    const auto before = master();
    c.arrange(*this);
    ui.chooseMenu(MenuItem::Lpw);
    EXPECT_FALSE(fs.files.count(privateEnglish()));
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[1].title, "Error");
    EXPECT_NE(ui.messages[1].text.find(privateEnglish()), std::string::npos);
    EXPECT_EQ(text(Control::Label1), "PubEnglish");
    EXPECT_EQ(master(), before);
    EXPECT_EQ(ui.inputEnabledCalls.back(), true);
    expectWindowUndisturbed();
    EXPECT_TRUE(ui.chooseMenu(MenuItem::Cz));  // still running
  }
}

}  // namespace
}  // namespace quorvel::testing

namespace quorvel::testing {
namespace {

class BrokenRandom : public RandomSource {
 public:
  Result<double> next() override {
    return Error(std::errc::function_not_supported, "getrandom: Function not implemented");
  }
};

TEST_F(PrivateTest, NoSecureRandomNumbersMeansNoPrivateFile) {
  BrokenRandom broken;
  form = std::make_unique<Form1>(ui, fs, broken, dir);
  ui.attach(*form);
  ui.load();
  ui.chooseMenu(MenuItem::Lpw);
  EXPECT_FALSE(fs.files.count(privateEnglish()));
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_NE(ui.messages[1].text.find("getrandom"), std::string::npos);
  EXPECT_EQ(text(Control::Label1), "PubEnglish");
}

}  // namespace
}  // namespace quorvel::testing
