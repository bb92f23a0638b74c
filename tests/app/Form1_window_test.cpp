// Start-up, language choice, failed loads, exit and the closing movement.
#include "app/Form1Fixture.h"

namespace quorvel::testing {
namespace {

TEST_F(Form1Test, StartsOnTheEnglishListWithEverythingElseEmpty) {
  start();
  EXPECT_EQ(text(Control::Label1), "PubEnglish");
  EXPECT_EQ(form->FilePath, path("PubEnglish.txt"));
  ASSERT_EQ(master().size(), 2049u);
  EXPECT_EQ(master()[0], " ");
  EXPECT_EQ(master()[1], "0001 abandon");
  EXPECT_EQ(master()[9], "0009 absurd");
  EXPECT_EQ(master()[2048], "2048 zoo");
  for (Control c : {Control::Label2, Control::Text1, Control::Text3}) EXPECT_EQ(text(c), "");
  EXPECT_TRUE(candidates().empty());
  EXPECT_EQ(text(Control::WordNum), "Words");
  EXPECT_FALSE(ui.state(Control::Label3).visible);
  EXPECT_EQ(ui.focused, static_cast<int>(Control::Text1));
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(Form1Test, LanguageChoicesLoadTheirListAndTouchNothingElse) {
  start();
  ui.typeText("ab");
  ASSERT_TRUE(ui.selectCandidate(0));
  ui.clickOn(Control::WordNum);  // number input, copy box emptied
  ui.typeText("120");
  ASSERT_EQ(candidates().size(), 10u);
  const std::vector<std::string> before = candidates();

  const std::pair<MenuItem, std::string> choices[] = {
      {MenuItem::Cz, "Czech"},      {MenuItem::Fr, "French"},   {MenuItem::It, "Italian"},
      {MenuItem::Po, "Portuguese"}, {MenuItem::Spa, "Spanish"}, {MenuItem::En, "English"},
      {MenuItem::En, "English"}};
  for (const auto& [item, language] : choices) {
    ASSERT_TRUE(ui.chooseMenu(item));
    EXPECT_EQ(text(Control::Label1), "Pub" + language);
    EXPECT_EQ(form->FilePath, path("Pub" + language + ".txt"));
    ASSERT_EQ(master().size(), 2049u) << language;
    EXPECT_EQ(master()[0], " ");
    EXPECT_EQ(text(Control::Text1), "120");
    EXPECT_EQ(candidates(), before);
    EXPECT_EQ(text(Control::WordNum), "Numbers");
    EXPECT_EQ(text(Control::Text3), "");
  }
  EXPECT_EQ(master()[1], "0001 abandon");
}

TEST_F(Form1Test, AMissingFileEndsTheProgramAfterItsMessage) {
  fs.files.erase(path("PubEnglish.txt"));
  start();
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].title, "Error");
  EXPECT_EQ(ui.messages[0].text, "Can Not Find File " + path("PubEnglish.txt") +
                                     " It's Missing Or Corrupted           Now Ending");
  EXPECT_EQ(ui.messages[0].icon, MessageIcon::Critical);
  EXPECT_EQ(ui.messages[0].buttons, MessageButtons::Ok);
  EXPECT_TRUE(ui.ended);
  EXPECT_NE(ui.exitStatus, 0);
  EXPECT_TRUE(ui.edgeSets.empty());  // no closing movement
  EXPECT_FALSE(ui.typeKey('a'));
}

TEST_F(Form1Test, AnUnreadableFileIsReportedLikeAMissingOneAfterALanguageChoice) {
  fs.readErrors[path("PubCzech.txt")] = "Input/output error";
  start();
  ui.chooseMenu(MenuItem::Cz);
  EXPECT_EQ(text(Control::Label1), "PubCzech");  // behind the message
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, "Can Not Find File " + path("PubCzech.txt") +
                                     " It's Missing Or Corrupted           Now Ending");
  EXPECT_TRUE(ui.ended);
  EXPECT_EQ(ui.exitStatus, 1);
  EXPECT_FALSE(ui.chooseMenu(MenuItem::En));
}

TEST_F(Form1Test, ReadingFollowsTheItemRulesAndHasNoSixteenBitLimit) {
  std::string big;
  for (int i = 1; i <= 40000; ++i) big += "w" + std::to_string(i) + "\r\n";
  fs.files[path("PubEnglish.txt")] = "  one,two\r\n\"three, four\"\nfive\rsix";
  fs.files[path("PubItalian.txt")] = "";
  fs.files[path("PubSpanish.txt")] = big;
  start();
  EXPECT_EQ(master(), (std::vector<std::string>{" ", "0001 one", "0002 two", "0003 three, four",
                                                "0004 five", "0005 six"}));
  ui.chooseMenu(MenuItem::It);
  EXPECT_EQ(master(), std::vector<std::string>{" "});
  ui.chooseMenu(MenuItem::Spa);
  ASSERT_EQ(master().size(), 40001u);
  EXPECT_EQ(master()[32768], "32768 w32768");
  EXPECT_EQ(master()[40000], "40000 w40000");
  EXPECT_FALSE(ui.ended);
}

TEST_F(Form1Test, ExitEndsAtOnceWithoutTheClosingMovement) {
  start();
  ASSERT_TRUE(ui.chooseMenu(MenuItem::Ex));
  EXPECT_TRUE(ui.ended);
  EXPECT_EQ(ui.exitStatus, 0);
  EXPECT_TRUE(ui.edgeSets.empty());
  EXPECT_FALSE(ui.closeWindow());
}

TEST_F(Form1Test, ClosingSlidesDownAndRightAndShrinksUntilPastTheScreenWidth) {
  start();
  ui.edge[0] = 3000;  // top
  ui.edge[1] = 2000;  // left
  ui.edge[2] = 6645;
  ui.edge[3] = 4800;
  ui.screen = 6000;
  ASSERT_TRUE(ui.closeWindow());
  EXPECT_TRUE(ui.ended);
  EXPECT_EQ(ui.exitStatus, 0);
  // Top goes 3000 -> 3030 -> ... until it exceeds 6000: 101 steps of four sets each.
  ASSERT_EQ(ui.edgeSets.size(), 4u * 101u);
  const std::pair<Edge, float> first[] = {
      {Edge::Top, 3030}, {Edge::Left, 2030}, {Edge::Width, 6585}, {Edge::Height, 4740}};
  for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(ui.edgeSets[i], first[i]);
  EXPECT_EQ(ui.edgeSets[4], std::make_pair(Edge::Top, 3060.0F));
  EXPECT_EQ(ui.edge[0], 6030);
  EXPECT_EQ(ui.edge[1], 5030);
  // The size stopped at the smallest the window can take, while the movement went on.
  EXPECT_EQ(ui.edge[2], 1845);
  EXPECT_EQ(ui.edge[3], 1800);
}

TEST_F(Form1Test, ClosingTakesOneStepWhenAlreadyBelowAndEndsWhenMovesAreRefused) {
  start();
  ui.edge[0] = 20000;
  ui.screen = 16000;
  ui.closeWindow();
  EXPECT_EQ(ui.edgeSets.size(), 4u);
  EXPECT_TRUE(ui.ended);

  FakePlatform stuck;
  Form1 other(stuck, fs, random, dir);
  stuck.attach(other);
  stuck.load();
  stuck.refuseMoves = true;
  stuck.closeWindow();
  EXPECT_EQ(stuck.edgeSets.size(), 4u);
  EXPECT_TRUE(stuck.ended);

  FakePlatform blind;
  Form1 third(blind, fs, random, dir);
  blind.attach(third);
  blind.load();
  blind.screen.reset();  // the screen's width cannot be read
  blind.closeWindow();
  EXPECT_EQ(blind.edgeSets.size(), 4u);
  EXPECT_TRUE(blind.ended);
}

TEST_F(Form1Test, ClosingNeverOutlastsItsTimeBudget) {
  start();
  ui.edge[0] = 0;
  ui.screen = 1e9F;  // would take millions of steps
  ui.clockStep = 0.01;
  ui.closeWindow();
  EXPECT_TRUE(ui.ended);
  EXPECT_LT(ui.edgeSets.size(), 4u * 200u);
  EXPECT_GT(ui.edgeSets.size(), 4u * 50u);
}

}  // namespace
}  // namespace quorvel::testing
