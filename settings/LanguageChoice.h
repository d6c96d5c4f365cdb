// Which language profile the launcher reads beside the profile: the first
// of the user's display languages, each followed by the languages Windows
// falls back to from it, that has a file "<base name>.<language>.ini".
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/PlatformServices.h"

namespace orvex {

// A language name as Windows writes it (BCP 47 with hyphens): a language of
// 2 or 3 letters, then optionally a script (4 letters), a region (2 letters
// or 3 digits) and variants. "de", "pt-BR", "zh-Hans", "sr-Latn-RS",
// "es-419"; not "english" or "de_DE".
bool IsLanguageName(std::string_view text);

// The TAG of the first "/lang=TAG" among the launcher's arguments (any
// letter case), or the empty text.
std::string LanguageFromArguments(std::string_view arguments);

// "<directory>\<base name>.<language>.ini", joined as FormProfilePath does.
std::string FormLanguageProfilePath(const std::string& currentDirectory,
                                    const std::string& baseName, const std::string& language,
                                    char separator = '\\');

struct LanguageProfile {
  std::string language;
  std::string path;
};

// The /lang= language first, then the preferred languages; each name, then
// its parents. The first whose file exists wins; a name that is not a
// language name is never looked for.
std::optional<LanguageProfile> ChooseLanguageProfile(PlatformServices& platform,
                                                     const std::string& currentDirectory,
                                                     const std::string& baseName);

}  // namespace orvex
