#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "FakePlatform.h"
#include "TestSupport.h"
#include "launcher/ActionRunner.h"

namespace orvex {
namespace {

using test::Attempt;

struct ActionCase {
  const char* action;
  std::optional<std::string> started;  // the command line given to StartProgram
};

std::ostream& operator<<(std::ostream& out, const ActionCase& c) {
  return out << '"' << c.action << '"';
}

class RunActionTest : public testing::TestWithParam<ActionCase> {};

TEST_P(RunActionTest, StartsTheLowerCasedLineUnlessItIsExitThenEnds) {
  const ActionCase& c = GetParam();
  FakePlatform platform;
  const auto outcome = Attempt([&] { RunAction(platform, c.action); });
  EXPECT_EQ(outcome.ended, ExitStatus::Normal);
  const std::vector<std::string> expected =
      c.started ? std::vector<std::string>{*c.started} : std::vector<std::string>{};
  EXPECT_EQ(platform.started, expected);
  EXPECT_EQ(platform.calls.back(), "EndProgram 0");
}

INSTANTIATE_TEST_SUITE_P(
    Actions, RunActionTest,
    testing::Values(ActionCase{"exit", std::nullopt}, ActionCase{"Exit", std::nullopt},
                    ActionCase{"EXIT", std::nullopt}, ActionCase{"eXiT", std::nullopt},
                    // Only the bare word is exit; no trimming.
                    ActionCase{"exit now", "exit now"}, ActionCase{"exit ", "exit "},
                    ActionCase{" EXIT", " exit"}, ActionCase{"exit.exe", "exit.exe"},
                    ActionCase{"SETUP\\Install.EXE /Q", "setup\\install.exe /q"},
                    ActionCase{"\"D:\\My Programs\\Tool.exe\" -Go",
                               "\"d:\\my programs\\tool.exe\" -go"},
                    ActionCase{" ", " "}));

TEST(RunActionTest, EmptyActionIsAnInvalidProcedureCallBeforeTheEnd) {
  FakePlatform platform;
  const auto outcome = Attempt([&] { RunAction(platform, ""); });
  ASSERT_TRUE(outcome.failure);
  EXPECT_EQ(outcome.failure->Kind(), FailureKind::InvalidProcedureCall);
  EXPECT_FALSE(outcome.ended);
  EXPECT_TRUE(platform.CallsStartingWith("StartProgram").empty());
}

TEST(RunActionTest, AnUnstartableProgramFailsWithFileNotFoundNamingTheLine) {
  FakePlatform platform;
  platform.unstartable.insert("exit now");
  const auto outcome = Attempt([&] { RunAction(platform, "Exit Now"); });
  ASSERT_TRUE(outcome.failure);
  EXPECT_EQ(outcome.failure->Kind(), FailureKind::FileNotFound);
  EXPECT_TRUE(test::Contains(outcome.failure->Detail(), "exit now"));
  EXPECT_FALSE(outcome.ended);
}

struct OpenCase {
  const char* target;
  bool opens;  // otherwise "File not found" naming the target
};

std::ostream& operator<<(std::ostream& out, const OpenCase& c) {
  return out << '"' << c.target << '"';
}

class OpenTargetTest : public testing::TestWithParam<OpenCase> {};

// The fake has the file D:\setup\Manual.pdf and the folders "docs" and
// "D:\setup\docs"; nothing else exists.
TEST_P(OpenTargetTest, OpensAnExistingPathOrAWebAddressAsWrittenThenEnds) {
  const OpenCase& c = GetParam();
  FakePlatform platform;
  platform.files["D:\\setup\\Manual.pdf"] = "%PDF";
  platform.folders = {"docs", "D:\\setup\\docs"};
  const auto outcome = Attempt([&] { OpenTarget(platform, c.target); });
  if (c.opens) {
    EXPECT_EQ(outcome.ended, ExitStatus::Normal);
    EXPECT_EQ(platform.opened, std::vector<std::string>{c.target});
  } else {
    ASSERT_TRUE(outcome.failure);
    EXPECT_EQ(outcome.failure->Kind(), FailureKind::FileNotFound);
    EXPECT_TRUE(test::Contains(outcome.failure->Detail(), c.target)) << outcome.failure->Detail();
    EXPECT_TRUE(platform.opened.empty());
  }
  EXPECT_TRUE(platform.CallsStartingWith("ToLowerCase").empty());
  EXPECT_TRUE(platform.started.empty());
}

TEST(OpenTargetTest, ACancelledChoiceOfProgramEndsAsDeclined) {
  FakePlatform platform;
  platform.declinedOpens.insert("https://example.com");
  EXPECT_EQ(Attempt([&] { OpenTarget(platform, "https://example.com"); }).ended,
            ExitStatus::Declined);
}

INSTANTIATE_TEST_SUITE_P(
    Targets, OpenTargetTest,
    testing::Values(OpenCase{"D:\\setup\\Manual.pdf", true}, OpenCase{"docs", true},
                    OpenCase{"D:\\setup\\docs", true}, OpenCase{"Manual.PDF.txt", false},
                    OpenCase{"missing\\", false},
                    // Web addresses are not looked for, and keep their case.
                    OpenCase{"https://Example.com/Support?Q=A", true},
                    OpenCase{"mailto:support@example.com", true},
                    OpenCase{"ms-settings:display", true}, OpenCase{"x-Y.z+1:go", true},
                    OpenCase{"Zz:go", true}, OpenCase{"a0:go", true}, OpenCase{"a9:go", true},
                    // One letter is a drive; a scheme starts with a letter.
                    OpenCase{"C:\\x", false}, OpenCase{"C:x", false}, OpenCase{"1a:x", false},
                    OpenCase{"a_b:x", false}, OpenCase{":x", false}));

}  // namespace
}  // namespace orvex
