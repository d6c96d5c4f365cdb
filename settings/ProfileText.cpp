#include "settings/ProfileText.h"

#include <algorithm>

#include "platform/Failure.h"

namespace orvex {

ProfileText DecodeProfileBytes(std::string_view bytes, ProfileDecoding decoding) {
  if (decoding.codePage != kCodePageWindows1252 && decoding.codePage != kCodePageUtf8) {
    throw Failure(FailureKind::InvalidProcedureCall,
                  "Profiles without a byte-order mark can be read in code page 1252 or 65001, "
                  "not " +
                      std::to_string(decoding.codePage) + ".");
  }
  if (decoding.utf8Bom && bytes.starts_with("\xEF\xBB\xBF")) {
    return {ProfileEncoding::Utf8WithBom, DecodeUtf8(bytes.substr(3))};
  }
  if (bytes.starts_with("\xFF\xFE")) {
    return {ProfileEncoding::Utf16LeWithBom, DecodeUtf16(bytes.substr(2), false)};
  }
  if (bytes.starts_with("\xFE\xFF")) {
    return {ProfileEncoding::Utf16BeWithBom, DecodeUtf16(bytes.substr(2), true)};
  }
  return {ProfileEncoding::CodePage,
          decoding.codePage == kCodePageUtf8 ? DecodeUtf8(bytes) : DecodeWindows1252(bytes)};
}

ProfileReading ChooseProfileReading(std::string_view bytes) {
  if (bytes.starts_with("\xEF\xBB\xBF")) return ProfileReading::Utf8;
  if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
    return bytes.size() % 2 == 0 ? ProfileReading::SystemApi : ProfileReading::Utf16OddLength;
  }
  const bool ascii = std::all_of(bytes.begin(), bytes.end(),
                                 [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  // Pure ASCII reads the same either way: the API keeps it.
  if (ascii || !IsValidUtf8(bytes)) return ProfileReading::SystemApi;
  return ProfileReading::Utf8;
}

ProfileDecoding DecodingFor(ProfileReading reading) {
  return reading == ProfileReading::Utf8 ? kUtf8Decoding : kSystemApiDecoding;
}

}  // namespace orvex
