#include "tools/check/SystemCase.h"

#include <algorithm>

#include "settings/TextEncoding.h"
#include "tools/check/CaseTables.h"

namespace orvex::check {

namespace {

char32_t Mapped(std::span<const CaseRun> runs, char32_t code) {
  // The last run that starts at or before code.
  const auto after = std::upper_bound(runs.begin(), runs.end(), code,
                                      [](char32_t c, const CaseRun& run) { return c < run.first; });
  if (after == runs.begin()) return code;
  const CaseRun& run = *(after - 1);
  if (code > run.last || (code - run.first) % run.step != 0) return code;
  return static_cast<char32_t>(static_cast<std::int32_t>(code) + run.delta);
}

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

}  // namespace

std::u16string LowerCaseLikeWindows(std::u16string text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      const char32_t code = 0x10000 + ((text[i] - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      const char32_t lower = Mapped(kLowerCaseRuns, code) - 0x10000;
      text[i] = static_cast<char16_t>(0xD800 + (lower >> 10));
      text[++i] = static_cast<char16_t>(0xDC00 + (lower & 0x3FF));
    } else {
      text[i] = static_cast<char16_t>(Mapped(kLowerCaseRuns, text[i]));
    }
  }
  return text;
}

std::string LowerCaseLikeWindows(const std::string& utf8) {
  return EncodeUtf8(LowerCaseLikeWindows(DecodeUtf8(utf8)));
}

char16_t FileNameUpperCase(char16_t unit) {
  return static_cast<char16_t>(Mapped(kFileNameUpperRuns, unit));
}

bool FileNamesEqual(std::u16string_view a, std::u16string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char16_t x, char16_t y) {
    return x == y || FileNameUpperCase(x) == FileNameUpperCase(y);
  });
}

}  // namespace orvex::check
