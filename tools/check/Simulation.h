// Runs a piece of the launcher's own logic on the checking platform and
// says how it came back, the way the launcher's entry point would see it.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "tools/check/CheckingPlatform.h"
#include "tools/check/StandInPlatform.h"

namespace orvex::check {

// How the run came back (Outcome), and what it did on the way.
struct RunOutcome : Outcome {
  // The launcher's own message shown before it ended.
  std::optional<std::string> message;
  // Programs it started or tried to.
  std::vector<StartedProgram> started;
  // The last profile value it read before it came back.
  std::optional<ProfileRead> lastRead;
};

RunOutcome Simulate(CheckingPlatform& platform, const std::function<void()>& work);

}  // namespace orvex::check
