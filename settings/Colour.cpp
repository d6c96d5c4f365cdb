#include "settings/Colour.h"

#include <array>
#include <cstdint>
#include <vector>

#include "platform/Failure.h"
#include "settings/NumberText.h"

namespace orvex {

namespace {

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
