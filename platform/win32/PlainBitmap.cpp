#include "platform/win32/PlainBitmap.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/win32/FileBytes.h"

namespace orvex::win32 {

namespace {

constexpr std::size_t kFileHeaderSize = 14;

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
  std::size_t infoSize;  // header and colour table
  std::size_t bitsOffset;
  std::size_t bitsSize;
  int width;
  int height;  // rows, whichever way they run
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
  const long long infoSize = headerSize + 4ll * colours;
  const long long stride = ((static_cast<long long>(width) * bitCount + 31) / 32) * 4;
  const long long bitsOffset = Read32(bytes, 10);
  const long long bitsSize = stride * rows;
  const auto fileSize = static_cast<long long>(bytes.size());
  const long long bitsEarliest = static_cast<long long>(kFileHeaderSize) + infoSize;
  if (bitsEarliest > fileSize || bitsOffset < bitsEarliest || bitsOffset + bitsSize > fileSize) {
    return std::nullopt;  // truncated or odd: GDI+ decides
  }
  return Layout{static_cast<std::size_t>(infoSize), static_cast<std::size_t>(bitsOffset),
                static_cast<std::size_t>(bitsSize), width, static_cast<int>(rows)};
}

}  // namespace

PicturePtr LoadPlainBitmap(const std::wstring& path, long long maxPixels) {
  const std::optional<std::string> bytes = ReadWholeFile(path);
  if (!bytes) return nullptr;
  const std::optional<Layout> layout = PlainLayout(*bytes, maxPixels);
  if (!layout) return nullptr;

  // Aligned copies of the header with its colour table and of the pixels.
  std::vector<std::uint32_t> info((layout->infoSize + 3) / 4);
  std::memcpy(info.data(), bytes->data() + kFileHeaderSize, layout->infoSize);
  std::vector<std::uint32_t> bits((layout->bitsSize + 3) / 4);
  std::memcpy(bits.data(), bytes->data() + layout->bitsOffset, layout->bitsSize);

  // The same form as GDI+ pictures get: a top-down 32-bit premultiplied
  // bitmap, here fully opaque.
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
  const ScopedMemoryDc dc(CreateCompatibleDC(nullptr));
  if (!dc.Valid()) return nullptr;
  {
    const ScopedSelect select(dc.Get(), bitmap.Get());
    const int rows = SetDIBitsToDevice(
        dc.Get(), 0, 0, static_cast<DWORD>(layout->width), static_cast<DWORD>(layout->height), 0, 0,
        0, static_cast<UINT>(layout->height), bits.data(),
        reinterpret_cast<const BITMAPINFO*>(info.data()), DIB_RGB_COLORS);
    if (rows != layout->height) return nullptr;
  }
  GdiFlush();
  auto* pixel = static_cast<std::uint32_t*>(pixels);
  const std::size_t count = static_cast<std::size_t>(layout->width) * layout->height;
  for (std::size_t i = 0; i < count; ++i) pixel[i] |= 0xFF000000u;
  return std::make_shared<Picture>(std::move(bitmap), layout->width, layout->height);
}

}  // namespace orvex::win32
