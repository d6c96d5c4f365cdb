#include <gtest/gtest.h>

#include <algorithm>
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
  EXPECT_EQ(state.profilePath, "D:\\\\launch.ini");
  EXPECT_TRUE(present.messages.empty());
}

TEST(StartUpTest, TheProfileIsNamedAfterTheExecutableInTheCurrentDirectory) {
  FakePlatform platform;
  platform.currentDirectory = "E:\\Disc One";
  platform.baseName = "Menu";
  platform.files["E:\\Disc One\\Menu.ini"] = "[DIALOG]\nShow=0\nDefaultAction=exit\n";
  SplashState state;
  EXPECT_EQ(Attempt([&] { StartUp(platform, state); }).ended, ExitStatus::Normal);
  EXPECT_EQ(state.profilePath, "E:\\Disc One\\Menu.ini");
}

TEST(StartUpTest, HeadlessModeTestsExistenceOnceThenReadsOnlyShowAndDefaultAction) {
  FakePlatform platform;
  platform.SetProfile(
      "[DIALOG]\nShow=0\nDefaultAction=SETUP\\Install.EXE /Q\nBackColor=bad\nPicture=none\n"
      "[BUTTON1]\nShow=bad\n");
  SplashState state;
  const auto outcome = Attempt([&] { StartUp(platform, state); });
  EXPECT_EQ(outcome.ended, ExitStatus::Normal);
  EXPECT_EQ(Reads(platform), (Calls{"Read [DIALOG] Show", "Read [DIALOG] DefaultAction"}));

  const std::string exists = "FileExists " + platform.ProfilePath();
  EXPECT_EQ(platform.CallsStartingWith("FileExists"), Calls{exists});
  EXPECT_EQ(test::CallsFrom(platform.calls, exists),
            (Calls{exists, "Read [DIALOG] Show", "Read [DIALOG] DefaultAction",
                   "ToLowerCase SETUP\\Install.EXE /Q", "StartProgram setup\\install.exe /q",
                   "EndProgram 0"}));
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
  EXPECT_EQ(state.buttons.actions[0], "SETUP.EXE");
  EXPECT_EQ(state.buttons.actions[1], "Notepad README.TXT");
  EXPECT_EQ(test::CallsFrom(platform.calls, "Read [DIALOG] Show"),
            (Calls{"Read [DIALOG] Show",
                   "Read [BUTTON1] Show",
                   "Read [BUTTON1] Caption",
                   "Read [BUTTON1] Action",
                   "Read [BUTTON1] Installed",
                   "Read [BUTTON2] Show",
                   "Read [BUTTON3] Show",
                   "Read [BUTTON3] Caption",
                   "Read [BUTTON3] Action",
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

}  // namespace
}  // namespace orvex
