#include "platform/PathForms.h"

#include <algorithm>

namespace orvex {

namespace {

constexpr std::size_t kMaxPath = 260;
constexpr wchar_t kExtendedPrefix[] = L"\\\\?\\";

wchar_t AsciiLower(wchar_t c) { return c >= L'A' && c <= L'Z' ? c - L'A' + L'a' : c; }

bool SameIgnoringCase(std::wstring_view a, std::wstring_view b) {
  return std::ranges::equal(a, b, {}, AsciiLower, AsciiLower);
}

bool IsLetter(wchar_t c) { return AsciiLower(c) >= L'a' && AsciiLower(c) <= L'z'; }

}  // namespace

std::wstring WithBackslashes(std::wstring path) {
  if (!path.starts_with(kExtendedPrefix)) std::ranges::replace(path, L'/', L'\\');
  return path;
}

bool IsLongPath(const std::wstring& fullPath) { return fullPath.size() >= kMaxPath; }

std::wstring ExtendedForm(const std::wstring& path, const std::wstring& fullPath) {
  if (path.starts_with(kExtendedPrefix) || !IsLongPath(fullPath)) return path;
  if (fullPath.starts_with(L"\\\\")) return kExtendedPrefix + (L"UNC\\" + fullPath.substr(2));
  return kExtendedPrefix + fullPath;
}

std::wstring UnredirectedPath(const std::wstring& path, const std::wstring& systemDirectory,
                              const std::wstring& wow64Directory) {
  const auto slash = path.find_last_of(L'\\');
  if (wow64Directory.empty() || systemDirectory.empty() || slash == std::wstring::npos ||
      !SameIgnoringCase(std::wstring_view(path).substr(0, slash), systemDirectory)) {
    return path;
  }
  return wow64Directory + path.substr(slash);
}

std::wstring DriveLetterRoot(const std::wstring& path) {
  if (path.size() < 3 || !IsLetter(path[0]) || path[1] != L':' || path[2] != L'\\') return {};
  return path.substr(0, 3);
}

}  // namespace orvex
