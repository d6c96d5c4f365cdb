#include "settings/NumberText.h"

#include <algorithm>
#include <cstdint>

#include "platform/Failure.h"

namespace orvex {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

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

}  // namespace

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return AsciiLower(x) == AsciiLower(y);
         });
}

bool DecimalText::IsZero() const {
  const auto zero = [](char c) { return c == '0'; };
  return std::all_of(integerDigits.begin(), integerDigits.end(), zero) &&
         std::all_of(fractionDigits.begin(), fractionDigits.end(), zero);
}

std::optional<DecimalText> ScanDecimal(std::string_view text) {
  DecimalText number;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    number.negative = text.front() == '-';
    text.remove_prefix(1);
  }
  const auto point = text.find('.');
  const std::string_view whole = text.substr(0, point);
  const std::string_view fraction =
      point == std::string_view::npos ? std::string_view{} : text.substr(point + 1);
  if (whole.empty() && fraction.empty()) return std::nullopt;
  if (!std::all_of(whole.begin(), whole.end(), IsDigit) ||
      !std::all_of(fraction.begin(), fraction.end(), IsDigit)) {
    return std::nullopt;
  }
  const auto firstNonZero = whole.find_first_not_of('0');
  number.integerDigits =
      firstNonZero == std::string_view::npos ? "" : std::string(whole.substr(firstNonZero));
  number.fractionDigits = std::string(fraction);
  return number;
}

std::int32_t ParseNumber(const std::string& text) {
  const std::string_view body = TrimBlanks(text);
  if (body.size() >= 2 && body[0] == '&') {
    const char form = body[1];
    if (form == 'H' || form == 'h') return ParsePrefixed(text, body.substr(2), 16);
    if (form == 'O' || form == 'o') return ParsePrefixed(text, body.substr(2), 8);
  }
  return ParseDecimal(text, body);
}

}  // namespace orvex
