// Where the launcher would find the program of a command line it starts:
// the way Windows' CreateProcess looks for it, with the launcher's own
// folder and the current directory both being the medium's root.
#pragma once

#include <string>

#include "tools/check/MediumFolder.h"

namespace orvex::check {

enum class ProgramPlace {
  OnMedium,       // a program file on the medium
  SystemProgram,  // a program every Windows keeps in its system folders
  NotAProgram,    // a file on the medium, but a document rather than a program
  NotRunnable,    // a program file on the medium that Windows refuses to start
  OutsideMedium,  // a path to another drive or a share: the checker cannot look there
  Missing,        // nowhere the launcher looks, as far as the checker can tell
  Blank,          // the command line names no program at all
};

struct ProgramSearch {
  ProgramPlace place = ProgramPlace::Missing;
  // The program as the command line names it.
  std::string program;
  // OnMedium, NotAProgram and NotRunnable: the file below the root
  // ("setup/install.exe").
  std::string found;
  // NotRunnable: why Windows refuses the file; Missing: why the command
  // line names no file that could be there, where it is not plain.
  std::string why;
};

// commandLine as the launcher gives it to the system (lower-cased). As
// CreateProcess without an application name takes it: a line that begins
// with a double quote names the program up to the next one; any other line
// is tried word by word, each longer prefix ending before a blank, blanks
// at its start included. A file found is judged by its header
// (ProgramFile.h).
ProgramSearch FindProgram(const MediumFolder& medium, const std::string& commandLine);

}  // namespace orvex::check
