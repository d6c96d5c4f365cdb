#include <array>
#include <optional>

#include "launcher/Design.h"
#include "launcher/Launcher.h"

namespace orvex {

namespace {

// What one row of the layout sets for one button; unset lengths keep their
// design value.
struct Placement {
  bool visible;
  std::optional<int> left;
  std::optional<int> width;
};

constexpr Placement kHidden{false, std::nullopt, std::nullopt};
constexpr Placement kShown{true, std::nullopt, std::nullopt};

// Indexed by the count of enabled buttons. The single button keeps its design
// width, so it stands at 3000 rather than the centred 2850.
constexpr std::array<std::array<Placement, kButtonCount>, kButtonCount + 1> kLayout = {{
    {kHidden, kHidden, kHidden, kHidden},
    {{{true, 3000, std::nullopt}, kHidden, kHidden, kHidden}},
    {{{true, std::nullopt, 2895}, {true, 4075, 2895}, kHidden, kHidden}},
    {{{true, std::nullopt, 1815}, {true, 2640, 1815}, {true, 5050, 1815}, kHidden}},
    {kShown, kShown, kShown, kShown},
}};

}  // namespace

void ApplyButtonLayout(PlatformServices& platform, int count) {
  for (int index = 0; index < kButtonCount; ++index) {
    const Placement& place = kLayout.at(count)[index];
    platform.SetButtonVisible(index, place.visible);
    if (place.left) platform.SetButtonLeft(index, *place.left);
    if (place.width) platform.SetButtonWidth(index, *place.width);
  }
}

void ResetButtonPlaces(PlatformServices& platform) {
  for (int index = 0; index < kButtonCount; ++index) {
    platform.SetButtonLeft(index, kDesignButtons[index].left);
    platform.SetButtonWidth(index, kDesignButtons[index].width);
  }
}

}  // namespace orvex
