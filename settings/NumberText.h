// Small text helpers shared by the boolean and number conversions.
#pragma once

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

}  // namespace orvex
