// A GUI program that imports comctl32, which is no KnownDLL:
// CheckExecutable.cmake must refuse it.
#include <windows.h>
// after windows.h
#include <commctrl.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  InitCommonControls();
  return 0;
}
