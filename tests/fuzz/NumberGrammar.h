// A second, independent reading of the number texts, used by the fuzz
// targets as the oracle the parsers are compared with.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Failure.h"

namespace orvex::fuzz {

struct Expected {
  std::optional<std::int32_t> value;
  FailureKind failure = FailureKind::Internal;
  bool known = true;  // false: the oracle cannot tell exactly
};

inline bool InSet(char c, std::string_view set) { return set.find(c) != std::string_view::npos; }

inline std::string_view StripBlanks(std::string_view text) {
  while (!text.empty() && InSet(text.front(), " \t")) text.remove_prefix(1);
  while (!text.empty() && InSet(text.back(), " \t")) text.remove_suffix(1);
  return text;
}

inline std::string_view StripLeadingZeros(std::string_view digits) {
  while (!digits.empty() && digits.front() == '0') digits.remove_prefix(1);
  return digits;
}

inline bool AllOf(std::string_view text, std::string_view set) {
  for (char c : text) {
    if (!InSet(c, set)) return false;
  }
  return true;
}

constexpr std::string_view kDecimalDigits = "0123456789";

// A prefixed text: digits of a base, at most 32 bits.
inline Expected ExpectPattern(std::string_view digits, std::string_view allowed, int base,
                              std::size_t maxDigits) {
  if (digits.empty() || !AllOf(digits, allowed)) return {std::nullopt, FailureKind::TypeMismatch};
  const std::string significant(StripLeadingZeros(digits));
  if (significant.size() > maxDigits) return {std::nullopt, FailureKind::Overflow};
  const unsigned long long value =
      significant.empty() ? 0 : std::strtoull(significant.c_str(), nullptr, base);
  if (value > 0xFFFFFFFFull) return {std::nullopt, FailureKind::Overflow};
  return {static_cast<std::int32_t>(static_cast<std::uint32_t>(value))};
}

inline Expected InRange(long double rounded) {
  if (rounded < INT32_MIN || rounded > INT32_MAX) return {std::nullopt, FailureKind::Overflow};
  return {static_cast<std::int32_t>(rounded)};
}

// What ParseNumber must give for text.
inline Expected ExpectNumber(std::string_view text) {
  const std::string_view body = StripBlanks(text);
  if (body.size() >= 2 && body[0] == '&' && InSet(body[1], "Hh")) {
    return ExpectPattern(body.substr(2), "0123456789abcdefABCDEF", 16, 8);
  }
  if (body.size() >= 2 && body[0] == '&' && InSet(body[1], "Oo")) {
    return ExpectPattern(body.substr(2), "01234567", 8, 11);
  }
  std::string_view number = body;
  if (!number.empty() && InSet(number.front(), "+-")) number.remove_prefix(1);
  const auto point = number.find('.');
  const std::string_view whole = number.substr(0, point);
  const std::string_view fraction =
      point == std::string_view::npos ? std::string_view{} : number.substr(point + 1);
  if ((whole.empty() && fraction.empty()) || !AllOf(whole, kDecimalDigits) ||
      !AllOf(fraction, kDecimalDigits)) {
    return {std::nullopt, FailureKind::TypeMismatch};
  }
  const std::string_view significantWhole = StripLeadingZeros(whole);
  if (significantWhole.size() > 10) return {std::nullopt, FailureKind::Overflow};
  std::string fractionDigits(fraction);
  while (!fractionDigits.empty() && fractionDigits.back() == '0') fractionDigits.pop_back();
  // Up to 18 significant digits a long double tells a tie from a near tie;
  // beyond that the oracle only knows the value roughly.
  const bool exact = significantWhole.size() + fractionDigits.size() <= 18;
  const long double parsed = std::strtold(std::string(body).c_str(), nullptr);
  Expected expected = InRange(std::nearbyint(parsed));  // ties to even
  expected.known = exact;
  return expected;
}

}  // namespace orvex::fuzz
