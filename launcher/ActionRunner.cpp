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

void OpenTarget(PlatformServices& platform, const std::string& target) {
  // Not lowered: web addresses are case-sensitive. A path is looked at
  // first, so a missing one is named in the launcher's own report rather
  // than left to whatever the shell makes of it.
  WithContext("Opening \"" + target + "\":", [&] {
    if (!IsWebAddress(target) && !platform.PathExists(target)) {
      throw Failure(FailureKind::FileNotFound, "There is no file or folder " + target + ".");
    }
    platform.OpenDocument(target);
  });
  platform.EndProgram(ExitStatus::Normal);
}

void RunCommand(PlatformServices& platform, const Command& command) {
  if (command.kind == Command::Kind::Open) OpenTarget(platform, command.text);
  RunAction(platform, command.text);
}

}  // namespace orvex
