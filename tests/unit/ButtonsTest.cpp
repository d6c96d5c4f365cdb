#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
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

// The keys read after the existing ones: the machine's action, Open, then
// Installed.
TEST_P(LoadButtonsTest, ReadsShowThenCaptionActionAndTheNewKeysOfEnabledSectionsThenSetsCaptions) {
  const PackingCase& c = GetParam();
  FakePlatform platform;
  platform.SetProfile(ButtonProfile(c.shows));
  LoadButtons(platform, platform.ProfileFiles());

  Calls expected;
  Calls captions;
  for (int n = 1; n <= 4; ++n) {
    const std::string section = "Read [BUTTON" + std::to_string(n) + "] ";
    expected.push_back(section + "Show");
    if (captions.size() < c.filledFrom.size() && c.filledFrom[captions.size()] == n) {
      // Without Installed, none of the other new keys is read.
      for (const char* key : {"Caption", "Action", "Action.x86", "Open", "Installed"})
        expected.push_back(section + key);
      captions.push_back("SetButtonCaption " + std::to_string(captions.size()) + " Caption " +
                         std::to_string(n));
    }
  }
  expected.insert(expected.end(), captions.begin(), captions.end());
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

// A medium with an installer that becomes "Start" once installed, a plain
// button, and a tool left out once its folder exists.
constexpr char kInstalledProfile[] =
    "[DIALOG]\nShow=1\nBackColor=0\nPicture=s.bmp\nStayOpen=%s\n"
    "[BUTTON1]\nShow=1\nCaption=Install\nAction=SETUP.EXE\nInstalled=HKCU\\Software\\Example\n"
    "InstalledCaption=Start\nInstalledAction=App.exe\n"
    "[BUTTON2]\nShow=1\nCaption=Read me\nAction=notepad readme.txt\n"
    "[BUTTON3]\nShow=1\nCaption=Tools\nAction=tools.exe\nInstalled=%%ProgramFiles%%\\Tools\n"
    "InstalledShow=False\n"
    "[BUTTON4]\nShow=0\n";

std::string InstalledProfile(const char* stayOpen) {
  char text[sizeof(kInstalledProfile) + 16];
  std::snprintf(text, sizeof(text), kInstalledProfile, stayOpen);
  return text;
}

// The fake machine of that medium, its window prepared.
struct InstalledMedium {
  FakePlatform platform;
  SplashState state;

  InstalledMedium(bool keyInstalled, bool toolsInstalled, const char* stayOpen = "") {
    platform.SetProfile(InstalledProfile(stayOpen));
    platform.files["s.bmp"] = "BM";
    platform.environment["ProgramFiles"] = "C:\\Program Files";
    if (keyInstalled) platform.registry.insert("HKCU\\Software\\Example");
    if (toolsInstalled) platform.folders.insert("C:\\Program Files\\Tools");
    state.profilePath = platform.ProfileFiles();
    PrepareWindow(platform, state);
  }
  Calls Captions() const { return platform.CallsStartingWith("SetButtonCaption"); }
  // The buttons the last layout shows.
  long Shown() const {
    const Calls visible = platform.CallsStartingWith("SetButtonVisible");
    const Calls last(visible.end() - kButtonCount, visible.end());
    return std::count_if(last.begin(), last.end(),
                         [](const std::string& call) { return call.back() == '1'; });
  }
};

struct InstalledCase {
  const char* name;
  bool keyInstalled;
  bool toolsInstalled;
  Calls captions;
  std::vector<std::string> actions;
};

std::ostream& operator<<(std::ostream& out, const InstalledCase& c) { return out << c.name; }

class InstalledButtonsTest : public testing::TestWithParam<InstalledCase> {};

TEST_P(InstalledButtonsTest, PackAndLayOutTheButtonsThatAreShown) {
  const InstalledCase& c = GetParam();
  InstalledMedium medium(c.keyInstalled, c.toolsInstalled);
  EXPECT_EQ(medium.Captions(), c.captions);
  ASSERT_EQ(medium.state.buttons.count, static_cast<int>(c.actions.size()));
  EXPECT_EQ(medium.Shown(), medium.state.buttons.count);
  for (std::size_t slot = 0; slot < c.actions.size(); ++slot) {
    EXPECT_EQ(medium.state.buttons.commands[slot].text, c.actions[slot]) << slot;
  }
  if (c.actions.size() == 2) {  // the row of two buttons
    EXPECT_EQ(medium.platform.CallsStartingWith("SetButtonLeft"), Calls{"SetButtonLeft 1 4075"});
  }
}

INSTANTIATE_TEST_SUITE_P(
    Machines, InstalledButtonsTest,
    testing::Values(InstalledCase{"NothingInstalled",
                                  false,
                                  false,
                                  {"SetButtonCaption 0 Install", "SetButtonCaption 1 Read me",
                                   "SetButtonCaption 2 Tools"},
                                  {"SETUP.EXE", "notepad readme.txt", "tools.exe"}},
                    InstalledCase{"KeyInstalled",
                                  true,
                                  false,
                                  {"SetButtonCaption 0 Start", "SetButtonCaption 1 Read me",
                                   "SetButtonCaption 2 Tools"},
                                  {"App.exe", "notepad readme.txt", "tools.exe"}},
                    InstalledCase{"ToolsLeftOut",
                                  false,
                                  true,
                                  {"SetButtonCaption 0 Install", "SetButtonCaption 1 Read me"},
                                  {"SETUP.EXE", "notepad readme.txt"}},
                    InstalledCase{"Both",
                                  true,
                                  true,
                                  {"SetButtonCaption 0 Start", "SetButtonCaption 1 Read me"},
                                  {"App.exe", "notepad readme.txt"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(InstalledButtonsTest, NewKeysAreReadAfterTheOldOnesOfTheirSection) {
  InstalledMedium medium(false, false);
  const Calls reads = medium.platform.CallsStartingWith("Read [");
  const Calls expected = {"Read [BUTTON1] Show",
                          "Read [BUTTON1] Caption",
                          "Read [BUTTON1] Action",
                          "Read [BUTTON1] Action.x86",
                          "Read [BUTTON1] Open",
                          "Read [BUTTON1] Installed",
                          "Read [BUTTON1] InstalledCaption",
                          "Read [BUTTON1] InstalledAction",
                          "Read [BUTTON1] InstalledOpen",
                          "Read [BUTTON1] InstalledShow",
                          "Read [BUTTON2] Show"};
  EXPECT_EQ(Calls(reads.begin(), reads.begin() + 11), expected);
  EXPECT_EQ(Calls(reads.end() - 4, reads.end()),
            (Calls{"Read [DIALOG] BackColor", "Read [DIALOG] Picture", "Read [DIALOG] Caption",
                   "Read [DIALOG] StayOpen"}));
}

struct RejectedNewValueCase {
  const char* from;  // replaced in the medium's profile
  const char* to;
  FailureKind kind;
  const char* section;
  const char* key;
  const char* value;
};

std::ostream& operator<<(std::ostream& out, const RejectedNewValueCase& c) { return out << c.to; }

class RejectedNewValueTest : public testing::TestWithParam<RejectedNewValueCase> {};

TEST_P(RejectedNewValueTest, IsFatalNamingSectionKeyAndValueAndNothingIsReadAfterIt) {
  const RejectedNewValueCase& c = GetParam();
  std::string text = InstalledProfile("");
  text.replace(text.find(c.from), std::strlen(c.from), c.to);
  FakePlatform platform;
  platform.SetProfile(text);
  platform.files["s.bmp"] = "BM";
  SplashState state;
  state.profilePath = platform.ProfileFiles();
  const auto outcome = Attempt([&] { PrepareWindow(platform, state); });
  ASSERT_TRUE(outcome.failure);
  EXPECT_EQ(outcome.failure->Kind(), c.kind);
  const std::string& detail = outcome.failure->Detail();
  for (const char* part : {c.section, c.key, c.value}) {
    EXPECT_TRUE(test::Contains(detail, part)) << detail;
  }
  EXPECT_EQ(platform.calls.back(), std::string("Read [") + c.section + "] " + c.key);
}

INSTANTIATE_TEST_SUITE_P(
    Values, RejectedNewValueTest,
    testing::Values(
        RejectedNewValueCase{"HKCU\\Software", "HKCR\\Software", FailureKind::InvalidPropertyValue,
                             "BUTTON1", "Installed", "\"HKCR\\Software\\Example\""},
        RejectedNewValueCase{"HKCU\\Software", "HKCU\\\\Software",
                             FailureKind::InvalidPropertyValue, "BUTTON1", "Installed",
                             "\"HKCU\\\\Software\\Example\""},
        RejectedNewValueCase{"InstalledShow=False", "InstalledShow=Never",
                             FailureKind::TypeMismatch, "BUTTON3", "InstalledShow", "\"Never\""},
        RejectedNewValueCase{"StayOpen=", "StayOpen=Sometimes", FailureKind::TypeMismatch, "DIALOG",
                             "StayOpen", "\"Sometimes\""}));

TEST(StayOpenTest, AStartedProgramDisablesItsButtonAndTheWindowStays) {
  InstalledMedium medium(false, false, "True");
  ASSERT_TRUE(Attempt([&] { OnButtonClick(medium.platform, medium.state, 0); }).Returned());
  EXPECT_EQ(test::CallsFrom(medium.platform.calls, "StartWatchedProgram setup.exe 1"),
            (Calls{"StartWatchedProgram setup.exe 1", "SetButtonEnabled 0 0"}));

  // Setup has recorded the installation when it ends: "Start", enabled.
  medium.platform.registry.insert("HKCU\\Software\\Example");
  medium.platform.calls.clear();
  OnProgramEnded(medium.platform, medium.state, 1);
  EXPECT_EQ(medium.Captions(), (Calls{"SetButtonCaption 0 Start", "SetButtonCaption 1 Read me",
                                      "SetButtonCaption 2 Tools"}));
  EXPECT_EQ(medium.platform.CallsStartingWith("SetButtonEnabled"),
            (Calls{"SetButtonEnabled 0 1", "SetButtonEnabled 1 1", "SetButtonEnabled 2 1"}));
  EXPECT_EQ(medium.state.buttons.commands[0], (Command{Command::Kind::Run, "App.exe"}));
}

TEST(StayOpenTest, ActivationLaysOutAnewFromTheDesignPlacesWhereSomethingChanged) {
  InstalledMedium medium(false, false, "1");
  medium.platform.calls.clear();
  OnWindowActivated(medium.platform, medium.state);
  EXPECT_TRUE(medium.platform.CallsStartingWith("SetButtonCaption").empty());
  EXPECT_TRUE(medium.platform.CallsStartingWith("SetButtonLeft").empty());

  medium.platform.folders.insert("C:\\Program Files\\Tools");
  medium.platform.calls.clear();
  OnWindowActivated(medium.platform, medium.state);
  EXPECT_EQ(medium.state.buttons.count, 2);
  EXPECT_EQ(medium.Shown(), 2);
  // Back to the design places, then the row of two.
  EXPECT_EQ(medium.platform.CallsStartingWith("SetButtonLeft"),
            (Calls{"SetButtonLeft 0 240", "SetButtonLeft 1 1980", "SetButtonLeft 2 3720",
                   "SetButtonLeft 3 5460", "SetButtonLeft 1 4075"}));
}

TEST(StayOpenTest, WithoutItActivationChangesNothingAndAClickEnds) {
  InstalledMedium medium(false, false);
  medium.platform.calls.clear();
  OnWindowActivated(medium.platform, medium.state);
  EXPECT_TRUE(medium.platform.calls.empty());
  EXPECT_EQ(Attempt([&] { OnButtonClick(medium.platform, medium.state, 1); }).ended,
            ExitStatus::Normal);
  EXPECT_EQ(medium.platform.started, Calls{"notepad readme.txt"});
}

TEST(StayOpenTest, ExitStillEndsAndAFailedStartOrOpenIsReportedWithTheWindowStaying) {
  InstalledMedium medium(false, false, "True");
  medium.platform.unstartable.insert("tools.exe");
  Command& second = medium.state.buttons.commands[1];
  const struct {
    int slot;
    Command command;  // for the second button
    const char* failure;
  } clicks[] = {{1, {}, "Invalid procedure call"},
                {2, {}, "File not found"},
                {1, {Command::Kind::Open, "missing.pdf"}, "File not found"}};
  for (const auto& click : clicks) {
    second = click.command;
    medium.platform.messages.clear();
    ASSERT_TRUE(
        Attempt([&] { OnButtonClick(medium.platform, medium.state, click.slot); }).Returned());
    ASSERT_EQ(medium.platform.messages.size(), 1u) << click.slot;
    EXPECT_EQ(medium.platform.messages[0].rfind(click.failure, 0), 0u)
        << medium.platform.messages[0];
  }
  // An opened document leaves the window as it was.
  medium.platform.files["manual.pdf"] = "%PDF";
  second = {Command::Kind::Open, "manual.pdf"};
  ASSERT_TRUE(Attempt([&] { OnButtonClick(medium.platform, medium.state, 1); }).Returned());
  EXPECT_EQ(medium.platform.opened, Calls{"manual.pdf"});
  EXPECT_TRUE(medium.platform.CallsStartingWith("SetButtonEnabled").empty());
  // So does a cancelled choice of program.
  medium.platform.declinedOpens.insert("manual.pdf");
  ASSERT_TRUE(Attempt([&] { OnButtonClick(medium.platform, medium.state, 1); }).Returned());
  second = {Command::Kind::Run, "Exit"};
  EXPECT_EQ(Attempt([&] { OnButtonClick(medium.platform, medium.state, 1); }).ended,
            ExitStatus::Normal);
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
