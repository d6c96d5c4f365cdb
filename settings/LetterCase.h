// Letter case of the letters profiles commonly use: ASCII, Latin-1, Latin
// Extended-A, Greek, basic Cyrillic and the fullwidth Latin letters; one
// table of case pairs for both directions.
#pragma once

#include <string_view>

namespace orvex {

// The upper-case partner of a UTF-16 unit, as Windows' profile API ignores
// case in names. Every other unit is returned as it is. A letter outside
// ASCII is never mapped into ASCII (no dotless i to I, no long s to S), so
// that a name written in ASCII matches exactly what it matches under Wine.
char16_t UpperCaseForNames(char16_t unit);

// The lower-case partner of a capital, as CharLowerBuff gives it; every
// other unit is returned as it is.
char16_t LowerCaseLetter(char16_t unit);

// Same length, and the same units after UpperCaseForNames.
bool NamesEqual(std::u16string_view a, std::u16string_view b);

}  // namespace orvex
