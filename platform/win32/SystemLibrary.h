#pragma once

#include "platform/win32/ScopedWin.h"

namespace orvex::win32 {

// Loads a DLL from the system directory only, never from the medium or the
// current directory. Fails with "Cannot create object".
ScopedModule LoadSystemLibrary(const wchar_t* name);
// The same without failing: an invalid module when it cannot be loaded.
ScopedModule TryLoadSystemLibrary(const wchar_t* name);

// Restricts the DLL search of this process to the system directory, where
// the system supports it, and takes the current directory out of it. The
// first thing the program does.
void HardenDllSearch();

// Loads the DLLs of the window system that would otherwise be searched for
// by name, from the system directory. Before the first window or message
// box.
void LoadWindowLibraries();

// Turns the input method off for the calling thread, before its first
// window: the launcher takes no text input, so it needs no IME window.
// Nothing happens where the input method library is not loaded.
void DisableInputMethod();

// Loads the Common Controls of the manifest (version 6, the current visual
// style) and registers the standard control classes, before the first
// button is made. Best effort: without them the buttons keep the classic
// look. Stays loaded until the process ends.
void LoadCommonControls();

}  // namespace orvex::win32
