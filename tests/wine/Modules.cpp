#include "Modules.h"

// after windows.h
#include <psapi.h>

#include <algorithm>

namespace winetest {

std::wstring Lower(std::wstring text) {
  CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

std::wstring FileName(const std::wstring& path) {
  return path.substr(path.find_last_of(L'\\') + 1);
}

std::vector<std::wstring> LoadedModules(DWORD processId) {
  std::vector<std::wstring> paths;
  const HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
  if (!process) return paths;
  std::vector<HMODULE> modules(1024);
  DWORD needed = 0;
  if (EnumProcessModules(process, modules.data(),
                         static_cast<DWORD>(modules.size() * sizeof(HMODULE)), &needed)) {
    modules.resize(std::min<std::size_t>(modules.size(), needed / sizeof(HMODULE)));
    for (HMODULE module : modules) {
      wchar_t path[MAX_PATH] = {};
      if (GetModuleFileNameExW(process, module, path, MAX_PATH)) paths.push_back(Lower(path));
    }
  }
  CloseHandle(process);
  return paths;
}

}  // namespace winetest
