// Window mode's buttons: the layout table on the real window, caption
// packing, clicks, closing, and fatal button sections.
#include <gtest/gtest.h>

#include "Harness.h"
#include "TestProfiles.h"

namespace winetest {
namespace {

// The first `count` buttons shown, all of one width; pixels at 96 DPI.
struct LayoutRow {
  int count;
  int width;
  std::array<int, 4> lefts;
};

class ButtonsLayout : public ::testing::TestWithParam<LayoutRow> {};

// Every row of the layout table, in pixels: twips / 15 at 96 DPI, rounded.
// Top 4560 and height 375 twips (304 and 25 pixels) never change.
TEST_P(ButtonsLayout, PlacesTheEnabledButtonsByTheTable) {
  const LayoutRow& row = GetParam();
  const Medium medium;
  PrepareWindowMedium(medium, WindowProfile::WithButtons(row.count));
  Launch run(medium.Path());
  const WindowInfo window = ExpectWindow(run);
  const ClientImage image = CaptureClient(window.handle);

  const int middleY = 304 + 12;
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE("Button(" + std::to_string(i) + ")");
    const ButtonInfo& button = window.buttons[static_cast<size_t>(i)];
    const int left = row.lefts[static_cast<size_t>(i)];
    ASSERT_NE(button.handle, nullptr);
    EXPECT_EQ(button.visible, i < row.count);
    if (i < row.count) {
      EXPECT_EQ(Edges(button.rect), Edges({left, 304, left + row.width, 304 + 25}));
      EXPECT_EQ(button.caption, Wide("Button " + std::to_string(i + 1)));
      // On the screen: the button's face inside, the background just
      // outside its left and right edges.
      EXPECT_NE(image.At(left + row.width / 2, middleY), kBackground);
      EXPECT_EQ(image.At(left - 1, middleY), kBackground);
      EXPECT_EQ(image.At(left + row.width, middleY), kBackground);
    } else {
      // Unfilled slots keep the design caption.
      EXPECT_EQ(button.caption, L"Command1");
    }
  }
  // Where the design places the buttons, hidden ones leave the background.
  for (const int designLeft : {16, 132, 248, 364}) {
    const int x = designLeft + 50;
    bool covered = false;
    for (int i = 0; i < row.count; ++i) {
      const int left = row.lefts[static_cast<size_t>(i)];
      covered = covered || (x >= left && x < left + row.width);
    }
    EXPECT_TRUE(covered || image.At(x, middleY) == kBackground) << "design slot at " << designLeft;
  }
  ExpectCloses(run, window);
}

INSTANTIATE_TEST_SUITE_P(Rows, ButtonsLayout,
                         ::testing::Values(LayoutRow{0, 0, {}},
                                           // left 3000, design width 1515
                                           LayoutRow{1, 101, {200}},
                                           // lefts 240 and 4075, widths 2895
                                           LayoutRow{2, 193, {16, 272}},
                                           // lefts 240, 2640 and 5050, widths 1815
                                           LayoutRow{3, 121, {16, 176, 337}},
                                           // the design: lefts 240, 1980, 3720, 5460, widths 1515
                                           LayoutRow{4, 101, {16, 132, 248, 364}}),
                         [](const auto& info) {
                           return std::to_string(info.param.count) + "Buttons";
                         });

// Only BUTTON2 and BUTTON4 enabled: they fill the first two slots.
WindowProfile SecondAndFourth() {
  WindowProfile profile;
  profile.buttons[0] = {"0", "Not shown 1", "recorder.exe /section1"};
  profile.buttons[1] = {"1", "Second", "Recorder.EXE /Section2"};
  profile.buttons[2] = {"False", "Not shown 3", "recorder.exe /section3"};
  profile.buttons[3] = {"TRUE", "Fourth", "RECORDER.exe /Section4 ARG"};
  return profile;
}

struct ClickCase {
  int index;
  std::wstring started;
};

class ButtonsPacked : public ::testing::TestWithParam<ClickCase> {};

TEST_P(ButtonsPacked, ClickRunsTheLowerCasedActionOfTheSlotsSection) {
  const Medium medium;
  PrepareWindowMedium(medium, SecondAndFourth());
  Launch run(medium.Path());
  const WindowInfo window = ExpectWindow(run);
  EXPECT_EQ(window.buttons[0].caption, L"Second");
  EXPECT_EQ(window.buttons[1].caption, L"Fourth");
  for (size_t i = 0; i < 4; ++i)
    EXPECT_EQ(window.buttons[i].visible, i < 2) << "Button(" << i << ")";

  ClickButton(window.handle, window.buttons[static_cast<size_t>(GetParam().index)]);
  ExpectEnding(run, Started(GetParam().started, medium.Path()));
}

INSTANTIATE_TEST_SUITE_P(SecondAndFourthSection, ButtonsPacked,
                         ::testing::Values(ClickCase{0, L"recorder.exe /section2"},
                                           ClickCase{1, L"recorder.exe /section4 arg"}),
                         [](const auto& info) {
                           return "Slot" + std::to_string(info.param.index);
                         });

TEST(ButtonsClick, ExitButtonEndsWithoutStartingAnything) {
  const Medium medium;
  WindowProfile profile = WindowProfile::WithButtons(2);
  profile.buttons[1].action = "EXIT";
  medium.CopyRecorder(L"exit.exe");
  PrepareWindowMedium(medium, profile);
  Launch run(medium.Path());
  const WindowInfo window = ExpectWindow(run);
  ClickButton(window.handle, window.buttons[1]);
  ExpectEnding(run, NothingStarted());
}

TEST(ButtonsClick, EmptyActionIsFatal) {
  const Medium medium;
  WindowProfile profile = WindowProfile::WithButtons(1);
  profile.buttons[0].action = "";
  PrepareWindowMedium(medium, profile);
  Launch run(medium.Path());
  const WindowInfo window = ExpectWindow(run);
  ClickButton(window.handle, window.buttons[0]);
  ExpectEnding(run, Report(L"Invalid procedure call"));
}

TEST(ButtonsClick, ClosingWithNoButtonShownStartsNothing) {
  const Medium medium;
  PrepareWindowMedium(medium, WindowProfile::WithButtons(0));
  Launch run(medium.Path());
  ExpectOutcome(run, Window());
}

// Every button section must be there in window mode, even when disabled.
std::string WithoutButton3(std::string text) {
  const auto start = text.find("[BUTTON3]");
  const auto end = text.find("[BUTTON4]");
  return text.erase(start, end - start);
}

TEST(ButtonsSection, MissingButton3IsFatalInWindowMode) {
  const Medium medium;
  const WindowProfile profile = WindowProfile::WithButtons(2);
  PrepareWindowMedium(medium, profile);
  medium.WriteProfile(WithoutButton3(profile.Text()));
  Launch run(medium.Path());
  ExpectOutcome(run, Report(L"Type mismatch", {L"BUTTON3", L"Show"}));
}

TEST(ButtonsSection, MissingButton3DoesNotMatterInHeadlessMode) {
  const Medium medium;
  WindowProfile profile = WindowProfile::WithButtons(2);
  PrepareWindowMedium(medium, profile);
  std::string text = WithoutButton3(profile.Text());
  text.replace(text.find("Show=1"), 6, "Show=0\r\nDefaultAction=recorder.exe /headless");
  medium.WriteProfile(text);
  Launch run(medium.Path());
  ExpectOutcome(run, Started(L"recorder.exe /headless"));
}

}  // namespace
}  // namespace winetest
