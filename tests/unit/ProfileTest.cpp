#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

#include "FakePlatform.h"
#include "TestSupport.h"
#include "settings/Profile.h"

namespace orvex {
namespace {

using test::Attempt;

struct PathCase {
  const char* directory;
  const char* baseName;
  char separator;
  const char* expected;
};

std::ostream& operator<<(std::ostream& out, const PathCase& c) {
  return out << '"' << c.directory << "\" + \"" << c.baseName << '"';
}

class ProfilePathTest : public testing::TestWithParam<PathCase> {};

TEST_P(ProfilePathTest, JoinsDirectoryAndBaseNameWithoutNormalising) {
  const PathCase& c = GetParam();
  EXPECT_EQ(FormProfilePath(c.directory, c.baseName, c.separator), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, ProfilePathTest,
    testing::Values(PathCase{"D:\\setup", "launch", '\\', "D:\\setup\\launch.ini"},
                    // The drive root already ends with the separator.
                    PathCase{"D:\\", "launch", '\\', "D:\\\\launch.ini"},
                    PathCase{"\\\\server\\cd\\disk 1", "AutoRun", '\\',
                             "\\\\server\\cd\\disk 1\\AutoRun.ini"},
                    PathCase{"C:\\a\\..\\b", "x.y", '\\', "C:\\a\\..\\b\\x.y.ini"},
                    PathCase{"/media/cdrom", "autorun", '/', "/media/cdrom/autorun.ini"}));

// A profile whose [DIALOG] section holds `lines`.
FakePlatform WithDialog(const std::string& lines) {
  FakePlatform platform;
  platform.SetProfile("[DIALOG]\n" + lines + "[OTHER]\nCaption=elsewhere\n");
  return platform;
}

std::string ReadCaption(FakePlatform& platform) {
  return ReadProfileValue(platform, platform.ProfileFiles(), "DIALOG", "Caption");
}

TEST(ReadProfileValueTest, AbsentKeyEmptyValueAndAbsentSectionAllReadEmpty) {
  FakePlatform absent = WithDialog("Show=1\n");
  EXPECT_EQ(ReadCaption(absent), "");
  FakePlatform empty = WithDialog("Caption=\n");
  EXPECT_EQ(ReadCaption(empty), "");
  EXPECT_EQ(ReadProfileValue(empty, empty.ProfileFiles(), "BUTTON3", "Caption"), "");
}

TEST(ReadProfileValueTest, ReturnsTheValueOfThatSectionOnly) {
  FakePlatform platform = WithDialog("Caption=Welcome to the disc\n");
  EXPECT_EQ(ReadCaption(platform), "Welcome to the disc");
  EXPECT_EQ(platform.calls.back(), "Read [DIALOG] Caption");
}

TEST(ReadProfileValueTest, CutsALongValueToItsFirst254Characters) {
  std::string value;
  for (int i = 0; value.size() < 300; ++i) value += static_cast<char>('a' + i % 26);
  FakePlatform platform = WithDialog("Caption=" + value + "\n");
  EXPECT_EQ(ReadCaption(platform), value.substr(0, 254));

  const std::string exact(254, 'x');
  FakePlatform fits = WithDialog("Caption=" + exact + "\n");
  EXPECT_EQ(ReadCaption(fits), exact);
}

struct BooleanCase {
  const char* text;
  std::optional<bool> expected;  // nothing: type mismatch
};

std::ostream& operator<<(std::ostream& out, const BooleanCase& c) {
  return out << '"' << c.text << '"';
}

class ParseBooleanTest : public testing::TestWithParam<BooleanCase> {};

TEST_P(ParseBooleanTest, GivesTheValueOrATypeMismatch) {
  const BooleanCase& c = GetParam();
  std::optional<bool> result;
  const auto outcome = Attempt([&] { result = ParseBoolean(c.text); });
  if (c.expected) {
    ASSERT_TRUE(outcome.Returned());
    EXPECT_EQ(result, c.expected);
  } else {
    ASSERT_TRUE(outcome.failure);
    EXPECT_EQ(outcome.failure->Kind(), FailureKind::TypeMismatch);
    EXPECT_TRUE(test::Contains(outcome.failure->Detail(), c.text));
  }
}

constexpr std::optional<bool> kMismatch;

INSTANTIATE_TEST_SUITE_P(
    Words, ParseBooleanTest,
    testing::Values(BooleanCase{"True", true}, BooleanCase{"TRUE", true}, BooleanCase{"true", true},
                    BooleanCase{"tRuE", true}, BooleanCase{"False", false},
                    BooleanCase{"FALSE", false}, BooleanCase{"false", false},
                    BooleanCase{" True\t", true}, BooleanCase{"yes", kMismatch},
                    BooleanCase{"no", kMismatch}, BooleanCase{"on", kMismatch},
                    BooleanCase{"Tru", kMismatch}, BooleanCase{"True False", kMismatch},
                    BooleanCase{"", kMismatch}, BooleanCase{"   ", kMismatch}));

INSTANTIATE_TEST_SUITE_P(
    Numbers, ParseBooleanTest,
    testing::Values(BooleanCase{"1", true}, BooleanCase{"-1", true}, BooleanCase{"2", true},
                    BooleanCase{"0", false}, BooleanCase{"0.0", false}, BooleanCase{" 1 ", true},
                    BooleanCase{"\t0\t", false}, BooleanCase{"+1", true}, BooleanCase{"-0", false},
                    BooleanCase{"0.5", true}, BooleanCase{".5", true}, BooleanCase{"1.", true},
                    BooleanCase{"000", false}, BooleanCase{"99999999999999999999", true},
                    BooleanCase{"1E3", kMismatch}, BooleanCase{"1 0", kMismatch},
                    BooleanCase{"- 1", kMismatch}, BooleanCase{"1,0", kMismatch},
                    BooleanCase{".", kMismatch}, BooleanCase{"-", kMismatch},
                    BooleanCase{"0x1", kMismatch}, BooleanCase{"1.2.3", kMismatch}));

}  // namespace
}  // namespace orvex
