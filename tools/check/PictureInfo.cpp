#include "tools/check/PictureInfo.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/Failure.h"
#include "platform/PictureHeader.h"

namespace orvex::check {

namespace {

[[noreturn]] void NotAPicture(const std::string& why) {
  throw Failure(FailureKind::InvalidPicture, why);
}

[[noreturn]] void CutShort(const std::string& format) {
  NotAPicture(std::string("The ") + format + " header is cut short.");
}

std::int32_t SignedLe32(std::string_view bytes, std::size_t at) {
  return static_cast<std::int32_t>(Le32(bytes, at));
}

std::int16_t SignedLe16(std::string_view bytes, std::size_t at) {
  return static_cast<std::int16_t>(Le16(bytes, at));
}

PictureInfo Sized(PictureFormat format, long long width, long long height) {
  if (width <= 0 || height <= 0) NotAPicture("The picture has no pixels.");
  RefuseHugePicture(width, height);
  return {format, static_cast<int>(width), static_cast<int>(height)};
}

// The launcher reads the size of these formats itself, to refuse huge
// pictures before a decoder sees them; the checker asks the same code.
PictureInfo Claimed(PictureFormat format, std::string_view bytes) {
  const std::optional<ClaimedSize> claimed = ClaimedPictureSize(bytes);
  if (!claimed) CutShort(PictureFormatName(format));
  return Sized(format, claimed->width, claimed->height);
}

// A bitmap needs both its headers whole, more than the size reader asks.
PictureInfo Bmp(std::string_view bytes) {
  if (bytes.size() < 18) CutShort("BMP");
  const std::uint32_t headerSize = Le32(bytes, 14);
  if (headerSize != 12 && headerSize < 40) NotAPicture("The BMP header has an unknown size.");
  if (bytes.size() < 14 + static_cast<std::size_t>(headerSize == 12 ? 12 : 40)) CutShort("BMP");
  return Claimed(PictureFormat::Bmp, bytes);
}

// The first image of the icon is the one drawn.
PictureInfo Ico(std::string_view bytes) {
  const std::uint32_t count = Le16(bytes, 4);
  if (count == 0) NotAPicture("The icon file holds no image.");
  if (bytes.size() < 6 + 16 * static_cast<std::size_t>(count)) CutShort("ICO");
  const std::uint32_t width = HeaderByte(bytes, 6);
  const std::uint32_t height = HeaderByte(bytes, 7);
  return Sized(PictureFormat::Ico, width == 0 ? 256 : width, height == 0 ? 256 : height);
}

bool IsWmfHeader(std::string_view bytes, std::size_t at) {
  return bytes.size() > at && IsPlainMetafile(bytes.substr(at));
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

}  // namespace

const char* PictureFormatName(PictureFormat format) {
  // In the order of PictureFormat.
  static constexpr std::array<const char*, 7> kNames = {"BMP", "ICO",  "WMF", "EMF",
                                                        "GIF", "JPEG", "PNG"};
  return kNames.at(static_cast<std::size_t>(format));
}

PictureInfo ReadPictureInfo(std::string_view bytes) {
  if (bytes.starts_with("BM")) return Bmp(bytes);
  if (bytes.starts_with(std::string_view("\x00\x00\x01\x00", 4))) {
    if (bytes.size() < 6) CutShort("ICO");
    return Ico(bytes);
  }
  if (bytes.starts_with("\xD7\xCD\xC6\x9A")) return PlaceableWmf(bytes);
  if (bytes.starts_with("GIF87a") || bytes.starts_with("GIF89a")) {
    const PictureInfo gif = Claimed(PictureFormat::Gif, bytes);
    if (const std::optional<std::string> trap = DecoderTrap(bytes)) NotAPicture(*trap);
    return gif;
  }
  if (bytes.starts_with("\xFF\xD8\xFF")) return Claimed(PictureFormat::Jpeg, bytes);
  if (bytes.starts_with("\x89PNG\r\n\x1A\n")) return Claimed(PictureFormat::Png, bytes);
  if (bytes.size() >= 44 && Le32(bytes, 0) == 1 && bytes.substr(40, 4) == " EMF") {
    return Emf(bytes);
  }
  if (IsPlainMetafile(bytes)) {
    const ClaimedSize size = PlainMetafileSize(bytes);
    return Sized(PictureFormat::Wmf, size.width, size.height);
  }
  if (bytes.empty()) NotAPicture("The file is empty.");
  NotAPicture("The file is not a picture in a format the launcher reads.");
}

}  // namespace orvex::check
