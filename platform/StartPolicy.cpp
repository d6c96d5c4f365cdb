#include "platform/StartPolicy.h"

namespace orvex {

StartFailureStep OnCreateProcessError(StartRefusal refusal) {
  return refusal == StartRefusal::NeedsElevation ? StartFailureStep::Elevate
                                                 : StartFailureStep::Fail;
}

ElevationFailureStep OnElevationError(StartRefusal refusal) {
  return refusal == StartRefusal::Declined ? ElevationFailureStep::EndQuietly
                                           : ElevationFailureStep::Fail;
}

PromptOwner ChoosePromptOwner(bool launcherWindowShown) {
  return launcherWindowShown ? PromptOwner::LauncherWindow : PromptOwner::ForegroundWindow;
}

SplitCommand SplitCommandLine(const std::string& commandLine) {
  constexpr char kBlanks[] = " \t";
  const auto start = commandLine.find_first_not_of(kBlanks);
  if (start == std::string::npos) return {};
  std::size_t end;
  SplitCommand split;
  if (commandLine[start] == '"') {
    const auto close = commandLine.find('"', start + 1);
    split.program = commandLine.substr(start + 1, close - start - 1);
    end = close == std::string::npos ? commandLine.size() : close + 1;
  } else {
    end = commandLine.find_first_of(kBlanks, start);
    if (end == std::string::npos) end = commandLine.size();
    split.program = commandLine.substr(start, end - start);
  }
  const auto rest = commandLine.find_first_not_of(kBlanks, end);
  if (rest != std::string::npos) split.arguments = commandLine.substr(rest);
  return split;
}

}  // namespace orvex
