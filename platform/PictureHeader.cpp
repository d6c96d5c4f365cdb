#include "platform/PictureHeader.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "launcher/Design.h"
#include "platform/Failure.h"
#include "platform/Twips.h"

namespace orvex {

std::uint32_t HeaderByte(std::string_view bytes, std::size_t at) {
  return static_cast<unsigned char>(bytes[at]);
}
std::uint32_t Le16(std::string_view bytes, std::size_t at) {
  return HeaderByte(bytes, at) | HeaderByte(bytes, at + 1) << 8;
}
std::uint32_t Le32(std::string_view bytes, std::size_t at) {
  return Le16(bytes, at) | Le16(bytes, at + 2) << 16;
}

void RefuseHugePicture(long long width, long long height) {
  if (ClaimedSize{width, height}.Pixels() > kLargestPicturePixels) {
    throw Failure(FailureKind::InvalidPicture, "The picture is too large (" +
                                                   std::to_string(width) + " x " +
                                                   std::to_string(height) + " pixels).");
  }
}

namespace {

std::uint32_t Be16(std::string_view bytes, std::size_t at) {
  return HeaderByte(bytes, at) << 8 | HeaderByte(bytes, at + 1);
}
std::uint32_t Be32(std::string_view bytes, std::size_t at) {
  return Be16(bytes, at) << 16 | Be16(bytes, at + 2);
}

std::optional<ClaimedSize> Bmp(std::string_view bytes) {
  constexpr std::size_t kInfoHeader = 14;
  if (bytes.size() < kInfoHeader + 4) return std::nullopt;
  if (Le32(bytes, kInfoHeader) == 12) {  // the old OS/2 header: 16-bit sizes
    if (bytes.size() < 22) return std::nullopt;
    return ClaimedSize{Le16(bytes, 18), Le16(bytes, 20)};
  }
  if (bytes.size() < 26) return std::nullopt;
  const long long width = static_cast<std::int32_t>(Le32(bytes, 18));
  const long long height = static_cast<std::int32_t>(Le32(bytes, 22));  // negative: top-down
  if (width < 0) return std::nullopt;
  return ClaimedSize{width, height < 0 ? -height : height};
}

constexpr std::size_t kGifScreenEnd = 13;

// Where the first image's descriptor begins, past the global colour table and
// any extensions; nothing when the file ends before it.
std::optional<std::size_t> FirstGifImage(std::string_view bytes) {
  const std::uint32_t flags = HeaderByte(bytes, 10);
  std::size_t at = kGifScreenEnd + ((flags & 0x80) ? 3u << ((flags & 7) + 1) : 0u);
  while (at < bytes.size() && HeaderByte(bytes, at) == 0x21) {  // extensions
    at += 2;
    while (at < bytes.size()) {
      const std::uint32_t length = HeaderByte(bytes, at);
      at += 1 + length;
      if (length == 0) break;
    }
  }
  if (at + 9 > bytes.size() || HeaderByte(bytes, at) != 0x2C) return std::nullopt;
  return at;
}

// The screen, and the first image, which may reach beyond it.
std::optional<ClaimedSize> Gif(std::string_view bytes) {
  if (bytes.size() < kGifScreenEnd) return std::nullopt;
  ClaimedSize size{Le16(bytes, 6), Le16(bytes, 8)};
  if (const std::optional<std::size_t> at = FirstGifImage(bytes)) {
    size.width = std::max<long long>(size.width, Le16(bytes, *at + 1) + Le16(bytes, *at + 5));
    size.height = std::max<long long>(size.height, Le16(bytes, *at + 3) + Le16(bytes, *at + 7));
  }
  return size;
}

bool IsStartOfFrame(std::uint32_t marker) {
  return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// The size stands in the first start-of-frame segment, after any number of
// others.
std::optional<ClaimedSize> Jpeg(std::string_view bytes) {
  std::size_t at = 2;
  while (at + 4 <= bytes.size() && HeaderByte(bytes, at) == 0xFF) {
    const std::uint32_t marker = HeaderByte(bytes, at + 1);
    if (marker == 0xFF) {  // fill byte
      ++at;
    } else if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) {  // no length
      at += 2;
    } else if (marker == 0xDA || marker == 0xD9) {  // scan or end before any frame
      return std::nullopt;
    } else if (IsStartOfFrame(marker)) {
      if (at + 9 > bytes.size()) return std::nullopt;
      return ClaimedSize{Be16(bytes, at + 7), Be16(bytes, at + 5)};
    } else {
      at += 2 + Be16(bytes, at + 2);
    }
  }
  return std::nullopt;
}

std::optional<ClaimedSize> Png(std::string_view bytes) {
  if (bytes.size() < 24 || bytes.substr(12, 4) != "IHDR") return std::nullopt;
  return ClaimedSize{Be32(bytes, 16), Be32(bytes, 20)};
}

constexpr std::size_t kMetafileHeaderBytes = 18;
constexpr std::uint32_t kSetWindowExt = 0x020C;
constexpr std::uint32_t kEndOfMetafile = 0x0000;

}  // namespace

std::optional<ClaimedSize> ClaimedPictureSize(std::string_view head) {
  if (head.starts_with("BM")) return Bmp(head);
  if (head.starts_with("GIF87a") || head.starts_with("GIF89a")) return Gif(head);
  if (head.starts_with("\xFF\xD8\xFF")) return Jpeg(head);
  if (head.starts_with("\x89PNG\r\n\x1A\n")) return Png(head);
  return std::nullopt;
}

std::optional<std::string> DecoderTrap(std::string_view head) {
  if (!head.starts_with("GIF87a") && !head.starts_with("GIF89a")) return std::nullopt;
  if (head.size() < kGifScreenEnd || (HeaderByte(head, 10) & 0x80)) return std::nullopt;
  const std::optional<std::size_t> image = FirstGifImage(head);
  if (!image || *image + 10 > head.size() || (HeaderByte(head, *image + 9) & 0x80)) {
    return std::nullopt;
  }
  return "The GIF has no colour table for its first image (neither a global nor a local one).";
}

bool IsPlainMetafile(std::string_view bytes) {
  if (bytes.size() < kMetafileHeaderBytes) return false;
  const std::uint32_t type = Le16(bytes, 0);
  const std::uint32_t version = Le16(bytes, 4);
  return (type == 1 || type == 2) && Le16(bytes, 2) == 9 &&
         (version == 0x0100 || version == 0x0300);
}

ClaimedSize PlainMetafileSize(std::string_view bytes) {
  // Records: their size in 16-bit words, their function, their parameters
  // (SetWindowExt's in reverse order: height, then width).
  std::size_t at = kMetafileHeaderBytes;
  while (at + 6 <= bytes.size()) {
    const std::size_t words = Le32(bytes, at);
    const std::uint32_t function = Le16(bytes, at + 4);
    if (words < 3 || function == kEndOfMetafile || words > (bytes.size() - at) / 2) break;
    if (function == kSetWindowExt && words >= 5) {
      const int height = std::abs(static_cast<std::int16_t>(Le16(bytes, at + 6)));
      const int width = std::abs(static_cast<std::int16_t>(Le16(bytes, at + 8)));
      if (width > 0 && height > 0) return {width, height};
    }
    at += 2 * words;
  }
  return {TwipsToPixels(kClientWidthTwips, 96), TwipsToPixels(kClientHeightTwips, 96)};
}

}  // namespace orvex
