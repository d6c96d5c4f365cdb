#include "Pictures.h"

// GDI+ needs the COM types that WIN32_LEAN_AND_MEAN leaves out.
#include <objidl.h>
// after objidl.h
#include <gdiplus.h>

#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace winetest {

namespace {

namespace gp = Gdiplus::DllExports;

std::uint32_t PixelsPerMetre(int dotsPerInch) {
  return static_cast<std::uint32_t>((dotsPerInch * 10000 + 127) / 254);
}

// BITMAPINFOHEADER fields, little-endian.
void PutInfoHeader(std::string& out, int width, int height, int bitCount, std::uint32_t imageSize,
                   int dotsPerInch, int headerSize = 40, std::uint32_t colours = 0) {
  PutLe32(out, static_cast<std::uint32_t>(headerSize));
  PutLe32(out, static_cast<std::uint32_t>(width));
  PutLe32(out, static_cast<std::uint32_t>(height));
  PutLe16(out, 1);
  PutLe16(out, static_cast<std::uint16_t>(bitCount));
  PutLe32(out, 0);  // BI_RGB
  PutLe32(out, imageSize);
  PutLe32(out, PixelsPerMetre(dotsPerInch));
  PutLe32(out, PixelsPerMetre(dotsPerInch));
  PutLe32(out, colours);
  PutLe32(out, 0);
}

std::string Bmp(int width, int height, Rgb colour, int dotsPerInch) {
  std::string row;
  for (int x = 0; x < width; ++x) row += Bgr(colour);
  row.resize(static_cast<size_t>((width * 3 + 3) & ~3), '\0');
  std::string rows;
  for (int y = 0; y < height; ++y) rows += row;
  return BitmapFile(width, height, 24, "", rows, dotsPerInch);
}

std::string Ico(int width, int height, Rgb colour) {
  if (width > 256 || height > 256) throw std::invalid_argument("icons are at most 256 x 256");
  const int maskStride = ((width + 31) / 32) * 4;
  const auto pixelBytes = static_cast<std::uint32_t>(width * height * 4);
  const auto maskBytes = static_cast<std::uint32_t>(maskStride * height);
  std::string out;
  PutLe16(out, 0);
  PutLe16(out, 1);  // icon
  PutLe16(out, 1);  // one image
  out += {static_cast<char>(width == 256 ? 0 : width),
          static_cast<char>(height == 256 ? 0 : height), '\0', '\0'};
  PutLe16(out, 1);
  PutLe16(out, 32);
  PutLe32(out, 40 + pixelBytes + maskBytes);
  PutLe32(out, 6 + 16);
  // The image's own header counts the AND mask in its height.
  PutInfoHeader(out, width, height * 2, 32, pixelBytes + maskBytes, 96);
  for (int i = 0; i < width * height; ++i) out += Bgr(colour) + '\xFF';
  out.append(maskBytes, '\0');  // fully opaque
  return out;
}

// An uncompressed GIF: every pixel is colour index 0, written as a literal
// LZW code; a clear code after every two keeps the codes 3 bits wide.
std::string Gif(int width, int height, Rgb colour) {
  std::string out = "GIF89a";
  PutLe16(out, static_cast<std::uint16_t>(width));
  PutLe16(out, static_cast<std::uint16_t>(height));
  out += {'\x80', '\0', '\0'};  // global colour table of 2 entries
  out += {static_cast<char>(colour.r), static_cast<char>(colour.g), static_cast<char>(colour.b)};
  out += {'\0', '\0', '\0', '\x2C'};
  PutLe16(out, 0);
  PutLe16(out, 0);
  PutLe16(out, static_cast<std::uint16_t>(width));
  PutLe16(out, static_cast<std::uint16_t>(height));
  out.push_back(0);
  constexpr int kMinimumCodeSize = 2;
  constexpr unsigned kClear = 4;
  constexpr unsigned kEnd = 5;
  out.push_back(kMinimumCodeSize);

  std::string data;
  unsigned bits = 0;
  int bitCount = 0;
  const auto emit = [&](unsigned code) {
    bits |= code << bitCount;
    bitCount += 3;
    while (bitCount >= 8) {
      data.push_back(static_cast<char>(bits & 0xFF));
      bits >>= 8;
      bitCount -= 8;
    }
  };
  const long pixels = static_cast<long>(width) * height;
  for (long i = 0; i < pixels; ++i) {
    if (i % 2 == 0) emit(kClear);
    emit(0);
  }
  emit(kEnd);
  if (bitCount > 0) data.push_back(static_cast<char>(bits & 0xFF));
  for (size_t at = 0; at < data.size(); at += 255) {
    const std::string block = data.substr(at, 255);
    out.push_back(static_cast<char>(block.size()));
    out += block;
  }
  return out + '\0' + '\x3B';
}

// A placeable metafile: the Aldus header gives its size in units of
// 1/unitsPerInch inch, here one unit per pixel at dotsPerInch.
std::string Wmf(int width, int height, Rgb colour, int dotsPerInch) {
  HDC recorder = CreateMetaFileW(nullptr);
  SetWindowOrgEx(recorder, 0, 0, nullptr);
  SetWindowExtEx(recorder, width, height, nullptr);
  const orvex::win32::ScopedBrush brush(CreateSolidBrush(RGB(colour.r, colour.g, colour.b)));
  SelectObject(recorder, brush.Get());
  SelectObject(recorder, GetStockObject(NULL_PEN));
  Rectangle(recorder, 0, 0, width + 1, height + 1);
  HMETAFILE metafile = CloseMetaFile(recorder);
  const UINT size = GetMetaFileBitsEx(metafile, 0, nullptr);
  std::string body(size, '\0');
  GetMetaFileBitsEx(metafile, size, body.data());
  DeleteMetaFile(metafile);

  std::string header;
  PutLe32(header, 0x9AC6CDD7u);
  PutLe16(header, 0);
  PutLe16(header, 0);
  PutLe16(header, 0);
  PutLe16(header, static_cast<std::uint16_t>(width));
  PutLe16(header, static_cast<std::uint16_t>(height));
  PutLe16(header, static_cast<std::uint16_t>(dotsPerInch));
  PutLe32(header, 0);
  std::uint16_t checksum = 0;
  for (size_t i = 0; i < 20; i += 2) {
    checksum ^= static_cast<std::uint16_t>(static_cast<unsigned char>(header[i]) |
                                           (static_cast<unsigned char>(header[i + 1]) << 8));
  }
  PutLe16(header, checksum);
  return header + body;
}

void WriteEmf(const std::wstring& path, int width, int height, Rgb colour) {
  HDC screen = GetDC(nullptr);
  // The frame is in 0.01 mm of the reference device, whose millimetres per
  // pixel readers use to turn it back into pixels. A quarter pixel more
  // keeps both truncating and rounding readers at the intended size.
  const int hundredthsX = GetDeviceCaps(screen, HORZSIZE) * 100;
  const int hundredthsY = GetDeviceCaps(screen, VERTSIZE) * 100;
  const int pixelsX = GetDeviceCaps(screen, HORZRES);
  const int pixelsY = GetDeviceCaps(screen, VERTRES);
  const RECT frame{0, 0, MulDiv(4 * width + 1, hundredthsX, 4 * pixelsX),
                   MulDiv(4 * height + 1, hundredthsY, 4 * pixelsY)};
  HDC recorder = CreateEnhMetaFileW(screen, path.c_str(), &frame, L"winetest\0solid\0");
  ReleaseDC(nullptr, screen);
  if (!recorder) throw std::runtime_error("cannot record " + Utf8(path));
  const orvex::win32::ScopedBrush brush(CreateSolidBrush(RGB(colour.r, colour.g, colour.b)));
  const RECT all{0, 0, width, height};
  FillRect(recorder, &all, brush.Get());
  DeleteEnhMetaFile(CloseEnhMetaFile(recorder));
}

void StartGdiPlus() {
  static ULONG_PTR token = [] {
    ULONG_PTR started = 0;
    Gdiplus::GdiplusStartupInput input;
    if (Gdiplus::GdiplusStartup(&started, &input, nullptr) != Gdiplus::Ok) {
      throw std::runtime_error("GDI+ did not start");
    }
    return started;
  }();
  (void)token;
}

CLSID EncoderFor(const wchar_t* mimeType) {
  UINT count = 0;
  UINT size = 0;
  gp::GdipGetImageEncodersSize(&count, &size);
  std::vector<unsigned char> buffer(size);
  auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
  gp::GdipGetImageEncoders(count, size, codecs);
  for (UINT i = 0; i < count; ++i) {
    if (wcscmp(codecs[i].MimeType, mimeType) == 0) return codecs[i].Clsid;
  }
  throw std::runtime_error("GDI+ has no encoder for " + Utf8(mimeType));
}

void WriteWithGdiPlus(const std::wstring& path, const wchar_t* mimeType, int width, int height,
                      Rgb colour, int dotsPerInch) {
  StartGdiPlus();
  Gdiplus::GpBitmap* bitmap = nullptr;
  if (gp::GdipCreateBitmapFromScan0(width, height, 0, PixelFormat24bppRGB, nullptr, &bitmap) !=
      Gdiplus::Ok) {
    throw std::runtime_error("GDI+ could not make a bitmap");
  }
  gp::GdipBitmapSetResolution(bitmap, static_cast<Gdiplus::REAL>(dotsPerInch),
                              static_cast<Gdiplus::REAL>(dotsPerInch));
  Gdiplus::GpGraphics* graphics = nullptr;
  gp::GdipGetImageGraphicsContext(bitmap, &graphics);
  gp::GdipGraphicsClear(graphics, 0xFF000000u | (static_cast<unsigned>(colour.r) << 16) |
                                      (static_cast<unsigned>(colour.g) << 8) |
                                      static_cast<unsigned>(colour.b));
  gp::GdipDeleteGraphics(graphics);
  const CLSID encoder = EncoderFor(mimeType);
  const Gdiplus::GpStatus saved = gp::GdipSaveImageToFile(bitmap, path.c_str(), &encoder, nullptr);
  gp::GdipDisposeImage(bitmap);
  if (saved != Gdiplus::Ok) {
    throw std::runtime_error("GDI+ could not save " + Utf8(path) + " (status " +
                             std::to_string(saved) + ")");
  }
}

}  // namespace

std::string BitmapFile(int width, int height, int bitsPerPixel, const std::string& colourTable,
                       const std::string& rows, int dotsPerInch, int headerSize) {
  std::string info;
  PutInfoHeader(info, width, height, bitsPerPixel, static_cast<std::uint32_t>(rows.size()),
                dotsPerInch, headerSize, static_cast<std::uint32_t>(colourTable.size() / 4));
  info.resize(static_cast<size_t>(headerSize), '\0');  // V4/V5: no masks, no colour profile
  std::string file = "BM";
  PutLe32(file, static_cast<std::uint32_t>(14 + info.size() + colourTable.size() + rows.size()));
  PutLe32(file, 0);
  PutLe32(file, static_cast<std::uint32_t>(14 + info.size() + colourTable.size()));
  return file + info + colourTable + rows;
}

std::string FormatName(PictureFormat format) {
  static const char* const names[] = {"BMP", "ICO", "WMF", "EMF", "GIF", "JPEG", "PNG"};
  return names[static_cast<int>(format)];
}

std::wstring Extension(PictureFormat format) {
  return format == PictureFormat::Jpeg ? L"jpg" : Lower(Wide(FormatName(format)));
}

void WriteSolidPicture(const std::wstring& path, PictureFormat format, int width, int height,
                       Rgb colour, int dotsPerInch) {
  switch (format) {
    case PictureFormat::Bmp: WriteBytes(path, Bmp(width, height, colour, dotsPerInch)); return;
    case PictureFormat::Ico: WriteBytes(path, Ico(width, height, colour)); return;
    case PictureFormat::Wmf: WriteBytes(path, Wmf(width, height, colour, dotsPerInch)); return;
    case PictureFormat::Emf: WriteEmf(path, width, height, colour); return;
    case PictureFormat::Gif: WriteBytes(path, Gif(width, height, colour)); return;
    case PictureFormat::Jpeg:
      WriteWithGdiPlus(path, L"image/jpeg", width, height, colour, dotsPerInch);
      return;
    case PictureFormat::Png:
      WriteWithGdiPlus(path, L"image/png", width, height, colour, dotsPerInch);
      return;
  }
}

}  // namespace winetest
