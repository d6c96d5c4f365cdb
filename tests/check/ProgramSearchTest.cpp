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

constexpr std::uint16_t kI386 = 0x14C;
constexpr std::uint16_t kAmd64 = 0x8664;
constexpr std::uint16_t kArm64 = 0xAA64;
constexpr std::uint16_t kExecutable = 0x0102;
constexpr std::uint16_t kDll = 0x2102;

void Put16(std::string& bytes, std::size_t at, std::uint32_t value) {
  bytes[at] = static_cast<char>(value & 0xFF);
  bytes[at + 1] = static_cast<char>(value >> 8 & 0xFF);
}

// The headers of a program for `machine`: a DOS header pointing to a PE
// header, the optional header of the machine's kind, and one section of
// `sectionBytes` stored behind the headers.
std::string ProgramBytes(std::uint16_t machine, std::uint16_t flags = kExecutable,
                         std::size_t sectionBytes = 16) {
  const bool wide = machine != kI386;
  const std::size_t optionalSize = wide ? 240 : 224;
  const std::size_t sections = 64 + 24 + optionalSize;
  std::string bytes(sections + 40, '\0');
  bytes.replace(0, 2, "MZ");
  bytes[60] = 64;  // e_lfanew
  bytes.replace(64, 4, std::string("PE\0\0", 4));
  Put16(bytes, 68, machine);
  Put16(bytes, 70, 1);  // one section
  Put16(bytes, 84, static_cast<std::uint32_t>(optionalSize));
  Put16(bytes, 86, flags);
  Put16(bytes, 88, wide ? 0x20B : 0x10B);
  Put16(bytes, sections + 16, static_cast<std::uint32_t>(sectionBytes));
  Put16(bytes, sections + 20, static_cast<std::uint32_t>(bytes.size()));
  return bytes + std::string(sectionBytes, '\x90');
}

class ProgramSearchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() /
            ("orvex-check-" +
             std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(root_);
    for (const char* file : {"Setup.EXE", "Tools/Install.exe", "My Programs/run me.exe", "aux.exe",
                             "\u0219ub/marker.exe"}) {
      Put(file, ProgramBytes(kI386));
    }
    for (const char* file : {"readme.txt", "setup.msi", "run.bat", "nul.txt", "\u0219tiri.bmp",
                             "\u0561\u0491\u2170\u01C6.txt", "\U00010428.txt"}) {
      Put(file, "stand-in\n");
    }
    fs::create_directories(root_ / "folder.exe");
  }
  void Put(const fs::path& file, const std::string& bytes) const {
    const fs::path path = root_ / file;
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
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
      {" setup.exe", ProgramPlace::Missing},   // the blank begins the name
      {"\"setup.exe", ProgramPlace::Missing},  // the quote is never closed
      {"\"setup.exe\" /q", ProgramPlace::OnMedium},
      {"c:\\windows\\notepad.exe", ProgramPlace::OutsideMedium},
      {"\\\\server\\share\\setup.exe", ProgramPlace::OutsideMedium},
      {"   ", ProgramPlace::Blank},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Find(c.commandLine).place, c.place) << c.commandLine;
  }
}

// As CreateProcess under Wine started or refused such files; a program cut
// short within its last section Wine still runs, Windows does not.
TEST_F(ProgramSearchTest, JudgesProgramFilesByTheirHeadersNotTheirNames) {
  const std::string program = ProgramBytes(kAmd64);
  const std::string dos = "MZ" + std::string(62, '\0');
  const struct {
    const char* file;
    std::string bytes;
    ProgramPlace place;
  } cases[] = {
      {"tool.exe", program, ProgramPlace::OnMedium},
      {"tool.bin", program, ProgramPlace::OnMedium},  // a program whatever its name
      {"tool.com", program, ProgramPlace::OnMedium},
      {"tool.exe", "", ProgramPlace::NotRunnable},
      {"tool.exe", "echo text\n", ProgramPlace::NotRunnable},
      {"tool.exe", ProgramBytes(kArm64), ProgramPlace::NotRunnable},
      {"tool.exe", ProgramBytes(kI386, kDll), ProgramPlace::NotRunnable},
      {"tool.exe", program.substr(0, program.size() - 1), ProgramPlace::NotRunnable},
      {"tool.exe", program.substr(0, 100), ProgramPlace::NotRunnable},
      {"tool.exe", dos, ProgramPlace::NotRunnable},                                 // DOS
      {"tool.exe", dos + "NE" + std::string(62, '\0'), ProgramPlace::NotRunnable},  // 16-bit
      {"tool.com", "\xCD\x20", ProgramPlace::NotRunnable},                          // DOS
      {"tool.bat", "@echo off\n", ProgramPlace::OnMedium},  // run through cmd
      {"tool.cmd", dos, ProgramPlace::NotRunnable},         // a header decides first
      {"tool.txt", "text\n", ProgramPlace::NotAProgram},
  };
  for (const auto& c : cases) {
    Put(c.file, c.bytes);
    const ProgramSearch search = Find(c.file);
    EXPECT_EQ(search.place, c.place) << c.file << " of " << c.bytes.size() << " bytes";
    EXPECT_EQ(search.why.empty(), c.place != ProgramPlace::NotRunnable) << search.why;
    fs::remove(root_ / c.file);
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
