#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <ostream>
#include <string>

#include "platform/BitmapLayout.h"
#include "platform/PictureHeader.h"

namespace orvex {
namespace {

std::string Le16(std::uint32_t value) {
  return {static_cast<char>(value & 0xFF), static_cast<char>((value >> 8) & 0xFF)};
}
std::string Le32(std::uint32_t value) { return Le16(value & 0xFFFF) + Le16(value >> 16); }
std::string Be16(std::uint32_t value) {
  return {static_cast<char>((value >> 8) & 0xFF), static_cast<char>(value & 0xFF)};
}
std::string Be32(std::uint32_t value) { return Be16(value >> 16) + Be16(value & 0xFFFF); }

// A BMP file header and BITMAPINFOHEADER (no pixels follow: only the header
// is asked).
std::string BmpHeader(std::int32_t width, std::int32_t height) {
  return "BM" + Le32(14 + 40) + Le32(0) + Le32(14 + 40) + Le32(40) +
         Le32(static_cast<std::uint32_t>(width)) + Le32(static_cast<std::uint32_t>(height)) +
         Le16(1) + Le16(24) + Le32(0) + Le32(0) + Le32(0) + Le32(0) + Le32(0) + Le32(0);
}

// The old OS/2 BITMAPCOREHEADER: 16-bit sizes.
std::string BmpCoreHeader(std::uint16_t width, std::uint16_t height) {
  return "BM" + Le32(14 + 12) + Le32(0) + Le32(14 + 12) + Le32(12) + Le16(width) + Le16(height) +
         Le16(1) + Le16(24);
}

// Header and logical screen with a global colour table of 4 entries.
std::string GifScreen(std::uint16_t width, std::uint16_t height) {
  return "GIF89a" + Le16(width) + Le16(height) + std::string("\x81\x00\x00", 3) +
         std::string(4 * 3, '\x7F');
}
std::string GifGraphicControl() { return std::string("\x21\xF9\x04\x00\x00\x00\x00\x00", 8); }
std::string GifComment() {
  return std::string(
      "\x21\xFE\x03"
      "abc\x02"
      "xy\x00",
      10);
}
std::string GifImage(std::uint16_t left, std::uint16_t top, std::uint16_t width,
                     std::uint16_t height) {
  return "\x2C" + Le16(left) + Le16(top) + Le16(width) + Le16(height) + std::string(1, '\0');
}

std::string JpegSegment(unsigned char marker, const std::string& body) {
  return std::string{'\xFF', static_cast<char>(marker)} +
         Be16(static_cast<std::uint32_t>(body.size() + 2)) + body;
}
const std::string kJpegStart("\xFF\xD8", 2);
std::string JpegApp0() {
  return JpegSegment(0xE0, std::string("JFIF\0\x01\x01\0\0\x01\0\x01\0\0", 14));
}
std::string JpegTables() { return JpegSegment(0xDB, std::string(65, '\x01')); }
std::string JpegFrame(unsigned char marker, std::uint16_t width, std::uint16_t height) {
  return JpegSegment(marker,
                     "\x08" + Be16(height) + Be16(width) + std::string("\x01\x01\x11\x00", 4));
}
// A segment body that no frame header may be read from.
const std::string kNotASize(8, '\x01');
std::string JpegScan() { return JpegSegment(0xDA, std::string("\x01\x01\x00\x00\x3F\x00", 6)); }

std::string PngHeader(std::uint32_t width, std::uint32_t height) {
  return std::string("\x89PNG\r\n\x1A\n", 8) + Be32(13) + "IHDR" + Be32(width) + Be32(height) +
         std::string("\x08\x02\x00\x00\x00", 5) + Be32(0);
}

struct HeaderCase {
  const char* name;
  std::string head;
  std::optional<ClaimedSize> size;
};

void PrintTo(const HeaderCase& c, std::ostream* out) { *out << c.name; }

std::optional<ClaimedSize> Size(long long width, long long height) {
  return ClaimedSize{width, height};
}

class PictureHeaderTest : public testing::TestWithParam<HeaderCase> {};

TEST_P(PictureHeaderTest, GivesTheClaimedSize) {
  const HeaderCase& c = GetParam();
  const std::optional<ClaimedSize> size = ClaimedPictureSize(c.head);
  ASSERT_EQ(size.has_value(), c.size.has_value());
  if (size) {
    EXPECT_EQ(size->width, c.size->width);
    EXPECT_EQ(size->height, c.size->height);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Formats, PictureHeaderTest,
    testing::Values(
        HeaderCase{"BmpBottomUp", BmpHeader(640, 480), Size(640, 480)},
        HeaderCase{"BmpTopDown", BmpHeader(640, -480), Size(640, 480)},
        HeaderCase{"BmpHuge", BmpHeader(30000, 30000), Size(30000, 30000)},
        HeaderCase{"BmpLargestRows", BmpHeader(1, std::numeric_limits<std::int32_t>::min()),
                   Size(1, 2147483648ll)},
        HeaderCase{"BmpNegativeWidth", BmpHeader(-640, 480), std::nullopt},
        HeaderCase{"BmpZeroWidth", BmpHeader(0, 480), Size(0, 480)},
        HeaderCase{"BmpCoreHeader", BmpCoreHeader(320, 200), Size(320, 200)},
        HeaderCase{"BmpCoreHeaderCutInHeight", BmpCoreHeader(320, 200).substr(0, 21), std::nullopt},
        HeaderCase{"BmpCoreHeaderCutAfterHeight", BmpCoreHeader(320, 200).substr(0, 22),
                   Size(320, 200)},
        HeaderCase{"BmpCutInHeight", BmpHeader(640, 480).substr(0, 25), std::nullopt},
        HeaderCase{"BmpCutAfterHeight", BmpHeader(640, 480).substr(0, 26), Size(640, 480)},
        HeaderCase{"BmpSignatureOnly", "BM", std::nullopt},
        HeaderCase{"GifScreenOnly", GifScreen(30000, 30000), Size(30000, 30000)},
        HeaderCase{"GifImageInsideScreen", GifScreen(100, 80) + GifImage(10, 10, 50, 40),
                   Size(100, 80)},
        HeaderCase{"GifImageBeyondScreen", GifScreen(100, 80) + GifImage(5, 7, 30000, 20000),
                   Size(30005, 20007)},
        HeaderCase{
            "GifImageAfterExtensions",
            GifScreen(16, 16) + GifGraphicControl() + GifComment() + GifImage(0, 0, 40000, 40000),
            Size(40000, 40000)},
        HeaderCase{"GifImageCutShort",
                   GifScreen(16, 16) + GifImage(0, 0, 40000, 40000).substr(0, 8), Size(16, 16)},
        HeaderCase{"GifHeadEndsAfterImageHeight",
                   GifScreen(16, 16) + GifImage(0, 0, 40000, 40000).substr(0, 9),
                   Size(40000, 40000)},
        HeaderCase{"GifCutInScreen", std::string("GIF87a\x10\x00", 8), std::nullopt},
        HeaderCase{"JpegBaseline", kJpegStart + JpegApp0() + JpegTables() + JpegFrame(0xC0, 64, 48),
                   Size(64, 48)},
        HeaderCase{"JpegProgressiveHuge", kJpegStart + JpegApp0() + JpegFrame(0xC2, 30000, 30000),
                   Size(30000, 30000)},
        HeaderCase{"JpegFillBytes",
                   kJpegStart + JpegApp0() + std::string("\xFF\xFF", 2) + JpegFrame(0xC1, 7, 9),
                   Size(7, 9)},
        HeaderCase{"JpegMarkersWithoutLength",
                   kJpegStart + std::string("\xFF\x01\xFF\xD0\xFF\xD7", 6) + JpegFrame(0xC0, 7, 9),
                   Size(7, 9)},
        HeaderCase{"JpegSegmentsBesideFrameMarkers",
                   kJpegStart + JpegSegment(0xBF, kNotASize) + JpegSegment(0xC4, kNotASize) +
                       JpegSegment(0xC8, kNotASize) + JpegSegment(0xCC, kNotASize) +
                       JpegFrame(0xCF, 7, 9),
                   Size(7, 9)},
        HeaderCase{"JpegScanBeforeFrame",
                   kJpegStart + JpegApp0() + JpegScan() + JpegFrame(0xC0, 7, 9), std::nullopt},
        HeaderCase{"JpegCutInFrame",
                   (kJpegStart + JpegApp0() + JpegFrame(0xC0, 64, 48)).substr(0, 2 + 18 + 8),
                   std::nullopt},
        HeaderCase{"JpegHeadEndsAfterWidth",
                   (kJpegStart + JpegApp0() + JpegFrame(0xC0, 64, 48)).substr(0, 2 + 18 + 9),
                   Size(64, 48)},
        HeaderCase{"JpegSegmentsDamaged", kJpegStart + JpegApp0() + "xyz" + JpegFrame(0xC0, 7, 9),
                   std::nullopt},
        HeaderCase{"Png", PngHeader(640, 480), Size(640, 480)},
        HeaderCase{"PngLargestClaim", PngHeader(0xFFFFFFFFu, 0xFFFFFFFFu),
                   Size(4294967295ll, 4294967295ll)},
        HeaderCase{"PngCutInHeader", PngHeader(640, 480).substr(0, 20), std::nullopt},
        HeaderCase{"PngOtherChunkFirst",
                   std::string("\x89PNG\r\n\x1A\n", 8) + Be32(13) + "IDAT" + Be32(640) + Be32(480),
                   std::nullopt},
        HeaderCase{"Empty", "", std::nullopt},
        HeaderCase{"Text", "These are notes, not a picture.", std::nullopt},
        HeaderCase{"Icon", std::string("\0\0\1\0\1\0\x30\x30", 8), std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

// A metafile without the placeable header: 18 header bytes, then records of
// (size in words, function, parameters).
std::string PlainMetafile(const std::string& records) {
  return Le16(1) + Le16(9) + Le16(0x0300) + Le32(9 + records.size() / 2) + Le16(0) + Le32(5) +
         Le16(0) + records;
}
std::string WindowExt(std::int16_t width, std::int16_t height) {
  return Le32(5) + Le16(0x020C) + Le16(static_cast<std::uint16_t>(height)) +
         Le16(static_cast<std::uint16_t>(width));
}
const std::string kMetafileEnd = Le32(3) + Le16(0);

TEST(PlainMetafileSize, IsTheWindowExtentOrTheClientArea) {
  const ClaimedSize clientArea{481, 335};
  const struct {
    std::string bytes;
    ClaimedSize size;
  } rows[] = {
      {PlainMetafile(WindowExt(200, 150) + kMetafileEnd), {200, 150}},
      {PlainMetafile(WindowExt(200, -150) + kMetafileEnd), {200, 150}},
      {PlainMetafile(kMetafileEnd + WindowExt(200, 150)), clientArea},  // after the end
      {PlainMetafile(WindowExt(0, 150) + kMetafileEnd), clientArea},
      {PlainMetafile(""), clientArea},
  };
  for (const auto& row : rows) {
    ASSERT_TRUE(IsPlainMetafile(row.bytes));
    const ClaimedSize size = PlainMetafileSize(row.bytes);
    EXPECT_EQ(size.width, row.size.width);
    EXPECT_EQ(size.height, row.size.height);
  }
  EXPECT_FALSE(IsPlainMetafile(std::string("\xD7\xCD\xC6\x9A", 4) + PlainMetafile("")));
}

// A whole 4 x 2 bitmap file: file header, info header of headerSize bytes,
// a whole colour table for up to 8 bits per pixel, then the pixels.
struct BmpFile {
  std::int32_t width = 4;
  std::uint16_t bitCount = 8;
  std::uint32_t compression = 0;
  std::uint32_t headerSize = 40;
  std::uint16_t planes = 1;
  std::uint32_t coloursUsed = 0;
  int offsetShift = 0;        // moves the pixels' offset in the header
  std::size_t pixelsCut = 0;  // bytes missing at the end
};

std::string Bytes(const BmpFile& f) {
  const std::size_t table = f.bitCount <= 8 ? 4u << f.bitCount : 0;
  const std::size_t stride = ((f.width * f.bitCount + 31) / 32) * 4;
  const auto offset = static_cast<std::uint32_t>(14 + f.headerSize + table + f.offsetShift);
  std::string header = Le32(f.headerSize) + Le32(f.width) + Le32(2) + Le16(f.planes) +
                       Le16(f.bitCount) + Le32(f.compression) + Le32(0) + Le32(0) + Le32(0) +
                       Le32(f.coloursUsed);
  header.resize(f.headerSize, '\0');
  const std::string file = "BM" + Le32(0) + Le32(0) + Le32(offset) + header +
                           std::string(table, '\x40') + std::string(2 * stride, '\x01');
  return file.substr(0, file.size() - f.pixelsCut);
}

// The bitmaps the launcher draws itself; GDI+ reads (or refuses) the rest.
TEST(PlainBitmapLayout, IsTheUsualUncompressedBitmapOnly) {
  const struct {
    const char* name;
    BmpFile file;
    long long maxPixels;
    bool plain;
  } cases[] = {
      {"8 bits", {}, 8, true},
      {"1 bit", {.bitCount = 1}, 8, true},
      {"4 bits", {.bitCount = 4}, 8, true},
      {"24 bits", {.bitCount = 24}, 8, true},
      {"V4 header", {.headerSize = 108}, 8, true},
      {"V5 header", {.headerSize = 124}, 8, true},
      {"fewer colours used", {.coloursUsed = 16}, 8, true},
      {"16 bits", {.bitCount = 16}, 8, false},
      {"32 bits", {.bitCount = 32}, 8, false},
      {"run-length coded", {.compression = 1}, 8, false},
      {"two planes", {.planes = 2}, 8, false},
      {"more colours than bits", {.coloursUsed = 257}, 8, false},
      {"colours for 24 bits", {.bitCount = 24, .coloursUsed = 1}, 8, false},
      {"pixels inside the table", {.offsetShift = -4}, 8, false},
      {"pixels cut short", {.pixelsCut = 1}, 8, false},
      {"more pixels than allowed", {}, 7, false},
  };
  for (const auto& c : cases) {
    const std::string bytes = Bytes(c.file);
    const auto layout = PlainBitmapLayout(bytes, c.maxPixels);
    EXPECT_EQ(layout.has_value(), c.plain) << c.name;
    std::string why;
    EXPECT_TRUE(ReadBitmapLayout(bytes, why) || !c.plain) << c.name << ": " << why;
  }
}

// What the checker and the launcher read of any bitmap, and what they find
// damaged behind a whole header.
TEST(ReadBitmapLayout, ReadsTheFormsTheSystemDrawsAndFindsDamage) {
  // BITMAPCOREHEADER: 3 x 2 pixels, 1 bit, a table of 3-byte entries.
  const std::string core = "BM" + Le32(0) + Le32(0) + Le32(32) + Le32(12) + Le16(3) + Le16(2) +
                           Le16(1) + Le16(1) + std::string(6, '\x40') + std::string(8, '\x01');
  const struct {
    const char* name;
    std::string bytes;
    int rows;            // 0: not read
    const char* damage;  // in BitmapDataDamage's text; "": none
  } cases[] = {
      {"8 bits", Bytes({}), 2, ""},
      {"2 bits", Bytes({.bitCount = 2}), 2, ""},
      {"3 bits", Bytes({.bitCount = 3}), 0, ""},
      {"no width", Bytes({.width = 0}), 0, ""},
      {"not BM", "X" + Bytes({}).substr(1), 0, ""},
      {"core header", core, 2, ""},
      {"core header, table cut", core.substr(0, 31), 2, "colour table"},
      {"table cut by a byte", Bytes({.pixelsCut = 9}), 2, "colour table"},
      {"pixels cut", Bytes({.pixelsCut = 1}), 2, "cut short"},
  };
  for (const auto& c : cases) {
    std::string why;
    const auto layout = ReadBitmapLayout(c.bytes, why);
    ASSERT_EQ(layout.has_value(), c.rows != 0) << c.name << ": " << why;
    if (!layout) continue;
    EXPECT_EQ(layout->rows, c.rows) << c.name;
    const std::string damage = BitmapDataDamage(c.bytes, *layout);
    EXPECT_EQ(damage.empty(), *c.damage == '\0') << c.name << ": " << damage;
    EXPECT_NE(damage.find(c.damage), std::string::npos) << c.name << ": " << damage;
  }
}

TEST(PictureHeaderPixels, CountsWithoutOverflow) {
  EXPECT_EQ((ClaimedSize{30000, 30000}.Pixels()), 900000000ll);
  EXPECT_EQ((ClaimedSize{4294967295ll, 4294967295ll}.Pixels()),
            std::numeric_limits<long long>::max());
  EXPECT_EQ((ClaimedSize{0, 480}.Pixels()), 0);
}

}  // namespace
}  // namespace orvex
