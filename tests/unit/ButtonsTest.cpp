#include <gtest/gtest.h>

#include <array>
#include <ostream>
#include <string>
#include <vector>

#include "FakePlatform.h"
#include "TestSupport.h"
#include "launcher/Launcher.h"
#include "settings/ButtonTable.h"

namespace orvex {
namespace {

using test::Attempt;
using Calls = std::vector<std::string>;

// Sections BUTTON1..4 with the given "Show" values; an enabled section n has
// caption "Caption n" and action "RUN n.EXE"; disabled ones have neither.
std::string ButtonProfile(const std::array<const char*, 4>& shows) {
  std::string text = "[DIALOG]\nShow=1\n";
  for (int n = 1; n <= 4; ++n) {
    const std::string show = shows[n - 1];
    text += "[BUTTON" + std::to_string(n) + "]\nShow=" + show + "\n";
    if (show != "0" && show != "False") {
      text +=
          "Caption=Caption " + std::to_string(n) + "\nAction=RUN " + std::to_string(n) + ".EXE\n";
    }
  }
  return text;
}

struct PackingCase {
  const char* name;
  std::array<const char*, 4> shows;
  std::vector<int> filledFrom;  // the section number in each filled slot
};

std::ostream& operator<<(std::ostream& out, const PackingCase& c) { return out << c.name; }

class LoadButtonsTest : public testing::TestWithParam<PackingCase> {};

TEST_P(LoadButtonsTest, PacksEnabledSectionsFromTheLeft) {
  const PackingCase& c = GetParam();
  FakePlatform platform;
  platform.SetProfile(ButtonProfile(c.shows));
  const ButtonTable table = LoadButtons(platform, platform.ProfileFiles());

  ASSERT_EQ(table.count, static_cast<int>(c.filledFrom.size()));
  Calls captions;
  for (std::size_t slot = 0; slot < c.filledFrom.size(); ++slot) {
    const std::string n = std::to_string(c.filledFrom[slot]);
    captions.push_back("SetButtonCaption " + std::to_string(slot) + " Caption " + n);
    EXPECT_EQ(table.commands[slot], (Command{Command::Kind::Run, "RUN " + n + ".EXE"}));
  }
  for (std::size_t slot = c.filledFrom.size(); slot < table.commands.size(); ++slot) {
    EXPECT_EQ(table.commands[slot], Command{});
  }
  EXPECT_EQ(platform.CallsStartingWith("SetButtonCaption"), captions);
}

// The keys read after the existing ones: the machine's action, then Open.
TEST_P(LoadButtonsTest, ReadsShowThenCaptionActionAndTheNewKeysOfEnabledSections) {
  const PackingCase& c = GetParam();
  FakePlatform platform;
  platform.SetProfile(ButtonProfile(c.shows));
  LoadButtons(platform, platform.ProfileFiles());

  Calls expected;
  int slot = 0;
  for (int n = 1; n <= 4; ++n) {
    const std::string section = "Read [BUTTON" + std::to_string(n) + "] ";
    expected.push_back(section + "Show");
    if (slot < static_cast<int>(c.filledFrom.size()) && c.filledFrom[slot] == n) {
      expected.push_back(section + "Caption");
      expected.push_back("SetButtonCaption " + std::to_string(slot) + " Caption " +
                         std::to_string(n));
      expected.push_back(section + "Action");
      expected.push_back(section + "Action.x86");
      expected.push_back(section + "Open");
      ++slot;
    }
  }
  EXPECT_EQ(platform.calls, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Sections, LoadButtonsTest,
    testing::Values(PackingCase{"AllDisabled", {"0", "0", "0", "False"}, {}},
                    PackingCase{"SecondAndFourth", {"0", "1", "0", "1"}, {2, 4}},
                    PackingCase{"AllButFirst", {"0", "1", "True", "-1"}, {2, 3, 4}},
                    PackingCase{"FirstAndThird", {"1", "0", "1", "0"}, {1, 3}},
                    PackingCase{"OnlyLast", {"0", "0", "0", "2"}, {4}},
                    PackingCase{"AllEnabled", {"1", "1", "1", "1"}, {1, 2, 3, 4}}),
    [](const auto& info) { return std::string(info.param.name); });

struct RejectedShowCase {
  int section;
  const char* showLine;  // "" leaves the key out
  const char* valueInReport;
};

std::ostream& operator<<(std::ostream& out, const RejectedShowCase& c) {
  return out << "BUTTON" << c.section << " \"" << c.showLine << '"';
}

class RejectedButtonShowTest : public testing::TestWithParam<RejectedShowCase> {};

TEST_P(RejectedButtonShowTest, IsATypeMismatchNamingSectionAndValue) {
  const RejectedShowCase& c = GetParam();
  std::string text;
  for (int n = 1; n <= 4; ++n) {
    text += "[BUTTON" + std::to_string(n) + "]\n";
    text += n == c.section ? std::string(c.showLine) : "Show=1\nCaption=C\nAction=a\n";
  }
  FakePlatform platform;
  platform.SetProfile(text);
  const auto outcome = Attempt([&] { LoadButtons(platform, platform.ProfileFiles()); });

  ASSERT_TRUE(outcome.failure);
  EXPECT_EQ(outcome.failure->Kind(), FailureKind::TypeMismatch);
  const std::string& detail = outcome.failure->Detail();
  EXPECT_TRUE(test::Contains(detail, "BUTTON" + std::to_string(c.section))) << detail;
  EXPECT_TRUE(test::Contains(detail, c.valueInReport)) << detail;
  // Nothing is read after the rejected value.
  EXPECT_EQ(platform.calls.back(), "Read [BUTTON" + std::to_string(c.section) + "] Show");
}

INSTANTIATE_TEST_SUITE_P(Values, RejectedButtonShowTest,
                         testing::Values(RejectedShowCase{1, "Show=yes\n", "\"yes\""},
                                         RejectedShowCase{2, "Show=\n", "\"\""},
                                         RejectedShowCase{3, "", "\"\""},
                                         RejectedShowCase{4, "Show=1 0\n", "\"1 0\""}));

TEST(LoadButtonsTest, AMissingSectionIsFatal) {
  FakePlatform platform;
  platform.SetProfile("[BUTTON1]\nShow=0\n[BUTTON2]\nShow=0\n[BUTTON4]\nShow=0\n");
  const auto outcome = Attempt([&] { LoadButtons(platform, platform.ProfileFiles()); });
  ASSERT_TRUE(outcome.failure);
  EXPECT_EQ(outcome.failure->Kind(), FailureKind::TypeMismatch);
  EXPECT_TRUE(test::Contains(outcome.failure->Detail(), "BUTTON3"));
}

struct LayoutCase {
  int count;
  Calls calls;
};

std::ostream& operator<<(std::ostream& out, const LayoutCase& c) {
  return out << c.count << " buttons";
}

class ApplyButtonLayoutTest : public testing::TestWithParam<LayoutCase> {};

TEST_P(ApplyButtonLayoutTest, SetsExactlyTheRowOfTheTable) {
  FakePlatform platform;
  ApplyButtonLayout(platform, GetParam().count);
  EXPECT_EQ(platform.calls, GetParam().calls);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ApplyButtonLayoutTest,
    testing::Values(
        LayoutCase{0,
                   {"SetButtonVisible 0 0", "SetButtonVisible 1 0", "SetButtonVisible 2 0",
                    "SetButtonVisible 3 0"}},
        LayoutCase{1,
                   {"SetButtonVisible 0 1", "SetButtonLeft 0 3000", "SetButtonVisible 1 0",
                    "SetButtonVisible 2 0", "SetButtonVisible 3 0"}},
        LayoutCase{2,
                   {"SetButtonVisible 0 1", "SetButtonWidth 0 2895", "SetButtonVisible 1 1",
                    "SetButtonLeft 1 4075", "SetButtonWidth 1 2895", "SetButtonVisible 2 0",
                    "SetButtonVisible 3 0"}},
        LayoutCase{3,
                   {"SetButtonVisible 0 1", "SetButtonWidth 0 1815", "SetButtonVisible 1 1",
                    "SetButtonLeft 1 2640", "SetButtonWidth 1 1815", "SetButtonVisible 2 1",
                    "SetButtonLeft 2 5050", "SetButtonWidth 2 1815", "SetButtonVisible 3 0"}},
        LayoutCase{4,
                   {"SetButtonVisible 0 1", "SetButtonVisible 1 1", "SetButtonVisible 2 1",
                    "SetButtonVisible 3 1"}}));

class ButtonClickTest : public testing::TestWithParam<int> {};

TEST_P(ButtonClickTest, RunsTheActionOfThatSlotAndEnds) {
  SplashState state;
  for (const char* action : {"First.EXE", "SECOND.exe /A", "third", "Fourth \"X\""}) {
    state.buttons.commands[state.buttons.count++].text = action;
  }
  const Calls lowered = {"first.exe", "second.exe /a", "third", "fourth \"x\""};
  FakePlatform platform;
  const auto outcome = Attempt([&] { OnButtonClick(platform, state, GetParam()); });
  EXPECT_EQ(outcome.ended, ExitStatus::Normal);
  EXPECT_EQ(platform.started, Calls{lowered[GetParam()]});
}

INSTANTIATE_TEST_SUITE_P(Slots, ButtonClickTest, testing::Range(0, 4));

TEST(ButtonClickTest, ExitActionStartsNothing) {
  SplashState state;
  state.buttons.commands[0].text = "EXIT";
  state.buttons.count = 1;
  FakePlatform platform;
  const auto outcome = Attempt([&] { OnButtonClick(platform, state, 0); });
  EXPECT_EQ(outcome.ended, ExitStatus::Normal);
  EXPECT_TRUE(platform.started.empty());
}

TEST(WindowCloseTest, EndsNormallyAndStartsNothing) {
  FakePlatform platform;
  const auto outcome = Attempt([&] { OnWindowClose(platform); });
  EXPECT_EQ(outcome.ended, ExitStatus::Normal);
  EXPECT_EQ(platform.calls, Calls{"EndProgram 0"});
}

}  // namespace
}  // namespace orvex
