#pragma once

#include <windows.h>

#include <string>

#include "platform/win32/ScopedWin.h"

namespace orvex::win32 {

enum class StartResult { Started, Declined };

// Starts the command line as the system would: the program is searched for
// in the launcher's directory first, then the current directory, the system
// directories and the path. A program that needs administrator rights is
// started through the elevation prompt; Declined means the user said no.
// The prompt belongs to launcherWindow, or, where that is null (not shown),
// to the window in front. Other failures throw "File not found" with the
// system's reason. With keep, the started process's handle goes there
// (where the system gives one).
StartResult StartCommandLine(const std::string& commandLine, HWND launcherWindow,
                             ScopedHandle* keep = nullptr);

// Opens a document, folder or web address with the program the system
// associates with it, as Explorer does: a path as its full path, a web
// address as written. Where no program is associated, the system's own
// choice of program appears; Declined means the user cancelled it (or an
// elevation prompt). Other failures throw "File not found" with the
// system's reason.
StartResult OpenWithShell(const std::string& target, HWND launcherWindow);

}  // namespace orvex::win32
