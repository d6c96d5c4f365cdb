// The launcher window and the keyboard: the default button, Tab and Space,
// and the keys that close the window.
#include <gtest/gtest.h>

#include "Harness.h"
#include "TestProfiles.h"

namespace winetest {
namespace {

struct CloseCase {
  const char* name;
  WORD key;
  bool withAlt;
  int buttons;
};

class KeyboardClose : public ::testing::TestWithParam<CloseCase> {};

TEST_P(KeyboardClose, EndsTheLauncherAndStartsNothing) {
  const CloseCase& c = GetParam();
  const Medium medium;
  PrepareWindowMedium(medium, WindowProfile::WithButtons(c.buttons));
  Launch run(medium.Path());
  PressKey(ExpectWindow(run).handle, c.key, c.withAlt);
  ExpectEnding(run, NothingStarted());
}

INSTANTIATE_TEST_SUITE_P(Keys, KeyboardClose,
                         ::testing::Values(CloseCase{"AltF4WithButtons", VK_F4, true, 2},
                                           CloseCase{"AltF4WithoutButtons", VK_F4, true, 0},
                                           CloseCase{"EscWithButtons", VK_ESCAPE, false, 2},
                                           CloseCase{"EscWithoutButtons", VK_ESCAPE, false, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

struct PressCase {
  const char* name;
  std::vector<WORD> keys;
  std::wstring started;
};

class KeyboardPress : public ::testing::TestWithParam<PressCase> {};

TEST_P(KeyboardPress, RunsTheButtonTheKeysChoose) {
  const Medium medium;
  PrepareWindowMedium(medium, WindowProfile::WithButtons(3));
  Launch run(medium.Path());
  const WindowInfo window = ExpectWindow(run);
  for (WORD key : GetParam().keys) PressKey(window.handle, key);
  ExpectEnding(run, Started(GetParam().started));
}

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyboardPress,
    ::testing::Values(
        PressCase{"EnterRunsButton0", {VK_RETURN}, L"recorder.exe /button1"},
        PressCase{"SpaceRunsButton0", {VK_SPACE}, L"recorder.exe /button1"},
        PressCase{"TabSpaceRunsButton1", {VK_TAB, VK_SPACE}, L"recorder.exe /button2"},
        PressCase{"TabTabEnterRunsButton2", {VK_TAB, VK_TAB, VK_RETURN}, L"recorder.exe /button3"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(KeyboardEnter, DoesNothingWhenNoButtonIsShown) {
  const Medium medium;
  // Button(0)'s slot holds no action; running it would be fatal.
  PrepareWindowMedium(medium, WindowProfile::WithButtons(0));
  Launch run(medium.Path());
  const WindowInfo window = ExpectWindow(run);
  PressKey(window.handle, VK_RETURN);
  PressKey(window.handle, VK_SPACE);
  EXPECT_TRUE(run.StillRunningAfter(500)) << run.Situation();
  ExpectCloses(run, window);
}

}  // namespace
}  // namespace winetest
