// Installed and StayOpen on the real launcher: registry keys in either
// view, a file under %ProgramFiles%, a button left out, the window that
// stays with its button disabled until setup ends, and malformed values.
#include <gtest/gtest.h>

#include <optional>

#include "Harness.h"
#include "TestProfiles.h"

namespace winetest {
namespace {

// A registry key made for one test and deleted with everything in it.
class TestKey {
 public:
  TestKey(HKEY root, std::wstring path, REGSAM view = 0) : root_(root), path_(std::move(path)) {
    view_ = view;
    HKEY key = nullptr;
    if (RegCreateKeyExW(root_, path_.c_str(), 0, nullptr, 0, KEY_WRITE | view_, nullptr, &key,
                        nullptr) != ERROR_SUCCESS) {
      throw std::runtime_error("cannot create the key " + Utf8(path_));
    }
    RegCloseKey(key);
  }
  TestKey(const TestKey&) = delete;
  TestKey& operator=(const TestKey&) = delete;
  ~TestKey() { RegDeleteKeyExW(root_, path_.c_str(), view_, 0); }

  void SetValue(const std::wstring& name) const {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root_, path_.c_str(), 0, KEY_SET_VALUE | view_, &key) != ERROR_SUCCESS) {
      throw std::runtime_error("cannot open the key " + Utf8(path_));
    }
    const DWORD one = 1;
    RegSetValueExW(key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one),
                   sizeof(one));
    RegCloseKey(key);
  }

 private:
  HKEY root_;
  std::wstring path_;
  REGSAM view_ = 0;
};

// Three buttons; the first becomes "Start" where installed is there.
WindowProfile InstallerProfile(const std::string& installed) {
  WindowProfile profile = WindowProfile::WithButtons(3);
  profile.buttons[0].caption = "Install";
  profile.buttons[0].moreLines =
      "Installed=" + installed +
      "\r\nInstalledCaption=Start\r\nInstalledAction=recorder.exe /started\r\n";
  return profile;
}

std::wstring FirstCaption(const Medium& medium) {
  Launch run(medium.Path());
  const WindowInfo window = ExpectWindow(run);
  const std::wstring caption = window.buttons[0].caption;
  ExpectCloses(run, window);
  return caption;
}

struct RegistryCase {
  const char* name;
  HKEY root;
  REGSAM view;
  const char* installed;   // the profile's value
  const wchar_t* value;    // a value made in the key, if any
  const wchar_t* caption;  // what the first button shows
};

class InstalledRegistry : public ::testing::TestWithParam<RegistryCase> {};

TEST_P(InstalledRegistry, TheButtonTakesItsInstalledCaption) {
  const RegistryCase& c = GetParam();
  const TestKey key(c.root, L"Software\\OrvexWineTest\\" + Wide(c.name), c.view);
  if (c.value) key.SetValue(c.value);
  const Medium medium;
  PrepareWindowMedium(medium, InstallerProfile(c.installed));
  EXPECT_EQ(FirstCaption(medium), c.caption);
}

// A key written in one HKLM view is seen only through that view under
// Wine's 64-bit prefix; the launcher looks in both.
INSTANTIATE_TEST_SUITE_P(
    Views, InstalledRegistry,
    ::testing::Values(RegistryCase{"View64", HKEY_LOCAL_MACHINE, KEY_WOW64_64KEY,
                                   "HKLM\\SOFTWARE\\OrvexWineTest\\View64", nullptr, L"Start"},
                      RegistryCase{"View32", HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY,
                                   "HKEY_LOCAL_MACHINE\\Software\\OrvexWineTest\\View32", nullptr,
                                   L"Start"},
                      RegistryCase{"ValueOfTheKey", HKEY_CURRENT_USER, 0,
                                   "HKCU\\Software\\OrvexWineTest\\ValueOfTheKey\\Version",
                                   L"Version", L"Start"},
                      RegistryCase{"OtherKey", HKEY_CURRENT_USER, 0,
                                   "HKCU\\Software\\OrvexWineTest\\Missing", nullptr, L"Install"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(InstalledFile, ProgramFilesIsTheMachinesOwnProgramFolder) {
  const std::wstring folder = EnvironmentPath(L"ProgramW6432") + L"\\Orvex Wine Test";
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
  WriteBytes(folder + L"\\app.txt", "installed");
  const Medium medium;
  PrepareWindowMedium(medium, InstallerProfile("%ProgramFiles%\\Orvex Wine Test\\app.txt"));
  EXPECT_EQ(FirstCaption(medium), L"Start");
  DeleteFileW((folder + L"\\app.txt").c_str());
  RemoveDirectoryW(folder.c_str());
}

TEST(InstalledShow, FalseLeavesTheButtonOutOfTheRow) {
  const Medium medium;
  WindowProfile profile = WindowProfile::WithButtons(3);
  profile.buttons[1].moreLines = "Installed=present.txt\r\nInstalledShow=False\r\n";
  PrepareWindowMedium(medium, profile);
  medium.Write(L"present.txt", "");
  Launch run(medium.Path());
  const WindowInfo window = ExpectWindow(run);
  // The row of two: lefts 16 and 272, width 193.
  EXPECT_EQ(window.buttons[0].caption, L"Button 1");
  EXPECT_EQ(window.buttons[1].caption, L"Button 3");
  EXPECT_EQ(Edges(window.buttons[1].rect), Edges({272, 304, 272 + 193, 304 + 25}));
  EXPECT_FALSE(window.buttons[2].visible);
  ExpectCloses(run, window);
}

// Polls the launcher window until the first button is as asked.
std::optional<ButtonInfo> WaitForFirstButton(HWND window, const std::wstring& caption,
                                             bool enabled) {
  for (DWORD waited = 0; waited < kWaitMs; waited += 20) {
    const ButtonInfo button = InspectWindow(window).buttons[0];
    if (button.caption == caption && button.enabled == enabled) return button;
    Sleep(20);
  }
  return std::nullopt;
}

TEST(InstalledStayOpen, SetupDisablesItsButtonAndItsEndTurnsInstallIntoStart) {
  const Medium medium;
  const std::wstring go = medium.PathOf(L"go.txt");
  const std::string key = "Software\\OrvexWineTest\\StayOpen";
  RegDeleteKeyExW(HKEY_CURRENT_USER, Wide(key).c_str(), 0, 0);
  WindowProfile profile = InstallerProfile("HKCU\\" + key);
  profile.moreLines = "StayOpen=True\r\n";
  profile.buttons[0].action = "recorder.exe /waitfor=" + Utf8(go) + " /createkey=" + key;
  profile.buttons[1].action = "exit";
  PrepareWindowMedium(medium, profile);
  Launch run(medium.Path());
  const WindowInfo window = ExpectWindow(run);
  ASSERT_EQ(window.buttons[0].caption, L"Install");

  ClickButton(window.handle, window.buttons[0]);
  EXPECT_TRUE(WaitForFirstButton(window.handle, L"Install", false)) << run.Situation();
  EXPECT_TRUE(run.StillRunningAfter(300)) << run.Situation();
  EXPECT_TRUE(IsWindowVisible(window.handle));

  WriteBytes(go, "");  // setup finishes, having made its key
  EXPECT_TRUE(WaitForFirstButton(window.handle, L"Start", true)) << run.Situation();
  const TestKey made(HKEY_CURRENT_USER, Wide(key));  // deleted at the end

  ClickButton(window.handle, InspectWindow(window.handle).buttons[1]);
  ExpectExit(run, 0);
  ASSERT_EQ(run.Started().size(), 1u);
  EXPECT_EQ(run.Started()[0].commandLine, Lower(Wide(profile.buttons[0].action)));
}

class InstalledMalformed : public ::testing::TestWithParam<const char*> {};

TEST_P(InstalledMalformed, IsAnInvalidPropertyValueNamingSectionKeyAndValue) {
  const Medium medium;
  WindowProfile profile = WindowProfile::WithButtons(2);
  profile.buttons[1].moreLines = std::string("Installed=") + GetParam() + "\r\n";
  PrepareWindowMedium(medium, profile);
  Launch run(medium.Path());
  ExpectOutcome(run,
                Report(L"Invalid property value", {L"[BUTTON2]", L"Installed", Wide(GetParam())}));
}

INSTANTIATE_TEST_SUITE_P(Values, InstalledMalformed,
                         ::testing::Values("HKCR\\Software\\Example", "HKCU\\\\Software", "HKLM"));

}  // namespace
}  // namespace winetest
