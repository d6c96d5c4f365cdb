// Whether the launcher can draw a picture whose header it accepts: the
// whole picture decoded, so that damaged data behind a valid header is
// found before the medium is made.
#pragma once

#include <filesystem>
#include <string_view>

#include "tools/check/PictureInfo.h"

namespace orvex::check {

// Fails with an invalid picture saying what is damaged. BMP and ICO are
// decoded by the checker itself, the others as LibraryDecode.h says; the
// file is where the bytes were read from.
void CheckPictureData(PictureFormat format, std::string_view bytes,
                      const std::filesystem::path& file);

}  // namespace orvex::check
