// Turning the bytes of a text file into UTF-16 and UTF-16 into the core's
// UTF-8. The profile reader works in UTF-16 because the system's profile API
// does: its capacities count UTF-16 code units.
#pragma once

#include <string>
#include <string_view>

namespace orvex {

inline constexpr unsigned kCodePageWindows1252 = 1252;
inline constexpr unsigned kCodePageUtf8 = 65001;

// True when every byte sequence is a well-formed UTF-8 character: no
// overlong forms, no surrogates, nothing above U+10FFFF, nothing cut short.
bool IsValidUtf8(std::string_view bytes);

// Invalid sequences become U+FFFD, one for each maximal part of a sequence
// that could have begun a character (the Unicode recommendation).
std::u16string DecodeUtf8(std::string_view bytes);

// Windows-1252. The five bytes that code page leaves undefined (81, 8D, 8F,
// 90, 9D) become the C1 controls of the same value, as Windows maps them.
std::u16string DecodeWindows1252(std::string_view bytes);

// Pairs of bytes in the given order; a last odd byte is dropped.
std::u16string DecodeUtf16(std::string_view bytes, bool bigEndian);

// UTF-16 to UTF-8; a surrogate without its partner becomes U+FFFD, as the
// system's converter does.
std::string EncodeUtf8(std::u16string_view text);

}  // namespace orvex
