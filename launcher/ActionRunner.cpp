#include "launcher/ActionRunner.h"

#include "platform/Failure.h"

namespace orvex {

void RunAction(PlatformServices& platform, const std::string& action) {
  // The whole line is lowered, arguments included, and compared as it is:
  // "exit " or "exit now" are command lines, not the word exit.
  const std::string commandLine = platform.ToLowerCase(action);
  if (commandLine != "exit") {
    WithContext("Starting the command line \"" + commandLine + "\":", [&] {
      if (commandLine.empty()) {
        throw Failure(FailureKind::InvalidProcedureCall, "The action is empty.");
      }
      platform.StartProgram(commandLine);
    });
  }
  platform.EndProgram(ExitStatus::Normal);
}

}  // namespace orvex
