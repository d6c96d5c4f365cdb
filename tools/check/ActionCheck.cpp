// Actions: what the launcher does with a command line, found by running its
// own RunAction on the checking platform.
#include "launcher/ActionRunner.h"
#include "platform/DeviceName.h"
#include "settings/Command.h"
#include "settings/NumberText.h"
#include "settings/Profile.h"
#include "tools/check/Checker.h"
#include "tools/check/ProgramSearch.h"
#include "tools/check/SystemCase.h"
#include "tools/check/Texts.h"

namespace orvex::check {

namespace {

bool EndsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() &&
         text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

std::string NotAProgramReason(const std::string& file) {
  if (EndsWith(file, ".msi")) {
    return file + " is an installer package, not a program: start it with \"msiexec /i " + file +
           "\"";
  }
  return file +
         " is a document, not a program, and the launcher starts programs only: open it "
         "with one, as in \"notepad.exe " +
         file + "\"";
}

}  // namespace

ActionVerdict Checker::JudgeAction(const std::string& section, const std::string& key,
                                   const std::string& action) {
  const RunOutcome run = Simulate(platform_, [&] { RunAction(platform_, action); });
  const std::string where = "[" + section + "] " + key + " " + Quoted(action) + ": ";
  ActionVerdict verdict;
  verdict.failure = run.failure;
  if (run.failure && run.failure->Kind() == FailureKind::InvalidProcedureCall) {
    verdict.certain = true;
    verdict.explanation = HasKey(section, key) ? "[" + section + "] " + key + " is empty"
                                               : "[" + section + "] has no " + key;
    return verdict;
  }
  if (run.started.empty()) {
    verdict.exits = true;
    return verdict;
  }
  // Where the platform found the program when the launcher started it.
  const ProgramSearch& search = run.started.back().search;
  if (run.failure) {
    if (TrimBlanks(run.started.back().commandLine) == "exit") {
      verdict.explanation = where +
                            "only \"exit\" exactly ends the launcher; with the extra blanks it is "
                            "started as a program named \"exit\", which does not exist";
    } else if (NamesWindowsDevice(search.program)) {
      verdict.explanation = where + search.program + " is " + kDeviceNameRule;
    } else if (search.place == ProgramPlace::NotAProgram) {
      verdict.explanation = where + NotAProgramReason(search.found);
    } else if (search.place == ProgramPlace::NotRunnable) {
      verdict.explanation =
          where + search.found + " is on the medium, but " + search.why +
          ": the system refuses to start it, and the report gives its reason (under Wine \"Bad "
          "EXE format for %1.\", or \"File not found.\" for a DOS or 16-bit program; on Windows "
          "\"%1 is not a valid Win32 application.\")";
    } else if (!search.why.empty()) {
      verdict.explanation = where + search.why;
    } else if (search.place == ProgramPlace::Blank) {
      verdict.explanation = where + "it names no program";
    } else {
      verdict.explanation = where + search.program +
                            " is neither on the medium (where the launcher looks first: its own "
                            "folder and the current directory, both the medium's root) nor one "
                            "of Windows' own programs";
    }
    return verdict;
  }
  switch (search.place) {
    case ProgramPlace::OnMedium:
      verdict.explanation = search.found + " is on the medium";
      startedPrograms_.push_back(search.found);
      break;
    case ProgramPlace::SystemProgram:
      verdict.explanation = search.program + " is a program of Windows";
      break;
    default:
      verdict.outside = true;
      verdict.explanation = where + search.program +
                            " lies outside the medium: the checker cannot tell whether it is "
                            "there on the user's machine";
      break;
  }
  return verdict;
}

ActionVerdict Checker::JudgeOpen(const std::string& section, const std::string& key,
                                 const std::string& target) {
  const RunOutcome run = Simulate(platform_, [&] { OpenTarget(platform_, target); });
  const std::string where = "[" + section + "] " + key + " " + Quoted(target) + ": ";
  ActionVerdict verdict;
  verdict.failure = run.failure;
  if (run.failure) {
    verdict.certain = true;
    verdict.explanation = where +
                          "there is no such file or folder on the medium (a relative path is "
                          "taken from the current directory, the medium's root)";
  } else if (IsWebAddress(target)) {
    verdict.explanation = "a web address, opened with the program Windows associates with it";
  } else if (PlaceOf(target) == PathPlace::OtherDrive) {
    verdict.outside = true;
    verdict.explanation = where +
                          "it lies outside the medium: the checker cannot tell whether it is "
                          "there on the user's machine";
  } else if (const auto file = medium_.FindRelative(target)) {
    verdict.explanation = *file + " is on the medium";
  } else {
    verdict.explanation = "a folder on the medium";
  }
  return verdict;
}

Checker::CommandJudgement Checker::JudgeCommand(const std::string& section,
                                                const CommandKeys& keys) {
  // Other: the action for a machine without a key of its own.
  const Command command = ChooseCommand(
      ReadCommandValues(platform_, state_.profilePath, section, keys, Architecture::Other));
  if (command.kind == Command::Kind::Open) {
    return {command, keys.open, JudgeOpen(section, keys.open, command.text)};
  }
  return {command, keys.action, JudgeAction(section, keys.action, command.text)};
}

void Checker::CheckCommandExtras(const std::string& section, const CommandKeys& keys,
                                 const std::string& subject) {
  for (const Architecture machine : {Architecture::X86, Architecture::X64, Architecture::Arm64}) {
    const std::string key = MachineKey(keys.action, machine);
    const std::string action = Value(section, key);
    if (action.empty()) continue;
    const int line = LineOf(section, key);
    const ActionVerdict verdict = JudgeAction(section, key, action);
    const std::string on = "on " + ArchitectureName(machine) + " Windows ";
    if (verdict.failure) {
      Add(Severity::Warning, line,
          on + subject + " would end in " + Quoted(FailureName(verdict.failure->Kind())) + ": " +
              verdict.explanation);
    } else if (verdict.outside) {
      Add(Severity::Warning, line, verdict.explanation);
    } else {
      Add(Severity::Note, line,
          on + "the launcher runs " + key + " " + Quoted(LowerCaseLikeWindows(action)) +
              (verdict.exits ? " (ends the launcher)" : " (" + verdict.explanation + ")") +
              " instead");
    }
  }
  if (!Value(section, keys.action).empty() && !Value(section, keys.open).empty()) {
    Add(Severity::Warning, LineOf(section, keys.open),
        "[" + section + "] " + keys.open + " has no effect: the launcher opens it only where " +
            keys.action + " is empty");
  }
}

void Checker::CheckHeadless() {
  const CommandJudgement judged = JudgeCommand(kDialogSection, kDefaultCommandKeys);
  const std::string& key = judged.key;
  const ActionVerdict& verdict = judged.verdict;
  const int line = LineOf(kDialogSection, key);
  if (verdict.failure) {
    // The launcher reads what to open last of the keys, then fails.
    AddFailure(line, {kDialogSection, kDefaultCommandKeys.open}, *verdict.failure,
               verdict.explanation);
  } else if (verdict.exits) {
    Add(Severity::Note, line, "DefaultAction is \"exit\": the launcher starts nothing and ends");
  } else if (verdict.outside) {
    Add(Severity::Warning, line, verdict.explanation);
  } else if (judged.command.kind == Command::Kind::Open) {
    Add(Severity::Note, line,
        "the launcher opens " + Quoted(judged.command.text) + " (" + verdict.explanation +
            ") and ends");
  } else {
    Add(Severity::Note, line,
        "the launcher starts " + Quoted(LowerCaseLikeWindows(judged.command.text)) + " (" +
            verdict.explanation + ") and ends");
  }
  CheckCommandExtras(kDialogSection, kDefaultCommandKeys, "the launcher");
}

}  // namespace orvex::check
