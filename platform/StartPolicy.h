// Decisions taken when a command line is started, kept apart from the Win32
// calls so that they can be tested anywhere.
#pragma once

#include <string>

namespace orvex {

// Why the system refused a start, as far as these decisions care. The
// Windows layer translates its error codes into these where they arise.
enum class StartRefusal {
  NeedsElevation,  // the program asks for administrator rights
  Declined,        // the user said no to the elevation prompt
  Other,
};

enum class StartFailureStep {
  // The program needs administrator rights: ask through the shell's
  // elevation prompt instead. Setup programs on a medium mostly do.
  Elevate,
  Fail,
};

StartFailureStep OnCreateProcessError(StartRefusal refusal);

enum class ElevationFailureStep {
  EndQuietly,  // the user said no to the prompt: not a fault of the medium
  Fail,
};

ElevationFailureStep OnElevationError(StartRefusal refusal);

// The window the elevation prompt belongs to. Without one Windows may only
// flash the prompt in the taskbar, behind the window the user looks at.
enum class PromptOwner {
  LauncherWindow,
  ForegroundWindow,  // headless: whatever is in front (AutoPlay, Explorer), or none
};

PromptOwner ChoosePromptOwner(bool launcherWindowShown);

// A command line divided as the system divides it: the first word, or the
// text between a leading pair of double quotes, is the program; the rest,
// after the blanks that follow the program, are its arguments.
struct SplitCommand {
  std::string program;
  std::string arguments;
};

SplitCommand SplitCommandLine(const std::string& commandLine);

}  // namespace orvex
