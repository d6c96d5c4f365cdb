// Running a launcher procedure that may end the process or fail, and
// reading the fake's record afterwards.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "FakePlatform.h"
#include "tools/check/StandInPlatform.h"

namespace orvex::test {

using check::Attempt;

inline bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// Position of the first call equal to `call`, or -1.
inline long IndexOf(const std::vector<std::string>& calls, const std::string& call) {
  const auto it = std::find(calls.begin(), calls.end(), call);
  return it == calls.end() ? -1 : static_cast<long>(it - calls.begin());
}

// The calls from `first` on (empty when `first` was never made).
inline std::vector<std::string> CallsFrom(const std::vector<std::string>& calls,
                                          const std::string& first) {
  const long index = IndexOf(calls, first);
  if (index < 0) return {};
  return {calls.begin() + index, calls.end()};
}

}  // namespace orvex::test
