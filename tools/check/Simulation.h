// Runs a piece of the launcher's own logic on the checking platform and
// says how it came back, the way the launcher's entry point would see it.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/Failure.h"
#include "tools/check/CheckingPlatform.h"

namespace orvex::check {

struct RunOutcome {
  // The failure that would go to the fatal report.
  std::optional<Failure> failure;
  // The process ended (message, action run, window closed).
  std::optional<ExitStatus> ended;
  // The launcher's own message shown before it ended.
  std::optional<std::string> message;
  // Programs it started or tried to.
  std::vector<StartedProgram> started;
  // The last profile value it read before it came back.
  std::optional<ProfileRead> lastRead;

  bool Returned() const { return !failure && !ended; }
};

RunOutcome Simulate(CheckingPlatform& platform, const std::function<void()>& work);

}  // namespace orvex::check
