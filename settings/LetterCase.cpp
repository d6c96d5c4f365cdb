#include "settings/LetterCase.h"

namespace orvex {

namespace {

bool InRange(char16_t unit, char16_t first, char16_t last) { return unit >= first && unit <= last; }

// Latin Extended-A pairs: in these blocks the upper-case letter has the even
// (or, where noted, odd) code and its lower-case partner follows it.
char16_t LatinExtendedAUpper(char16_t unit) {
  const bool odd = unit & 1;
  if (InRange(unit, 0x0100, 0x012F) || InRange(unit, 0x0132, 0x0137) ||
      InRange(unit, 0x014A, 0x0177)) {
    return odd ? unit - 1 : unit;
  }
  if (InRange(unit, 0x0139, 0x0148) || InRange(unit, 0x0179, 0x017E)) {  // odd upper
    return odd ? unit : unit - 1;
  }
  return unit;
}

char16_t GreekUpper(char16_t unit) {
  if (unit == 0x03C2) return 0x03A3;  // final sigma
  if (InRange(unit, 0x03B1, 0x03CB)) return unit - 0x20;
  if (unit == 0x03AC) return 0x0386;
  if (InRange(unit, 0x03AD, 0x03AF)) return unit - 0x25;
  if (unit == 0x03CC) return 0x038C;
  if (InRange(unit, 0x03CD, 0x03CE)) return unit - 0x3F;
  return unit;
}

}  // namespace

char16_t UpperCaseForNames(char16_t unit) {
  if (InRange(unit, u'a', u'z')) return unit - 0x20;
  if (unit < 0xE0) return unit;
  if (InRange(unit, 0x00E0, 0x00FE)) return unit == 0x00F7 ? unit : unit - 0x20;
  if (unit == 0x00FF) return 0x0178;
  if (InRange(unit, 0x0100, 0x017F)) return LatinExtendedAUpper(unit);
  if (InRange(unit, 0x0370, 0x03FF)) return GreekUpper(unit);
  if (InRange(unit, 0x0430, 0x044F)) return unit - 0x20;
  if (InRange(unit, 0x0450, 0x045F)) return unit - 0x50;
  if (InRange(unit, 0xFF41, 0xFF5A)) return unit - 0x20;
  return unit;
}

bool NamesEqual(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i] != b[i] && UpperCaseForNames(a[i]) != UpperCaseForNames(b[i])) return false;
  }
  return true;
}

}  // namespace orvex
