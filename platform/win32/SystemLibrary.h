#pragma once

#include "platform/win32/ScopedWin.h"

namespace orvex::win32 {

// Loads a DLL from the system directory only, never from the medium or the
// current directory. Fails with "Cannot create object".
ScopedModule LoadSystemLibrary(const wchar_t* name);

// Restricts the DLL search of this process to the system directory, where
// the system supports it, and takes the current directory out of it.
void HardenDllSearch();

}  // namespace orvex::win32
