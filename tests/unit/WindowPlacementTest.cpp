#include <gtest/gtest.h>

#include <optional>

#include "platform/WindowPlacement.h"

namespace orvex {
namespace {

// A 1600 x 900 monitor left of the primary 1920 x 1080 one, and a
// 1280 x 1024 one right of it; each with a task bar 40 pixels high.
constexpr Monitor kMonitors[] = {
    {{-1600, 0, 0, 900}, {-1600, 0, 0, 860}, false},
    {{0, 0, 1920, 1080}, {0, 0, 1920, 1040}, true},
    {{1920, 0, 3200, 1024}, {1920, 0, 3200, 984}, false},
};
constexpr int kWidth = 500;
constexpr int kHeight = 370;

struct PlacementCase {
  const char* what;
  std::optional<ScreenRect> foreground;
  ScreenPoint expected;
};

const PlacementCase kCases[] = {
    {"no foreground window", std::nullopt, {710, 335}},
    {"on the primary monitor", ScreenRect{100, 100, 900, 700}, {710, 335}},
    {"on the right monitor", ScreenRect{2000, 50, 2600, 500}, {2310, 307}},
    {"mostly on the left monitor", ScreenRect{-1000, 300, 200, 800}, {-1050, 245}},
    {"mostly on the right monitor", ScreenRect{1800, 0, 2400, 600}, {2310, 307}},
    {"minimised", ScreenRect{-32000, -32000, -31840, -31973}, {710, 335}},
};

TEST(WindowPlacementTest, CentresOnTheForegroundWindowsMonitorElseThePrimary) {
  for (const PlacementCase& c : kCases) {
    EXPECT_EQ(CentredWindowPosition(kMonitors, c.foreground, kWidth, kHeight), c.expected)
        << c.what;
  }
}

}  // namespace
}  // namespace orvex
