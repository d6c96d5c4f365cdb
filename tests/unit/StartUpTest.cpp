#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "FakePlatform.h"
#include "TestSupport.h"
#include "launcher/Launcher.h"

namespace orvex {
namespace {

using test::Attempt;
using Calls = std::vector<std::string>;

constexpr char kMissingText[] = " doesn't exist. INI filename must be the same as EXE filename.";

// The reads made, in order.
Calls Reads(const FakePlatform& platform) { return platform.CallsStartingWith("Read "); }

// The typical medium: BUTTON1 and BUTTON3 enabled.
constexpr char kWindowProfile[] =
    "[DIALOG]\nShow=1\nDefaultAction=never.exe\nBackColor=16,32,64\nPicture=D:\\setup\\s.bmp\n"
    "Caption=Sample Disc\n"
    "[BUTTON1]\nShow=1\nCaption=Install\nAction=SETUP.EXE\n"
    "[BUTTON2]\nShow=0\n"
    "[BUTTON3]\nShow=True\nCaption=Read me\nAction=Notepad README.TXT\n"
    "[BUTTON4]\nShow=0\nCaption=Unused\nAction=unused.exe\n";

TEST(StartUpTest, MissingProfileShowsTheExactMessageOnceAndReadsNothing) {
  FakePlatform platform;
  SplashState state;
  const auto outcome = Attempt([&] { StartUp(platform, state); });
  EXPECT_EQ(outcome.ended, ExitStatus::MessageShown);
  EXPECT_EQ(platform.messages, Calls{std::string("D:\\setup\\launch.ini") + kMissingText});
  EXPECT_TRUE(Reads(platform).empty());
  EXPECT_EQ(platform.calls.back(), "EndProgram 1");
}

TEST(StartUpTest, AtADriveRootThePathHasADoubledSeparator) {
  FakePlatform missing;
  missing.currentDirectory = "D:\\";
  SplashState state;
  Attempt([&] { StartUp(missing, state); });
  EXPECT_EQ(missing.messages, Calls{std::string("D:\\\\launch.ini") + kMissingText});

  FakePlatform present;
  present.currentDirectory = "D:\\";
  present.files["D:\\\\launch.ini"] = "[DIALOG]\nShow=0\nDefaultAction=exit\n";
  EXPECT_EQ(Attempt([&] { StartUp(present, state); }).ended, ExitStatus::Normal);
  EXPECT_EQ(state.profilePath.profile, "D:\\\\launch.ini");
  EXPECT_TRUE(present.messages.empty());
}

TEST(StartUpTest, TheProfileIsNamedAfterTheExecutableInTheCurrentDirectory) {
  FakePlatform platform;
  platform.currentDirectory = "E:\\Disc One";
  platform.baseName = "Menu";
  platform.files["E:\\Disc One\\Menu.ini"] = "[DIALOG]\nShow=0\nDefaultAction=exit\n";
  SplashState state;
  EXPECT_EQ(Attempt([&] { StartUp(platform, state); }).ended, ExitStatus::Normal);
  EXPECT_EQ(state.profilePath.profile, "E:\\Disc One\\Menu.ini");
}

TEST(StartUpTest, HeadlessModeTestsExistenceOnceThenReadsOnlyShowAndWhatToRun) {
  FakePlatform platform;
  platform.SetProfile(
      "[DIALOG]\nShow=0\nDefaultAction=SETUP\\Install.EXE /Q\nBackColor=bad\nPicture=none\n"
      "[BUTTON1]\nShow=bad\n");
  SplashState state;
  const auto outcome = Attempt([&] { StartUp(platform, state); });
  EXPECT_EQ(outcome.ended, ExitStatus::Normal);
  const Calls reads = {"Read [DIALOG] Show", "Read [DIALOG] DefaultAction",
                       "Read [DIALOG] DefaultAction.x86", "Read [DIALOG] DefaultOpen"};
  EXPECT_EQ(Reads(platform), reads);

  const std::string exists = "FileExists " + platform.ProfilePath();
  EXPECT_EQ(platform.CallsStartingWith("FileExists"), Calls{exists});
  EXPECT_EQ(
      test::CallsFrom(platform.calls, exists),
      (Calls{exists, reads[0], reads[1], reads[2], reads[3], "ToLowerCase SETUP\\Install.EXE /Q",
             "StartProgram setup\\install.exe /q", "EndProgram 0"}));
}

TEST(StartUpTest, HeadlessExitInAnyCaseStartsNothingAndTouchesNoWindow) {
  for (const char* exit : {"exit", "Exit", "EXIT"}) {
    FakePlatform platform;
    platform.SetProfile(std::string("[DIALOG]\nShow=False\nDefaultAction=") + exit + "\n");
    SplashState state;
    EXPECT_EQ(Attempt([&] { StartUp(platform, state); }).ended, ExitStatus::Normal) << exit;
    EXPECT_TRUE(platform.started.empty()) << exit;
    EXPECT_TRUE(platform.CallsStartingWith("Set").empty()) << exit;
  }
}

TEST(StartUpTest, HeadlessEmptyDefaultActionIsFatal) {
  FakePlatform platform;
  platform.SetProfile("[DIALOG]\nShow=0\n");
  SplashState state;
  const auto outcome = Attempt([&] { StartUp(platform, state); });
  ASSERT_TRUE(outcome.failure);
  EXPECT_EQ(outcome.failure->Kind(), FailureKind::InvalidProcedureCall);
}

TEST(StartUpTest, ARejectedOrAbsentDialogShowIsATypeMismatch) {
  for (const char* profile : {"[DIALOG]\nShow=yes\n", "[DIALOG]\nCaption=x\n", "[OTHER]\n"}) {
    FakePlatform platform;
    platform.SetProfile(profile);
    SplashState state;
    const auto outcome = Attempt([&] { StartUp(platform, state); });
    ASSERT_TRUE(outcome.failure) << profile;
    EXPECT_EQ(outcome.failure->Kind(), FailureKind::TypeMismatch) << profile;
    EXPECT_TRUE(test::Contains(outcome.failure->Detail(), "DIALOG")) << profile;
    EXPECT_EQ(Reads(platform), Calls{"Read [DIALOG] Show"}) << profile;
  }
}

TEST(StartUpTest, WindowModePreparesButtonsAppearanceAndLayoutInOrderThenReturns) {
  FakePlatform platform;
  platform.SetProfile(kWindowProfile);
  platform.files["D:\\setup\\s.bmp"] = "BM";
  SplashState state;
  ASSERT_TRUE(Attempt([&] { StartUp(platform, state); }).Returned());

  EXPECT_EQ(state.buttons.count, 2);
  EXPECT_EQ(state.buttons.commands[0], (Command{Command::Kind::Run, "SETUP.EXE"}));
  EXPECT_EQ(state.buttons.commands[1], (Command{Command::Kind::Run, "Notepad README.TXT"}));
  EXPECT_EQ(test::CallsFrom(platform.calls, "Read [DIALOG] Show"),
            (Calls{"Read [DIALOG] Show",
                   "Read [BUTTON1] Show",
                   "Read [BUTTON1] Caption",
                   "Read [BUTTON1] Action",
                   "Read [BUTTON1] Action.x86",
                   "Read [BUTTON1] Open",
                   "Read [BUTTON1] Installed",
                   "Read [BUTTON2] Show",
                   "Read [BUTTON3] Show",
                   "Read [BUTTON3] Caption",
                   "Read [BUTTON3] Action",
                   "Read [BUTTON3] Action.x86",
                   "Read [BUTTON3] Open",
                   "Read [BUTTON3] Installed",
                   "Read [BUTTON4] Show",
                   "SetButtonCaption 0 Install",
                   "SetButtonCaption 1 Read me",
                   "Read [DIALOG] BackColor",
                   "SetWindowColour 4202512",  // red 16, green 32, blue 64
                   "Read [DIALOG] Picture",
                   "FileExists D:\\setup\\s.bmp",
                   "LoadPictureFile D:\\setup\\s.bmp",
                   "SetWindowPicture D:\\setup\\s.bmp",
                   "Read [DIALOG] Caption",
                   "SetWindowTitle Sample Disc",
                   "Read [DIALOG] StayOpen",
                   "SetButtonVisible 0 1",
                   "SetButtonWidth 0 2895",
                   "SetButtonVisible 1 1",
                   "SetButtonLeft 1 4075",
                   "SetButtonWidth 1 2895",
                   "SetButtonVisible 2 0",
                   "SetButtonVisible 3 0"}));
  EXPECT_TRUE(platform.CallsStartingWith("EndProgram").empty());

  // A click on the second button runs BUTTON3's action.
  EXPECT_EQ(Attempt([&] { OnButtonClick(platform, state, 1); }).ended, ExitStatus::Normal);
  EXPECT_EQ(platform.started, Calls{"notepad readme.txt"});
}

TEST(StartUpTest, ABadButtonShowBeatsABadColourAndAMissingPicture) {
  FakePlatform platform;
  platform.SetProfile(
      "[DIALOG]\nShow=1\nBackColor=47,31\nPicture=missing.bmp\n"
      "[BUTTON1]\nShow=0\n[BUTTON2]\nShow=maybe\n[BUTTON3]\nShow=0\n[BUTTON4]\nShow=0\n");
  SplashState state;
  const auto outcome = Attempt([&] { StartUp(platform, state); });
  ASSERT_TRUE(outcome.failure);
  EXPECT_EQ(outcome.failure->Kind(), FailureKind::TypeMismatch);
  EXPECT_TRUE(test::Contains(outcome.failure->Detail(), "BUTTON2"));
  EXPECT_TRUE(platform.CallsStartingWith("Read [DIALOG] BackColor").empty());
  EXPECT_TRUE(platform.messages.empty());
}

// What a button, and headless mode with the same keys of [DIALOG], do on a
// machine; "-" leaves a key out.
struct CommandCase {
  const char* name;
  Architecture machine;
  const char* action;
  const char* machineKey;  // the key "Action.<suffix>" for machineAction
  const char* machineAction;
  const char* open;
  Command done;  // the command line started (lower-cased) or what was opened
};

Command Runs(const char* commandLine) { return {Command::Kind::Run, commandLine}; }
Command Opens(const char* target) { return {Command::Kind::Open, target}; }

std::ostream& operator<<(std::ostream& out, const CommandCase& c) { return out << c.name; }

// The section's keys, named for a button ("Action") or [DIALOG] ("DefaultAction").
std::string CommandLines(const CommandCase& c, const std::string& prefix) {
  std::string text;
  auto add = [&](const std::string& key, const char* value) {
    if (std::string(value) != "-") text += key + "=" + value + "\n";
  };
  add(prefix + "Action", c.action);
  add(prefix + "Action." + c.machineKey, c.machineAction);
  add(prefix + "Open", c.open);
  return text;
}

class CommandChoiceTest : public testing::TestWithParam<CommandCase> {
 protected:
  void ExpectDone(const FakePlatform& platform, const check::Outcome& outcome) {
    const CommandCase& c = GetParam();
    EXPECT_EQ(outcome.ended, ExitStatus::Normal);
    const bool runs = c.done.kind == Command::Kind::Run;
    EXPECT_EQ(platform.started, runs ? Calls{c.done.text} : Calls{});
    EXPECT_EQ(platform.opened, runs ? Calls{} : Calls{c.done.text});
  }
};

TEST_P(CommandChoiceTest, Headless) {
  const CommandCase& c = GetParam();
  FakePlatform platform;
  platform.architecture = c.machine;
  platform.folders = {"Docs"};
  platform.SetProfile("[DIALOG]\nShow=0\n" + CommandLines(c, "Default"));
  SplashState state;
  ExpectDone(platform, Attempt([&] { StartUp(platform, state); }));
}

TEST_P(CommandChoiceTest, ButtonClick) {
  const CommandCase& c = GetParam();
  FakePlatform platform;
  platform.architecture = c.machine;
  platform.folders = {"Docs"};
  platform.files["D:\\setup\\s.bmp"] = "BM";
  std::string text =
      "[DIALOG]\nShow=1\nBackColor=0\nPicture=D:\\setup\\s.bmp\n[BUTTON1]\nShow=1\n" +
      CommandLines(c, "") + "[BUTTON2]\nShow=0\n[BUTTON3]\nShow=0\n[BUTTON4]\nShow=0\n";
  platform.SetProfile(text);
  SplashState state;
  ASSERT_TRUE(Attempt([&] { StartUp(platform, state); }).Returned());
  ExpectDone(platform, Attempt([&] { OnButtonClick(platform, state, 0); }));
}

constexpr auto kX86 = Architecture::X86;
constexpr auto kX64 = Architecture::X64;
constexpr auto kArm64 = Architecture::Arm64;

INSTANTIATE_TEST_SUITE_P(
    Keys, CommandChoiceTest,
    testing::Values(
        CommandCase{"ActionAlone", kX64, "Setup.EXE", "x64", "-", "-", Runs("setup.exe")},
        CommandCase{"ActionWinsOverOpen", kX64, "Setup.EXE", "x64", "-", "Docs", Runs("setup.exe")},
        CommandCase{"OpenAsWritten", kX64, "-", "x64", "-", "Docs", Opens("Docs")},
        CommandCase{"OpenBesideEmptyAction", kX86, "", "x86", "", "https://Example.com/A",
                    Opens("https://Example.com/A")},
        CommandCase{"MachineActionWins", kX64, "Setup32.exe", "x64", "Setup64.EXE", "Docs",
                    Runs("setup64.exe")},
        CommandCase{"OtherMachinesAction", kX86, "Setup32.exe", "x64", "Setup64.exe", "-",
                    Runs("setup32.exe")},
        CommandCase{"Arm64Action", kArm64, "-", "ARM64", "SetupArm.exe", "Docs",
                    Runs("setuparm.exe")},
        CommandCase{"OtherMachineOpens", kArm64, "-", "x64", "Setup64.exe", "Docs", Opens("Docs")},
        CommandCase{"EmptyMachineActionCountsAsAbsent", kX86, "Setup.exe", "x86", "", "-",
                    Runs("setup.exe")},
        CommandCase{"NoSuffixForAnOtherMachine", Architecture::Other, "Setup.exe", "", "Odd.exe",
                    "-", Runs("setup.exe")}),
    [](const auto& info) { return std::string(info.param.name); });

// kWindowProfile with a German language profile holding `text`.
FakePlatform WithGerman(const std::string& text) {
  FakePlatform platform;
  platform.SetProfile(kWindowProfile);
  platform.files["D:\\setup\\s.bmp"] = "BM";
  platform.languages = {"de-DE"};
  platform.parents = {{"de-DE", "de"}};
  platform.files["D:\\setup\\launch.de.ini"] = text;
  return platform;
}

TEST(StartUpTest, ALanguageProfileValueWinsEvenEmptyAndTheProfileGivesTheRest) {
  FakePlatform platform = WithGerman(
      "[DIALOG]\nCaption=Beispiel\n[BUTTON1]\nCaption=\n[BUTTON3]\nAction=notepad LIESMICH.TXT\n");
  SplashState state;
  ASSERT_TRUE(Attempt([&] { StartUp(platform, state); }).Returned());
  EXPECT_EQ(state.profilePath.language, "D:\\setup\\launch.de.ini");
  EXPECT_EQ(test::IndexOf(platform.calls, "SetTextLanguage de"),
            test::IndexOf(platform.calls, "Read [BUTTON1] Show of D:\\setup\\launch.de.ini") - 1);
  EXPECT_EQ(platform.CallsStartingWith("Set").back(), "SetButtonVisible 3 0");
  for (const char* call :
       {"SetWindowTitle Beispiel", "SetButtonCaption 0 ", "SetButtonCaption 1 Read me"}) {
    EXPECT_GE(test::IndexOf(platform.calls, call), 0) << call;
  }
  EXPECT_EQ(state.buttons.commands[0].text, "SETUP.EXE");
  EXPECT_EQ(state.buttons.commands[1].text, "notepad LIESMICH.TXT");
}

TEST(StartUpTest, AFailureAboutALanguageProfileValueNamesThatFile) {
  for (const char* text : {"[BUTTON3]\nShow=vielleicht\n", "[DIALOG]\nBackColor=rot\n"}) {
    FakePlatform platform = WithGerman(text);
    SplashState state;
    const auto outcome = Attempt([&] { StartUp(platform, state); });
    ASSERT_TRUE(outcome.failure) << text;
    EXPECT_TRUE(test::Contains(outcome.failure->Detail(), "of D:\\setup\\launch.de.ini:")) << text;
  }
  FakePlatform platform = WithGerman("[BUTTON1]\nCaption=Installieren\n");
  platform.SetProfile("[DIALOG]\nShow=1\n[BUTTON1]\nShow=ja\n");
  SplashState state;
  const auto outcome = Attempt([&] { StartUp(platform, state); });
  ASSERT_TRUE(outcome.failure);
  EXPECT_TRUE(test::Contains(outcome.failure->Detail(), "of D:\\setup\\launch.ini:"));
}

TEST(StartUpTest, HeadlessModeTakesTheLanguageProfilesDefaultAction) {
  FakePlatform platform = WithGerman("[DIALOG]\nDefaultAction=setup.exe /lang:de\n");
  platform.SetProfile("[DIALOG]\nShow=0\nDefaultAction=setup.exe\n");
  SplashState state;
  EXPECT_EQ(Attempt([&] { StartUp(platform, state); }).ended, ExitStatus::Normal);
  EXPECT_EQ(platform.started, Calls{"setup.exe /lang:de"});
}

}  // namespace
}  // namespace orvex
