#include "settings/Colour.h"

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/Failure.h"
#include "settings/NumberText.h"

namespace orvex {

namespace {

constexpr std::uint64_t kMaxPattern = 0xFFFFFFFFull;

int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 99;
}

[[noreturn]] void NotANumber(const std::string& text) {
  throw Failure(FailureKind::TypeMismatch, "\"" + text + "\" is not a number.");
}

[[noreturn]] void TooLarge(const std::string& text) {
  throw Failure(FailureKind::Overflow, "\"" + text + "\" does not fit in 32 bits.");
}

std::int32_t ParsePrefixed(const std::string& text, std::string_view digits, int base) {
  // A text that is no number is a type mismatch however long it is, so
  // every digit is checked before the value can overflow.
  if (digits.empty()) NotANumber(text);
  for (char c : digits) {
    if (DigitValue(c) >= base) NotANumber(text);
  }
  std::uint64_t value = 0;
  for (char c : digits) {
    value = value * base + DigitValue(c);
    if (value > kMaxPattern) TooLarge(text);
  }
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

std::int32_t ParseDecimal(const std::string& text, std::string_view body) {
  const auto number = ScanDecimal(body);
  if (!number) NotANumber(text);
  if (number->integerDigits.size() > 10) TooLarge(text);
  std::int64_t value = 0;
  for (char c : number->integerDigits) value = value * 10 + (c - '0');

  // Round half to even: only the first fraction digit and whether anything
  // non-zero follows it matter.
  const std::string& fraction = number->fractionDigits;
  if (!fraction.empty()) {
    const int first = fraction[0] - '0';
    const bool moreAfter = fraction.find_first_not_of('0', 1) != std::string::npos;
    if (first > 5 || (first == 5 && (moreAfter || value % 2 == 1))) ++value;
  }
  if (number->negative) value = -value;
  if (value < INT32_MIN || value > INT32_MAX) TooLarge(text);
  return static_cast<std::int32_t>(value);
}

std::string UpperHex(std::int32_t value) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  auto bits = static_cast<std::uint32_t>(value);
  std::string out;
  do {
    out.push_back(kDigits[bits & 0xF]);
    bits >>= 4;
  } while (bits != 0);
  return {out.rbegin(), out.rend()};
}

}  // namespace

std::int32_t ParseNumber(const std::string& text) {
  const std::string_view body = TrimBlanks(text);
  if (body.size() >= 2 && body[0] == '&') {
    const char form = body[1];
    if (form == 'H' || form == 'h') return ParsePrefixed(text, body.substr(2), 16);
    if (form == 'O' || form == 'o') return ParsePrefixed(text, body.substr(2), 8);
  }
  return ParseDecimal(text, body);
}

std::string ParseColour(const std::string& text) {
  if (text.find(',') == std::string::npos) return text;
  const std::vector<std::string> parts = SplitColourComponents(text);
  static constexpr std::array<const char*, 3> kNames = {"red", "green", "blue"};
  std::array<std::string, 3> hex;
  for (std::size_t i = 0; i < hex.size(); ++i) {
    // Only once the components before it are converted is a missing one
    // found: in "red,31" the red is the failure.
    if (i >= parts.size()) {
      throw Failure(FailureKind::SubscriptOutOfRange, "\"" + text + "\" has no " + kNames[i] +
                                                          " component (red,green,blue expected).");
    }
    hex[i] = WithContext(std::string("The ") + kNames[i] + " component of \"" + text + "\":",
                         [&] { return UpperHex(ParseNumber(parts[i])); });
    if (hex[i].size() < 2) hex[i] = "0" + hex[i];
  }
  return "&H" + hex[2] + hex[1] + hex[0];
}

std::vector<std::string> SplitColourComponents(const std::string& text) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (;;) {
    const auto comma = text.find(',', start);
    parts.push_back(text.substr(start, comma - start));
    if (comma == std::string::npos) return parts;
    start = comma + 1;
  }
}

}  // namespace orvex
