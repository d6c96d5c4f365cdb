// The bytes of a profile as text: which encoding they are in, how they are
// decoded, and which reader the launcher gives them to.
//
// Encodings: UTF-16 LE or BE with a byte-order mark; UTF-8 with a BOM (unless
// the caller asks for the reading of Windows' API, which does not know that
// BOM); text without a BOM in the code page the caller names: Windows-1252 or
// UTF-8 (65001). Other code pages are refused.
#pragma once

#include <string>
#include <string_view>

#include "settings/TextEncoding.h"

namespace orvex {

// How the bytes of a profile are turned into text.
struct ProfileDecoding {
  // For text without a byte-order mark: kCodePageWindows1252 or
  // kCodePageUtf8.
  unsigned codePage = kCodePageWindows1252;
  // Whether EF BB BF at the start marks UTF-8. Windows' profile API does not
  // know it and reads such a file in the ANSI code page, BOM and all.
  bool utf8Bom = true;
};

// The reading of Windows' own GetPrivateProfileStringW on a system whose
// ANSI code page is Windows-1252.
inline constexpr ProfileDecoding kSystemApiDecoding{kCodePageWindows1252, false};
// UTF-8 with or without a BOM.
inline constexpr ProfileDecoding kUtf8Decoding{kCodePageUtf8, true};

enum class ProfileEncoding {
  CodePage,  // no byte-order mark: the code page of ProfileDecoding
  Utf8WithBom,
  Utf16LeWithBom,
  Utf16BeWithBom,
};

struct ProfileText {
  ProfileEncoding encoding = ProfileEncoding::CodePage;
  std::u16string text;  // without the byte-order mark
};

// Refuses code pages other than 1252 and 65001 (InvalidProcedureCall).
ProfileText DecodeProfileBytes(std::string_view bytes, ProfileDecoding decoding);

// Which reader a profile needs. Windows' profile API reads only UTF-16 with
// a byte-order mark as Unicode and everything else in the ANSI code page, so
// a profile saved as UTF-8 (Notepad's default, with or without a BOM) comes
// out garbled, or loses its first section to the BOM. Such profiles are read
// with the portable reader instead; all others keep the API.
enum class ProfileReading {
  SystemApi,  // UTF-16 with a BOM, pure ASCII, or ANSI text that is not UTF-8
  Utf8,       // a UTF-8 BOM, or no BOM, non-ASCII bytes and valid UTF-8 throughout
  // UTF-16 with a BOM and an odd number of bytes. The API reads the lone
  // last byte together with whatever follows the file in its memory (Wine
  // 8 does: an action gained a stray letter); the portable reader drops it.
  Utf16OddLength,
};

// Decided from the whole file, once.
ProfileReading ChooseProfileReading(std::string_view bytes);

// The decoding that gives a reading's text with ProfileReader: for the
// system API, the one Windows uses where the ANSI code page is Windows-1252.
ProfileDecoding DecodingFor(ProfileReading reading);

}  // namespace orvex
