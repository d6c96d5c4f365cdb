// DLL planting: a DLL with a system DLL's name beside the launcher, or in
// the current directory, is the classic attack on removable media and
// download folders. Copies of planted.dll get the names the launcher loads
// beyond its imports (GDI+, Common Controls) or the system loads for it (the
// theme library, their dependencies); none may be loaded.
//
// Wine prefers its built-in DLLs, so the wine.planted group sets
// WINEDLLOVERRIDES "<name>=n,b" for these names and ORVEX_PLANTED_DLL_TEST=1;
// the suite skips elsewhere. A control program without any hardening shows
// in the same run that the planted copies would be loaded.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Harness.h"
#include "Modules.h"
#include "Pictures.h"
#include "TestProfiles.h"

namespace winetest {
namespace {

struct PlantedName {
  const wchar_t* name;
  bool launcherLoadsIt;  // a real copy must turn up among its modules
};

// Keep in step with WINEDLLOVERRIDES of the wine.planted group.
constexpr PlantedName kPlanted[] = {
    {L"uxtheme.dll", true},         // by user32, with the first window
    {L"comctl32.dll", true},        // by the launcher, resolved side by side
    {L"gdiplus.dll", true},         // by the launcher, for a PNG picture
    {L"windowscodecs.dll", false},  // by GDI+
    {L"msimg32.dll", false},        // by Common Controls
};

void Plant(const Medium& medium) {
  for (const PlantedName& planted : kPlanted)
    medium.CopyIn(BesideDriver(L"planted.dll"), planted.name);
}

bool Exists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A planted copy leaves a file "<name>.loaded" when it is loaded.
void ExpectNoneLoaded(const Medium& bin, const Medium& work) {
  for (const PlantedName& planted : kPlanted) {
    EXPECT_FALSE(Exists(bin.PathOf(planted.name) + L".loaded")) << Utf8(planted.name);
    EXPECT_FALSE(Exists(work.PathOf(planted.name) + L".loaded")) << Utf8(planted.name);
  }
}

class PlantedDll : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!FlagSet(L"ORVEX_PLANTED_DLL_TEST"))
      GTEST_SKIP() << "needs WINEDLLOVERRIDES: runs in the wine.planted group only";
  }
};

TEST_F(PlantedDll, ControlWithoutHardeningLoadsThePlantedCopies) {
  const Medium bin(L"-bin");
  Plant(bin);
  const std::wstring control = bin.CopyIn(BesideDriver(L"plant_control.exe"), L"plant_control.exe");
  const Medium work(L"-work");
  Launch run(work.Path(), control);
  ASSERT_EQ(run.WaitForExit(), 0u) << run.Situation();
  for (const PlantedName& planted : kPlanted) {
    EXPECT_TRUE(Exists(bin.PathOf(planted.name) + L".loaded"))
        << Utf8(planted.name) << " beside a program without hardening was not loaded: is "
        << "WINEDLLOVERRIDES set for it?";
  }
}

TEST_F(PlantedDll, LauncherNeverLoadsThemBesideItselfOrFromTheCurrentDirectory) {
  const Medium bin(L"-bin");
  const std::wstring exe = bin.CopyLauncher();
  Plant(bin);
  const Medium work(L"-work");
  // Not a plain bitmap: GDI+ reads it.
  PreparePictureMedium(work, WindowProfile::WithButtons(1), PictureFormat::Png, 40, 30);
  Plant(work);

  Launch run(work.Path(), exe);
  const WindowInfo window = ExpectWindow(run);
  // Read while the picture is shown, so that everything has been loaded.
  EXPECT_EQ(CaptureClient(window.handle).At(0, 0), kPictureColour);
  const std::vector<std::wstring> modules = LoadedModules(run.ProcessId());
  ASSERT_FALSE(modules.empty()) << "cannot list the launcher's modules";
  const std::wstring binPrefix = Lower(bin.Path() + L"\\");
  const std::wstring workPrefix = Lower(work.Path() + L"\\");
  for (const PlantedName& planted : kPlanted) {
    bool loaded = false;
    for (const std::wstring& module : modules) {
      if (FileName(module) != Lower(planted.name)) continue;
      loaded = true;
      EXPECT_NE(module.rfind(binPrefix, 0), 0u) << "planted copy loaded: " << Utf8(module);
      EXPECT_NE(module.rfind(workPrefix, 0), 0u) << "planted copy loaded: " << Utf8(module);
    }
    if (planted.launcherLoadsIt) {
      EXPECT_TRUE(loaded) << Utf8(planted.name) << " was not loaded at all: the test proves "
                          << "nothing for it";
    }
  }
  ExpectCloses(run, window);
  ExpectNoneLoaded(bin, work);
}

// The theme library comes with the first message box too: here the
// missing-profile message, the launcher's first window of all.
TEST_F(PlantedDll, LauncherNeverLoadsThemForItsMessageBox) {
  const Medium bin(L"-bin");
  const std::wstring exe = bin.CopyLauncher();
  Plant(bin);
  const Medium work(L"-work");
  Plant(work);
  Launch run(work.Path(), exe);
  const auto box = run.WaitForMessageBox();
  ASSERT_TRUE(box) << run.Situation();
  bool themed = false;
  for (const std::wstring& module : LoadedModules(run.ProcessId())) {
    if (FileName(module) == L"uxtheme.dll") themed = true;
  }
  EXPECT_TRUE(themed) << "the theme library was not loaded: the test proves nothing";
  run.Dismiss(*box);
  ExpectExit(run, 1);
  ExpectNoneLoaded(bin, work);
}

}  // namespace
}  // namespace winetest
