#include "tools/check/PictureInfo.h"

#include <cstdint>
#include <string>

#include "platform/Failure.h"

namespace orvex::check {

namespace {

[[noreturn]] void NotAPicture(const std::string& why) {
  throw Failure(FailureKind::InvalidPicture, why);
}

[[noreturn]] void CutShort(const char* format) {
  NotAPicture(std::string("The ") + format + " header is cut short.");
}

std::uint32_t Byte(std::string_view bytes, std::size_t at) {
  return static_cast<unsigned char>(bytes[at]);
}

std::uint32_t Le16(std::string_view bytes, std::size_t at) {
  return Byte(bytes, at) | Byte(bytes, at + 1) << 8;
}

std::uint32_t Le32(std::string_view bytes, std::size_t at) {
  return Le16(bytes, at) | Le16(bytes, at + 2) << 16;
}

std::uint32_t Be16(std::string_view bytes, std::size_t at) {
  return Byte(bytes, at) << 8 | Byte(bytes, at + 1);
}

std::uint32_t Be32(std::string_view bytes, std::size_t at) {
  return Be16(bytes, at) << 16 | Be16(bytes, at + 2);
}

std::int32_t SignedLe32(std::string_view bytes, std::size_t at) {
  return static_cast<std::int32_t>(Le32(bytes, at));
}

std::int16_t SignedLe16(std::string_view bytes, std::size_t at) {
  return static_cast<std::int16_t>(Le16(bytes, at));
}

PictureInfo Sized(PictureFormat format, long long width, long long height) {
  if (width <= 0 || height <= 0) NotAPicture("The picture has no pixels.");
  if (width * height > kLargestPicturePixels) {
    NotAPicture("The picture is too large (" + std::to_string(width) + " x " +
                std::to_string(height) + " pixels).");
  }
  return {format, static_cast<int>(width), static_cast<int>(height), true};
}

PictureInfo Bmp(std::string_view bytes) {
  if (bytes.size() < 18) CutShort("BMP");
  const std::uint32_t headerSize = Le32(bytes, 14);
  if (headerSize == 12) {  // the old OS/2 header: 16-bit sizes
    if (bytes.size() < 26) CutShort("BMP");
    return Sized(PictureFormat::Bmp, Le16(bytes, 18), Le16(bytes, 20));
  }
  if (headerSize < 40) NotAPicture("The BMP header has an unknown size.");
  if (bytes.size() < 14 + 40) CutShort("BMP");
  const long long height = SignedLe32(bytes, 22);  // negative: rows top-down
  return Sized(PictureFormat::Bmp, SignedLe32(bytes, 18), height < 0 ? -height : height);
}

// The first image of the icon is the one drawn.
PictureInfo Ico(std::string_view bytes) {
  const std::uint32_t count = Le16(bytes, 4);
  if (count == 0) NotAPicture("The icon file holds no image.");
  if (bytes.size() < 6 + 16 * static_cast<std::size_t>(count)) CutShort("ICO");
  const std::uint32_t width = Byte(bytes, 6);
  const std::uint32_t height = Byte(bytes, 7);
  return Sized(PictureFormat::Ico, width == 0 ? 256 : width, height == 0 ? 256 : height);
}

bool IsWmfHeader(std::string_view bytes, std::size_t at) {
  if (bytes.size() < at + 18) return false;
  const std::uint32_t type = Le16(bytes, at);
  const std::uint32_t version = Le16(bytes, at + 4);
  return (type == 1 || type == 2) && Le16(bytes, at + 2) == 9 &&
         (version == 0x0100 || version == 0x0300);
}

// A placeable metafile is drawn one pixel per unit of its bounding box,
// whatever it says a unit is.
PictureInfo PlaceableWmf(std::string_view bytes) {
  if (bytes.size() < 22 + 18) CutShort("WMF");
  if (!IsWmfHeader(bytes, 22))
    NotAPicture("The placeable WMF header is not followed by a metafile.");
  const long long left = SignedLe16(bytes, 6);
  const long long top = SignedLe16(bytes, 8);
  const long long right = SignedLe16(bytes, 10);
  const long long bottom = SignedLe16(bytes, 12);
  return Sized(PictureFormat::Wmf, right - left, bottom - top);
}

// An enhanced metafile is drawn at the size of its frame (0.01 mm) on the
// device it was recorded for; GDI+ works in single precision and cuts the
// result to whole pixels.
int EmfPixels(std::int32_t frameFrom, std::int32_t frameTo, std::int32_t devicePixels,
              std::int32_t deviceMillimetres) {
  const auto dotsPerInch =
      static_cast<float>(static_cast<float>(devicePixels) * 25.4 / deviceMillimetres);
  const auto pixels =
      static_cast<float>(static_cast<float>(frameTo - frameFrom) / 2540.0 * dotsPerInch);
  return pixels >= 1 ? static_cast<int>(pixels) : 0;
}

PictureInfo Emf(std::string_view bytes) {
  if (bytes.size() < 88) CutShort("EMF");
  const std::int32_t millimetresX = SignedLe32(bytes, 80);
  const std::int32_t millimetresY = SignedLe32(bytes, 84);
  if (millimetresX <= 0 || millimetresY <= 0) NotAPicture("The EMF header names no device size.");
  return Sized(
      PictureFormat::Emf,
      EmfPixels(SignedLe32(bytes, 24), SignedLe32(bytes, 32), SignedLe32(bytes, 72), millimetresX),
      EmfPixels(SignedLe32(bytes, 28), SignedLe32(bytes, 36), SignedLe32(bytes, 76), millimetresY));
}

PictureInfo Gif(std::string_view bytes) {
  if (bytes.size() < 10) CutShort("GIF");
  return Sized(PictureFormat::Gif, Le16(bytes, 6), Le16(bytes, 8));
}

bool IsStartOfFrame(std::uint32_t marker) {
  return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// The size is in the first start-of-frame segment, after any number of
// others.
PictureInfo Jpeg(std::string_view bytes) {
  std::size_t at = 2;
  for (;;) {
    if (at + 4 > bytes.size()) CutShort("JPEG");
    if (Byte(bytes, at) != 0xFF) NotAPicture("The JPEG segments are damaged.");
    const std::uint32_t marker = Byte(bytes, at + 1);
    if (marker == 0xFF) {  // fill byte
      ++at;
      continue;
    }
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {  // no length
      at += 2;
      continue;
    }
    if (marker == 0xDA || marker == 0xD9) NotAPicture("The JPEG file has no frame header.");
    if (IsStartOfFrame(marker)) {
      if (at + 9 > bytes.size()) CutShort("JPEG");
      return Sized(PictureFormat::Jpeg, Be16(bytes, at + 7), Be16(bytes, at + 5));
    }
    at += 2 + Be16(bytes, at + 2);
  }
}

PictureInfo Png(std::string_view bytes) {
  if (bytes.size() < 24) CutShort("PNG");
  if (bytes.substr(12, 4) != "IHDR") NotAPicture("The PNG file does not start with its header.");
  return Sized(PictureFormat::Png, Be32(bytes, 16), Be32(bytes, 20));
}

}  // namespace

const char* PictureFormatName(PictureFormat format) {
  switch (format) {
    case PictureFormat::Bmp: return "BMP";
    case PictureFormat::Ico: return "ICO";
    case PictureFormat::Wmf: return "WMF";
    case PictureFormat::Emf: return "EMF";
    case PictureFormat::Gif: return "GIF";
    case PictureFormat::Jpeg: return "JPEG";
    case PictureFormat::Png: return "PNG";
  }
  return "?";
}

PictureInfo ReadPictureInfo(std::string_view bytes) {
  if (bytes.starts_with("BM")) return Bmp(bytes);
  if (bytes.starts_with(std::string_view("\x00\x00\x01\x00", 4))) {
    if (bytes.size() < 6) CutShort("ICO");
    return Ico(bytes);
  }
  if (bytes.starts_with("\xD7\xCD\xC6\x9A")) return PlaceableWmf(bytes);
  if (bytes.starts_with("GIF87a") || bytes.starts_with("GIF89a")) return Gif(bytes);
  if (bytes.starts_with("\xFF\xD8\xFF")) return Jpeg(bytes);
  if (bytes.starts_with("\x89PNG\r\n\x1A\n")) return Png(bytes);
  if (bytes.size() >= 44 && Le32(bytes, 0) == 1 && bytes.substr(40, 4) == " EMF") {
    return Emf(bytes);
  }
  if (IsWmfHeader(bytes, 0)) return {PictureFormat::Wmf, 0, 0, false};
  if (bytes.empty()) NotAPicture("The file is empty.");
  NotAPicture("The file is not a picture in a format the launcher reads.");
}

}  // namespace orvex::check
