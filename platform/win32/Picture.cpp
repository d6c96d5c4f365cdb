#include "platform/win32/Picture.h"

#include "platform/Failure.h"
#include "platform/PictureHeader.h"
#include "platform/win32/FileBytes.h"
#include "platform/win32/PlainBitmap.h"
#include "platform/win32/SystemLibrary.h"
#include "platform/win32/WideText.h"

namespace orvex::win32 {

namespace {

// The few GDI+ flat functions used, declared here because the DLL is loaded
// at run time rather than linked.
using GpStatus = int;
struct GpImage;
struct GpGraphics;
struct GdiplusStartupInput {
  UINT32 version = 1;
  void* debugEventCallback = nullptr;
  BOOL suppressBackgroundThread = FALSE;
  BOOL suppressExternalCodecs = FALSE;
};
constexpr GpStatus kOk = 0;
constexpr INT kPixelFormat32bppPARGB = 0xE200B;
// Enough for the header of every format, a JPEG's frame header included,
// which may follow metadata segments of up to 64 KiB each.
constexpr std::size_t kHeaderBytes = 1024 * 1024;

struct GdiPlus {
  ScopedModule codecs;
  ScopedModule module;
  GpStatus(WINAPI* startup)(ULONG_PTR*, const GdiplusStartupInput*, void*) = nullptr;
  GpStatus(WINAPI* loadImageFromFile)(const WCHAR*, GpImage**) = nullptr;
  GpStatus(WINAPI* createMetafileFromEmf)(HENHMETAFILE, BOOL, GpImage**) = nullptr;
  GpStatus(WINAPI* getImageWidth)(GpImage*, UINT*) = nullptr;
  GpStatus(WINAPI* getImageHeight)(GpImage*, UINT*) = nullptr;
  GpStatus(WINAPI* createBitmapFromScan0)(INT, INT, INT, INT, BYTE*, GpImage**) = nullptr;
  GpStatus(WINAPI* getImageGraphicsContext)(GpImage*, GpGraphics**) = nullptr;
  GpStatus(WINAPI* drawImageRectI)(GpGraphics*, GpImage*, INT, INT, INT, INT) = nullptr;
  GpStatus(WINAPI* deleteGraphics)(GpGraphics*) = nullptr;
  GpStatus(WINAPI* disposeImage)(GpImage*) = nullptr;
};

template <typename Function>
void Bind(HMODULE module, const char* name, Function& function) {
  function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
  if (!function) {
    throw Failure(FailureKind::CannotCreateObject,
                  std::string("GDI+ lacks the function ") + name + ".");
  }
}

// GDI+ is loaded and started once, only when a picture is needed, so that
// headless runs never pay for it. It stays loaded until the process ends.
const GdiPlus& LoadGdiPlus() {
  static GdiPlus gdiplus;
  if (gdiplus.module.Valid()) return gdiplus;
  // GDI+ may load the imaging component later, by name (delay-loaded, as
  // Wine's does): a search in which some systems (older Windows, Wine) still
  // include the launcher's own folder. Loaded first from the system
  // directory, the name is already taken when GDI+ asks for it.
  gdiplus.codecs = TryLoadSystemLibrary(L"windowscodecs.dll");
  ScopedModule module = LoadSystemLibrary(L"gdiplus.dll");
  HMODULE m = module.Get();
  Bind(m, "GdiplusStartup", gdiplus.startup);
  Bind(m, "GdipLoadImageFromFile", gdiplus.loadImageFromFile);
  Bind(m, "GdipCreateMetafileFromEmf", gdiplus.createMetafileFromEmf);
  Bind(m, "GdipGetImageWidth", gdiplus.getImageWidth);
  Bind(m, "GdipGetImageHeight", gdiplus.getImageHeight);
  Bind(m, "GdipCreateBitmapFromScan0", gdiplus.createBitmapFromScan0);
  Bind(m, "GdipGetImageGraphicsContext", gdiplus.getImageGraphicsContext);
  Bind(m, "GdipDrawImageRectI", gdiplus.drawImageRectI);
  Bind(m, "GdipDeleteGraphics", gdiplus.deleteGraphics);
  Bind(m, "GdipDisposeImage", gdiplus.disposeImage);
  ULONG_PTR token = 0;
  const GdiplusStartupInput input;
  if (gdiplus.startup(&token, &input, nullptr) != kOk) {
    throw Failure(FailureKind::CannotCreateObject, "GDI+ could not be started.");
  }
  gdiplus.module = std::move(module);
  return gdiplus;
}

class ScopedImage {
 public:
  ScopedImage(const GdiPlus& gdiplus, GpImage* image) : gdiplus_(gdiplus), image_(image) {}
  ScopedImage(const ScopedImage&) = delete;
  ScopedImage& operator=(const ScopedImage&) = delete;
  ~ScopedImage() {
    if (image_) gdiplus_.disposeImage(image_);
  }
  GpImage* Get() const { return image_; }

 private:
  const GdiPlus& gdiplus_;
  GpImage* image_;
};

[[noreturn]] void NotAPicture(const std::string& why) {
  throw Failure(FailureKind::InvalidPicture, why);
}

// GDI+ under Wine decodes the whole picture as it loads it: a header that
// claims 30000 x 30000 pixels kept it busy for 20 seconds, or crashed it.
// Some files crash its decoders outright. So the header is asked first.
void RefuseFromHeader(const std::string& head) {
  if (const std::optional<ClaimedSize> claimed = ClaimedPictureSize(head)) {
    RefuseHugePicture(claimed->width, claimed->height);
  }
  if (const std::optional<std::string> trap = DecoderTrap(head)) NotAPicture(*trap);
}

// Converted by GDI into an enhanced metafile, which GDI+ reads everywhere;
// the frame given is the size it is drawn at, in 0.01 mm at 96 dpi.
GpImage* LoadPlainMetafile(const GdiPlus& gdiplus, const std::string& bytes,
                           const ClaimedSize& size) {
  constexpr long kHundredthsOfMillimetrePerInch = 2540;
  const METAFILEPICT frame{
      MM_ANISOTROPIC, static_cast<LONG>(size.width * kHundredthsOfMillimetrePerInch / 96),
      static_cast<LONG>(size.height * kHundredthsOfMillimetrePerInch / 96), nullptr};
  HENHMETAFILE converted =
      SetWinMetaFileBits(static_cast<UINT>(bytes.size()),
                         reinterpret_cast<const BYTE*>(bytes.data()), nullptr, &frame);
  if (!converted) NotAPicture("The metafile's records cannot be read.");
  GpImage* image = nullptr;
  if (gdiplus.createMetafileFromEmf(converted, TRUE, &image) != kOk || !image) {
    DeleteEnhMetaFile(converted);
    NotAPicture("The metafile could not be converted.");
  }
  return image;
}

// Renders into a top-down premultiplied DIB: transparent parts stay
// transparent, so the background colour shows through them.
PicturePtr Rendered(const GdiPlus& gdiplus, const ScopedImage& image, UINT width, UINT height) {
  if (width == 0 || height == 0) NotAPicture("The picture has no pixels.");
  RefuseHugePicture(width, height);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = static_cast<LONG>(width);
  info.bmiHeader.biHeight = -static_cast<LONG>(height);
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  ScopedBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap.Valid() || !bits) NotAPicture("There is not enough memory for the picture.");

  GpImage* target = nullptr;
  const INT w = static_cast<INT>(width);
  const INT h = static_cast<INT>(height);
  if (gdiplus.createBitmapFromScan0(w, h, w * 4, kPixelFormat32bppPARGB, static_cast<BYTE*>(bits),
                                    &target) != kOk) {
    NotAPicture("The picture could not be converted.");
  }
  const ScopedImage canvas(gdiplus, target);
  GpGraphics* graphics = nullptr;
  GpStatus status = gdiplus.getImageGraphicsContext(canvas.Get(), &graphics);
  if (status == kOk) {
    status = gdiplus.drawImageRectI(graphics, image.Get(), 0, 0, w, h);
    gdiplus.deleteGraphics(graphics);
  }
  if (status != kOk) NotAPicture("The picture could not be decoded.");
  GdiFlush();
  return std::make_shared<Picture>(std::move(bitmap), w, h);
}

}  // namespace

PicturePtr LoadPicture(const std::string& path) {
  const std::wstring file = Widen(path);
  if (PicturePtr plain = LoadPlainBitmap(file, kLargestPicturePixels)) return plain;
  // Without a head GDI+ will say what is wrong with the file.
  const std::optional<std::string> head = ReadFileHead(file, kHeaderBytes);
  if (head) RefuseFromHeader(*head);
  const GdiPlus& gdiplus = LoadGdiPlus();
  if (head && IsPlainMetafile(*head)) {
    // The size from all its records, as the checker reads them.
    const std::optional<std::string> bytes = ReadWholeFile(file);
    if (!bytes) NotAPicture("The file cannot be read.");
    const ClaimedSize size = PlainMetafileSize(*bytes);
    RefuseHugePicture(size.width, size.height);
    const ScopedImage image(gdiplus, LoadPlainMetafile(gdiplus, *bytes, size));
    return Rendered(gdiplus, image, static_cast<UINT>(size.width), static_cast<UINT>(size.height));
  }
  GpImage* loaded = nullptr;
  if (gdiplus.loadImageFromFile(ExtendedPath(file).c_str(), &loaded) != kOk || !loaded) {
    NotAPicture("The file is not a picture in a format the launcher reads.");
  }
  const ScopedImage image(gdiplus, loaded);
  UINT width = 0;
  UINT height = 0;
  gdiplus.getImageWidth(image.Get(), &width);
  gdiplus.getImageHeight(image.Get(), &height);
  return Rendered(gdiplus, image, width, height);
}

}  // namespace orvex::win32
