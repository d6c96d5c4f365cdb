// The launcher window frmSplash: a fixed dialog-style window with a
// background colour, a picture and the four buttons of Button.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <string>

#include "platform/PlatformServices.h"
#include "platform/win32/ScopedWin.h"

namespace orvex::win32 {

// Control identifiers of Button(0) to Button(3). Kept clear of IDOK and
// IDCANCEL, which the dialog keys send.
inline constexpr int kFirstButtonId = 1000;

class SplashWindow {
 public:
  // The window of the design, hidden. The system window is made on first
  // use, so that a run that never touches the window never makes one.
  explicit SplashWindow(HINSTANCE instance);
  SplashWindow(const SplashWindow&) = delete;
  SplashWindow& operator=(const SplashWindow&) = delete;
  ~SplashWindow();

  // The handlers must not throw: they run inside the window procedure.
  void SetHandlers(std::function<void(int)> onClick, std::function<void()> onClose);
  // For a window that stays open: the window has become active again after
  // being left, and a watched program (by its tag) has ended. Must not
  // throw either.
  void SetStayOpenHandlers(std::function<void()> onActivated,
                           std::function<void(int)> onProgramEnded);
  // Keeps the process's handle until the program ends, then tells
  // onProgramEnded; false, keeping nothing, when it watches too many.
  bool Watch(ScopedHandle process, int tag);

  // Null until the window is made.
  HWND Handle() const { return window_; }

  void SetColour(COLORREF colour);
  void SetPicture(PicturePtr picture);
  void SetTitle(const std::wstring& title);
  void SetButtonCaption(int index, const std::wstring& caption);
  // Title and captions read right to left; the layout stays as it is.
  void UseRightToLeftReading();
  void SetButtonVisible(int index, bool visible);
  void SetButtonLeft(int index, int twips);
  void SetButtonWidth(int index, int twips);
  void SetButtonEnabled(int index, bool enabled);

  // Shows the window and runs its messages until the process ends.
  int ShowAndRun();

 private:
  HWND Window();
  void Create();
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void PaintBackground(HDC target, const RECT& area) const;
  void Paint();
  void MoveButton(int index, int leftTwips, int widthTwips);
  void MakeDefault(HWND button);
  HWND FirstVisibleButton() const;
  // Waits for a message, or for the end of a watched program, whose
  // handler it runs.
  void WaitForMessageOrEnd();
  int ButtonIndex(HWND control) const;

  HINSTANCE instance_;
  HWND window_ = nullptr;
  std::array<HWND, 4> buttons_{};
  std::array<int, 4> leftTwips_{};
  std::array<int, 4> widthTwips_{};
  int dpi_ = 96;
  ScopedFont font_;
  ScopedBrush brush_;
  PicturePtr picture_;
  HWND savedFocus_ = nullptr;
  std::function<void(int)> onClick_;
  std::function<void()> onClose_;
  std::function<void()> onActivated_;
  std::function<void(int)> onProgramEnded_;
  // Programs started from the window, with their tags; MsgWaitForMultiple-
  // Objects takes one handle fewer than the maximum.
  static constexpr size_t kMostWatched = MAXIMUM_WAIT_OBJECTS - 1;
  std::array<ScopedHandle, kMostWatched> watched_;
  std::array<int, kMostWatched> watchedTags_{};
  size_t watchedCount_ = 0;
  bool wasInactive_ = false;
};

}  // namespace orvex::win32
