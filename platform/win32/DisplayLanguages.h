// The user's display languages and what the system knows about a language.
// The functions used came with Vista and the locale data with Windows 7;
// they are looked up, so that where one is missing the launcher simply
// finds no language profile.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace orvex::win32 {

// GetUserPreferredUILanguages with MUI_LANGUAGE_NAME, most preferred first,
// in UTF-8.
std::vector<std::string> UserDisplayLanguages();

// LOCALE_SPARENT of the language; empty for none or an unknown name.
std::wstring ParentOfLanguage(const std::wstring& language);

// LOCALE_IREADINGLAYOUT of the language is right to left.
bool ReadsRightToLeft(const std::wstring& language);

// The command line without the program's name, as the system splits it off.
std::wstring ArgumentsAfterProgramName(const wchar_t* commandLine);

}  // namespace orvex::win32
