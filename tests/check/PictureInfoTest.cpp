// Picture headers as the checker reads them. The metafile sizes are the
// ones Wine's GDI+ reported for the same bytes.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "platform/Failure.h"
#include "tools/check/PictureDecode.h"
#include "tools/check/PictureInfo.h"

namespace orvex::check {
namespace {

std::string Le16(int value) {
  return {static_cast<char>(value & 0xFF), static_cast<char>((value >> 8) & 0xFF)};
}
std::string Le32(std::int64_t value) {
  return Le16(static_cast<int>(value & 0xFFFF)) + Le16(static_cast<int>((value >> 16) & 0xFFFF));
}
std::string Be16(int value) {
  return {static_cast<char>((value >> 8) & 0xFF), static_cast<char>(value & 0xFF)};
}
std::string Be32(std::int64_t value) {
  return Be16(static_cast<int>((value >> 16) & 0xFFFF)) + Be16(static_cast<int>(value & 0xFFFF));
}

std::string Bmp(std::int64_t width, std::int64_t height) {
  return "BM" + Le32(54) + Le32(0) + Le32(54) + Le32(40) + Le32(width) + Le32(height) + Le16(1) +
         Le16(24) + std::string(24, '\0');
}
std::string BmpCore(int width, int height) {
  return "BM" + Le32(26) + Le32(0) + Le32(26) + Le32(12) + Le16(width) + Le16(height) + Le16(1) +
         Le16(24);
}
std::string IcoEntry(int width, int height) {
  return std::string{static_cast<char>(width), static_cast<char>(height), 0, 0} + Le16(1) +
         Le16(32) + Le32(40) + Le32(38);
}
std::string Ico(const std::string& entries, int count) {
  return Le16(0) + Le16(1) + Le16(count) + entries;
}
std::string WmfHeader() {
  return Le16(1) + Le16(9) + Le16(0x0300) + Le32(12) + Le16(0) + Le32(3) + Le16(0);
}
// SetWindowExt: height first.
std::string WmfWindowExtent(int width, int height) {
  return Le32(5) + Le16(0x020C) + Le16(height) + Le16(width);
}
std::string PlaceableWmf(int left, int top, int right, int bottom, int inch) {
  return "\xD7\xCD\xC6\x9A" + Le16(0) + Le16(left) + Le16(top) + Le16(right) + Le16(bottom) +
         Le16(inch) + Le32(0) + Le16(0) + WmfHeader();
}
std::string Emf(int frameLeft, int frameTop, int frameRight, int frameBottom, int deviceX,
                int deviceY, int millimetresX, int millimetresY) {
  std::string bytes = Le32(1) + Le32(108) + Le32(0) + Le32(0) + Le32(100) + Le32(100) +
                      Le32(frameLeft) + Le32(frameTop) + Le32(frameRight) + Le32(frameBottom) +
                      " EMF" + Le32(0x10000) + Le32(128) + Le32(2) + Le16(0) + Le16(0) + Le32(0) +
                      Le32(0) + Le32(0) + Le32(deviceX) + Le32(deviceY) + Le32(millimetresX) +
                      Le32(millimetresY);
  return bytes + std::string(20, '\0');
}
std::string Gif(int width, int height) {
  return "GIF89a" + Le16(width) + Le16(height) + std::string("\x80\0\0", 3);
}
// A screen without colour table, then the first image's descriptor.
std::string GifWithImage(int width, int height, int left, int top, int imageWidth, int imageHeight,
                         char imageFlags = '\x80') {
  return "GIF89a" + Le16(width) + Le16(height) + std::string(3, '\0') + "," + Le16(left) +
         Le16(top) + Le16(imageWidth) + Le16(imageHeight) + std::string(1, imageFlags);
}
std::string JpegSegment(int marker, const std::string& body) {
  return std::string{'\xFF', static_cast<char>(marker)} + Be16(static_cast<int>(body.size()) + 2) +
         body;
}
std::string Jpeg(int width, int height) {
  return std::string("\xFF\xD8") + JpegSegment(0xE0, std::string("JFIF\0\1\1\0\0\1\0\1\0\0", 14)) +
         JpegSegment(0xDB, std::string(65, '\1')) +
         JpegSegment(0xC2, std::string("\x08") + Be16(height) + Be16(width) + "\x01\x01\x11\x00");
}
std::string Png(std::int64_t width, std::int64_t height) {
  return std::string("\x89PNG\r\n\x1A\n", 8) + Be32(13) + "IHDR" + Be32(width) + Be32(height) +
         std::string("\x08\x02\0\0\0", 5) + Be32(0);
}

struct Readable {
  const char* name;
  std::string bytes;
  PictureFormat format;
  int width;
  int height;
};

void PrintTo(const Readable& c, std::ostream* out) { *out << c.name; }

class PictureInfoReads : public ::testing::TestWithParam<Readable> {};

TEST_P(PictureInfoReads, FormatAndDrawnSize) {
  const Readable& c = GetParam();
  const PictureInfo info = ReadPictureInfo(c.bytes);
  EXPECT_EQ(info.format, c.format);
  EXPECT_EQ(info.width, c.width);
  EXPECT_EQ(info.height, c.height);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, PictureInfoReads,
    ::testing::Values(
        Readable{"BmpBottomUp", Bmp(120, 80), PictureFormat::Bmp, 120, 80},
        Readable{"BmpTopDown", Bmp(30, -20), PictureFormat::Bmp, 30, 20},
        Readable{"BmpCoreHeader", BmpCore(4, 3), PictureFormat::Bmp, 4, 3},
        Readable{"IcoFirstImageCounts", Ico(IcoEntry(16, 16) + IcoEntry(48, 48), 2),
                 PictureFormat::Ico, 16, 16},
        Readable{"IcoZeroMeans256", Ico(IcoEntry(0, 0), 1), PictureFormat::Ico, 256, 256},
        // One pixel a unit, whatever a unit is.
        Readable{"WmfPlaceableTwips", PlaceableWmf(0, 0, 1440, 720, 1440), PictureFormat::Wmf, 1440,
                 720},
        Readable{"WmfPlaceableOffset", PlaceableWmf(10, 20, 154, 92, 72), PictureFormat::Wmf, 144,
                 72},
        // Without a placeable header: its window extent, or the client area.
        Readable{"WmfWindowExtent", WmfHeader() + WmfWindowExtent(300, -200), PictureFormat::Wmf,
                 300, 200},
        Readable{"WmfWithoutExtent", WmfHeader(), PictureFormat::Wmf, 481, 335},
        Readable{"EmfScreen", Emf(0, 0, 3175, 2117, 1024, 768, 270, 203), PictureFormat::Emf, 120,
                 80},
        Readable{"EmfCutNotRounded", Emf(0, 0, 2540, 2540, 1920, 1080, 508, 286),
                 PictureFormat::Emf, 96, 95},
        Readable{"EmfOffsetFrame", Emf(100, 200, 2640, 5280, 1024, 768, 320, 240),
                 PictureFormat::Emf, 81, 162},
        Readable{"Gif", Gif(9, 5), PictureFormat::Gif, 9, 5},
        Readable{"GifImageBeyondItsScreen", GifWithImage(9, 5, 4, 0, 10, 5), PictureFormat::Gif, 14,
                 5},
        Readable{"JpegSizeAfterOtherSegments", Jpeg(640, 480), PictureFormat::Jpeg, 640, 480},
        Readable{"Png", Png(481, 335), PictureFormat::Png, 481, 335},
        Readable{"AsLargeAsTheLauncherDraws", Png(8192, 8192), PictureFormat::Png, 8192, 8192}),
    [](const auto& info) { return std::string(info.param.name); });

struct Unreadable {
  const char* name;
  std::string bytes;
};

void PrintTo(const Unreadable& c, std::ostream* out) { *out << c.name; }

class PictureInfoRefuses : public ::testing::TestWithParam<Unreadable> {};

TEST_P(PictureInfoRefuses, AsAnInvalidPicture) {
  try {
    ReadPictureInfo(GetParam().bytes);
    FAIL() << "read as a picture";
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.Kind(), FailureKind::InvalidPicture);
    EXPECT_FALSE(failure.Detail().empty());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Headers, PictureInfoRefuses,
    ::testing::Values(Unreadable{"Empty", ""}, Unreadable{"Text", "just some text, no picture"},
                      Unreadable{"BmpCut", Bmp(120, 80).substr(0, 30)},
                      Unreadable{"BmpNoWidth", Bmp(0, 80)}, Unreadable{"IcoNoImages", Ico("", 0)},
                      Unreadable{"IcoDirectoryCut", Ico(IcoEntry(16, 16), 2)},
                      Unreadable{"WmfPlaceableCut", PlaceableWmf(0, 0, 100, 100, 96).substr(0, 30)},
                      Unreadable{"WmfEmptyBox", PlaceableWmf(50, 50, 50, 90, 96)},
                      Unreadable{"EmfCut", Emf(0, 0, 100, 100, 1024, 768, 270, 203).substr(0, 60)},
                      Unreadable{"EmfNoDeviceSize", Emf(0, 0, 3175, 2117, 1024, 768, 0, 0)},
                      Unreadable{"GifCut", Gif(9, 5).substr(0, 8)},
                      Unreadable{"GifWithoutColourTable", GifWithImage(9, 5, 0, 0, 9, 5, '\0')},
                      Unreadable{"JpegWithoutFrame", std::string("\xFF\xD8\xFF\xD9")},
                      Unreadable{"JpegCut", Jpeg(640, 480).substr(0, 40)},
                      Unreadable{"PngCut", Png(16, 16).substr(0, 20)},
                      Unreadable{"PngNoHeight", Png(16, 0)},
                      Unreadable{"LargerThanTheLauncherDraws", Png(8193, 8192)}),
    [](const auto& info) { return std::string(info.param.name); });

// A 2 x 2 bitmap, its pixel data (16 bytes) whole unless cut; a colour table
// of one entry below 24 bits per pixel.
std::string SmallBmp(int bitCount, int compression, const std::string& data) {
  const std::string table = bitCount < 24 ? Le32(0xFF8000) : "";
  const int offset = 54 + static_cast<int>(table.size());
  return "BM" + Le32(offset + static_cast<int>(data.size())) + Le32(0) + Le32(offset) + Le32(40) +
         Le32(2) + Le32(2) + Le16(1) + Le16(bitCount) + Le32(compression) + std::string(12, '\0') +
         Le32(static_cast<int>(table.size() / 4)) + Le32(0) + table + data;
}
const std::string kRows24(16, '\x7F');
// 8 bits per pixel, run-length coded: two runs of two, line ends, the end.
const std::string kRle8 = std::string("\2\1\0\0\2\1\0\1", 8);

// A 1 x 1 icon of 32 bits per pixel: its colour row, then its mask row.
std::string SmallIco(int maskBytes) {
  const std::string image =
      Le32(40) + Le32(1) + Le32(2) + Le16(1) + Le16(32) + std::string(24, '\0') + "\1\2\3\4";
  return Ico(std::string{1, 1, 0, 0} + Le16(1) + Le16(32) + Le32(44 + maskBytes) + Le32(22), 1) +
         image + std::string(static_cast<std::size_t>(maskBytes), '\0');
}

struct Data {
  const char* name;
  PictureFormat format;
  std::string bytes;
  bool drawn;
};

void PrintTo(const Data& c, std::ostream* out) { *out << c.name; }

class PictureData : public ::testing::TestWithParam<Data> {};

TEST_P(PictureData, IsDrawnOrAnInvalidPicture) {
  const Data& c = GetParam();
  try {
    CheckPictureData(c.format, c.bytes, {});
    EXPECT_TRUE(c.drawn) << "not refused";
  } catch (const Failure& failure) {
    EXPECT_FALSE(c.drawn) << failure.Detail();
    EXPECT_EQ(failure.Kind(), FailureKind::InvalidPicture);
  }
}

INSTANTIATE_TEST_SUITE_P(
    BmpAndIco, PictureData,
    ::testing::Values(
        Data{"BmpWhole", PictureFormat::Bmp, SmallBmp(24, 0, kRows24), true},
        Data{"BmpNoPixelData", PictureFormat::Bmp, SmallBmp(24, 0, ""), false},
        Data{"BmpRowCut", PictureFormat::Bmp, SmallBmp(24, 0, kRows24.substr(1)), false},
        Data{"BmpNoBits", PictureFormat::Bmp, SmallBmp(0, 0, kRows24), false},
        Data{"BmpSevenBits", PictureFormat::Bmp, SmallBmp(7, 0, kRows24), false},
        Data{"BmpCompressedAsJpeg", PictureFormat::Bmp, SmallBmp(24, 4, kRows24), false},
        Data{"BmpRunLengthWhole", PictureFormat::Bmp, SmallBmp(8, 1, kRle8), true},
        Data{"BmpRunLengthWithoutEnd", PictureFormat::Bmp, SmallBmp(8, 1, kRle8.substr(0, 6)),
             false},
        Data{"BmpRunLengthOfOtherBits", PictureFormat::Bmp, SmallBmp(24, 1, kRle8), false},
        Data{"IcoWhole", PictureFormat::Ico, SmallIco(4), true},
        Data{"IcoMaskCut", PictureFormat::Ico, SmallIco(2), false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace orvex::check
