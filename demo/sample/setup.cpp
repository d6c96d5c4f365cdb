// The demo medium's stand-in for a product installer: it shows how it was
// started, so that a click on a launcher button can be seen to arrive, and
// records the installation under HKCU, as a real setup would, so that the
// launcher's Install button turns into Start. With "/start" it stands in for
// the installed product instead and records nothing.
#include <windows.h>

#include <cwchar>
#include <string>

namespace {

constexpr wchar_t kProductKey[] = L"Software\\Orvex Demo Suite";

std::wstring CurrentDirectory() {
  const DWORD length = GetCurrentDirectoryW(0, nullptr);
  if (length == 0) return L"(unknown)";
  std::wstring directory(length, L'\0');
  directory.resize(GetCurrentDirectoryW(length, directory.data()));
  return directory;
}

void RecordInstallation() {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kProductKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    return;
  }
  const wchar_t version[] = L"1.0";
  RegSetValueExW(key, L"Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version),
                 sizeof(version));
  RegCloseKey(key);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  const bool start = std::wcsstr(GetCommandLineW(), L"/start") != nullptr;
  const std::wstring text =
      std::wstring(start ? L"This is the Orvex Demo Suite, installed.\n"
                           L"A real medium starts its product here.\n\n"
                         : L"This is the demo installer of the Orvex Demo Suite.\n"
                           L"A real medium starts its product's setup program here.\n"
                           L"OK records the installation under HKEY_CURRENT_USER\\" +
                               std::wstring(kProductKey) + L".\n\n") +
      L"Command line:\n" + GetCommandLineW() + L"\n\nCurrent directory:\n" + CurrentDirectory();
  MessageBoxW(nullptr, text.c_str(), L"Orvex Demo Suite Setup",
              MB_OK | MB_ICONINFORMATION | MB_SETFOREGROUND);
  if (!start) RecordInstallation();
  return 0;
}
