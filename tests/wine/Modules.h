// The DLLs loaded in another process, as the tests of DLL loading see them.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace winetest {

// Full paths, in lower case; empty when the process cannot be read.
std::vector<std::wstring> LoadedModules(DWORD processId);

// The path's last part, "uxtheme.dll" of "c:\windows\system32\uxtheme.dll".
std::wstring FileName(const std::wstring& path);

}  // namespace winetest
