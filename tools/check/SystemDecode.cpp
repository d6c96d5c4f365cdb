#include <windows.h>

#include "platform/win32/Picture.h"
#include "tools/check/LibraryDecode.h"

namespace orvex::check {

void DecodeWhole(PictureFormat, std::string_view, const std::filesystem::path& file) {
  const std::u8string name = file.u8string();
  win32::LoadPicture(std::string(name.begin(), name.end()));
}

}  // namespace orvex::check
