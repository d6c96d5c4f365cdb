#include "platform/BitmapLayout.h"

#include "platform/PictureHeader.h"

namespace orvex {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kBitFields = 3;

bool Drawable(int bitCount, std::uint32_t compression) {
  switch (compression) {
    case kBitmapUncompressed:
      return bitCount == 1 || bitCount == 2 || bitCount == 4 || bitCount == 8 || bitCount == 16 ||
             bitCount == 24 || bitCount == 32;
    case kBitmapRle8: return bitCount == 8;
    case kBitmapRle4: return bitCount == 4;
    case kBitFields: return bitCount == 16 || bitCount == 32;
    default: return false;
  }
}

// Run-length records, as far as the file holds them: each record whole, and
// an end-of-bitmap record before the data ends.
std::string RunLengthDamage(std::string_view bytes, const BitmapLayout& layout) {
  const bool four = layout.compression == kBitmapRle4;
  std::size_t at = layout.bitsOffset;
  while (at + 2 <= bytes.size()) {
    const std::uint32_t count = HeaderByte(bytes, at);
    const std::uint32_t code = HeaderByte(bytes, at + 1);
    at += 2;
    if (count != 0 || code == 0) continue;  // a run, or the end of a line
    if (code == 1) return {};               // the end of the bitmap
    if (code == 2) {                        // a move right and down
      at += 2;
      continue;
    }
    const std::size_t literal = four ? (code + 1) / 2 : code;  // then padded to 16 bits
    at += literal + (literal & 1);
  }
  return "The BMP's run-length data is cut short or broken (no end-of-bitmap record within the "
         "file).";
}

}  // namespace

std::optional<BitmapLayout> ReadBitmapLayout(std::string_view bytes, std::string& why) {
  if (bytes.size() < kFileHeaderSize + 4 || !bytes.starts_with("BM")) {
    why = "The BMP header is cut short.";
    return std::nullopt;
  }
  BitmapLayout layout;
  layout.headerSize = Le32(bytes, kFileHeaderSize);
  const bool core = layout.headerSize == kCoreHeaderSize;
  if (!core && layout.headerSize < kInfoHeaderSize) {
    why = "The BMP header has an unknown size.";
    return std::nullopt;
  }
  if (bytes.size() < kFileHeaderSize + (core ? kCoreHeaderSize : kInfoHeaderSize)) {
    why = "The BMP header is cut short.";
    return std::nullopt;
  }
  long long height = 0;
  if (core) {
    layout.width = Le16(bytes, 18);
    height = Le16(bytes, 20);
    layout.planes = Le16(bytes, 22);
    layout.bitCount = static_cast<int>(Le16(bytes, 24));
  } else {
    layout.width = static_cast<std::int32_t>(Le32(bytes, 18));
    height = static_cast<std::int32_t>(Le32(bytes, 22));
    layout.planes = Le16(bytes, 26);
    layout.bitCount = static_cast<int>(Le16(bytes, 28));
    layout.compression = Le32(bytes, 30);
    layout.coloursUsed = Le32(bytes, 46);
  }
  layout.topDown = height < 0;
  layout.rows = height < 0 ? -height : height;
  if (layout.width <= 0 || layout.rows == 0) {
    why = "The picture has no pixels.";
    return std::nullopt;
  }
  if (!Drawable(layout.bitCount, layout.compression)) {
    why = "The BMP's " + std::to_string(layout.bitCount) + " bits per pixel with compression " +
          std::to_string(layout.compression) + " are not a form the system draws.";
    return std::nullopt;
  }
  const std::uint32_t tableMax = layout.bitCount <= 8 ? 1u << layout.bitCount : 0u;
  layout.colours =
      layout.coloursUsed != 0 && layout.coloursUsed < tableMax ? layout.coloursUsed : tableMax;
  layout.tableOffset = kFileHeaderSize + layout.headerSize;
  layout.bitsOffset = Le32(bytes, 10);
  layout.stride = static_cast<std::size_t>(((layout.width * layout.bitCount + 31) / 32) * 4);
  return layout;
}

std::string BitmapDataDamage(std::string_view bytes, const BitmapLayout& layout) {
  const std::size_t entryBytes = layout.headerSize == kCoreHeaderSize ? 3 : 4;
  if (layout.tableOffset + entryBytes * layout.colours > bytes.size()) {
    return "The BMP's colour table is cut short.";
  }
  if (layout.bitsOffset >= bytes.size()) {
    return "The BMP's pixel data would begin at byte " + std::to_string(layout.bitsOffset) +
           ", past the end of the file (" + std::to_string(bytes.size()) + " bytes).";
  }
  if (layout.compression == kBitmapRle8 || layout.compression == kBitmapRle4) {
    return RunLengthDamage(bytes, layout);
  }
  const long long needed = static_cast<long long>(layout.stride) * layout.rows;
  if (needed > static_cast<long long>(bytes.size() - layout.bitsOffset)) {
    return "The BMP's pixel data is cut short (" +
           std::to_string(bytes.size() - layout.bitsOffset) + " of " + std::to_string(needed) +
           " bytes).";
  }
  return {};
}

std::optional<BitmapLayout> PlainBitmapLayout(std::string_view bytes, long long maxPixels) {
  std::string why;
  const std::optional<BitmapLayout> layout = ReadBitmapLayout(bytes, why);
  if (!layout) return std::nullopt;
  // BITMAPINFOHEADER, BITMAPV4HEADER, BITMAPV5HEADER.
  const std::uint32_t header = layout->headerSize;
  if (header != kInfoHeaderSize && header != 108 && header != 124) return std::nullopt;
  const int bits = layout->bitCount;
  if (layout->planes != 1 || layout->compression != kBitmapUncompressed ||
      (bits != 1 && bits != 4 && bits != 8 && bits != 24)) {
    return std::nullopt;
  }
  if (layout->rows > (1 << 30) || layout->width * layout->rows > maxPixels) return std::nullopt;
  const std::uint32_t tableMax = bits <= 8 ? 1u << bits : 0u;
  if (layout->coloursUsed > tableMax) return std::nullopt;
  const auto fileSize = static_cast<long long>(bytes.size());
  const auto bitsOffset = static_cast<long long>(layout->bitsOffset);
  const long long bitsEarliest =
      static_cast<long long>(layout->tableOffset) + 4ll * layout->colours;
  if (bitsEarliest > fileSize || bitsOffset < bitsEarliest ||
      bitsOffset + static_cast<long long>(layout->stride) * layout->rows > fileSize) {
    return std::nullopt;  // truncated or odd: GDI+ decides
  }
  return layout;
}

}  // namespace orvex
