#include "platform/win32/PlainBitmap.h"

#include <cstdint>
#include <cstring>
#include <optional>

#include "platform/BitmapLayout.h"
#include "platform/win32/FileBytes.h"

namespace orvex::win32 {

namespace {

constexpr std::uint32_t kOpaque = 0xFF000000u;

std::uint32_t Read32(const std::string& bytes, std::size_t at) {
  std::uint32_t value;
  std::memcpy(&value, bytes.data() + at, sizeof(value));
  return value;
}

std::uint16_t Read16(const std::string& bytes, std::size_t at) {
  std::uint16_t value;
  std::memcpy(&value, bytes.data() + at, sizeof(value));
  return value;
}

// The layout of a whole, plain bitmap; nothing for any other file, which
// GDI+ is left to read or refuse.
std::optional<BitmapLayout> PlainLayout(const std::string& bytes, long long maxPixels) {
  std::string why;
  const std::optional<BitmapLayout> layout = ReadBitmapLayout(bytes, why);
  if (!layout) return std::nullopt;
  // BITMAPINFOHEADER, BITMAPV4HEADER, BITMAPV5HEADER.
  const std::uint32_t headerSize = layout->headerSize;
  if (headerSize != 40 && headerSize != 108 && headerSize != 124) return std::nullopt;
  const int bitCount = layout->bitCount;
  if (Read16(bytes, 26) != 1 || layout->compression != kBitmapUncompressed) return std::nullopt;
  if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24) return std::nullopt;
  if (layout->rows > (1 << 30) || layout->width * layout->rows > maxPixels) return std::nullopt;
  const std::uint32_t tableMax = bitCount <= 8 ? 1u << bitCount : 0u;
  if (Read32(bytes, 46) > tableMax) return std::nullopt;
  if (layout->bitsOffset < layout->tableOffset + 4 * layout->colours) return std::nullopt;
  if (!BitmapDataDamage(bytes, *layout).empty()) return std::nullopt;
  return layout;
}

// One row of the file as opaque 0x00RRGGBB pixels. Indices beyond the colour
// table give black, as GDI does.
void ConvertRow(const std::string& bytes, const BitmapLayout& layout, const unsigned char* source,
                std::uint32_t* target) {
  const auto* table = reinterpret_cast<const unsigned char*>(bytes.data()) + layout.tableOffset;
  const auto entry = [&](unsigned index) -> std::uint32_t {
    if (index >= layout.colours) return kOpaque;
    const unsigned char* quad = table + 4 * index;  // blue, green, red, unused
    return kOpaque | quad[2] << 16 | quad[1] << 8 | quad[0];
  };
  for (std::size_t x = 0; x < static_cast<std::size_t>(layout.width); ++x) {
    switch (layout.bitCount) {
      case 1: target[x] = entry(source[x / 8] >> (7 - x % 8) & 1u); break;
      case 4: target[x] = entry(source[x / 2] >> (x % 2 ? 0 : 4) & 0xFu); break;
      case 8: target[x] = entry(source[x]); break;
      default: {
        const unsigned char* bgr = source + 3 * x;
        target[x] = kOpaque | bgr[2] << 16 | bgr[1] << 8 | bgr[0];
      }
    }
  }
}

}  // namespace

PicturePtr LoadPlainBitmap(const std::wstring& path, long long maxPixels) {
  const std::optional<std::string> bytes = ReadWholeFile(path);
  if (!bytes) return nullptr;
  const std::optional<BitmapLayout> layout = PlainLayout(*bytes, maxPixels);
  if (!layout) return nullptr;
  const int width = static_cast<int>(layout->width);
  const int height = static_cast<int>(layout->rows);

  // The same form as GDI+ pictures get: a top-down 32-bit premultiplied
  // bitmap, here fully opaque. Converted here rather than by GDI, which
  // took several times as long for a window-sized picture under Wine.
  BITMAPINFO target{};
  target.bmiHeader.biSize = sizeof(target.bmiHeader);
  target.bmiHeader.biWidth = width;
  target.bmiHeader.biHeight = -height;
  target.bmiHeader.biPlanes = 1;
  target.bmiHeader.biBitCount = 32;
  target.bmiHeader.biCompression = BI_RGB;
  void* pixels = nullptr;
  ScopedBitmap bitmap(CreateDIBSection(nullptr, &target, DIB_RGB_COLORS, &pixels, nullptr, 0));
  if (!bitmap.Valid() || !pixels) return nullptr;
  const auto* bits = reinterpret_cast<const unsigned char*>(bytes->data()) + layout->bitsOffset;
  auto* rows = static_cast<std::uint32_t*>(pixels);
  for (int y = 0; y < height; ++y) {
    const int stored = layout->topDown ? y : height - 1 - y;
    ConvertRow(*bytes, *layout, bits + static_cast<std::size_t>(stored) * layout->stride,
               rows + static_cast<std::size_t>(y) * static_cast<std::size_t>(width));
  }
  return std::make_shared<Picture>(std::move(bitmap), width, height);
}

}  // namespace orvex::win32
