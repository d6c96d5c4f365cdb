#include "platform/win32/PlainBitmap.h"

#include <cstdint>
#include <optional>

#include "platform/BitmapLayout.h"
#include "platform/win32/FileBytes.h"

namespace orvex::win32 {

namespace {

constexpr std::uint32_t kOpaque = 0xFF000000u;

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
  const auto width = static_cast<int>(layout.width);  // checked: it fits
  for (int x = 0; x < width; ++x) {
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
  const std::optional<BitmapLayout> layout = PlainBitmapLayout(*bytes, maxPixels);
  if (!layout) return nullptr;
  // At most maxPixels pixels: the sizes fit an int.
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
