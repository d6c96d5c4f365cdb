#include "tools/check/LanguageParents.h"

#include <array>
#include <utility>

#include "settings/NumberText.h"

namespace orvex::check {

namespace {

// Where Windows' parent is not the name without its last part.
constexpr std::array<std::pair<const char*, const char*>, 7> kExceptions{{
    // Both written forms of Norwegian fall back to Norwegian.
    {"nb", "no"},
    {"nn", "no"},
    {"zh-CN", "zh-Hans"},
    {"zh-SG", "zh-Hans"},
    {"zh-TW", "zh-Hant"},
    {"zh-HK", "zh-Hant"},
    {"zh-MO", "zh-Hant"},
}};

}  // namespace

std::string LanguageParent(const std::string& language) {
  for (const auto& [name, parent] : kExceptions) {
    if (EqualsIgnoringCase(language, name)) return parent;
  }
  const std::size_t hyphen = language.rfind('-');
  return hyphen == std::string::npos ? std::string() : language.substr(0, hyphen);
}

}  // namespace orvex::check
