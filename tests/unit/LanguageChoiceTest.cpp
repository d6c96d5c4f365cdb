#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "FakePlatform.h"
#include "settings/LanguageChoice.h"

namespace orvex {
namespace {

struct NameCase {
  const char* text;
  bool isLanguage;
};

std::ostream& operator<<(std::ostream& out, const NameCase& c) {
  return out << '"' << c.text << '"';
}

class LanguageNameTest : public testing::TestWithParam<NameCase> {};

TEST_P(LanguageNameTest, TakesWindowsNamesOnly) {
  EXPECT_EQ(IsLanguageName(GetParam().text), GetParam().isLanguage);
}

INSTANTIATE_TEST_SUITE_P(
    Names, LanguageNameTest,
    testing::Values(NameCase{"de", true}, NameCase{"haw", true}, NameCase{"pt-BR", true},
                    NameCase{"zh-Hans", true}, NameCase{"sr-Latn-RS", true},
                    NameCase{"es-419", true}, NameCase{"ca-ES-valencia", true},
                    NameCase{"ZH-hant", true}, NameCase{"english", false}, NameCase{"de_DE", false},
                    NameCase{"", false}, NameCase{"d", false}, NameCase{"de-", false},
                    NameCase{"-de", false}, NameCase{"de-DE-x", false}, NameCase{"de..\\x", false},
                    NameCase{"12", false}, NameCase{"de-123456789", false},
                    // A region comes before a variant; a variant is 5 to 8 long, or 4
                    // starting with a digit.
                    NameCase{"es-41:", false}, NameCase{"ca-valencia-ES", false},
                    NameCase{"de-DE-abcd", false}, NameCase{"de-DE-1996", true}));

// Windows' parents for the languages below, and one circle that a broken
// system might report.
const std::map<std::string, std::string> kParents{
    {"de-CH", "de"},           {"de-DE", "de"},   {"zh-TW", "zh-Hant"}, {"zh-Hant", "zh"},
    {"zh-CN", "zh-Hans"},      {"zh-Hans", "zh"}, {"pt-BR", "pt"},      {"fr-FR", "fr"},
    {"sr-Latn-RS", "sr-Latn"}, {"sr-Latn", "sr"}, {"qq", "qq-QQ"},      {"qq-QQ", "qq"}};

struct ChoiceCase {
  const char* arguments;
  std::vector<std::string> languages;
  std::vector<std::string> profiles;  // language parts of the files there
  const char* chosen;                 // empty: none
};

std::ostream& operator<<(std::ostream& out, const ChoiceCase& c) {
  out << '"' << c.arguments << "\" languages";
  for (const auto& language : c.languages) out << ' ' << language;
  return out;
}

class LanguageChoiceTest : public testing::TestWithParam<ChoiceCase> {};

TEST_P(LanguageChoiceTest, FirstExistingFileAmongLanguagesAndTheirParents) {
  const ChoiceCase& c = GetParam();
  FakePlatform platform;
  platform.arguments = c.arguments;
  platform.languages = c.languages;
  platform.parents = kParents;
  for (const auto& language : c.profiles) {
    platform.files[FormLanguageProfilePath("D:\\setup", "launch", language)] = "";
  }
  const auto chosen = ChooseLanguageProfile(platform, "D:\\setup", "launch");
  EXPECT_EQ(chosen ? chosen->language : "", c.chosen);
  if (chosen) {
    EXPECT_EQ(chosen->path, "D:\\setup\\launch." + chosen->language + ".ini");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Choices, LanguageChoiceTest,
    testing::Values(ChoiceCase{"", {"de-CH"}, {"de"}, "de"},
                    ChoiceCase{"", {"de-CH"}, {"de", "de-CH"}, "de-CH"},
                    ChoiceCase{"", {"de-CH"}, {"de-DE"}, ""},
                    ChoiceCase{"", {"zh-TW"}, {"zh-Hans", "zh"}, "zh"},
                    ChoiceCase{"", {"zh-TW"}, {"zh-Hans", "zh-Hant"}, "zh-Hant"},
                    ChoiceCase{"", {"sr-Latn-RS"}, {"sr-Cyrl", "sr-Latn", "sr"}, "sr-Latn"},
                    ChoiceCase{"", {"fr-FR", "de-DE"}, {"de"}, "de"},
                    ChoiceCase{"", {"fr-FR", "de-DE"}, {"de", "fr"}, "fr"},
                    ChoiceCase{"", {}, {"de", "fr"}, ""},
                    ChoiceCase{"/lang=ja", {"de-DE"}, {"de", "ja"}, "ja"},
                    ChoiceCase{"/x /LANG=pt-BR y", {"de-DE"}, {"de", "pt"}, "pt"},
                    ChoiceCase{"/lang=ja", {"de-DE"}, {"de"}, "de"},
                    ChoiceCase{"/lang=", {"de-DE"}, {"de"}, "de"},
                    ChoiceCase{"/lang=english", {}, {"english"}, ""},
                    ChoiceCase{"/lang=..\\x", {}, {"..\\x"}, ""},
                    ChoiceCase{"", {"de_DE"}, {"de_DE"}, ""},
                    ChoiceCase{"", {"qq", "fr-FR"}, {"fr"}, "fr"}));

TEST(LanguageChoiceTest, LooksEachNameUpOnceInOrderAndNothingAfterTheOneFound) {
  FakePlatform platform;
  platform.arguments = "/lang=de-DE";
  platform.languages = {"de-CH", "zh-TW"};
  platform.parents = kParents;
  platform.files["D:\\setup\\launch.zh-Hant.ini"] = "";
  ChooseLanguageProfile(platform, "D:\\setup", "launch");
  EXPECT_EQ(platform.CallsStartingWith("FileExists"),
            (std::vector<std::string>{
                "FileExists D:\\setup\\launch.de-DE.ini", "FileExists D:\\setup\\launch.de.ini",
                "FileExists D:\\setup\\launch.de-CH.ini", "FileExists D:\\setup\\launch.zh-TW.ini",
                "FileExists D:\\setup\\launch.zh-Hant.ini"}));
}

}  // namespace
}  // namespace orvex
