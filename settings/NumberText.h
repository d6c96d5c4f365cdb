// Number texts: the number conversion and the small helpers it shares with
// the boolean one.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvex {

// Drops spaces and tabs at both ends.
std::string_view TrimBlanks(std::string_view text);

// ASCII letters compared without regard to case.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

// A decimal number text: optional sign, digits, optional "." and fraction
// digits, at least one digit in all. Leading zeros of the integer part are
// dropped.
struct DecimalText {
  bool negative = false;
  std::string integerDigits;
  std::string fractionDigits;

  bool IsZero() const;
};

// The decimal number that text spells exactly (no blanks), or nothing.
std::optional<DecimalText> ScanDecimal(std::string_view text);

// The 32-bit value of a number text, blanks around it allowed:
// - "&H" and hexadecimal digits (either case), or "&O" and octal digits:
//   the unsigned value, at most 32 bits, taken as the 32-bit pattern it
//   spells (&HFF is 255, &HFFFFFFFF is -1);
// - a decimal number with optional sign and fraction, the fraction rounded
//   half to even.
// Anything else fails with a type mismatch, a value beyond 32 bits with an
// overflow.
std::int32_t ParseNumber(const std::string& text);

}  // namespace orvex
