#include "platform/DeviceName.h"

#include <algorithm>
#include <array>

namespace orvex {

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, {}, AsciiUpper, AsciiUpper);
}

// Windows counts the Latin-1 superscripts (UTF-8 here) as port numbers too.
bool IsPortNumber(std::string_view digit) {
  static constexpr std::array<std::string_view, 3> kSuperscripts = {"\xC2\xB9", "\xC2\xB2",
                                                                    "\xC2\xB3"};
  if (digit.size() == 1) return digit[0] >= '1' && digit[0] <= '9';
  return std::ranges::find(kSuperscripts, digit) != kSuperscripts.end();
}

}  // namespace

bool NamesWindowsDevice(std::string_view path) {
  if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) return false;
  if (path.size() >= 2 && path[1] == ':') path.remove_prefix(2);
  const auto slash = std::find_if(path.rbegin(), path.rend(), IsSeparator);
  std::string_view name = path.substr(static_cast<std::size_t>(path.rend() - slash));
  name = name.substr(0, name.find_first_of(".:"));
  while (!name.empty() && name.back() == ' ') name.remove_suffix(1);

  static constexpr std::array<std::string_view, 6> kDevices = {"CON", "PRN",    "AUX",
                                                               "NUL", "CONIN$", "CONOUT$"};
  if (std::ranges::any_of(kDevices, [&](std::string_view d) { return SameIgnoringCase(name, d); }))
    return true;
  if (name.size() < 4) return false;
  const std::string_view port = name.substr(0, 3);
  return (SameIgnoringCase(port, "COM") || SameIgnoringCase(port, "LPT")) &&
         IsPortNumber(name.substr(3));
}

}  // namespace orvex
