// The demo medium's stand-in for a product installer: it only shows how it
// was started, so that a click on a launcher button can be seen to arrive.
#include <windows.h>

#include <string>

namespace {

std::wstring CurrentDirectory() {
  const DWORD length = GetCurrentDirectoryW(0, nullptr);
  if (length == 0) return L"(unknown)";
  std::wstring directory(length, L'\0');
  directory.resize(GetCurrentDirectoryW(length, directory.data()));
  return directory;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  const std::wstring text =
      L"This is the demo installer of the Orvex Demo Suite.\n"
      L"A real medium starts its product's setup program here.\n\n"
      L"Command line:\n" +
      std::wstring(GetCommandLineW()) + L"\n\nCurrent directory:\n" + CurrentDirectory();
  MessageBoxW(nullptr, text.c_str(), L"Orvex Demo Suite Setup",
              MB_OK | MB_ICONINFORMATION | MB_SETFOREGROUND);
  return 0;
}
