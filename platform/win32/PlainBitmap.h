// The usual splash picture, an uncompressed bitmap file, decoded here
// without GDI+. GDI+ needs COM and the imaging component, and loading those
// costs more start-up time than everything else the launcher does before its
// window shows; for these files it would give the very same pixels.
#pragma once

#include <string>

#include "platform/win32/Picture.h"

namespace orvex::win32 {

// The picture, when the file is a complete, uncompressed bitmap of 1, 4, 8
// or 24 bits per pixel of at most maxPixels pixels; otherwise nothing, and
// GDI+ is left to read (or refuse) the file.
PicturePtr LoadPlainBitmap(const std::wstring& path, long long maxPixels);

}  // namespace orvex::win32
