// A picture decoded once into a premultiplied 32-bit bitmap at its natural
// pixel size, ready to be blended over the background on every paint.
#pragma once

#include <windows.h>

#include <string>

#include "platform/PlatformServices.h"
#include "platform/win32/ScopedWin.h"

namespace orvex {

class Picture {
 public:
  Picture(win32::ScopedBitmap bitmap, int width, int height)
      : bitmap_(std::move(bitmap)), width_(width), height_(height) {}

  HBITMAP Bitmap() const { return bitmap_.Get(); }
  int Width() const { return width_; }
  int Height() const { return height_; }

 private:
  win32::ScopedBitmap bitmap_;
  int width_;
  int height_;
};

namespace win32 {

// Reads BMP, ICO, WMF, EMF, GIF (first frame), JPEG and PNG through GDI+,
// loaded from the system directory on first use. Fails with an invalid
// picture for anything else.
PicturePtr LoadPicture(const std::string& path);

}  // namespace win32
}  // namespace orvex
