// Picture files for the tests, made on the spot: one colour, a given size.
#pragma once

#include <string>

#include "Harness.h"

namespace winetest {

enum class PictureFormat { Bmp, Ico, Wmf, Emf, Gif, Jpeg, Png };

// "BMP", "ICO", ...; and the file extension: "bmp", "ico", ... ("jpg").
std::string FormatName(PictureFormat format);
std::wstring Extension(PictureFormat format);

// A BMP file of the rows as given (bottom-up unless height is negative),
// with an info header of headerSize bytes (40, 108 or 124) and a colour
// table of 4-byte entries.
std::string BitmapFile(int width, int height, int bitsPerPixel, const std::string& colourTable,
                       const std::string& rows, int dotsPerInch = 96, int headerSize = 40);

// Writes a picture of width x height pixels filled with one colour. Where
// the format records a resolution, dotsPerInch is recorded, so that a test
// can check that the picture is drawn at its pixel size all the same. BMP,
// ICO, GIF and WMF are written byte by byte (WMF's records by GDI), EMF
// through GDI, JPEG and PNG through the GDI+ encoders.
void WriteSolidPicture(const std::wstring& path, PictureFormat format, int width, int height,
                       Rgb colour, int dotsPerInch = 96);

}  // namespace winetest
