// What a picture file is, read from its header alone: which of the formats
// the launcher's picture loader reads, and the pixel size it is drawn at.
#pragma once

#include <string_view>

namespace orvex::check {

enum class PictureFormat { Bmp, Ico, Wmf, Emf, Gif, Jpeg, Png };

// "BMP", "ICO", ...
const char* PictureFormatName(PictureFormat format);

struct PictureInfo {
  PictureFormat format = PictureFormat::Bmp;
  // The size the launcher draws it at, in pixels (for a GIF whose first
  // image reaches beyond its screen, the size that includes it; for a WMF
  // without a placeable header, the size the launcher gives it).
  int width = 0;
  int height = 0;
};

// The picture the bytes begin with. Anything else, a header cut short, a
// picture without pixels, one larger than the launcher draws or one the
// system's decoders are known to fall over on, fails with
// an invalid picture saying why.
PictureInfo ReadPictureInfo(std::string_view bytes);

}  // namespace orvex::check
