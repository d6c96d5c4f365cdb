#include "settings/LanguageChoice.h"

#include <algorithm>
#include <vector>

#include "settings/NumberText.h"

namespace orvex {

namespace {

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }

bool AllOf(std::string_view text, bool (*test)(char)) {
  return std::all_of(text.begin(), text.end(), test);
}

bool IsAlphanumeric(char c) { return IsAsciiLetter(c) || IsAsciiDigit(c); }

// Parents of parents end at the neutral language; the bound only guards
// against a system that names a circle.
constexpr int kMostParents = 8;

}  // namespace

bool IsLanguageName(std::string_view text) {
  // What the next part may be: 0 the language, 1 a script, 2 a region, 3 a
  // variant.
  int next = 0;
  for (std::size_t start = 0; start <= text.size();) {
    const std::size_t end = std::min(text.size(), text.find('-', start));
    const std::string_view part = text.substr(start, end - start);
    const bool letters = AllOf(part, IsAsciiLetter);
    if (next == 0) {
      if (part.size() < 2 || part.size() > 3 || !letters) return false;
      next = 1;
    } else if (next == 1 && part.size() == 4 && letters) {
      next = 2;
    } else if (next <= 2 &&
               ((part.size() == 2 && letters) || (part.size() == 3 && AllOf(part, IsAsciiDigit)))) {
      next = 3;
    } else {
      const bool longVariant = part.size() >= 5 && part.size() <= 8;
      const bool digitVariant = part.size() == 4 && IsAsciiDigit(part.front());
      if (!(longVariant || digitVariant) || !AllOf(part, IsAlphanumeric)) return false;
      next = 3;
    }
    start = end + 1;
  }
  return true;
}

std::string LanguageFromArguments(std::string_view arguments) {
  constexpr std::string_view kSwitch = "/lang=";
  std::size_t at = 0;
  while (at < arguments.size()) {
    const std::size_t end = std::min(arguments.size(), arguments.find_first_of(" \t", at));
    const std::string_view word = arguments.substr(at, end - at);
    if (word.size() >= kSwitch.size() &&
        EqualsIgnoringCase(word.substr(0, kSwitch.size()), kSwitch))
      return std::string(word.substr(kSwitch.size()));
    at = end + 1;
  }
  return {};
}

std::string FormLanguageProfilePath(const std::string& currentDirectory,
                                    const std::string& baseName, const std::string& language,
                                    char separator) {
  return currentDirectory + separator + baseName + "." + language + ".ini";
}

std::optional<LanguageProfile> ChooseLanguageProfile(PlatformServices& platform,
                                                     const std::string& currentDirectory,
                                                     const std::string& baseName) {
  std::vector<std::string> languages = platform.PreferredLanguages();
  const std::string asked = LanguageFromArguments(platform.CommandLineArguments());
  if (!asked.empty()) languages.insert(languages.begin(), asked);

  std::vector<std::string> tried;
  for (const std::string& preferred : languages) {
    std::string language = preferred;
    for (int step = 0; step <= kMostParents && IsLanguageName(language); ++step) {
      const bool seen = std::any_of(tried.begin(), tried.end(), [&](const std::string& done) {
        return EqualsIgnoringCase(done, language);
      });
      if (!seen) {
        tried.push_back(language);
        const std::string path = FormLanguageProfilePath(currentDirectory, baseName, language);
        if (platform.FileExists(path)) return LanguageProfile{language, path};
      }
      language = platform.ParentLanguage(language);
    }
  }
  return std::nullopt;
}

}  // namespace orvex
