// Where the launcher window appears: centred on the work area of the monitor
// the user is looking at when it starts (the one showing the foreground
// window, such as AutoPlay's prompt or Explorer), else on the primary one.
#pragma once

#include <algorithm>
#include <optional>
#include <span>

namespace orvex {

struct ScreenRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

struct Monitor {
  ScreenRect bounds;
  ScreenRect workArea;
  bool primary = false;
};

struct ScreenPoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};

inline long long SharedArea(const ScreenRect& a, const ScreenRect& b) {
  const long long width = std::min(a.right, b.right) - std::max(a.left, b.left);
  const long long height = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
  return width > 0 && height > 0 ? width * height : 0;
}

// The top-left corner of a window of the given size. The foreground window's
// monitor is the one showing most of it; a window on no monitor (minimised,
// or none at all) counts as on the primary one.
inline ScreenPoint CentredWindowPosition(std::span<const Monitor> monitors,
                                         std::optional<ScreenRect> foreground, int width,
                                         int height) {
  const Monitor* chosen = nullptr;
  long long most = 0;
  for (const Monitor& monitor : monitors) {
    const long long shared = foreground ? SharedArea(monitor.bounds, *foreground) : 0;
    if (shared > most) {
      most = shared;
      chosen = &monitor;
    }
  }
  if (!chosen) {
    const auto primary = std::ranges::find_if(monitors, &Monitor::primary);
    if (primary != monitors.end()) chosen = &*primary;
  }
  if (!chosen) return {};
  const ScreenRect& work = chosen->workArea;
  return {work.left + (work.right - work.left - width) / 2,
          work.top + (work.bottom - work.top - height) / 2};
}

}  // namespace orvex
