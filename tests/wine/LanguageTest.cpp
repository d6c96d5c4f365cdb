// Language profiles: the choice from the display language and /lang=, single
// values falling back to the profile, right-to-left reading order, captions
// in other scripts.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "Harness.h"
#include "TestProfiles.h"

namespace winetest {
namespace {

// The window profile with two buttons, and one language profile for each
// language, titled with its language's name.
void PrepareLanguages(const Medium& medium, const std::vector<std::string>& languages) {
  PrepareWindowMedium(medium, WindowProfile::WithButtons(2));
  for (const std::string& language : languages) {
    medium.Write(Wide("autorun." + language + ".ini"), "[DIALOG]\r\nCaption=" + language + "\r\n");
  }
}

const std::vector<std::string> kLanguages{"de",      "de-AT",   "zh",    "zh-Hant", "sr",
                                          "sr-Latn", "english", "de_CH", "ar"};

std::wstring TitleFor(const std::wstring& arguments) {
  static int runs = 0;
  const Medium medium(L"-" + std::to_wstring(++runs));
  PrepareLanguages(medium, kLanguages);
  Launch run(medium.Path(), LauncherPath(), arguments);
  const WindowInfo window = ExpectWindow(run);
  ExpectCloses(run, window);
  return window.title;
}

TEST(LanguageChoice, LangSwitchPicksTheLanguageOrTheNearestParentWithAProfile) {
  const std::vector<std::pair<std::wstring, std::wstring>> cases{{L"/lang=de-CH", L"de"},
                                                                 {L"/LANG=de-at", L"de-AT"},
                                                                 {L"/lang=zh-TW", L"zh-Hant"},
                                                                 {L"/lang=zh-CN", L"zh"},
                                                                 {L"/lang=sr-Latn-RS", L"sr-Latn"},
                                                                 {L"/lang=sr-Cyrl-RS", L"sr"},
                                                                 {L"/lang=english", L"Test Medium"},
                                                                 {L"/lang=de_CH", L"Test Medium"},
                                                                 {L"/lang=ja", L"Test Medium"}};
  for (const auto& [arguments, title] : cases) {
    EXPECT_EQ(TitleFor(arguments), title) << Utf8(arguments);
  }
}

// Run in groups of their own with LC_ALL set (CMakeLists.txt), which give
// the language expected here.
TEST(LanguageDisplay, FollowsTheUsersDisplayLanguage) {
  const std::wstring expected = EnvironmentPath(L"ORVEX_EXPECTED_LANGUAGE");
  if (expected.empty()) GTEST_SKIP() << "only in the display-language groups";
  EXPECT_EQ(TitleFor(L""), expected);
  EXPECT_EQ(TitleFor(L"/lang=de-CH"), L"de");
}

TEST(LanguageValues, EachValueFallsBackOnItsOwnAndAnEmptyOneBlanks) {
  const Medium medium;
  PrepareWindowMedium(medium, WindowProfile::WithButtons(3));
  medium.Write(L"autorun.ja.ini",
               Utf16(L"[BUTTON1]\r\nCaption=インストール\r\n[BUTTON2]\r\nCaption=\r\n"));
  Launch run(medium.Path(), LauncherPath(), L"/lang=ja-JP");
  const WindowInfo window = ExpectWindow(run);
  EXPECT_EQ(window.title, L"Test Medium");
  EXPECT_EQ(window.buttons[0].caption, L"インストール");
  EXPECT_EQ(window.buttons[1].caption, L"");
  EXPECT_EQ(window.buttons[2].caption, L"Button 3");
  ClickButton(window.handle, window.buttons[0]);
  ExpectEnding(run, Started(L"recorder.exe /button1"));
}

TEST(LanguageValues, AWrongValueInALanguageProfileIsReportedWithItsFile) {
  const Medium medium;
  PrepareWindowMedium(medium, WindowProfile::WithButtons(1));
  medium.Write(L"autorun.de.ini", "\xEF\xBB\xBF[BUTTON2]\r\nShow=vielleicht\r\n");
  Launch run(medium.Path(), LauncherPath(), L"/lang=de");
  ExpectOutcome(run, Report(L"Type mismatch", {L"BUTTON2", L"autorun.de.ini"}));
}

TEST(LanguageValues, ARightToLeftLanguageReadsRightToLeftInTheSameLayout) {
  const Medium medium;
  PrepareWindowMedium(medium, WindowProfile::WithButtons(2));
  medium.Write(L"autorun.ar.ini",
               "\xEF\xBB\xBF[DIALOG]\r\nCaption=\xD8\xAA\xD8\xAB\xD8\xA8\xD9\x8A\xD8\xAA\r\n");
  const auto styles = [](const WindowInfo& window) {
    std::vector<bool> rightToLeft{(window.exStyle & WS_EX_RTLREADING) != 0};
    for (const ButtonInfo& button : window.buttons) {
      rightToLeft.push_back((GetWindowLongW(button.handle, GWL_EXSTYLE) & WS_EX_RTLREADING) != 0);
    }
    return rightToLeft;
  };
  Launch plain(medium.Path());
  const WindowInfo left = ExpectWindow(plain);
  ExpectCloses(plain, left);
  Launch arabic(medium.Path(), LauncherPath(), L"/lang=ar-SA");
  const WindowInfo right = ExpectWindow(arabic);
  EXPECT_EQ(right.title, L"\u062A\u062B\u0628\u064A\u062A");
  EXPECT_EQ(styles(left), std::vector<bool>(5, false));
  EXPECT_EQ(styles(right), std::vector<bool>(5, true));
  EXPECT_EQ((right.exStyle & WS_EX_LAYOUTRTL), 0u);
  for (size_t i = 0; i < right.buttons.size(); ++i) {
    EXPECT_EQ(Edges(right.buttons[i].rect), Edges(left.buttons[i].rect)) << i;
  }
  ExpectCloses(arabic, right);
}

}  // namespace
}  // namespace winetest
