// Number texts and the background colour setting.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orvex {

// The 32-bit value of a number text, blanks around it allowed:
// - "&H" and hexadecimal digits (either case), or "&O" and octal digits:
//   the unsigned value, at most 32 bits, taken as the 32-bit pattern it
//   spells (&HFF is 255, &HFFFFFFFF is -1);
// - a decimal number with optional sign and fraction, the fraction rounded
//   half to even.
// Anything else fails with a type mismatch, a value beyond 32 bits with an
// overflow.
std::int32_t ParseNumber(const std::string& text);

// Turns "red,green,blue" into the number text "&H" blue green red; a text
// without "," is returned unchanged. Components go through ParseNumber and
// are neither limited to 0-255 nor checked.
std::string ParseColour(const std::string& text);

// The parts of a colour text between its commas, blanks kept.
std::vector<std::string> SplitColourComponents(const std::string& text);

}  // namespace orvex
