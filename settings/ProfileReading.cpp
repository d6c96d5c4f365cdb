#include "settings/ProfileReading.h"

#include <algorithm>

namespace orvex {

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
