// The languages Windows falls back to, for the checker where there is no
// Windows locale data to ask (a Wine test keeps it true to Windows').
#pragma once

#include <string>

namespace orvex::check {

// The parent of a language name as GetLocaleInfoEx(LOCALE_SPARENT) gives
// it: "zh-TW" gives "zh-Hant", "sr-Latn-RS" gives "sr-Latn", "de" gives "".
std::string LanguageParent(const std::string& language);

}  // namespace orvex::check
