#include "tools/check/LowerCase.h"

#include "settings/TextEncoding.h"

namespace orvex::check {

namespace {

bool Between(char16_t unit, char16_t first, char16_t last) { return unit >= first && unit <= last; }

char16_t Lower(char16_t u) {
  if (Between(u, u'A', u'Z')) return u + 0x20;
  if (Between(u, 0x00C0, 0x00DE) && u != 0x00D7) return u + 0x20;
  // Latin Extended-A pairs: capital first, then small.
  if ((Between(u, 0x0100, 0x0137) || Between(u, 0x014A, 0x0177)) && u % 2 == 0) return u + 1;
  if ((Between(u, 0x0139, 0x0148) || Between(u, 0x0179, 0x017E)) && u % 2 == 1) return u + 1;
  if (u == 0x0178) return 0x00FF;
  if (Between(u, 0x0391, 0x03A9) && u != 0x03A2) return u + 0x20;
  if (u == 0x0386) return 0x03AC;
  if (Between(u, 0x0388, 0x038A)) return u + 0x25;
  if (u == 0x038C) return 0x03CC;
  if (Between(u, 0x038E, 0x038F)) return u + 0x3F;
  if (Between(u, 0x0410, 0x042F)) return u + 0x20;
  if (Between(u, 0x0400, 0x040F)) return u + 0x50;
  if (Between(u, 0xFF21, 0xFF3A)) return u + 0x20;
  return u;
}

}  // namespace

std::string LowerCaseLikeWindows(const std::string& utf8) {
  std::u16string text = Utf8ToUtf16(utf8);
  for (char16_t& unit : text) unit = Lower(unit);
  return EncodeUtf8(text);
}

}  // namespace orvex::check
