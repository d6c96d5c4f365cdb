// Which colour values the window accepts.
#pragma once

#include <cstdint>

namespace orvex {

enum class ColourForm {
  Ordinary,  // 0x00BBGGRR
  System,    // 0x800000nn: the system's colour number nn
  Invalid,
};

inline constexpr int kHighestSystemColour = 30;

ColourForm ClassifyColour(std::int32_t colour);

// The failure (invalid property value) for an Invalid colour.
[[noreturn]] void RefuseColour(std::int32_t colour);

// For a System colour, its number.
inline int SystemColourIndex(std::int32_t colour) { return colour & 0xFF; }

}  // namespace orvex
