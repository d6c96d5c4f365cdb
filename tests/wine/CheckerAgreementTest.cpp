// autorun-check against the real launcher: for every test medium of the
// checker (tests/check/media), the launcher ends the way the checker's
// Windows build, run here on the same copy of the medium, predicts: the same
// report or message at start-up; the same report when a button it names is
// clicked; otherwise the window, or a quiet end in headless mode.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "CheckerPrediction.h"
#include "Harness.h"
#include "TestProfiles.h"
#include "tools/check/SystemCase.h"

extern "C" WCHAR NTAPI RtlUpcaseUnicodeChar(WCHAR unit);

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

// --- the checker's letter-case tables against the system's functions
// (tools/check/CaseTables.cpp; scripts/make-case-tables.sh makes them again)

std::wstring CodePointText(char32_t code) {
  if (code < 0x10000) return std::wstring(1, static_cast<wchar_t>(code));
  return {static_cast<wchar_t>(0xD800 + ((code - 0x10000) >> 10)),
          static_cast<wchar_t>(0xDC00 + ((code - 0x10000) & 0x3FF))};
}

std::wstring SystemLower(std::wstring text) {
  CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

std::wstring SystemUpper(std::wstring text) {
  CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

std::wstring CheckerLower(std::wstring text) {
  const std::u16string lowered =
      orvex::check::LowerCaseLikeWindows(std::u16string(text.begin(), text.end()));
  return std::wstring(lowered.begin(), lowered.end());
}

std::wstring SystemFileNameUpper(std::wstring text) {
  for (wchar_t& unit : text) unit = RtlUpcaseUnicodeChar(unit);
  return text;
}

std::wstring CheckerFileNameUpper(std::wstring text) {
  for (wchar_t& unit : text) unit = orvex::check::FileNameUpperCase(unit);
  return text;
}

std::string Units(const std::wstring& text) {
  std::string units;
  for (const wchar_t unit : text) {
    char hex[8];
    std::snprintf(hex, sizeof(hex), " %04X", static_cast<unsigned>(unit));
    units += hex;
  }
  return units;
}

TEST(CheckerAgreementLetterCase, TablesAreTheSystems) {
  using Casing = std::wstring (*)(std::wstring);
  const struct {
    const char* system;
    Casing expected, checker;
  } tables[] = {
      {"CharLowerBuffW", SystemLower, CheckerLower},
      {"RtlUpcaseUnicodeChar", SystemFileNameUpper, CheckerFileNameUpper},
  };
  for (const auto& table : tables) {
    int differences = 0;
    for (char32_t code = 0; code <= 0x10FFFF && differences < 10; ++code) {
      const std::wstring text = CodePointText(code);
      const std::wstring expected = table.expected(text);
      if (table.checker(text) != expected) {
        ADD_FAILURE() << table.system << " of" << Units(text) << " is" << Units(expected)
                      << ", the checker's table says" << Units(table.checker(text));
        ++differences;
      }
    }
  }
}

// Every letter the system has a case partner for, as a file name: found by
// its partner exactly when the checker's folding says so.
TEST(CheckerAgreementLetterCase, FileLookUpFoldsAsTheChecker) {
  const Medium medium;
  int differences = 0;
  for (char32_t code = 0; code <= 0x10FFFF && differences < 10; ++code) {
    const std::wstring name = CodePointText(code);
    std::wstring partner = SystemLower(name);
    if (partner == name) partner = SystemUpper(name);
    if (partner == name || (code >= 0xD800 && code <= 0xDFFF)) continue;
    const std::wstring file = medium.Write(name, "");
    const bool found =
        GetFileAttributesW(medium.PathOf(partner).c_str()) != INVALID_FILE_ATTRIBUTES;
    const bool folded = orvex::check::FileNamesEqual(
        std::u16string(name.begin(), name.end()), std::u16string(partner.begin(), partner.end()));
    if (found != folded) {
      ADD_FAILURE() << "file" << Units(name) << (found ? " is" : " is not") << " found as"
                    << Units(partner) << ", the checker says the opposite";
      ++differences;
    }
    DeleteFileW(file.c_str());
  }
}

// The checker's own table of parent languages against Windows' (Wine's):
// for each display language, the launcher (/lang=) and the checker (--lang)
// pick the same of a dozen language profiles, each titled with its name.
TEST(LanguageAgreement, LauncherAndCheckerChooseTheSameLanguageProfile) {
  const Medium medium;
  PrepareWindowMedium(medium, WindowProfile::WithButtons(1));
  for (const char* language : {"de", "pt", "pt-PT", "zh-Hans", "zh-Hant", "sr-Latn", "sr", "es",
                               "es-419", "no", "ar", "he"}) {
    medium.Write(Wide("autorun." + std::string(language) + ".ini"),
                 "[DIALOG]\r\nCaption=" + std::string(language) + "\r\n");
  }
  for (const char* display :
       {"zh-CN",      "zh-TW",      "zh-HK",   "zh-SG",      "zh-MO",          "sr-Latn-RS",
        "sr-Cyrl-RS", "sr-Latn-ME", "pt-BR",   "pt-PT",      "pt-AO",          "es-419",
        "es-ES",      "es-MX",      "es-AR",   "es-US",      "nb-NO",          "nn-NO",
        "ar-SA",      "ar-EG",      "he-IL",   "de-DE",      "de-AT",          "de-CH",
        "fr-FR",      "ja-JP",      "ko-KR",   "ru-RU",      "bs-Latn-BA",     "az-Latn-AZ",
        "uz-Cyrl-UZ", "zh-Hans",    "zh-Hant", "iu-Latn-CA", "ca-ES-valencia", "en-US"}) {
    Launch run(medium.Path(), LauncherPath(), Wide(std::string("/lang=") + display));
    const WindowInfo window = ExpectWindow(run);
    ExpectCloses(run, window);
    const auto json = OutputOf(L"\"" + EnvironmentPath(L"ORVEX_CHECKER") + L"\" --json --lang " +
                                   Wide(display) + L" \"" + medium.Path() + L"\"",
                               medium.Path() + L".json");
    ASSERT_TRUE(json) << "autorun-check did not run";
    size_t at = json->find("\"language\": ");
    const std::string chosen =
        at == std::string::npos ? "Test Medium" : JsonString(*json, at += 12);
    EXPECT_EQ(Utf8(window.title), chosen) << display;
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
