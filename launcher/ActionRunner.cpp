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

// Not lowered: web addresses are case-sensitive. A path is looked at first,
// so a missing one is named in the launcher's own report rather than left
// to whatever the shell makes of it.
// False where the user declined the system's choice of program.
bool OpenUnlessMissing(PlatformServices& platform, const std::string& target) {
  return WithContext("Opening \"" + target + "\":", [&] {
    if (!IsWebAddress(target) && !platform.PathExists(target)) {
      throw Failure(FailureKind::FileNotFound, "There is no file or folder " + target + ".");
    }
    return platform.OpenDocument(target);
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

void OpenTarget(PlatformServices& platform, const std::string& target) {
  const bool opened = OpenUnlessMissing(platform, target);
  platform.EndProgram(opened ? ExitStatus::Normal : ExitStatus::Declined);
}

void RunCommand(PlatformServices& platform, const Command& command) {
  if (command.kind == Command::Kind::Open) OpenTarget(platform, command.text);
  RunAction(platform, command.text);
}

bool RunCommandStayingOpen(PlatformServices& platform, const Command& command, int tag) {
  if (command.kind == Command::Kind::Run && platform.ToLowerCase(command.text) == "exit")
    platform.EndProgram(ExitStatus::Normal);
  try {
    if (command.kind == Command::Kind::Open) {
      OpenUnlessMissing(platform, command.text);
      return false;
    }
    return StartUnlessExit(platform, command.text, [&](const std::string& commandLine) {
      return platform.StartWatchedProgram(commandLine, tag);
    });
  } catch (const Failure& failure) {
    platform.ShowMessage(FailureReportText(failure));
    return false;
  }
}

}  // namespace orvex
