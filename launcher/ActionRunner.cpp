#include "launcher/ActionRunner.h"

#include "platform/Failure.h"

namespace orvex {

namespace {

// The whole line is lowered, arguments included, and compared as it is:
// "exit " or "exit now" are command lines, not the word exit. Returns what
// start returned, or false for "exit".
template <typename Start>
bool StartUnlessExit(PlatformServices& platform, const std::string& action, Start&& start) {
  const std::string commandLine = platform.ToLowerCase(action);
  if (commandLine == "exit") return false;
  return WithContext("Starting the command line \"" + commandLine + "\":", [&] {
    if (commandLine.empty()) {
      throw Failure(FailureKind::InvalidProcedureCall, "The action is empty.");
    }
    return start(commandLine);
  });
}

}  // namespace

void RunAction(PlatformServices& platform, const std::string& action) {
  StartUnlessExit(platform, action, [&](const std::string& commandLine) {
    platform.StartProgram(commandLine);
    return true;
  });
  platform.EndProgram(ExitStatus::Normal);
}

bool RunActionStayingOpen(PlatformServices& platform, const std::string& action, int tag) {
  if (platform.ToLowerCase(action) == "exit") platform.EndProgram(ExitStatus::Normal);
  try {
    return StartUnlessExit(platform, action, [&](const std::string& commandLine) {
      return platform.StartWatchedProgram(commandLine, tag);
    });
  } catch (const Failure& failure) {
    platform.ShowMessage(FailureReportText(failure));
    return false;
  }
}

}  // namespace orvex
