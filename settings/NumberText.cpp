#include "settings/NumberText.h"

#include <algorithm>

namespace orvex {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

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

}  // namespace orvex
