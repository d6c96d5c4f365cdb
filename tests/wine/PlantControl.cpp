// The control of the planting test: a program with neither DLL-search
// hardening nor a manifest, which loads every DLL beside it by its bare
// name, as a careless program (or the system on its behalf) would. If the
// planted copies are not loaded here, the test's set-up is wrong and it
// proves nothing about the launcher.
#include <windows.h>

#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  wchar_t self[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return 2;
  std::wstring folder(self, length);
  folder.resize(folder.find_last_of(L'\\') + 1);
  WIN32_FIND_DATAW found{};
  const HANDLE search = FindFirstFileW((folder + L"*.dll").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return 3;
  do {
    LoadLibraryW(found.cFileName);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return 0;
}
