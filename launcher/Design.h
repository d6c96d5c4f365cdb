// The design of the launcher window frmSplash. Lengths are twips relative to
// the client area.
#pragma once

#include <array>
#include <cstdint>

#include "settings/ButtonTable.h"

namespace orvex {

inline constexpr int kClientWidthTwips = 7215;
inline constexpr int kClientHeightTwips = 5025;
inline constexpr char kDesignTitle[] = "Orvex Auto Run";
inline constexpr std::int32_t kDesignColour = 7020335;  // red 47, green 31, blue 107
inline constexpr char kDesignButtonCaption[] = "Command1";
inline constexpr char kApplicationTitle[] = "OrvexAutorun";

struct ButtonGeometry {
  int left;
  int top;
  int width;
  int height;
};

inline constexpr std::array<ButtonGeometry, kButtonCount> kDesignButtons = {{
    {240, 4560, 1515, 375},
    {1980, 4560, 1515, 375},
    {3720, 4560, 1515, 375},
    {5460, 4560, 1515, 375},
}};

}  // namespace orvex
