#include "Modules.h"

// after windows.h
#include <psapi.h>

#include <algorithm>

#include "Harness.h"

namespace winetest {

std::wstring FileName(const std::wstring& path) {
  return path.substr(path.find_last_of(L'\\') + 1);
}

std::vector<std::wstring> LoadedModules(DWORD processId) {
  std::vector<std::wstring> paths;
  const ScopedHandle process(
      OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId));
  if (!process.Valid()) return paths;
  std::vector<HMODULE> modules(1024);
  DWORD needed = 0;
  if (EnumProcessModules(process.Get(), modules.data(),
                         static_cast<DWORD>(modules.size() * sizeof(HMODULE)), &needed)) {
    modules.resize(std::min<std::size_t>(modules.size(), needed / sizeof(HMODULE)));
    for (HMODULE module : modules) {
      wchar_t path[MAX_PATH] = {};
      if (GetModuleFileNameExW(process.Get(), module, path, MAX_PATH)) paths.push_back(Lower(path));
    }
  }
  return paths;
}

}  // namespace winetest
