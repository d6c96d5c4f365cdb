#include "platform/win32/SplashWindow.h"

#include <optional>
#include <span>

#include "launcher/Design.h"
#include "platform/Failure.h"
#include "platform/Twips.h"
#include "platform/WindowPlacement.h"
#include "platform/win32/Picture.h"
#include "platform/win32/SystemLibrary.h"
#include "platform/win32/WideText.h"

namespace orvex::win32 {

namespace {

constexpr wchar_t kClassName[] = L"OrvexAutorunSplash";
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_APPWINDOW;
constexpr int kApplicationIconId = 1;

COLORREF DesignColour() { return static_cast<COLORREF>(kDesignColour); }

int ScreenDotsPerInch() {
  const ScopedScreenDc screen;
  const int dpi = GetDeviceCaps(screen.Get(), LOGPIXELSY);
  return dpi > 0 ? dpi : 96;
}

ScopedFont MessageFont() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
    return ScopedFont(CreateFontIndirectW(&metrics.lfMessageFont));
  }
  return ScopedFont();
}

void RegisterSplashClass(HINSTANCE instance, WNDPROC procedure) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(kApplicationIconId),
                                                    IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                                                    GetSystemMetrics(SM_CYICON), LR_DEFAULTCOLOR));
  windowClass.hIconSm = static_cast<HICON>(
      LoadImageW(instance, MAKEINTRESOURCEW(kApplicationIconId), IMAGE_ICON,
                 GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
  windowClass.lpszClassName = kClassName;
  RegisterClassExW(&windowClass);
}

ScreenRect ToScreenRect(const RECT& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

// Enough for any desk; monitors beyond these are left out of the choice.
struct MonitorList {
  std::array<Monitor, 16> monitors;
  size_t count = 0;
};

BOOL CALLBACK AddMonitor(HMONITOR handle, HDC, LPRECT, LPARAM list) {
  auto& found = *reinterpret_cast<MonitorList*>(list);
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (found.count < found.monitors.size() && GetMonitorInfoW(handle, &info)) {
    found.monitors[found.count++] = {ToScreenRect(info.rcMonitor), ToScreenRect(info.rcWork),
                                     (info.dwFlags & MONITORINFOF_PRIMARY) != 0};
  }
  return TRUE;
}

// Where the user is looking: AutoPlay's prompt or Explorer is in front when
// the launcher starts.
POINT StartPosition(int width, int height) {
  MonitorList list;
  EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&list));
  if (list.count == 0) {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    list.monitors[list.count++] = {ToScreenRect(work), ToScreenRect(work), true};
  }
  std::optional<ScreenRect> foreground;
  RECT frame{};
  if (HWND window = GetForegroundWindow(); window && GetWindowRect(window, &frame)) {
    foreground = ToScreenRect(frame);
  }
  const ScreenPoint at = CentredWindowPosition(
      std::span<const Monitor>(list.monitors.data(), list.count), foreground, width, height);
  return {at.x, at.y};
}

}  // namespace

SplashWindow::SplashWindow(HINSTANCE instance) : instance_(instance) {}

// Headless runs never get here: creating the first window is what connects a
// program to the display (and, under Wine, starts its X11 driver), the most
// expensive part of its start-up.
HWND SplashWindow::Window() {
  if (!window_) Create();
  return window_;
}

void SplashWindow::Create() {
  LoadWindowLibraries();
  dpi_ = ScreenDotsPerInch();
  font_ = MessageFont();
  brush_ = ScopedBrush(CreateSolidBrush(DesignColour()));
  RegisterSplashClass(instance_, &SplashWindow::WindowProc);
  RECT frame{0, 0, TwipsToPixels(kClientWidthTwips, dpi_), TwipsToPixels(kClientHeightTwips, dpi_)};
  AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  // Centred from the start, so the window never jumps.
  const POINT at = StartPosition(width, height);
  DisableInputMethod();
  // The window procedure keeps window_ from WM_NCCREATE on.
  if (!CreateWindowExW(kExStyle, kClassName, Widen(kDesignTitle).c_str(), kStyle, at.x, at.y, width,
                       height, nullptr, nullptr, instance_, this)) {
    window_ = nullptr;
    throw Failure(FailureKind::CannotCreateObject,
                  "The launcher window could not be created: " + SystemErrorText(GetLastError()));
  }

  // Before the first button, so that it is a Common Controls 6 button.
  LoadCommonControls();
  const std::wstring caption = Widen(kDesignButtonCaption);
  for (int index = 0; index < kButtonCount; ++index) {
    const ButtonGeometry& design = kDesignButtons[index];
    const DWORD kind = index == 0 ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    buttons_[index] = CreateWindowExW(
        0, L"BUTTON", caption.c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_NOTIFY | kind,
        TwipsToPixels(design.left, dpi_), TwipsToPixels(design.top, dpi_),
        TwipsToPixels(design.width, dpi_), TwipsToPixels(design.height, dpi_), window_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstButtonId + index)), instance_, nullptr);
    leftTwips_[index] = design.left;
    widthTwips_[index] = design.width;
    if (font_.Valid()) SendMessageW(buttons_[index], WM_SETFONT, WPARAM(font_.Get()), FALSE);
  }
}

SplashWindow::~SplashWindow() {
  if (window_) DestroyWindow(window_);
}

void SplashWindow::SetHandlers(std::function<void(int)> onClick, std::function<void()> onClose) {
  onClick_ = std::move(onClick);
  onClose_ = std::move(onClose);
}

void SplashWindow::SetStayOpenHandlers(std::function<void()> onActivated,
                                       std::function<void(int)> onProgramEnded) {
  onActivated_ = std::move(onActivated);
  onProgramEnded_ = std::move(onProgramEnded);
}

bool SplashWindow::Watch(ScopedHandle process, int tag) {
  if (watchedCount_ == kMostWatched) return false;
  watched_[watchedCount_] = std::move(process);
  watchedTags_[watchedCount_++] = tag;
  return true;
}

void SplashWindow::SetColour(COLORREF colour) {
  Window();
  brush_ = ScopedBrush(CreateSolidBrush(colour));
  InvalidateRect(window_, nullptr, FALSE);
}

void SplashWindow::SetPicture(PicturePtr picture) {
  Window();
  picture_ = std::move(picture);
  InvalidateRect(window_, nullptr, FALSE);
}

void SplashWindow::SetTitle(const std::wstring& title) { SetWindowTextW(Window(), title.c_str()); }

void SplashWindow::SetButtonCaption(int index, const std::wstring& caption) {
  Window();
  SetWindowTextW(buttons_.at(index), caption.c_str());
}

void SplashWindow::UseRightToLeftReading() {
  Window();
  for (HWND control : {window_, buttons_[0], buttons_[1], buttons_[2], buttons_[3]}) {
    SetWindowLongPtrW(control, GWL_EXSTYLE,
                      GetWindowLongPtrW(control, GWL_EXSTYLE) | WS_EX_RTLREADING);
  }
  // The title bar takes the new style when the frame is drawn again.
  SetWindowPos(window_, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void SplashWindow::SetButtonVisible(int index, bool visible) {
  Window();
  ShowWindow(buttons_.at(index), visible ? SW_SHOWNA : SW_HIDE);
}

void SplashWindow::SetButtonLeft(int index, int twips) {
  MoveButton(index, twips, widthTwips_.at(index));
}

void SplashWindow::SetButtonWidth(int index, int twips) {
  MoveButton(index, leftTwips_.at(index), twips);
}

void SplashWindow::SetButtonEnabled(int index, bool enabled) {
  Window();
  HWND button = buttons_.at(index);
  const bool hadFocus = GetFocus() == button;
  EnableWindow(button, enabled);
  if (!enabled && hadFocus) {
    HWND next = FirstVisibleButton();
    SetFocus(next ? next : window_);
  }
}

void SplashWindow::MoveButton(int index, int leftTwips, int widthTwips) {
  Window();
  const ButtonGeometry& design = kDesignButtons.at(index);
  leftTwips_[index] = leftTwips;
  widthTwips_[index] = widthTwips;
  SetWindowPos(buttons_[index], nullptr, TwipsToPixels(leftTwips, dpi_),
               TwipsToPixels(design.top, dpi_), TwipsToPixels(widthTwips, dpi_),
               TwipsToPixels(design.height, dpi_), SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND SplashWindow::FirstVisibleButton() const {
  for (HWND button : buttons_) {
    const LONG style = GetWindowLongW(button, GWL_STYLE);
    if ((style & WS_VISIBLE) && !(style & WS_DISABLED)) return button;
  }
  return nullptr;
}

int SplashWindow::ButtonIndex(HWND control) const {
  for (int index = 0; index < kButtonCount; ++index) {
    if (buttons_[index] == control) return index;
  }
  return -1;
}

// As in a dialog, the focused button is the one Enter presses, and the frame
// of the default button moves with the focus.
void SplashWindow::MakeDefault(HWND target) {
  for (HWND button : buttons_) {
    const LONG_PTR kind = button == target ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    SendMessageW(button, BM_SETSTYLE, kind, TRUE);
  }
}

int SplashWindow::ShowAndRun() {
  ShowWindow(Window(), SW_SHOWNORMAL);
  SetForegroundWindow(window_);
  HWND first = FirstVisibleButton();
  SetFocus(first ? first : window_);
  UpdateWindow(window_);
  MSG message;
  for (;;) {
    if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      WaitForMessageOrEnd();
      continue;
    }
    if (message.message == WM_QUIT) return static_cast<int>(message.wParam);
    if (IsDialogMessageW(window_, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

void SplashWindow::WaitForMessageOrEnd() {
  std::array<HANDLE, kMostWatched> handles{};
  for (size_t index = 0; index < watchedCount_; ++index) handles[index] = watched_[index].Get();
  const DWORD count = static_cast<DWORD>(watchedCount_);
  const DWORD woken = MsgWaitForMultipleObjectsEx(count, handles.data(), INFINITE, QS_ALLINPUT,
                                                  MWMO_INPUTAVAILABLE);
  if (woken >= WAIT_OBJECT_0 + count) return;
  // The last one takes the ended one's place (closing its handle).
  const size_t ended = woken - WAIT_OBJECT_0;
  const int tag = watchedTags_[ended];
  --watchedCount_;
  watched_[ended] = std::move(watched_[watchedCount_]);
  watched_[watchedCount_].Reset();
  watchedTags_[ended] = watchedTags_[watchedCount_];
  if (onProgramEnded_) onProgramEnded_(tag);
}

// The background colour with the picture over it, in client coordinates.
void SplashWindow::PaintBackground(HDC target, const RECT& area) const {
  FillRect(target, &area, brush_.Get());
  if (!picture_) return;
  ScopedMemoryDc source(CreateCompatibleDC(target));
  ScopedSelect selectPicture(source.Get(), picture_->Bitmap());
  const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  GdiAlphaBlend(target, 0, 0, picture_->Width(), picture_->Height(), source.Get(), 0, 0,
                picture_->Width(), picture_->Height(), blend);
}

void SplashWindow::Paint() {
  PAINTSTRUCT paint;
  HDC screen = BeginPaint(window_, &paint);
  const RECT& area = paint.rcPaint;
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  if (width > 0 && height > 0) {
    // Background and picture are composed off screen and copied once, so
    // nothing flickers when the window is uncovered.
    ScopedMemoryDc buffer(CreateCompatibleDC(screen));
    ScopedBitmap canvas(CreateCompatibleBitmap(screen, width, height));
    {
      ScopedSelect selectCanvas(buffer.Get(), canvas.Get());
      SetWindowOrgEx(buffer.Get(), area.left, area.top, nullptr);
      PaintBackground(buffer.Get(), area);
      BitBlt(screen, area.left, area.top, width, height, buffer.Get(), area.left, area.top,
             SRCCOPY);
    }
  }
  EndPaint(window_, &paint);
}

LRESULT CALLBACK SplashWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self =
        static_cast<SplashWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<SplashWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  return self->HandleMessage(message, wParam, lParam);
}

LRESULT SplashWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    // Themed buttons are see-through at their rounded corners: they ask for
    // what lies under them (WM_ERASEBKGND and WM_PRINTCLIENT on their own
    // DC) and then fill with the WM_CTLCOLORBTN brush, which must leave that
    // alone. The window's own erase is left to WM_PAINT, which covers every
    // pixel.
    case WM_ERASEBKGND:
    case WM_PRINTCLIENT: {
      const HDC target = reinterpret_cast<HDC>(wParam);
      if (message == WM_ERASEBKGND && WindowFromDC(target) == window_) return 1;
      RECT client{};
      GetClientRect(window_, &client);
      PaintBackground(target, client);
      return 1;
    }
    case WM_PAINT: Paint(); return 0;
    case WM_CTLCOLORBTN: return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
    case WM_CLOSE:
      if (onClose_) onClose_();
      return 0;
    case WM_ACTIVATE:
      // Keep the focus on the same button when the window is left and
      // entered again.
      if (LOWORD(wParam) == WA_INACTIVE) {
        savedFocus_ = GetFocus();
        wasInactive_ = true;
      } else {
        // Back from another window, perhaps a finished setup: the buttons
        // may change before the focus returns to one of them.
        if (wasInactive_ && onActivated_) onActivated_();
        const bool usable = ButtonIndex(savedFocus_) >= 0 && IsWindowVisible(savedFocus_) &&
                            IsWindowEnabled(savedFocus_);
        HWND target = usable ? savedFocus_ : FirstVisibleButton();
        SetFocus(target ? target : window_);
      }
      return 0;
    case DM_GETDEFID: {
      // A hidden Button(0) is no default: with no buttons at all, Enter
      // must not run an empty action.
      const int focused = ButtonIndex(GetFocus());
      if (focused >= 0) return MAKELRESULT(kFirstButtonId + focused, DC_HASDEFID);
      if (FirstVisibleButton() == buttons_[0]) {
        return MAKELRESULT(kFirstButtonId, DC_HASDEFID);
      }
      return 0;
    }
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      const int code = HIWORD(wParam);
      if (id == IDCANCEL) {  // Esc closes the window, as the close box does
        if (onClose_) onClose_();
        return 0;
      }
      const int index = id - kFirstButtonId;
      if (index < 0 || index >= kButtonCount) return 0;
      if (code == BN_SETFOCUS) {
        MakeDefault(buttons_[index]);
      } else if (code == BN_CLICKED && IsWindowVisible(buttons_[index]) &&
                 IsWindowEnabled(buttons_[index]) && onClick_) {
        onClick_(index);
      }
      return 0;
    }
    default: return DefWindowProcW(window_, message, wParam, lParam);
  }
}

}  // namespace orvex::win32
