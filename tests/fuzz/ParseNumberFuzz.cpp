// ParseNumber against an independent reading of the number texts, and
// integers written in every form a profile author might use.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

#include "FuzzCheck.h"
#include "NumberGrammar.h"
#include "settings/NumberText.h"

namespace {

using orvex::FailureKind;
using orvex::ParseNumber;
using namespace orvex::fuzz;

void CheckAnyText(const std::string& text) {
  const auto result = Attempt([&] { return ParseNumber(text); });
  Check(result.value || FailedWithOneOf(result, {FailureKind::TypeMismatch, FailureKind::Overflow}),
        "ParseNumber fails only with a type mismatch or an overflow", text);

  const Expected expected = ExpectNumber(text);
  if (expected.known) {
    Check(result.value == expected.value, "the value is the one the text spells", text);
    if (!expected.value) Check(result.failure == expected.failure, "the failure kind", text);
  } else {
    const long double parsed = std::strtold(std::string(StripBlanks(text)).c_str(), nullptr);
    Check(result.value ? std::fabs(*result.value - parsed) <= 0.5000001L
                       : std::fabs(parsed) >= 2147483647.0L,
          "a long fraction rounds to a neighbour", text);
  }
  if (result.value) {
    Check(ParseNumber(std::to_string(*result.value)) == *result.value,
          "the value written in decimal reads back", text);
  }
}

// An integer in range, written as decimal or as its hexadecimal pattern,
// with blanks, leading zeros, sign and letter case varied.
void CheckInteger(ByteSource& bytes) {
  const auto value = static_cast<std::int32_t>(bytes.Next32());
  const std::uint8_t style = bytes.Next();
  const std::string zeros(bytes.Next() % 4, '0');

  std::string decimal = std::to_string(value);
  if (value >= 0) decimal = ((style & 0x10) ? "+" : "") + zeros + decimal;
  if (style & 0x20) decimal += ".";
  const std::string padded = Padded(decimal, style);
  Check(ParseNumber(padded) == value, "a decimal integer in range gives that integer", padded);

  char hex[16];
  std::snprintf(hex, sizeof hex, (style & 0x40) ? "%X" : "%x", static_cast<unsigned>(value));
  const std::string pattern = Padded(((style & 0x80) ? "&h" : "&H") + zeros + hex, style >> 4);
  Check(ParseNumber(pattern) == value, "a hexadecimal pattern gives that integer", pattern);

  // A half between two integers goes to the even one.
  if (value > INT32_MIN && value < INT32_MAX) {
    const std::string half = std::to_string(value) + (value < 0 ? ".5" : ".50");
    const std::int32_t even = value % 2 == 0 ? value : (value < 0 ? value - 1 : value + 1);
    Check(ParseNumber(half) == even, "a half rounds to the even neighbour", half);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ByteSource bytes(data, size);
  CheckAnyText(bytes.Rest());
  CheckInteger(bytes);
  return 0;
}
