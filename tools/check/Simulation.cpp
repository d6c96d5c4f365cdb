#include "tools/check/Simulation.h"

namespace orvex::check {

RunOutcome Simulate(CheckingPlatform& platform, const std::function<void()>& work) {
  const std::size_t readsBefore = platform.Reads().size();
  const std::size_t messagesBefore = platform.Messages().size();
  platform.ClearStarted();
  RunOutcome outcome;
  static_cast<Outcome&>(outcome) = Attempt(work);
  if (platform.Messages().size() > messagesBefore) outcome.message = platform.Messages().back();
  if (platform.Reads().size() > readsBefore) outcome.lastRead = platform.Reads().back();
  outcome.started = platform.Started();
  return outcome;
}

}  // namespace orvex::check
