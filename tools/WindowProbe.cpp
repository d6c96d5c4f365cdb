// window-probe PROGRAM.exe: what the running program's top-level window
// shows, for autorun-medium's preview, which cannot read a Wine window's
// controls from X. Prints one line of JSON members: the visible buttons in
// creation order with their captions and places in the client area, and for
// a message box its text. Exit status 1 when the program shows no window.
#include <windows.h>

#include <string>
#include <vector>

#include "platform/win32/ScopedWin.h"
#include "platform/win32/WideText.h"
#include "tools/check/Report.h"

namespace {

using orvex::check::Json;
using orvex::win32::Narrow;
using orvex::win32::ScopedHandle;

std::wstring Text(HWND window) {
  std::wstring text(GetWindowTextLengthW(window) + 1, L'\0');
  text.resize(GetWindowTextW(window, text.data(), static_cast<int>(text.size())));
  return text;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

bool StartedFrom(HWND window, const std::wstring& program) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  const ScopedHandle handle(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process));
  wchar_t path[MAX_PATH + 1] = {};
  DWORD length = MAX_PATH;
  if (!handle.Valid() || !QueryFullProcessImageNameW(handle.Get(), 0, path, &length)) return false;
  const std::wstring image(path, length);
  const std::wstring name = image.substr(image.find_last_of(L"\\/") + 1);
  return CompareStringOrdinal(name.c_str(), -1, program.c_str(), -1, TRUE) == CSTR_EQUAL;
}

struct Search {
  std::wstring program;
  std::vector<HWND> windows;  // top first
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM search) {
  auto& found = *reinterpret_cast<Search*>(search);
  if (IsWindowVisible(window) && StartedFrom(window, found.program))
    found.windows.push_back(window);
  return TRUE;
}

BOOL CALLBACK CollectButton(HWND control, LPARAM buttons) {
  if (IsWindowVisible(control) &&
      CompareStringOrdinal(ClassOf(control).c_str(), -1, L"Button", -1, TRUE) == CSTR_EQUAL)
    reinterpret_cast<std::vector<HWND>*>(buttons)->push_back(control);
  return TRUE;
}

std::string ButtonJson(HWND button) {
  RECT place{};
  GetWindowRect(button, &place);
  MapWindowPoints(nullptr, GetParent(button), reinterpret_cast<POINT*>(&place), 2);
  return "{\"caption\": " + Json(Narrow(Text(button))) + ", \"x\": " + std::to_string(place.left) +
         ", \"y\": " + std::to_string(place.top) +
         ", \"width\": " + std::to_string(place.right - place.left) +
         ", \"height\": " + std::to_string(place.bottom - place.top) + "}";
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) return 2;
  Search search{argv[1], {}};
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
  if (search.windows.empty()) return 1;
  // A message box stands above the window that owns it.
  HWND window = search.windows.front();
  std::string line;
  if (ClassOf(window) == L"#32770") {
    // The message box's text is its static control with the id -1.
    line = "\"text\": " + Json(Narrow(Text(GetDlgItem(window, 0xFFFF)))) + ", ";
  }
  std::vector<HWND> buttons;
  EnumChildWindows(window, CollectButton, reinterpret_cast<LPARAM>(&buttons));
  line += "\"buttons\": [";
  for (size_t index = 0; index < buttons.size(); ++index)
    line += (index ? ", " : "") + ButtonJson(buttons[index]);
  line += "]\n";
  // The bytes as they are: no code page or line-end translation on the way.
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), line.data(), static_cast<DWORD>(line.size()), &written,
            nullptr);
  return 0;
}
