// Reading the launcher window, sending it input and reading its pixels.
#include <algorithm>
#include <cstdlib>

#include "Harness.h"

namespace winetest {

namespace {

constexpr DWORD kSettleMs = 2000;
constexpr DWORD kForegroundMs = 2000;

// Returns once the window's thread is in its message loop, so input sent
// now is read by the loop and not lost in start-up.
void WaitUntilIdle(HWND window) {
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kSettleMs, &ignored);
}

void BringToFront(HWND window) {
  WaitUntilIdle(window);
  SetForegroundWindow(window);
  const ULONGLONG end = GetTickCount64() + kForegroundMs;
  while (GetForegroundWindow() != window && GetTickCount64() < end) Sleep(5);
  WaitUntilIdle(window);
}

INPUT Key(WORD virtualKey, bool up) {
  INPUT input{INPUT_KEYBOARD, {}};
  input.ki = {virtualKey, static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC)),
              up ? static_cast<DWORD>(KEYEVENTF_KEYUP) : 0u, 0, 0};
  return input;
}

INPUT Mouse(DWORD flags, LONG x, LONG y) {
  INPUT input{INPUT_MOUSE, {}};
  input.mi = {x, y, 0, flags, 0, 0};
  return input;
}

std::vector<COLORREF> ReadScreen(POINT origin, int width, int height) {
  std::vector<COLORREF> pixels;
  const orvex::win32::ScopedScreenDc screen;
  const orvex::win32::ScopedMemoryDc memory(CreateCompatibleDC(screen.Get()));
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(info.bmiHeader), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  const orvex::win32::ScopedBitmap bitmap(
      CreateDIBSection(memory.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap.Valid() || !bits) return pixels;
  const orvex::win32::ScopedSelect select(memory.Get(), bitmap.Get());
  BitBlt(memory.Get(), 0, 0, width, height, screen.Get(), origin.x, origin.y, SRCCOPY);
  GdiFlush();
  const auto* quads = static_cast<const RGBQUAD*>(bits);
  pixels.reserve(static_cast<size_t>(width) * height);
  for (size_t i = 0; i < static_cast<size_t>(width) * height; ++i) {
    pixels.push_back(RGB(quads[i].rgbRed, quads[i].rgbGreen, quads[i].rgbBlue));
  }
  return pixels;
}

// The first icon of an executable at the given size, drawn over black and
// over white: where both agree the icon is opaque.
struct IconImage {
  int size = 0;
  std::vector<COLORREF> overBlack;
  std::vector<COLORREF> overWhite;
};

BOOL CALLBACK TakeFirstName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR found) {
  *reinterpret_cast<LPCWSTR*>(found) = name;
  return FALSE;
}

std::vector<COLORREF> DrawIcon(HICON icon, int size, COLORREF background) {
  const orvex::win32::ScopedScreenDc screen;
  const orvex::win32::ScopedMemoryDc memory(CreateCompatibleDC(screen.Get()));
  const orvex::win32::ScopedBitmap bitmap(CreateCompatibleBitmap(screen.Get(), size, size));
  const orvex::win32::ScopedSelect select(memory.Get(), bitmap.Get());
  const orvex::win32::ScopedBrush brush(CreateSolidBrush(background));
  const RECT all{0, 0, size, size};
  FillRect(memory.Get(), &all, brush.Get());
  DrawIconEx(memory.Get(), 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
  std::vector<COLORREF> pixels;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) pixels.push_back(GetPixel(memory.Get(), x, y));
  }
  return pixels;
}

std::optional<IconImage> LoadFirstIcon(const std::wstring& executable, int size) {
  const orvex::win32::ScopedModule module(LoadLibraryExW(
      executable.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
  if (!module.Valid()) return std::nullopt;
  LPCWSTR name = nullptr;
  EnumResourceNamesW(module.Get(), RT_GROUP_ICON, TakeFirstName, reinterpret_cast<LONG_PTR>(&name));
  HICON icon = name ? static_cast<HICON>(LoadImageW(module.Get(), name, IMAGE_ICON, size, size, 0))
                    : nullptr;
  std::optional<IconImage> image;
  if (icon) {
    image = IconImage{size, DrawIcon(icon, size, RGB(0, 0, 0)),
                      DrawIcon(icon, size, RGB(255, 255, 255))};
    DestroyIcon(icon);
  }
  return image;
}

bool MatchesAt(const std::vector<COLORREF>& strip, int stripWidth, int left, int top,
               const IconImage& icon) {
  int opaque = 0;
  for (int y = 0; y < icon.size; ++y) {
    for (int x = 0; x < icon.size; ++x) {
      const size_t i = static_cast<size_t>(y) * icon.size + x;
      if (icon.overBlack[i] != icon.overWhite[i]) continue;
      ++opaque;
      const size_t s = static_cast<size_t>(top + y) * stripWidth + (left + x);
      if (strip[s] != icon.overBlack[i]) return false;
    }
  }
  return opaque > 0;
}

}  // namespace

std::wstring ClassOf(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return name;
}

std::wstring TextOf(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(
      static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

void PrintTo(const Rgb& colour, std::ostream* out) {
  *out << "RGB(" << colour.r << "," << colour.g << "," << colour.b << ")";
}

bool Near(const Rgb& a, const Rgb& b, int tolerance) {
  return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
         std::abs(a.b - b.b) <= tolerance;
}

std::string Bgr(const Rgb& colour) {
  return {static_cast<char>(colour.b), static_cast<char>(colour.g), static_cast<char>(colour.r)};
}

Rgb ClientImage::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width || y >= height) return {-1, -1, -1};
  const COLORREF pixel = pixels[static_cast<size_t>(y) * width + x];
  return {GetRValue(pixel), GetGValue(pixel), GetBValue(pixel)};
}

WindowInfo InspectWindow(HWND window) {
  WindowInfo info;
  info.handle = window;
  info.title = TextOf(window);
  RECT client{};
  GetClientRect(window, &client);
  info.client = {client.right - client.left, client.bottom - client.top};
  GetWindowRect(window, &info.frame);
  ClientToScreen(window, &info.clientOrigin);
  info.style = static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE));
  info.exStyle = static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE));
  // Child order is tab order, which is Button(0) to Button(3).
  size_t index = 0;
  for (HWND child = GetWindow(window, GW_CHILD); child && index < info.buttons.size();
       child = GetWindow(child, GW_HWNDNEXT)) {
    if (_wcsicmp(ClassOf(child).c_str(), L"Button") != 0) continue;
    ButtonInfo& button = info.buttons[index++];
    button.handle = child;
    button.visible = IsWindowVisible(child);
    GetWindowRect(child, &button.rect);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&button.rect), 2);
    button.caption = TextOf(child);
    button.isDefault = (GetWindowLongW(child, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    button.enabled = IsWindowEnabled(child);
  }
  return info;
}

bool CaptionShowsIcon(HWND window, const std::wstring& executable) {
  const int size = GetSystemMetrics(SM_CXSMICON);
  const auto icon = LoadFirstIcon(executable, size);
  if (!icon) return false;
  RECT frame{};
  GetWindowRect(window, &frame);
  POINT client{};
  ClientToScreen(window, &client);
  // The caption is the frame's strip above the client area; the icon is at
  // its left end.
  const int width = std::min<int>(frame.right - frame.left, 4 * size);
  const int height = client.y - frame.top;
  if (height < size) return false;
  WaitUntilIdle(window);
  const ULONGLONG end = GetTickCount64() + kSettleMs;
  do {
    const std::vector<COLORREF> strip = ReadScreen({frame.left, frame.top}, width, height);
    for (int top = 0; top + size <= height; ++top) {
      for (int left = 0; left + size <= width; ++left) {
        if (MatchesAt(strip, width, left, top, *icon)) return true;
      }
    }
    Sleep(50);
  } while (GetTickCount64() < end);
  return false;
}

void RequestClose(HWND window) { PostMessageW(window, WM_CLOSE, 0, 0); }

void ClickAt(HWND window, POINT clientPoint) {
  BringToFront(window);
  POINT screen = clientPoint;
  ClientToScreen(window, &screen);
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  const LONG x = MulDiv(screen.x, 65535, width - 1);
  const LONG y = MulDiv(screen.y, 65535, height - 1);
  // The pointer first, and the press only once the system has it there.
  INPUT move = Mouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, x, y);
  SendInput(1, &move, sizeof(INPUT));
  const ULONGLONG end = GetTickCount64() + kForegroundMs;
  POINT at{};
  while (GetCursorPos(&at) && (at.x != screen.x || at.y != screen.y) && GetTickCount64() < end) {
    Sleep(5);
  }
  WaitUntilIdle(window);
  INPUT press[] = {
      Mouse(MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE, x, y),
      Mouse(MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE, x, y),
  };
  SendInput(2, press, sizeof(INPUT));
}

void ClickButton(HWND window, const ButtonInfo& button) {
  ClickAt(window,
          {(button.rect.left + button.rect.right) / 2, (button.rect.top + button.rect.bottom) / 2});
}

void PressKey(HWND window, WORD virtualKey, bool withAlt) {
  BringToFront(window);
  std::vector<INPUT> inputs;
  if (withAlt) inputs.push_back(Key(VK_MENU, false));
  inputs.push_back(Key(virtualKey, false));
  inputs.push_back(Key(virtualKey, true));
  if (withAlt) inputs.push_back(Key(VK_MENU, true));
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

ClientImage CaptureClient(HWND window) {
  // Once the launcher's thread is back in its message loop, its first paint
  // is done.
  WaitUntilIdle(window);
  ClientImage image;
  RECT client{};
  GetClientRect(window, &client);
  image.width = client.right;
  image.height = client.bottom;
  POINT origin{};
  ClientToScreen(window, &origin);
  image.pixels = ReadScreen(origin, image.width, image.height);
  const ULONGLONG end = GetTickCount64() + kSettleMs;
  while (GetTickCount64() < end) {
    Sleep(50);
    std::vector<COLORREF> again = ReadScreen(origin, image.width, image.height);
    const bool settled = again == image.pixels;
    image.pixels = std::move(again);
    if (settled) break;
  }
  return image;
}

}  // namespace winetest
