#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <ostream>
#include <set>
#include <string>

#include "FakePlatform.h"
#include "TestSupport.h"
#include "settings/ButtonFace.h"
#include "settings/InstalledCheck.h"

namespace orvex {
namespace {

using test::Attempt;

struct ParseCase {
  const char* value;
  bool valid;
  bool registry = false;
  RegistryHive hive = RegistryHive::LocalMachine;
  const char* path = "";
};

std::ostream& operator<<(std::ostream& out, const ParseCase& c) { return out << c.value; }

class ParseInstalledTest : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseInstalledTest, TellsRegistryPathsFilesAndMalformedValuesApart) {
  const ParseCase& c = GetParam();
  std::optional<InstalledCheck> check;
  const auto outcome = Attempt([&] { check = ParseInstalled(c.value); });
  if (!c.valid) {
    ASSERT_TRUE(outcome.failure);
    EXPECT_EQ(outcome.failure->Kind(), FailureKind::InvalidPropertyValue);
    EXPECT_TRUE(test::Contains(outcome.failure->Detail(), std::string("\"") + c.value + "\""));
    return;
  }
  ASSERT_TRUE(check);
  EXPECT_EQ(check->registry, c.registry);
  if (c.registry) {
    EXPECT_EQ(check->hive, c.hive);
  }
  EXPECT_EQ(check->path, c.path);
}

constexpr auto kLm = RegistryHive::LocalMachine;
constexpr auto kCu = RegistryHive::CurrentUser;

INSTANTIATE_TEST_SUITE_P(
    Values, ParseInstalledTest,
    testing::Values(ParseCase{"HKLM\\SOFTWARE\\Example\\Product", true, true, kLm,
                              "SOFTWARE\\Example\\Product"},
                    ParseCase{"hkcu\\Software\\Example", true, true, kCu, "Software\\Example"},
                    ParseCase{"HKEY_LOCAL_MACHINE\\SOFTWARE\\X", true, true, kLm, "SOFTWARE\\X"},
                    ParseCase{"Hkey_Current_User\\Software", true, true, kCu, "Software"},
                    ParseCase{"%ProgramFiles%\\Example\\app.exe", true, false, kLm,
                              "%ProgramFiles%\\Example\\app.exe"},
                    ParseCase{"C:\\HKLM\\x", true, false, kLm, "C:\\HKLM\\x"},
                    ParseCase{"H\\x", true, false, kLm, "H\\x"},
                    ParseCase{"HKEY_CLASSES_ROOT\\.txt", false}, ParseCase{"HKXX\\Software", false},
                    ParseCase{"HKLM2\\Software", false}, ParseCase{"HKCU\\\\Software", false},
                    ParseCase{"HKCU\\Software\\", false}, ParseCase{"HKLM", false},
                    ParseCase{"HKLM\\", false}, ParseCase{"HKnotes.txt", false}));

// The machine: registry entries, variables and files (FakePlatform's forms).
struct LookUpCase {
  const char* name;
  const char* value;
  std::set<std::string> registry;
  std::map<std::string, std::string> environment;
  std::set<std::string> folders;
  bool installed;
  // The path the file or folder is looked for at; empty for the registry.
  const char* lookedFor = "";
};

std::ostream& operator<<(std::ostream& out, const LookUpCase& c) { return out << c.name; }

class IsInstalledTest : public testing::TestWithParam<LookUpCase> {};

TEST_P(IsInstalledTest, LooksForTheKeyTheValueOrThePath) {
  const LookUpCase& c = GetParam();
  FakePlatform platform;
  platform.registry = c.registry;
  platform.environment = c.environment;
  platform.folders = c.folders;
  EXPECT_EQ(IsInstalled(platform, ParseInstalled(c.value)), c.installed);
  const auto looks = platform.CallsStartingWith("PathExists");
  if (*c.lookedFor) {
    EXPECT_EQ(looks, std::vector<std::string>{std::string("PathExists ") + c.lookedFor});
  } else {
    EXPECT_TRUE(looks.empty());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Machines, IsInstalledTest,
    testing::Values(
        LookUpCase{"Key", "HKLM\\SOFTWARE\\Example", {"HKLM\\SOFTWARE\\Example"}, {}, {}, true},
        LookUpCase{"KeyInTheOtherHive",
                   "HKLM\\Software\\Example",
                   {"HKCU\\Software\\Example"},
                   {},
                   {},
                   false},
        LookUpCase{"ValueOfTheParentKey",
                   "HKCU\\Software\\Example\\Version",
                   {"HKCU\\Software\\Example|Version"},
                   {},
                   {},
                   true},
        LookUpCase{"ValueOfAnotherKey",
                   "HKCU\\Software\\Example\\Version",
                   {"HKCU\\Software|Version"},
                   {},
                   {},
                   false},
        LookUpCase{"ValueOfTheHive", "HKCU\\Flag", {"HKCU|Flag"}, {}, {}, true},
        LookUpCase{
            "MachineProgramFolder",
            "%programfiles%\\Example",
            {},
            {{"ProgramW6432", "C:\\Program Files"}, {"ProgramFiles", "C:\\Program Files (x86)"}},
            {"C:\\Program Files\\Example"},
            true,
            "C:\\Program Files\\Example"},
        LookUpCase{"ProgramFilesWithoutW6432",
                   "%ProgramFiles%\\Example\\app.exe",
                   {},
                   {{"ProgramFiles", "C:\\Programs"}},
                   {},
                   false,
                   "C:\\Programs\\Example\\app.exe"},
        LookUpCase{"OtherVariablesAndUnknownOnes",
                   "%APPDATA%\\%NOSUCH%\\%%x%",
                   {},
                   {{"APPDATA", "C:\\Users\\u"}},
                   {"C:\\Users\\u\\%NOSUCH%\\%%x%"},
                   true,
                   "C:\\Users\\u\\%NOSUCH%\\%%x%"},
        LookUpCase{"RelativeFolder", "docs", {}, {}, {"docs"}, true, "docs"}),
    [](const auto& info) { return std::string(info.param.name); });

struct FaceCase {
  const char* name;
  bool withInstalled;
  bool installed;
  const char* installedCaption;
  const char* installedAction;
  const char* installedOpen;
  bool installedShow;
  ButtonFace face;
};

std::ostream& operator<<(std::ostream& out, const FaceCase& c) { return out << c.name; }

class ChooseButtonFaceTest : public testing::TestWithParam<FaceCase> {};

TEST_P(ChooseButtonFaceTest, TakesTheInstalledValuesThatAreGiven) {
  const FaceCase& c = GetParam();
  // The machine's own action too gives way to InstalledAction or InstalledOpen.
  ButtonValues values{"Install",         {"setup.exe", "setup64.exe", ""},
                      std::nullopt,      c.installedCaption,
                      c.installedAction, c.installedOpen,
                      c.installedShow};
  if (c.withInstalled) values.installed = ParseInstalled("HKCU\\Software\\Example");
  const ButtonFace face = ChooseButtonFace(values, c.installed);
  EXPECT_EQ(face.shown, c.face.shown);
  EXPECT_EQ(face.caption, c.face.caption);
  EXPECT_EQ(face.command, c.face.command);
}

INSTANTIATE_TEST_SUITE_P(
    Values, ChooseButtonFaceTest,
    testing::Values(FaceCase{"NotInstalled",
                             true,
                             false,
                             "Start",
                             "app.exe",
                             "a.pdf",
                             false,
                             {true, "Install", {Command::Kind::Run, "setup64.exe"}}},
                    FaceCase{"NoInstalledKey",
                             false,
                             true,
                             "Start",
                             "app.exe",
                             "",
                             false,
                             {true, "Install", {Command::Kind::Run, "setup64.exe"}}},
                    FaceCase{"CaptionAndAction",
                             true,
                             true,
                             "Start",
                             "app.exe",
                             "",
                             true,
                             {true, "Start", {Command::Kind::Run, "app.exe"}}},
                    FaceCase{"OnlyTheCaption",
                             true,
                             true,
                             "Start",
                             "",
                             "",
                             true,
                             {true, "Start", {Command::Kind::Run, "setup64.exe"}}},
                    FaceCase{"OpenAloneReplacesTheAction",
                             true,
                             true,
                             "",
                             "",
                             "manual.pdf",
                             true,
                             {true, "Install", {Command::Kind::Open, "manual.pdf"}}},
                    FaceCase{"ActionAndOpen",
                             true,
                             true,
                             "",
                             "app.exe",
                             "manual.pdf",
                             true,
                             {true, "Install", {Command::Kind::Run, "app.exe"}}},
                    FaceCase{"LeftOut",
                             true,
                             true,
                             "Start",
                             "app.exe",
                             "",
                             false,
                             {false, "Start", {Command::Kind::Run, "app.exe"}}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace orvex
