#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>

#include "platform/ColourForm.h"
#include "platform/DeviceName.h"
#include "platform/Failure.h"
#include "platform/PathForms.h"
#include "platform/StartPolicy.h"

namespace orvex {
namespace {

TEST(StartPolicyTest, OnlyElevationGoesToThePromptAndOnlyDecliningItEndsQuietly) {
  const struct {
    StartRefusal refusal;
    StartFailureStep start;
    ElevationFailureStep elevated;
  } rows[] = {
      {StartRefusal::NeedsElevation, StartFailureStep::Elevate, ElevationFailureStep::Fail},
      {StartRefusal::Declined, StartFailureStep::Fail, ElevationFailureStep::EndQuietly},
      {StartRefusal::Other, StartFailureStep::Fail, ElevationFailureStep::Fail},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(OnCreateProcessError(row.refusal), row.start) << static_cast<int>(row.refusal);
    EXPECT_EQ(OnElevationError(row.refusal), row.elevated) << static_cast<int>(row.refusal);
  }
  EXPECT_EQ(ChoosePromptOwner(true), PromptOwner::LauncherWindow);
  EXPECT_EQ(ChoosePromptOwner(false), PromptOwner::ForegroundWindow);
}

// Each row: a path, what the decision is given besides, and the path the
// system is handed.
struct PathCase {
  std::wstring path, given, expected;
};

TEST(PathFormsTest, FullPathsOfMaxPathOrMoreGetTheExtendedForm) {
  const std::wstring deep = L"D:\\" + std::wstring(247, L'd');  // 250 characters
  const std::wstring share = L"\\\\server\\share\\" + std::wstring(245, L's');
  const PathCase rows[] = {
      {L"pic.bmp", deep + L"\\pic.bmp", L"pic.bmp"},                              // 258: stays
      {L"pict.bmp", deep + L"\\pict.bmp", L"pict.bmp"},                           // 259: stays
      {L"pictu.bmp", deep + L"\\pictu.bmp", L"\\\\?\\" + deep + L"\\pictu.bmp"},  // 260
      {L"..\\p.bmp", share + L"\\p.bmp", L"\\\\?\\UNC" + share.substr(1) + L"\\p.bmp"},
      {L"\\\\?\\" + share, share, L"\\\\?\\" + share},
  };
  for (const PathCase& row : rows) {
    EXPECT_EQ(ExtendedForm(row.path, row.given), row.expected) << row.given.size();
  }
}

TEST(PathFormsTest, SlashesBecomeBackslashesOutsideTheLiteralForm) {
  const PathCase rows[] = {
      {L"/pic.bmp", L"", L"\\pic.bmp"},
      {L"img/sub\\pic.bmp", L"", L"img\\sub\\pic.bmp"},
      {L"//server/share/p.bmp", L"", L"\\\\server\\share\\p.bmp"},
      {L"\\\\?\\D:\\a/b", L"", L"\\\\?\\D:\\a/b"},
  };
  for (const PathCase& row : rows) EXPECT_EQ(WithBackslashes(row.path), row.expected) << row.path;
}

TEST(PathFormsTest, ElevatedStartsNameSysWow64ForTheSystemDirectoryAndNetworkRoots) {
  const std::wstring system = L"C:\\Windows\\System32", wow64 = L"C:\\Windows\\SysWOW64";
  const PathCase rows[] = {
      {L"c:\\windows\\SYSTEM32\\msiexec.exe", wow64, wow64 + L"\\msiexec.exe"},
      {system + L"\\msiexec.exe", L"", system + L"\\msiexec.exe"},  // no WOW64
      {system + L"\\drivers\\tool.exe", wow64, system + L"\\drivers\\tool.exe"},
      {system + L"x\\setup.exe", wow64, system + L"x\\setup.exe"},
      {L"setup.exe", wow64, L"setup.exe"},
  };
  for (const PathCase& row : rows) {
    EXPECT_EQ(UnredirectedPath(row.path, system, row.given), row.expected) << row.path;
  }
  const PathCase roots[] = {
      {L"M:\\setup\\setup.exe", L"", L"M:\\"},
      {L"m:\\s.exe", L"", L"m:\\"},
      {L"\\\\server\\share\\s.exe", L"", L""},
      {L"\\\\?\\M:\\s.exe", L"", L""},
      {L"M:s.exe", L"", L""},
      {L"1:\\s.exe", L"", L""},
      {L"z:\\s.exe", L"", L"z:\\"},
      {L"{:\\s.exe", L"", L""},
      {L"[:\\s.exe", L"", L""},
  };
  for (const PathCase& row : roots) EXPECT_EQ(DriveLetterRoot(row.path), row.expected) << row.path;
}

TEST(DeviceNameTest, TheLastNameUpToItsFirstDotOrColonNamesADevice) {
  const char* const devices[] = {
      "NUL",      "con",   "Aux.bmp",     "PRN.gif",         "img\\nul",   "img/nul.jpg",
      "com1.png", "LPT9",  "nul ",        "NUL .txt",        "nul.tar.gz", "con:",
      "D:\\aux",  "d:prn", "COM\xC2\xB9", "lpt\xC2\xB3.bmp", "CONIN$.txt", "conout$",
  };
  for (const char* path : devices) EXPECT_TRUE(NamesWindowsDevice(path)) << path;
  const char* const files[] = {
      "",       "nul\\pic.bmp", "COM0",          "LPT10",       "com",   "nulx.bmp", " nul",
      "CLOCK$", "COM\xC2\xB4",  "\\\\s\\v\\nul", "img\\aux\\x", "con x", "conin",
  };
  for (const char* path : files) EXPECT_FALSE(NamesWindowsDevice(path)) << path;
}

struct SplitCase {
  const char* line;
  const char* program;
  const char* arguments;
};

std::ostream& operator<<(std::ostream& out, const SplitCase& c) {
  return out << '"' << c.line << '"';
}

class SplitCommandLineTest : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitCommandLineTest, DividesProgramFromArguments) {
  const SplitCommand split = SplitCommandLine(GetParam().line);
  EXPECT_EQ(split.program, GetParam().program);
  EXPECT_EQ(split.arguments, GetParam().arguments);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, SplitCommandLineTest,
    testing::Values(SplitCase{"setup.exe", "setup.exe", ""},
                    SplitCase{"setup\\install.exe /q", "setup\\install.exe", "/q"},
                    SplitCase{"setup.exe   /q  /s ", "setup.exe", "/q  /s "},
                    SplitCase{"setup.exe\t/q", "setup.exe", "/q"},
                    SplitCase{"  \tsetup.exe", "setup.exe", ""},
                    SplitCase{"\"d:\\my disc\\set up.exe\" /lang de", "d:\\my disc\\set up.exe",
                              "/lang de"},
                    SplitCase{"\"d:\\my disc\\set up.exe\"", "d:\\my disc\\set up.exe", ""},
                    SplitCase{"\"d:\\no end quote.exe", "d:\\no end quote.exe", ""},
                    SplitCase{"\"setup.exe\"/q", "setup.exe", "/q"}, SplitCase{"", "", ""},
                    SplitCase{" \t ", "", ""}));

struct ColourFormCase {
  std::uint32_t bits;
  ColourForm form;
};

std::ostream& operator<<(std::ostream& out, const ColourFormCase& c) {
  return out << std::hex << "0x" << c.bits;
}

class ClassifyColourTest : public testing::TestWithParam<ColourFormCase> {};

TEST_P(ClassifyColourTest, AcceptsOrdinaryColoursAndSystemReferences) {
  EXPECT_EQ(ClassifyColour(static_cast<std::int32_t>(GetParam().bits)), GetParam().form);
}

INSTANTIATE_TEST_SUITE_P(Values, ClassifyColourTest,
                         testing::Values(ColourFormCase{0x0, ColourForm::Ordinary},
                                         ColourFormCase{0x6B1F2F, ColourForm::Ordinary},
                                         ColourFormCase{0xFFFFFF, ColourForm::Ordinary},
                                         ColourFormCase{0x80000000, ColourForm::System},
                                         ColourFormCase{0x8000000F, ColourForm::System},
                                         ColourFormCase{0x8000001E, ColourForm::System},
                                         ColourFormCase{0x8000001F, ColourForm::Invalid},
                                         ColourFormCase{0x800000FF, ColourForm::Invalid},
                                         ColourFormCase{0x80000100, ColourForm::Invalid},
                                         ColourFormCase{0x81000000, ColourForm::Invalid},
                                         ColourFormCase{0x01000000, ColourForm::Invalid},
                                         ColourFormCase{0x7F000000, ColourForm::Invalid},
                                         ColourFormCase{0xFFFFFFFF, ColourForm::Invalid}));

TEST(ClassifyColourTest, SystemReferenceNamesItsColourNumber) {
  EXPECT_EQ(SystemColourIndex(static_cast<std::int32_t>(0x8000000Fu)), 15);
  EXPECT_EQ(SystemColourIndex(static_cast<std::int32_t>(0x80000000u)), 0);
}

TEST(FailureTest, ReportNamesTheKindInTheReportWords) {
  const std::pair<FailureKind, const char*> names[] = {
      {FailureKind::TypeMismatch, "Type mismatch"},
      {FailureKind::Overflow, "Overflow"},
      {FailureKind::SubscriptOutOfRange, "Subscript out of range"},
      {FailureKind::InvalidProcedureCall, "Invalid procedure call"},
      {FailureKind::FileNotFound, "File not found"},
      {FailureKind::InvalidPicture, "Invalid picture"},
      {FailureKind::InvalidPropertyValue, "Invalid property value"},
      {FailureKind::CannotCreateObject, "Cannot create object"},
  };
  for (const auto& [kind, name] : names) {
    EXPECT_EQ(FailureReportText(Failure(kind, "")), name);
    EXPECT_EQ(FailureReportText(Failure(kind, "why")), std::string(name) + "\n\nwhy");
  }
}

TEST(FailureTest, ContextLinesComeOutermostFirst) {
  Failure failure(FailureKind::Overflow, "\"99999999999\" does not fit.");
  failure.AddContext("Reading the colour:");
  failure.AddContext("Preparing the window:");
  EXPECT_EQ(failure.Kind(), FailureKind::Overflow);
  EXPECT_EQ(failure.Detail(),
            "Preparing the window:\nReading the colour:\n\"99999999999\" does not fit.");

  Failure bare(FailureKind::InvalidProcedureCall, "");
  bare.AddContext("Starting \"\":");
  EXPECT_EQ(FailureReportText(bare), "Invalid procedure call\n\nStarting \"\":");
}

TEST(FailureTest, WithContextAddsTheLineAndLetsTheFailureGoOn) {
  EXPECT_EQ(WithContext("unused", [] { return 7; }), 7);
  try {
    WithContext("Outer:", [] { throw Failure(FailureKind::FileNotFound, "inner"); });
    FAIL() << "the failure was swallowed";
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.Kind(), FailureKind::FileNotFound);
    EXPECT_EQ(failure.Detail(), "Outer:\ninner");
  }
}

}  // namespace
}  // namespace orvex
