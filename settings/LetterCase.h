// Letter case of profile names for the letters profiles commonly use:
// ASCII, Latin-1, Latin Extended-A, Greek, basic Cyrillic and the fullwidth
// Latin letters. (The checker has the system's full tables in
// tools/check/CaseTables.h.)
#pragma once

#include <string_view>

namespace orvex {

// The upper-case partner of a UTF-16 unit, as Windows' profile API ignores
// case in names. Every other unit is returned as it is. A letter outside
// ASCII is never mapped into ASCII (no dotless i to I, no long s to S), so
// that a name written in ASCII matches exactly what it matches under Wine.
char16_t UpperCaseForNames(char16_t unit);

// Same length, and the same units after UpperCaseForNames.
bool NamesEqual(std::u16string_view a, std::u16string_view b);

}  // namespace orvex
