// Actions: what the launcher does with a command line, found by running its
// own RunAction on the checking platform.
#include "launcher/ActionRunner.h"
#include "platform/DeviceName.h"
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

void Checker::CheckHeadless() {
  const std::string action = Value(kDialogSection, "DefaultAction");
  const int line = LineOf(kDialogSection, "DefaultAction");
  const ActionVerdict verdict = JudgeAction(kDialogSection, "DefaultAction", action);
  if (verdict.failure) {
    AddFailure(line, {kDialogSection, "DefaultAction"}, *verdict.failure, verdict.explanation);
  } else if (verdict.exits) {
    Add(Severity::Note, line, "DefaultAction is \"exit\": the launcher starts nothing and ends");
  } else if (verdict.outside) {
    Add(Severity::Warning, line, verdict.explanation);
  } else {
    Add(Severity::Note, line,
        "the launcher starts " + Quoted(LowerCaseLikeWindows(action)) + " (" + verdict.explanation +
            ") and ends");
  }
}

}  // namespace orvex::check
