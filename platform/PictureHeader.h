// The pixel size a picture file claims, read from its header alone. Some
// picture decoders (GDI+ under Wine, for one) allocate and fill the whole
// picture while loading it: a header claiming 30000 x 30000 pixels costs
// them many seconds and gigabytes, or crashes them. Asked first, the header
// lets the launcher refuse such a file before any decoder sees it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace orvex {

struct ClaimedSize {
  long long width = 0;
  long long height = 0;

  // Saturated: a PNG may claim 2^32 - 1 by 2^32 - 1.
  long long Pixels() const {
    if (width <= 0 || height <= 0) return 0;
    if (height > std::numeric_limits<long long>::max() / width) {
      return std::numeric_limits<long long>::max();
    }
    return width * height;
  }
};

// Pictures of more pixels than this are refused rather than decoded:
// 16384 x 16384 already needs a gigabyte.
inline constexpr long long kLargestPicturePixels = 64ll * 1024 * 1024;

// The size that the first bytes of a BMP, GIF, JPEG or PNG file claim: for a
// GIF the larger of its screen and the extent of its first image. Nothing
// for other files, or when the header is cut short or not as the format
// has it; a decoder decides about those.
std::optional<ClaimedSize> ClaimedPictureSize(std::string_view head);

// Why a file that the system's decoders are known to fall over on must not
// reach them, or nothing: Wine's GIF decoder crashes on a GIF whose first
// image has no colour table at all.
std::optional<std::string> DecoderTrap(std::string_view head);

// A Windows metafile without the placeable header in front says what to draw
// but not at which size, and decoders differ on it (Wine's GDI+ refuses it),
// so the launcher reads it itself, on every system alike. Whether the bytes
// begin with such a metafile (in memory or on disk, version 1 or 3):
bool IsPlainMetafile(std::string_view bytes);

// The size a plain metafile is drawn at: its window extent, one pixel per
// logical unit as a placeable metafile is drawn; when it sets none, the
// window's client area at 96 dpi, which it then fills.
ClaimedSize PlainMetafileSize(std::string_view bytes);

// Fails with an invalid picture when width x height is more than
// kLargestPicturePixels.
void RefuseHugePicture(long long width, long long height);

// Numbers in a header: the byte at `at`, and the little-endian 16- and
// 32-bit values that start there. The caller checks the length.
std::uint32_t HeaderByte(std::string_view bytes, std::size_t at);
std::uint32_t Le16(std::string_view bytes, std::size_t at);
std::uint32_t Le32(std::string_view bytes, std::size_t at);

}  // namespace orvex
