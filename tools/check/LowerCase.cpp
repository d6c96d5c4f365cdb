#include "tools/check/LowerCase.h"

#include "settings/LetterCase.h"
#include "settings/TextEncoding.h"

namespace orvex::check {

std::string LowerCaseLikeWindows(const std::string& utf8) {
  std::u16string text = DecodeUtf8(utf8);
  for (char16_t& unit : text) unit = LowerCaseLetter(unit);
  return EncodeUtf8(text);
}

}  // namespace orvex::check
