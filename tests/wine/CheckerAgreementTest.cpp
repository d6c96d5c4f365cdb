// autorun-check against the real launcher: for every test medium of the
// checker (tests/check/media), the launcher ends the way the checker's
// Windows build, run here on the same copy of the medium, predicts: the same
// report or message at start-up; the same report when a button it names is
// clicked; otherwise the window, or a quiet end in headless mode.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "CheckerPrediction.h"
#include "Harness.h"

namespace winetest {
namespace {

// The media folders (ORVEX_CHECK_MEDIA), by name.
std::vector<std::string> MediaNames() {
  std::vector<std::string> names;
  const std::wstring root = EnvironmentPath(L"ORVEX_CHECK_MEDIA");
  if (root.empty()) return names;
  for (const WIN32_FIND_DATAW& found : FolderEntries(root)) {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) names.push_back(Utf8(found.cFileName));
  }
  std::sort(names.begin(), names.end());
  return names;
}

// A report's first line is its failure's name; the launcher's own messages
// are one line.
Expected AsExpected(const Medium& medium, const Ending& ending) {
  const std::wstring shows = ShownOn(medium, ending);
  return ending.failure.empty() ? Message(shows) : Report(shows);
}

class CheckerAgreement : public ::testing::TestWithParam<std::string> {};
// Runs of the driver for other groups have no media to list.
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(CheckerAgreement);

TEST(CheckerAgreementSetup, FindsTheCheckerAndItsMedia) {
  EXPECT_FALSE(EnvironmentPath(L"ORVEX_CHECKER").empty()) << "ORVEX_CHECKER is not set";
  EXPECT_GE(MediaNames().size(), 10u) << "ORVEX_CHECK_MEDIA names no folder of test media";
}

TEST_P(CheckerAgreement, LauncherEndsAsTheCheckerPredicts) {
  const Medium medium;
  CopyTree(EnvironmentPath(L"ORVEX_CHECK_MEDIA") + L"\\" + Wide(GetParam()), medium, L"");
  // On the medium, as it is shipped: its folder is where programs are
  // looked for first.
  const std::wstring launcher = medium.CopyLauncher();
  const auto json =
      OutputOf(L"\"" + EnvironmentPath(L"ORVEX_CHECKER") + L"\" --json \"" + medium.Path() + L"\"",
               medium.Path() + L".json");
  ASSERT_TRUE(json) << "autorun-check did not run";
  ASSERT_NE(json->find("\"findings\""), std::string::npos) << *json;
  const Prediction prediction = Predict(*json);

  if (prediction.startUp) {
    Launch run(medium.Path(), launcher);
    ExpectOutcome(run, AsExpected(medium, *prediction.startUp));
    return;
  }
  if (prediction.mode == "headless") {
    Launch run(medium.Path(), launcher);
    ExpectExit(run, 0);
    EXPECT_EQ(run.MessageBoxesSeen(), 0u) << run.Situation();
    EXPECT_FALSE(run.WindowEverShown());
    return;
  }
  {
    Launch run(medium.Path(), launcher);
    ExpectOutcome(run, Window());
  }
  for (const auto& [button, ending] : prediction.clicks) {
    SCOPED_TRACE("button " + std::to_string(button));
    Launch run(medium.Path(), launcher);
    const WindowInfo window = ExpectWindow(run);
    const ButtonInfo& clicked = window.buttons.at(static_cast<size_t>(button - 1));
    ASSERT_TRUE(clicked.visible);
    ClickButton(window.handle, clicked);
    ExpectEnding(run, AsExpected(medium, ending));
  }
}

INSTANTIATE_TEST_SUITE_P(Media, CheckerAgreement, ::testing::ValuesIn(MediaNames()),
                         [](const auto& info) {
                           std::string name = info.param;
                           std::replace(name.begin(), name.end(), '-', '_');
                           return name;
                         });

}  // namespace
}  // namespace winetest
