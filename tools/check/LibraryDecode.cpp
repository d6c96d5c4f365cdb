#include "tools/check/LibraryDecode.h"

// clang-format off
#include <cstdio>  // before jpeglib.h, which needs FILE
#include <jpeglib.h>
#include <jerror.h>  // after jpeglib.h
// clang-format on
#include <gif_lib.h>
#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstring>
#include <string>
#include <vector>

#include "platform/Failure.h"

namespace orvex::check {

namespace {

[[noreturn]] void Damaged(const std::string& format, const std::string& why) {
  throw Failure(
      FailureKind::InvalidPicture,
      "The " + format + " data cannot be decoded whole (" + why +
          "). Windows' decoders may draw what there is of such a file; Wine's refuse it.");
}

// The libraries report errors by jumping back: the functions that set the
// jump own nothing that needs destroying.

struct PngRun {
  std::string_view bytes;
  std::size_t at = 0;
  png_bytep row = nullptr;
  char message[256] = "";
};

void PngRead(png_structp png, png_bytep out, png_size_t count) {
  auto* run = static_cast<PngRun*>(png_get_io_ptr(png));
  if (count > run->bytes.size() - run->at) png_error(png, "the file ends early");
  std::memcpy(out, run->bytes.data() + run->at, count);
  run->at += count;
}

void PngError(png_structp png, png_const_charp message) {
  auto* run = static_cast<PngRun*>(png_get_error_ptr(png));
  std::snprintf(run->message, sizeof run->message, "%s", message);
  png_longjmp(png, 1);
}

void PngWarning(png_structp, png_const_charp) {}

// The end chunk is not read: the picture is drawn once its rows are there.
bool ReadPngRows(png_structp png, png_infop info, PngRun& run) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_read_info(png, info);
  const int passes = png_set_interlace_handling(png);
  png_read_update_info(png, info);
  run.row = static_cast<png_bytep>(png_malloc(png, png_get_rowbytes(png, info)));
  const png_uint_32 height = png_get_image_height(png, info);
  for (int pass = 0; pass < passes; ++pass) {
    for (png_uint_32 y = 0; y < height; ++y) png_read_row(png, run.row, nullptr);
  }
  return true;
}

struct JpegRun {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
  bool endedEarly = false;
  char message[JMSG_LENGTH_MAX] = "";
};

void JpegError(j_common_ptr info) {
  auto* run = reinterpret_cast<JpegRun*>(info->err);
  run->manager.format_message(info, run->message);
  std::longjmp(run->jump, 1);
}

// The system's decoder stops where the file ends; the library would go on
// with grey rows, and warns.
void JpegMessage(j_common_ptr info, int level) {
  auto* run = reinterpret_cast<JpegRun*>(info->err);
  if (level < 0 && run->manager.msg_code == JWRN_JPEG_EOF) run->endedEarly = true;
}

bool ReadJpegRows(jpeg_decompress_struct& info, JpegRun& run, std::string_view bytes) {
  if (setjmp(run.jump)) return false;
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()),
               static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&info, TRUE);
  jpeg_start_decompress(&info);
  JSAMPARRAY row = (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                             info.output_width * info.output_components, 1);
  while (info.output_scanline < info.output_height && !run.endedEarly) {
    jpeg_read_scanlines(&info, row, 1);
  }
  return true;
}

struct GifSource {
  std::string_view bytes;
  std::size_t at = 0;
};

int GifRead(GifFileType* gif, GifByteType* out, int count) {
  auto* source = static_cast<GifSource*>(gif->UserData);
  const std::size_t taken =
      std::min<std::size_t>(static_cast<std::size_t>(count), source->bytes.size() - source->at);
  std::memcpy(out, source->bytes.data() + source->at, taken);
  source->at += taken;
  return static_cast<int>(taken);
}

class GifFile {
 public:
  explicit GifFile(GifSource& source) : file_(DGifOpen(&source, GifRead, &error_)) {}
  GifFile(const GifFile&) = delete;
  GifFile& operator=(const GifFile&) = delete;
  ~GifFile() {
    if (file_) DGifCloseFile(file_, &error_);
  }
  GifFileType* Get() const { return file_; }
  [[noreturn]] void Fail() const {
    const char* text = GifErrorString(file_ ? file_->Error : error_);
    Damaged("GIF", text ? text : "unknown error");
  }

 private:
  int error_ = 0;
  GifFileType* file_;
};

void DecodePng(std::string_view bytes) {
  PngRun run{bytes};
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &run, PngError, PngWarning);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info) throw Failure(FailureKind::OutOfMemory, "The PNG decoder could not be started.");
  png_set_read_fn(png, &run, PngRead);
  const bool whole = ReadPngRows(png, info, run);
  if (run.row) png_free(png, run.row);
  png_destroy_read_struct(&png, &info, nullptr);
  if (!whole) Damaged("PNG", run.message);
}

void DecodeJpeg(std::string_view bytes) {
  JpegRun run;
  jpeg_decompress_struct info;
  info.err = jpeg_std_error(&run.manager);
  run.manager.error_exit = JpegError;
  run.manager.emit_message = JpegMessage;
  jpeg_create_decompress(&info);
  const bool read = ReadJpegRows(info, run, bytes);
  jpeg_destroy_decompress(&info);
  if (!read) Damaged("JPEG", run.message);
  if (run.endedEarly) Damaged("JPEG", "the file ends before the last row");
}

void DecodeGif(std::string_view bytes) {
  GifSource source{bytes};
  const GifFile file(source);
  GifFileType* gif = file.Get();
  if (!gif) file.Fail();
  GifRecordType type = UNDEFINED_RECORD_TYPE;
  while (type != IMAGE_DESC_RECORD_TYPE) {
    if (DGifGetRecordType(gif, &type) == GIF_ERROR) file.Fail();
    if (type == TERMINATE_RECORD_TYPE) Damaged("GIF", "it holds no image");
    if (type != EXTENSION_RECORD_TYPE) continue;
    int code = 0;
    GifByteType* extension = nullptr;
    if (DGifGetExtension(gif, &code, &extension) == GIF_ERROR) file.Fail();
    while (extension) {
      if (DGifGetExtensionNext(gif, &extension) == GIF_ERROR) file.Fail();
    }
  }
  if (DGifGetImageDesc(gif) == GIF_ERROR) file.Fail();
  std::vector<GifPixelType> line(static_cast<std::size_t>(std::max(gif->Image.Width, 1)));
  for (int y = 0; y < gif->Image.Height; ++y) {
    if (DGifGetLine(gif, line.data(), gif->Image.Width) == GIF_ERROR) file.Fail();
  }
}

}  // namespace

void DecodeWhole(PictureFormat format, std::string_view bytes, const std::filesystem::path&) {
  switch (format) {
    case PictureFormat::Png: DecodePng(bytes); return;
    case PictureFormat::Jpeg: DecodeJpeg(bytes); return;
    case PictureFormat::Gif: DecodeGif(bytes); return;
    default: return;
  }
}

}  // namespace orvex::check
