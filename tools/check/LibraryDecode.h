// GIF, JPEG and PNG decoded whole: on Linux with the libraries the system's
// own decoders (Wine's among them) are built on, on Windows by the
// launcher's own picture loader, that is by the system itself. Fails with
// an invalid picture when the first image cannot be read whole.
#pragma once

#include <filesystem>
#include <string_view>

#include "tools/check/PictureInfo.h"

namespace orvex::check {

void DecodeWhole(PictureFormat format, std::string_view bytes, const std::filesystem::path& file);

}  // namespace orvex::check
