// Conversions between the core's UTF-8 and the wide-character API.
#pragma once

#include <windows.h>

#include <string>

namespace orvex::win32 {

// From UTF-8, or from the given code page (CP_ACP: the ANSI code page).
std::wstring Widen(const std::string& text, UINT codePage = CP_UTF8);
std::string Narrow(const std::wstring& wide);
std::string Narrow(const wchar_t* wide, int length);

// The system's own text for an error code, without the trailing line end.
std::string SystemErrorText(DWORD error);

// The absolute path the system makes of a path; the path itself when it
// cannot.
std::wstring FullPath(const std::wstring& path);

// A path the file functions accept whatever its length (ExtendedForm), with
// Windows' separators (WithBackslashes).
std::wstring ExtendedPath(const std::wstring& path);

}  // namespace orvex::win32
