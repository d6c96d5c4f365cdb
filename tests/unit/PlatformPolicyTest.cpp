#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>

#include "platform/ColourForm.h"
#include "platform/Failure.h"
#include "platform/StartPolicy.h"

namespace orvex {
namespace {

TEST(StartPolicyTest, OnlyElevationRequiredGoesToTheElevationPrompt) {
  EXPECT_EQ(OnCreateProcessError(740), StartFailureStep::Elevate);
  for (std::uint32_t error : {0u, 2u, 3u, 5u, 193u, 1223u}) {
    EXPECT_EQ(OnCreateProcessError(error), StartFailureStep::Fail) << error;
  }
}

TEST(StartPolicyTest, OnlyADeclinedPromptEndsQuietly) {
  EXPECT_EQ(OnElevationError(1223), ElevationFailureStep::EndQuietly);
  for (std::uint32_t error : {0u, 2u, 5u, 740u, 1155u}) {
    EXPECT_EQ(OnElevationError(error), ElevationFailureStep::Fail) << error;
  }
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
