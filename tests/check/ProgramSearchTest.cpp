// Finding files and programs on a medium the way the launcher does.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tools/check/KeyNames.h"
#include "tools/check/MediumFolder.h"
#include "tools/check/ProgramSearch.h"
#include "tools/check/SystemCase.h"

namespace orvex::check {
namespace {

namespace fs = std::filesystem;

class ProgramSearchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() /
            ("orvex-check-" +
             std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(root_);
    for (const char* file :
         {"Setup.EXE", "Tools/Install.exe", "readme.txt", "setup.msi", "My Programs/run me.exe",
          "run.bat", "nul.txt", "aux.exe", "\u0219tiri.bmp", "\u0219ub/marker.exe",
          "\u0561\u0491\u2170\u01C6.txt", "\U00010428.txt"}) {
      const fs::path path = root_ / file;
      fs::create_directories(path.parent_path());
      std::ofstream(path) << "stand-in\n";
    }
    fs::create_directories(root_ / "folder.exe");
  }
  void TearDown() override { fs::remove_all(root_); }

  ProgramSearch Find(const std::string& commandLine) const {
    return FindProgram(MediumFolder(root_), commandLine);
  }

  fs::path root_;
};

TEST_F(ProgramSearchTest, FindsProgramsOnTheMediumInAnyLetterCase) {
  const struct {
    const char* commandLine;
    const char* found;
  } cases[] = {
      {"setup.exe /q", "Setup.EXE"},
      {"setup /q", "Setup.EXE"},  // .exe is added
      {"tools\\install.exe", "Tools/Install.exe"},
      {"tools/install", "Tools/Install.exe"},
      {"\\tools\\install.exe", "Tools/Install.exe"},  // the root of the medium's drive
      {"d:\\setup.exe", "Setup.EXE"},
      {"\"my programs\\run me.exe\" /x", "My Programs/run me.exe"},
      {"my programs\\run me.exe /x", "My Programs/run me.exe"},  // unquoted, tried part by part
      {"run.bat", "run.bat"},
      {"..\\setup.exe", "Setup.EXE"},  // ".." stays at the drive's root
  };
  for (const auto& c : cases) {
    const ProgramSearch search = Find(c.commandLine);
    EXPECT_EQ(search.place, ProgramPlace::OnMedium) << c.commandLine;
    EXPECT_EQ(search.found, c.found) << c.commandLine;
  }
}

TEST_F(ProgramSearchTest, TellsWhatIsNotAProgramOnTheMedium) {
  const struct {
    const char* commandLine;
    ProgramPlace place;
  } cases[] = {
      {"readme.txt", ProgramPlace::NotAProgram},
      {"setup.msi /q", ProgramPlace::NotAProgram},
      {"notepad.exe readme.txt", ProgramPlace::SystemProgram},
      {"msiexec /i setup.msi", ProgramPlace::SystemProgram},
      {"tools\\notepad.exe", ProgramPlace::Missing},  // system programs only by name
      {"install.exe", ProgramPlace::Missing},
      {"folder.exe", ProgramPlace::Missing},  // a folder is no program
      {"aux.exe", ProgramPlace::Missing},     // a device, though the medium has the file
      {"exit ", ProgramPlace::Missing},
      {"c:\\windows\\notepad.exe", ProgramPlace::OutsideMedium},
      {"\\\\server\\share\\setup.exe", ProgramPlace::OutsideMedium},
      {"   ", ProgramPlace::Blank},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Find(c.commandLine).place, c.place) << c.commandLine;
  }
}

TEST_F(ProgramSearchTest, FindsFilesAsWindowsNamesThem) {
  const MediumFolder medium(root_);
  const struct {
    const char* path;
    const char* found;  // nullptr: not found
  } cases[] = {
      {"README.TXT", "readme.txt"},
      {"readme.txt. ", "readme.txt"},  // dots and blanks at the end of the last name go
      {"readme.txt \\.", "readme.txt"},
      {"readme.txt\\", nullptr},
      {".\\tools\\..\\readme.txt", "readme.txt"},
      {"tools.\\install.exe", "Tools/Install.exe"},  // a folder's name loses one dot
      {"tools..\\install.exe", nullptr},
      {"tools \\install.exe", nullptr},  // and keeps its blanks
      {"tools \\..\\readme.txt", "readme.txt"},
      {"...\\readme.txt", nullptr},
      {"D:\\..\\readme.txt", "readme.txt"},  // ".." stays at the drive's root
      {"..\\..\\readme.txt", "readme.txt"},
      {"NUL.TXT", nullptr},  // a device, whatever the medium holds
      {"D:readme.txt", "readme.txt"},
      {"tools", nullptr},  // a folder
      {"", nullptr},
      {"c:\\readme.txt", nullptr},
      // Folded as the file system folds: by single UTF-16 units.
      {"\u0218TIRI.BMP", "\u0219tiri.bmp"},                              // ȘTIRI.BMP
      {"\u0218UB\\marker.exe", "\u0219ub/marker.exe"},                   // ȘUB
      {"\u0531\u0490\u2160\u01C4.txt", "\u0561\u0491\u2170\u01C6.txt"},  // ԱҐⅠǄ
      {"\U00010400.txt", nullptr},                                       // Deseret is not folded
  };
  for (const auto& c : cases) {
    const auto found = medium.FindRelative(c.path);
    if (c.found) {
      EXPECT_EQ(found.value_or("(none)"), c.found) << c.path;
    } else {
      EXPECT_FALSE(found) << c.path << " -> " << found.value_or("");
    }
  }
}

TEST(LowerCaseTest, LowersAsCharLowerBuffDoes) {
  const struct {
    const char* text;
    const char* lowered;
  } cases[] = {
      {"\u0218UB\\MARKER.EXE /Q", "\u0219ub\\marker.exe /q"},                // ȘUB
      {"\u018F\u01FA\u0181\u1E00\u03AA", "\u0259\u01FB\u0253\u1E01\u03CA"},  // ƏǺƁḀΪ
      {"\u0490\u0492\u0462\u04C1\u0531", "\u0491\u0493\u0463\u04C2\u0561"},  // ҐҒѢӁԱ
      {"\u13A0\u2160\u24B6", "\uAB70\u2170\u24D0"},                          // ᎠⅠⒶ
      {"\U00010400\U00010427", "\U00010428\U0001044F"},  // Deseret, outside the BMP
      {"\u0130\u0131", "\u0130\u0131"},                  // İ stays
  };
  for (const auto& c : cases) EXPECT_EQ(LowerCaseLikeWindows(c.text), c.lowered) << c.text;
}

TEST(KeyNamesTest, SuggestsTheKeyMeantForSlipsOnly) {
  const struct {
    const char* name;
    const char* nearest;  // nullptr: none
  } cases[] = {
      {"Captoin", "Caption"},  {"BackColour", "BackColor"},
      {"backcolor", nullptr},  // the key itself, in another case
      {"Pictures", "Picture"}, {"DefaultActoin", "DefaultAction"},
      {"Sho", "Show"},         {"Author", nullptr},
      {"Colour", nullptr},     {"Title", nullptr},
      {"Pitcur", "Picture"},    // two slips in six letters
      {"Captn", nullptr},       // two slips in five: too many
      {"DefaultAct", nullptr},  // three slips, however long the name
  };
  for (const auto& c : cases) {
    const auto nearest = NearestName(c.name, DialogKeys());
    if (c.nearest) {
      EXPECT_EQ(nearest.value_or("(none)"), c.nearest) << c.name;
    } else {
      EXPECT_FALSE(nearest) << c.name << " -> " << nearest.value_or("");
    }
  }
}

}  // namespace
}  // namespace orvex::check
