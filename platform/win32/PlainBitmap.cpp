#include "platform/win32/PlainBitmap.h"

#include <cstdint>
#include <cstring>
#include <optional>

#include "platform/win32/FileBytes.h"

namespace orvex::win32 {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
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

// Where the parts of a plain bitmap file lie; nothing for any other file.
struct Layout {
  int width;
  int height;  // rows
  bool topDown;
  int bitCount;
  std::size_t tableOffset;
  std::uint32_t colours;  // entries in the colour table
  std::size_t bitsOffset;
  std::size_t stride;  // bytes per row, rows padded to 4 bytes
};

std::optional<Layout> PlainLayout(const std::string& bytes, long long maxPixels) {
  if (bytes.size() < kFileHeaderSize + sizeof(BITMAPINFOHEADER) || bytes[0] != 'B' ||
      bytes[1] != 'M') {
    return std::nullopt;
  }
  const std::uint32_t headerSize = Read32(bytes, 14);
  // BITMAPINFOHEADER, BITMAPV4HEADER, BITMAPV5HEADER.
  if (headerSize != 40 && headerSize != 108 && headerSize != 124) return std::nullopt;
  const auto width = static_cast<std::int32_t>(Read32(bytes, 18));
  const auto height = static_cast<std::int32_t>(Read32(bytes, 22));
  const std::uint16_t planes = Read16(bytes, 26);
  const std::uint16_t bitCount = Read16(bytes, 28);
  const std::uint32_t compression = Read32(bytes, 30);
  const std::uint32_t coloursUsed = Read32(bytes, 46);
  if (planes != 1 || compression != BI_RGB) return std::nullopt;
  if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24) return std::nullopt;
  if (width <= 0 || height == 0 || height < -(1 << 30) || height > (1 << 30)) return std::nullopt;
  const long long rows = height < 0 ? -static_cast<long long>(height) : height;
  if (width * rows > maxPixels) return std::nullopt;

  const std::uint32_t tableMax = bitCount <= 8 ? 1u << bitCount : 0u;
  const std::uint32_t colours = coloursUsed != 0 ? coloursUsed : tableMax;
  if (colours > tableMax) return std::nullopt;
  const long long tableOffset = static_cast<long long>(kFileHeaderSize) + headerSize;
  const long long stride = ((static_cast<long long>(width) * bitCount + 31) / 32) * 4;
  const long long bitsOffset = Read32(bytes, 10);
  const auto fileSize = static_cast<long long>(bytes.size());
  const long long bitsEarliest = tableOffset + 4ll * colours;
  if (bitsEarliest > fileSize || bitsOffset < bitsEarliest ||
      bitsOffset + stride * rows > fileSize) {
    return std::nullopt;  // truncated or odd: GDI+ decides
  }
  return Layout{width,
                static_cast<int>(rows),
                height < 0,
                bitCount,
                static_cast<std::size_t>(tableOffset),
                colours,
                static_cast<std::size_t>(bitsOffset),
                static_cast<std::size_t>(stride)};
}

// One row of the file as opaque 0x00RRGGBB pixels. Indices beyond the colour
// table give black, as GDI does.
void ConvertRow(const std::string& bytes, const Layout& layout, const unsigned char* source,
                std::uint32_t* target) {
  const auto* table = reinterpret_cast<const unsigned char*>(bytes.data()) + layout.tableOffset;
  const auto entry = [&](unsigned index) -> std::uint32_t {
    if (index >= layout.colours) return kOpaque;
    const unsigned char* quad = table + 4 * index;  // blue, green, red, unused
    return kOpaque | quad[2] << 16 | quad[1] << 8 | quad[0];
  };
  for (int x = 0; x < layout.width; ++x) {
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
  const std::optional<Layout> layout = PlainLayout(*bytes, maxPixels);
  if (!layout) return nullptr;

  // The same form as GDI+ pictures get: a top-down 32-bit premultiplied
  // bitmap, here fully opaque. Converted here rather than by GDI, which
  // took several times as long for a window-sized picture under Wine.
  BITMAPINFO target{};
  target.bmiHeader.biSize = sizeof(target.bmiHeader);
  target.bmiHeader.biWidth = layout->width;
  target.bmiHeader.biHeight = -layout->height;
  target.bmiHeader.biPlanes = 1;
  target.bmiHeader.biBitCount = 32;
  target.bmiHeader.biCompression = BI_RGB;
  void* pixels = nullptr;
  ScopedBitmap bitmap(CreateDIBSection(nullptr, &target, DIB_RGB_COLORS, &pixels, nullptr, 0));
  if (!bitmap.Valid() || !pixels) return nullptr;
  const auto* bits = reinterpret_cast<const unsigned char*>(bytes->data()) + layout->bitsOffset;
  auto* rows = static_cast<std::uint32_t*>(pixels);
  for (int y = 0; y < layout->height; ++y) {
    const int stored = layout->topDown ? y : layout->height - 1 - y;
    ConvertRow(*bytes, *layout, bits + static_cast<std::size_t>(stored) * layout->stride,
               rows + static_cast<std::size_t>(y) * layout->width);
  }
  return std::make_shared<Picture>(std::move(bitmap), layout->width, layout->height);
}

}  // namespace orvex::win32
