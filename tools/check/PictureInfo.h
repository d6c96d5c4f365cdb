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
  // image reaches beyond its screen, the size that includes it). A WMF
  // without a placeable header records none (sizeKnown false, width and
  // height 0).
  int width = 0;
  int height = 0;
  bool sizeKnown = true;
};

// The picture the bytes begin with. Anything else, a header cut short, a
// picture without pixels or one larger than the launcher draws, fails with
// an invalid picture saying why.
PictureInfo ReadPictureInfo(std::string_view bytes);

}  // namespace orvex::check
