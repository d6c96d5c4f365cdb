// Running a launcher procedure that may end the process or fail, and
// reading the fake's record afterwards.
#pragma once

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "FakePlatform.h"
#include "platform/Failure.h"

namespace orvex::test {

// How a procedure came back: it returned, it ended the process through
// EndProgram, or a Failure escaped it (bound for the fatal report).
struct Outcome {
  std::optional<ExitStatus> ended;
  std::optional<Failure> failure;

  bool Returned() const { return !ended && !failure; }
};

template <typename Work>
Outcome Attempt(Work&& work) {
  Outcome outcome;
  try {
    work();
  } catch (const ProgramEnded& end) {
    outcome.ended = end.status;
  } catch (const Failure& failure) {
    outcome.failure = failure;
  }
  return outcome;
}

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
