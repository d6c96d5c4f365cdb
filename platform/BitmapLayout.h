// Where the parts of a BMP file lie, as its headers say, and whether its
// pixel data is whole: what the system's bitmap decoders ask of a file
// before they draw it. The checker judges bitmaps by it; the launcher draws
// the plain ones itself (PlainBitmapLayout) and leaves the rest to GDI+.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvex {

struct BitmapLayout {
  std::uint32_t headerSize = 0;  // of the info header: 12, 40, 108, 124, ...
  long long width = 0;
  long long rows = 0;
  bool topDown = false;
  int bitCount = 0;
  std::uint32_t planes = 0;
  std::uint32_t compression = 0;  // 0 none, 1 RLE8, 2 RLE4, 3 bit fields
  std::uint32_t coloursUsed = 0;  // as the header says, 0 for the whole table
  std::size_t tableOffset = 0;
  std::uint32_t colours = 0;  // entries in the colour table
  std::size_t bitsOffset = 0;
  std::size_t stride = 0;  // bytes per uncompressed row, padded to 4 bytes
};

inline constexpr std::uint32_t kBitmapUncompressed = 0;
inline constexpr std::uint32_t kBitmapRle8 = 1;
inline constexpr std::uint32_t kBitmapRle4 = 2;

// The layout, or nothing with `why` saying what no decoder reads: a header
// cut short or of an unknown size, no pixels, a bit count or compression
// the system does not draw.
std::optional<BitmapLayout> ReadBitmapLayout(std::string_view bytes, std::string& why);

// What is wrong with the colour table and pixel data the layout places in
// the file (cut short, past its end, broken run-length records); empty when
// they are whole.
std::string BitmapDataDamage(std::string_view bytes, const BitmapLayout& layout);

// The layout of the usual splash picture, which the launcher decodes
// itself: a complete uncompressed bitmap with a Windows info header, of 1,
// 4, 8 or 24 bits per pixel, of at most maxPixels pixels, its colour table
// and pixels where a plain file has them. Nothing for any other file.
std::optional<BitmapLayout> PlainBitmapLayout(std::string_view bytes, long long maxPixels);

}  // namespace orvex
