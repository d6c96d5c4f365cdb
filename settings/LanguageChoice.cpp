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
  std::vector<std::string_view> parts;
  for (std::size_t start = 0;;) {
    const std::size_t hyphen = text.find('-', start);
    parts.push_back(text.substr(start, hyphen - start));
    if (hyphen == std::string_view::npos) break;
    start = hyphen + 1;
  }
  const std::string_view language = parts.front();
  if (language.size() < 2 || language.size() > 3 || !AllOf(language, IsAsciiLetter)) return false;
  std::size_t at = 1;
  if (at < parts.size() && parts[at].size() == 4 && AllOf(parts[at], IsAsciiLetter)) ++at;
  if (at < parts.size() && ((parts[at].size() == 2 && AllOf(parts[at], IsAsciiLetter)) ||
                            (parts[at].size() == 3 && AllOf(parts[at], IsAsciiDigit)))) {
    ++at;
  }
  for (; at < parts.size(); ++at) {
    const std::string_view variant = parts[at];
    const bool longVariant = variant.size() >= 5 && variant.size() <= 8;
    const bool digitVariant = variant.size() == 4 && IsAsciiDigit(variant.front());
    if (!(longVariant || digitVariant) || !AllOf(variant, IsAlphanumeric)) return false;
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
