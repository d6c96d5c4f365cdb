#include "platform/win32/Registry.h"

#include <windows.h>

#include "platform/win32/SystemLibrary.h"

namespace orvex::win32 {

namespace {

using RegOpenKeyExFn = LONG(WINAPI*)(HKEY, const wchar_t*, DWORD, REGSAM, HKEY*);
using RegQueryValueExFn = LONG(WINAPI*)(HKEY, const wchar_t*, DWORD*, DWORD*, BYTE*, DWORD*);
using RegCloseKeyFn = LONG(WINAPI*)(HKEY);

// Loaded only for a profile that asks what is installed.
struct RegistryFunctions {
  ScopedModule module = TryLoadSystemLibrary(L"advapi32.dll");
  RegOpenKeyExFn open = Find<RegOpenKeyExFn>("RegOpenKeyExW");
  RegQueryValueExFn query = Find<RegQueryValueExFn>("RegQueryValueExW");
  RegCloseKeyFn close = Find<RegCloseKeyFn>("RegCloseKey");

  template <typename Function>
  Function Find(const char* name) const {
    if (!module.Valid()) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module.Get(), name)));
  }
  bool Usable() const { return open && query && close; }
};

const RegistryFunctions& Functions() {
  static const RegistryFunctions functions;
  return functions;
}

// An open key, closed with the loaded RegCloseKey.
class OpenKey {
 public:
  OpenKey(HKEY root, const std::wstring& key, REGSAM view) {
    if (Functions().open(root, key.c_str(), 0, KEY_QUERY_VALUE | view, &key_) != ERROR_SUCCESS) {
      key_ = nullptr;
    }
  }
  OpenKey(const OpenKey&) = delete;
  OpenKey& operator=(const OpenKey&) = delete;
  ~OpenKey() {
    if (key_) Functions().close(key_);
  }
  HKEY Get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

}  // namespace

bool RegistryEntryExists(RegistryHive hive, const std::wstring& key,
                         const std::optional<std::wstring>& valueName) {
  if (!Functions().Usable()) return false;
  const HKEY root = hive == RegistryHive::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
  for (const REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY}) {
    const OpenKey opened(root, key, view);
    if (!opened.Get()) continue;
    if (!valueName) return true;
    const LONG found =
        Functions().query(opened.Get(), valueName->c_str(), nullptr, nullptr, nullptr, nullptr);
    if (found == ERROR_SUCCESS || found == ERROR_MORE_DATA) return true;
  }
  return false;
}

}  // namespace orvex::win32
