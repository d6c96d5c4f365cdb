#include "tools/check/PictureDecode.h"

#include <cstdint>
#include <string>

#include "platform/BitmapLayout.h"
#include "platform/Failure.h"
#include "platform/PictureHeader.h"
#include "tools/check/LibraryDecode.h"

namespace orvex::check {

namespace {

[[noreturn]] void Damaged(const std::string& why) {
  throw Failure(FailureKind::InvalidPicture, why);
}

void DecodeBmp(std::string_view bytes) {
  std::string why;
  const std::optional<BitmapLayout> layout = ReadBitmapLayout(bytes, why);
  if (!layout) Damaged(why);
  why = BitmapDataDamage(bytes, *layout);
  if (!why.empty()) Damaged(why);
}

// The first image is drawn: a PNG, or a bitmap without its file header
// whose height counts the colour rows and the transparency mask's rows.
void DecodeIco(std::string_view bytes, const std::filesystem::path& file) {
  const std::size_t size = Le32(bytes, 6 + 8);
  const std::size_t offset = Le32(bytes, 6 + 12);
  if (offset >= bytes.size() || size > bytes.size() - offset) {
    Damaged("The icon's first image is cut short (it would end at byte " +
            std::to_string(offset + size) + " of " + std::to_string(bytes.size()) + ").");
  }
  const std::string_view image = bytes.substr(offset, size);
  if (image.starts_with("\x89PNG\r\n\x1A\n")) {
    DecodeWhole(PictureFormat::Png, image, file);
    return;
  }
  // The same checks as a bitmap file, behind a file header of its own.
  std::string bitmap = "BM" + std::string(12, '\0') + std::string(image);
  if (bitmap.size() < 14 + 40) Damaged("The icon's first image has no whole bitmap header.");
  const std::uint32_t headerSize = Le32(bitmap, 14);
  std::string why;
  std::optional<BitmapLayout> layout = ReadBitmapLayout(bitmap, why);
  if (!layout) Damaged("The icon's first image: " + why);
  layout->rows /= 2;
  const std::size_t mask = ((layout->width + 31) / 32) * 4 * layout->rows;
  const std::size_t entryBytes = headerSize == 12 ? 3 : 4;
  layout->bitsOffset = 14 + headerSize + entryBytes * layout->colours;
  why = BitmapDataDamage(bitmap, *layout);
  if (why.empty() && layout->bitsOffset + layout->stride * layout->rows + mask > bitmap.size()) {
    why = "The icon's transparency mask is cut short.";
  }
  if (!why.empty()) Damaged("The icon's first image: " + why);
}

}  // namespace

void CheckPictureData(PictureFormat format, std::string_view bytes,
                      const std::filesystem::path& file) {
  switch (format) {
    case PictureFormat::Bmp: DecodeBmp(bytes); return;
    case PictureFormat::Ico: DecodeIco(bytes, file); return;
    case PictureFormat::Png:
    case PictureFormat::Jpeg:
    case PictureFormat::Gif: DecodeWhole(format, bytes, file); return;
    case PictureFormat::Wmf:
    case PictureFormat::Emf: return;  // records, drawn by GDI as far as they make sense
  }
}

}  // namespace orvex::check
