#include "settings/LetterCase.h"

#include <array>

namespace orvex {

namespace {

// Capitals first to last, every step-th code, each with its small letter at
// capital + offset.
struct CaseRun {
  char16_t first;
  char16_t last;
  int offset;
  int step;
};

constexpr std::array<CaseRun, 18> kCaseRuns = {{
    {0x0041, 0x005A, 0x20, 1},  // ASCII
    {0x00C0, 0x00D6, 0x20, 1},  // Latin-1, without the multiplication sign
    {0x00D8, 0x00DE, 0x20, 1},
    {0x0178, 0x0178, -0x79, 1},  // Y with diaeresis
    {0x0100, 0x012E, 1, 2},      // Latin Extended-A: capital, then small
    {0x0132, 0x0136, 1, 2},      //   (not the dotted capital I and dotless i)
    {0x0139, 0x0147, 1, 2},
    {0x014A, 0x0176, 1, 2},
    {0x0179, 0x017D, 1, 2},
    {0x0386, 0x0386, 0x26, 1},  // Greek with tonos
    {0x0388, 0x038A, 0x25, 1},
    {0x038C, 0x038C, 0x40, 1},
    {0x038E, 0x038F, 0x3F, 1},
    {0x0391, 0x03A1, 0x20, 1},  // Greek
    {0x03A3, 0x03AB, 0x20, 1},
    {0x0400, 0x040F, 0x50, 1},  // Cyrillic
    {0x0410, 0x042F, 0x20, 1},
    {0xFF21, 0xFF3A, 0x20, 1},  // fullwidth Latin
}};

bool IsCapitalIn(const CaseRun& run, int unit) {
  return unit >= run.first && unit <= run.last && (unit - run.first) % run.step == 0;
}

}  // namespace

char16_t UpperCaseForNames(char16_t unit) {
  if (unit == 0x03C2) return 0x03A3;  // final sigma, a second small sigma
  for (const CaseRun& run : kCaseRuns) {
    if (IsCapitalIn(run, unit - run.offset)) return static_cast<char16_t>(unit - run.offset);
  }
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
