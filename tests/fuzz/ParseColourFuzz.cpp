// ParseColour: the composed text is always a hexadecimal number text, and
// three components of 0 to 255, however written, give exactly that colour.
#include <cstdint>
#include <cstdio>
#include <string>

#include "FuzzCheck.h"
#include "settings/Colour.h"
#include "settings/NumberText.h"

namespace {

using orvex::FailureKind;
using orvex::ParseColour;
using orvex::ParseNumber;
using namespace orvex::fuzz;

bool IsUpperHexNumberText(const std::string& text) {
  if (text.size() < 3 || text.compare(0, 2, "&H") != 0) return false;
  return text.find_first_not_of("0123456789ABCDEF", 2) == std::string::npos;
}

// The first three components, each read alone.
std::optional<std::int32_t> Component(const std::string& text, int index) {
  std::size_t start = 0;
  for (int i = 0; i < index; ++i) {
    start = text.find(',', start);
    if (start == std::string::npos) return std::nullopt;
    ++start;
  }
  const auto end = text.find(',', start);
  return Attempt([&] { return ParseNumber(text.substr(start, end - start)); }).value;
}

void CheckAnyText(const std::string& text) {
  const auto composed = Attempt([&] { return ParseColour(text); });
  Check(
      composed.value || FailedWithOneOf(composed, {FailureKind::TypeMismatch, FailureKind::Overflow,
                                                   FailureKind::SubscriptOutOfRange}),
      "ParseColour fails only with a type mismatch, overflow or missing component", text);
  if (text.find(',') == std::string::npos) {
    Check(composed.value == text, "a text without a comma is returned unchanged", text);
    return;
  }
  if (!composed.value) return;
  Check(IsUpperHexNumberText(*composed.value), "the composed text is &H and upper-case digits",
        text);
  Check(composed.value->size() >= 8, "each component gives at least two digits", text);
  const auto colour = Attempt([&] { return ParseNumber(*composed.value); });
  Check(colour.value || colour.failure == FailureKind::Overflow,
        "the composed text is a number, at worst too wide", text);

  std::int32_t expected = 0;
  for (int i = 0; i < 3; ++i) {
    const auto component = Component(text, i);
    if (!component || *component < 0 || *component > 255) return;
    expected |= *component << (8 * i);
  }
  Check(colour.value == expected, "components of 0 to 255 give exactly that colour", text);
}

std::string WriteComponent(int value, std::uint8_t style) {
  std::string text;
  if (style & 0x10) {
    char hex[8];
    std::snprintf(hex, sizeof hex, (style & 0x20) ? "&H%X" : "&h%x", value);
    text = hex;
  } else {
    text = std::string(style >> 6, '0') + std::to_string(value);
    if (style & 0x20) text += ".4";
  }
  return Padded(text, style);
}

void CheckComponents(ByteSource& bytes) {
  const int red = bytes.Next();
  const int green = bytes.Next();
  const int blue = bytes.Next();
  std::string text = WriteComponent(red, bytes.Next()) + "," + WriteComponent(green, bytes.Next()) +
                     "," + WriteComponent(blue, bytes.Next());
  if (bytes.Next() & 1) text += "," + bytes.Rest();  // a fourth part is ignored
  const std::int32_t colour = red | green << 8 | blue << 16;
  Check(ParseNumber(ParseColour(text)) == colour, "red,green,blue gives exactly that colour", text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ByteSource bytes(data, size);
  CheckAnyText(bytes.Rest());
  CheckComponents(bytes);
  return 0;
}
