// Start-up: finding the profile, headless mode, fatal start-up failures and
// the window's design form.
#include <gtest/gtest.h>

#include "Harness.h"
#include "Pictures.h"
#include "TestProfiles.h"

namespace winetest {
namespace {

TEST(StartupMissingProfile, NamesTheProfileInTheCurrentDirectory) {
  const Medium medium;
  Launch run(medium.Path());
  ExpectOutcome(run, Message(MissingProfileText(medium.Path())));
}

TEST(StartupMissingProfile, AtADriveRootShowsTheDoubledSeparator) {
  const auto medium = Medium::AtDriveRoot();
  ASSERT_TRUE(medium) << "the session maps no drive letter for this test (see README.md)";
  ASSERT_EQ(medium->Path(), L"R:\\");
  Launch run(medium->Path());
  ExpectOutcome(run, Message(MissingProfileText(L"R:\\")));
}

TEST(StartupMissingProfile, AProfileBesideTheExecutableDoesNotCount) {
  const Medium medium;
  const std::wstring exe = medium.CopyLauncher(L"bin\\autorun.exe");
  medium.CopyRecorder(L"bin\\recorder.exe");
  medium.WriteProfile(HeadlessProfile("recorder.exe /beside-exe"), L"bin\\autorun.ini");
  const std::wstring cwd = medium.MakeFolder(L"work");
  Launch run(cwd, exe);
  ExpectOutcome(run, Message(MissingProfileText(cwd)));
}

TEST(StartupProfile, IsReadFromTheCurrentDirectoryNotTheExecutables) {
  const Medium medium;
  const std::wstring exe = medium.CopyLauncher(L"bin\\autorun.exe");
  // The launcher's own folder is searched first, so either profile's
  // action finds this recorder.
  medium.CopyRecorder(L"bin\\recorder.exe");
  medium.WriteProfile(HeadlessProfile("recorder.exe /beside-exe"), L"bin\\autorun.ini");
  medium.WriteProfile(HeadlessProfile("recorder.exe /from-current-directory"),
                      L"work\\autorun.ini");
  Launch run(medium.PathOf(L"work"), exe);
  ExpectOutcome(run, Started(L"recorder.exe /from-current-directory"));
}

TEST(StartupProfile, IsNamedAfterTheExecutable) {
  const Medium medium;
  const std::wstring exe = medium.CopyLauncher(L"bin\\Launch.exe");
  medium.CopyRecorder();
  medium.WriteProfile(HeadlessProfile("recorder.exe /autorun-ini"), L"autorun.ini");
  medium.WriteProfile(HeadlessProfile("recorder.exe /launch-ini"), L"Launch.ini");
  Launch run(medium.Path(), exe);
  ExpectOutcome(run, Started(L"recorder.exe /launch-ini"));
}

TEST(StartupHeadless, StartsTheLowerCasedDefaultActionWithoutAWindow) {
  const Medium medium;
  medium.CopyRecorder(L"Setup\\Recorder.exe");
  // Nothing but "Show" and "DefaultAction" is read: a bad colour, a missing
  // picture and missing button sections do not matter.
  medium.WriteProfile(
      "[DIALOG]\r\nShow=0\r\nDefaultAction=SETUP\\Recorder.EXE /Q /Name=Mixed\r\n"
      "BackColor=not a colour\r\nPicture=missing.bmp\r\n");
  Launch run(medium.Path());
  ExpectOutcome(run, Started(L"setup\\recorder.exe /q /name=mixed", medium.Path()));
}

class StartupHeadlessExit : public ::testing::TestWithParam<const char*> {};

TEST_P(StartupHeadlessExit, StartsNothingAndEndsNormally) {
  const Medium medium;
  medium.CopyRecorder(L"exit.exe");  // would be found if "exit" were started
  medium.WriteProfile(HeadlessProfile(GetParam()));
  Launch run(medium.Path());
  ExpectOutcome(run, NothingStarted());
}

INSTANTIATE_TEST_SUITE_P(AnyLetterCase, StartupHeadlessExit,
                         ::testing::Values("exit", "Exit", "EXIT"));

// "exit" followed by more words is a command line like any other.
TEST(StartupHeadless, ExitWithArgumentsIsStartedAsACommand) {
  const Medium medium;
  medium.CopyRecorder(L"exit.exe");
  medium.WriteProfile(HeadlessProfile("EXIT Now"));
  Launch run(medium.Path());
  ExpectOutcome(run, Started(L"exit now"));
}

struct FatalCase {
  const char* name;
  std::string profile;
  Expected expected;
};

class StartupFatal : public ::testing::TestWithParam<FatalCase> {};

TEST_P(StartupFatal, ReportsTheFailureAndEnds) {
  const Medium medium;
  medium.WriteProfile(GetParam().profile);
  Launch run(medium.Path());
  ExpectOutcome(run, GetParam().expected);
}

// A report's detail names what was being read.
INSTANTIATE_TEST_SUITE_P(
    Cases, StartupFatal,
    ::testing::Values(FatalCase{"ShowYes", "[DIALOG]\r\nShow=yes\r\nDefaultAction=exit\r\n",
                                Report(L"Type mismatch", {L"DIALOG", L"Show", L"yes"})},
                      FatalCase{"ShowEmpty", "[DIALOG]\r\nShow=\r\nDefaultAction=exit\r\n",
                                Report(L"Type mismatch", {L"DIALOG", L"Show"})},
                      FatalCase{"ShowAbsent", "[DIALOG]\r\nDefaultAction=exit\r\n",
                                Report(L"Type mismatch", {L"DIALOG", L"Show"})},
                      FatalCase{"UnknownProgram", HeadlessProfile("NoSuchProgram.exe /Setup"),
                                Report(L"File not found", {L"nosuchprogram.exe /setup"})},
                      FatalCase{"EmptyAction", HeadlessProfile(""),
                                Report(L"Invalid procedure call")}),
    [](const auto& info) { return std::string(info.param.name); });

// Window mode shows the design form when the profile repeats the design:
// four buttons "Command1", the design title and colour. The picture is one
// pixel of the design colour, so that every background pixel must show it.
TEST(StartupWindow, ShowsTheDesignForm) {
  const Medium medium;
  WindowProfile profile;
  profile.backColor = "47,31,107";
  profile.caption = "Orvex Auto Run";
  profile.picture = "dot.bmp";
  for (auto& button : profile.buttons) button = {"1", "Command1", "recorder.exe"};
  medium.WriteProfile(profile.Text());
  WriteSolidPicture(medium.PathOf(L"dot.bmp"), PictureFormat::Bmp, 1, 1, {47, 31, 107});

  Launch run(medium.Path());
  const WindowInfo window = ExpectWindow(run);

  // 7215 x 5025 twips at 96 DPI.
  EXPECT_EQ(window.client.cx, 481);
  EXPECT_EQ(window.client.cy, 335);
  EXPECT_EQ(window.title, L"Orvex Auto Run");
  EXPECT_FALSE(window.style & WS_MINIMIZEBOX);
  EXPECT_FALSE(window.style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(window.style & WS_THICKFRAME);
  EXPECT_TRUE(window.style & WS_CAPTION);
  EXPECT_TRUE(window.exStyle & WS_EX_DLGMODALFRAME);
  EXPECT_TRUE(CaptionShowsIcon(window.handle, LauncherPath()));

  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_NEAR(window.frame.left + window.frame.right, work.left + work.right, 2);
  EXPECT_NEAR(window.frame.top + window.frame.bottom, work.top + work.bottom, 2);

  // Left 240, 1980, 3720, 5460; top 4560; width 1515; height 375 twips.
  const int lefts[] = {16, 132, 248, 364};
  for (size_t i = 0; i < 4; ++i) {
    const ButtonInfo& button = window.buttons[i];
    SCOPED_TRACE("Button(" + std::to_string(i) + ")");
    EXPECT_TRUE(button.visible);
    EXPECT_EQ(button.caption, L"Command1");
    EXPECT_EQ(Edges(button.rect), Edges({lefts[i], 304, lefts[i] + 101, 304 + 25}));
  }
  EXPECT_TRUE(window.buttons[0].isDefault);

  const ClientImage image = CaptureClient(window.handle);
  const Rgb design{47, 31, 107};
  for (const POINT p : {POINT{0, 0}, POINT{240, 150}, POINT{480, 0}, POINT{480, 334}, POINT{0, 334},
                        POINT{124, 316}, POINT{240, 300}}) {
    EXPECT_EQ(image.At(p.x, p.y), design) << "at " << p.x << "," << p.y;
  }

  ExpectCloses(run, window);
}

}  // namespace
}  // namespace winetest
