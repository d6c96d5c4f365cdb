// Where the parts of a BMP file lie, as its headers say, and whether its
// pixel data is whole: what the system's bitmap decoders ask of a file
// before they draw it, and so which bitmaps the launcher refuses.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvex::check {

struct BitmapLayout {
  std::uint32_t headerSize = 0;  // of the info header: 12, 40, 108, 124, ...
  long long width = 0;
  long long rows = 0;
  bool topDown = false;
  int bitCount = 0;
  std::uint32_t compression = 0;  // 0 none, 1 RLE8, 2 RLE4, 3 bit fields
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

}  // namespace orvex::check
