// Geometry of the window design is kept in twips (1/1440 inch); this is the
// one place where it becomes pixels.
#pragma once

namespace orvex {

constexpr int kTwipsPerInch = 1440;

// Rounded to the nearest pixel, halves away from zero.
constexpr int TwipsToPixels(int twips, int dotsPerInch) {
  const long long scaled = static_cast<long long>(twips) * dotsPerInch;
  const long long half = kTwipsPerInch / 2;
  return static_cast<int>(scaled >= 0 ? (scaled + half) / kTwipsPerInch
                                      : -((-scaled + half) / kTwipsPerInch));
}

}  // namespace orvex
