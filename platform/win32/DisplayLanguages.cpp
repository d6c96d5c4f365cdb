#include "platform/win32/DisplayLanguages.h"

#include "platform/win32/WideText.h"

namespace orvex::win32 {

namespace {

// Named here: MinGW's headers offer them only for Windows 7 builds.
constexpr LCTYPE kLocaleParent = 0x6D;         // LOCALE_SPARENT
constexpr LCTYPE kLocaleReadingLayout = 0x70;  // LOCALE_IREADINGLAYOUT
constexpr LCTYPE kReturnNumber = 0x20000000;   // LOCALE_RETURN_NUMBER
constexpr DWORD kLanguageNames = 0x8;          // MUI_LANGUAGE_NAME
constexpr int kLongestName = 85;               // LOCALE_NAME_MAX_LENGTH

using PreferredLanguagesFn = BOOL(WINAPI*)(DWORD, PULONG, PZZWSTR, PULONG);
using LocaleInfoFn = int(WINAPI*)(LPCWSTR, LCTYPE, LPWSTR, int);

template <typename Function>
Function KernelFunction(const char* name) {
  return reinterpret_cast<Function>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), name)));
}

}  // namespace

std::vector<std::string> UserDisplayLanguages() {
  std::vector<std::string> languages;
  const auto preferred = KernelFunction<PreferredLanguagesFn>("GetUserPreferredUILanguages");
  ULONG count = 0;
  ULONG size = 0;
  if (!preferred || !preferred(kLanguageNames, &count, nullptr, &size) || size == 0) {
    return languages;
  }
  std::wstring names(size, L'\0');
  if (!preferred(kLanguageNames, &count, names.data(), &size)) return languages;
  // Names, each ended by a NUL, and one more NUL at the end.
  for (const wchar_t* name = names.c_str(); *name; name += wcslen(name) + 1) {
    languages.push_back(Narrow(name, static_cast<int>(wcslen(name))));
  }
  return languages;
}

std::wstring ParentOfLanguage(const std::wstring& language) {
  const auto localeInfo = KernelFunction<LocaleInfoFn>("GetLocaleInfoEx");
  wchar_t parent[kLongestName] = {};
  if (!localeInfo || localeInfo(language.c_str(), kLocaleParent, parent, kLongestName) == 0) {
    return {};
  }
  return parent;
}

bool ReadsRightToLeft(const std::wstring& language) {
  const auto localeInfo = KernelFunction<LocaleInfoFn>("GetLocaleInfoEx");
  DWORD layout = 0;
  // The number comes back in the buffer, counted in characters.
  return localeInfo &&
         localeInfo(language.c_str(), kLocaleReadingLayout | kReturnNumber,
                    reinterpret_cast<LPWSTR>(&layout), sizeof(layout) / sizeof(wchar_t)) != 0 &&
         layout == 1;
}

std::wstring ArgumentsAfterProgramName(const wchar_t* commandLine) {
  const wchar_t* at = commandLine;
  // The program's name ends at the next quote when it starts with one (as
  // the C runtime splits it), else at the first blank.
  if (*at == L'"') {
    ++at;
    while (*at && *at != L'"') ++at;
    if (*at) ++at;
  } else {
    while (*at && *at != L' ' && *at != L'\t') ++at;
  }
  while (*at == L' ' || *at == L'\t') ++at;
  return at;
}

}  // namespace orvex::win32
