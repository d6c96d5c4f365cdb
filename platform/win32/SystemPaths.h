// The folders the system names for this process.
#pragma once

#include <string>

namespace orvex::win32 {

// The full path of the launcher's own executable.
std::wstring ModulePath();
// The absolute path of the current directory, "\" at the end only at a root.
std::wstring CurrentDirectory();
std::wstring SystemDirectory();
std::wstring WindowsDirectory();
// SysWOW64 for a 32-bit process on 64-bit Windows; empty elsewhere.
std::wstring Wow64SystemDirectory();

}  // namespace orvex::win32
