// Which reader a profile needs. Windows' profile API reads only UTF-16 with
// a byte-order mark as Unicode and everything else in the ANSI code page, so
// a profile saved as UTF-8 (Notepad's default, with or without a BOM) comes
// out garbled, or loses its first section to the BOM. Such profiles are read
// with the portable reader instead; all others keep the API.
#pragma once

#include <string_view>

#include "settings/ProfileReader.h"

namespace orvex {

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
