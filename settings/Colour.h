// The background colour setting.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orvex {

// Turns "red,green,blue" into the number text "&H" blue green red; a text
// without "," is returned unchanged. Components go through ParseNumber and
// are neither limited to 0-255 nor checked.
std::string ParseColour(const std::string& text);

// The parts of a colour text between its commas, blanks kept.
std::vector<std::string> SplitColourComponents(const std::string& text);

}  // namespace orvex
