#include "preview/image/gdiplus_reader.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <memory>
#include <string>

namespace quillon {
namespace {

namespace gp = Gdiplus::DllExports;

struct BitmapDisposer {
  void operator()(Gdiplus::GpBitmap* bitmap) const { gp::GdipDisposeImage(bitmap); }
};
using BitmapHandle = std::unique_ptr<Gdiplus::GpBitmap, BitmapDisposer>;

struct StreamReleaser {
  void operator()(IStream* stream) const { stream->Release(); }
};

bool IsIndexed(Gdiplus::PixelFormat format) { return (format & PixelFormatIndexed) != 0; }

void ReadPalette(Gdiplus::GpBitmap* bitmap, FCObjImage& picture) {
  INT bytes = 0;
  if (gp::GdipGetImagePaletteSize(bitmap, &bytes) != Gdiplus::Ok ||
      bytes < static_cast<INT>(sizeof(Gdiplus::ColorPalette))) {
    return;
  }
  PCL_array<std::uint8_t> buffer;
  if (!buffer.Allocate(static_cast<std::size_t>(bytes))) return;
  auto* palette = reinterpret_cast<Gdiplus::ColorPalette*>(buffer.get());
  if (gp::GdipGetImagePalette(bitmap, palette, bytes) != Gdiplus::Ok) return;
  // An ARGB value's little-endian bytes are blue, green, red, alpha: a palette entry's order.
  const std::size_t room =
      (buffer.size() - offsetof(Gdiplus::ColorPalette, Entries)) / sizeof(Gdiplus::ARGB);
  PaletteEntry entries[256];
  const std::size_t count = std::min({std::size_t{palette->Count}, room, std::size(entries)});
  std::memcpy(entries, palette->Entries, count * sizeof(PaletteEntry));
  picture.SetPalette(entries, count);
}

// Copies the rows in the frame's own format, unconverted, into the picture's rows. The frame is
// locked once as it is; a caller-supplied lock buffer would save nothing and leaves 1- and 4-bit
// rows unfilled on some implementations of the library.
bool CopyRows(Gdiplus::GpBitmap* bitmap, Gdiplus::PixelFormat format, FCObjImage& picture) {
  Gdiplus::Rect whole(0, 0, picture.Width(), picture.Height());
  Gdiplus::BitmapData data{};
  if (gp::GdipBitmapLockBits(bitmap, &whole, Gdiplus::ImageLockModeRead, format, &data) !=
      Gdiplus::Ok) {
    return false;
  }
  const std::size_t rowBytes =
      (static_cast<std::size_t>(picture.Width()) * picture.BitsPerPixel() + 7) / 8;
  const auto* source = static_cast<const std::uint8_t*>(data.Scan0);
  for (std::int32_t y = 0; y < picture.Height(); ++y) {
    std::memcpy(picture.Row(y), source + static_cast<std::ptrdiff_t>(y) * data.Stride, rowBytes);
  }
  gp::GdipBitmapUnlockBits(bitmap, &data);
  return true;
}

// The fourth byte of 32-bit RGB pixels is undefined; the picture keeps them opaque.
void MakeOpaque(FCObjImage& picture) {
  for (std::int32_t y = 0; y < picture.Height(); ++y) {
    std::uint8_t* row = picture.Row(y);
    for (std::int32_t x = 0; x < picture.Width(); ++x) row[x * 4 + 3] = 0xFF;
  }
}

std::unique_ptr<FCObjImage> ConvertActiveFrame(Gdiplus::GpBitmap* bitmap) {
  UINT width = 0;
  UINT height = 0;
  Gdiplus::PixelFormat format = 0;
  if (gp::GdipGetImageWidth(bitmap, &width) != Gdiplus::Ok ||
      gp::GdipGetImageHeight(bitmap, &height) != Gdiplus::Ok ||
      gp::GdipGetImagePixelFormat(bitmap, &format) != Gdiplus::Ok) {
    return nullptr;
  }
  const std::optional<GdiplusFrameLayout> layout = LayoutForPixelFormat(format);
  if (!layout) return nullptr;

  auto picture = std::make_unique<FCObjImage>();
  const BitmapInfoHeader header =
      MakeBitmapHeader(static_cast<std::int32_t>(width), static_cast<std::int32_t>(height),
                       layout->bitsPerPixel, layout->compression);
  if (!picture->Create(header, layout->masks)) return nullptr;
  if (IsIndexed(format)) ReadPalette(bitmap, *picture);
  if (!CopyRows(bitmap, format, *picture)) return nullptr;
  if (format == PixelFormat32bppRGB) MakeOpaque(*picture);
  return picture;
}

bool LoadBitmap(BitmapHandle bitmap, ImageFrames& frames) {
  return bitmap && AppendGdiplusFrames(bitmap.get(), frames);
}

}  // namespace

std::optional<GdiplusFrameLayout> LayoutForPixelFormat(Gdiplus::PixelFormat format) {
  switch (format) {
    case PixelFormat16bppRGB555:
    case PixelFormat16bppARGB1555:
      return GdiplusFrameLayout{16, kCompressionBitFields, kMasks555};
    case PixelFormat16bppRGB565:
      return GdiplusFrameLayout{16, kCompressionBitFields, kMasks565};
    case PixelFormat24bppRGB:
      return GdiplusFrameLayout{24};
    case PixelFormat32bppRGB:
    case PixelFormat32bppARGB:
    case PixelFormat32bppPARGB:
      return GdiplusFrameLayout{32};
    case PixelFormat1bppIndexed:
      return GdiplusFrameLayout{1};
    case PixelFormat4bppIndexed:
      return GdiplusFrameLayout{4};
    case PixelFormat8bppIndexed:
      return GdiplusFrameLayout{8};
    default:
      return std::nullopt;
  }
}

bool AppendGdiplusFrames(Gdiplus::GpBitmap* bitmap, ImageFrames& frames) {
  UINT dimensionCount = 0;
  if (gp::GdipImageGetFrameDimensionsCount(bitmap, &dimensionCount) != Gdiplus::Ok ||
      dimensionCount == 0) {
    return false;
  }
  GUID dimension{};
  if (gp::GdipImageGetFrameDimensionsList(bitmap, &dimension, 1) != Gdiplus::Ok ||
      gp::GdipImageSelectActiveFrame(bitmap, &dimension, 0) != Gdiplus::Ok) {
    return false;
  }
  std::unique_ptr<FCObjImage> picture = ConvertActiveFrame(bitmap);
  if (!picture) return false;
  frames.PCL_PushObject(std::move(picture));
  return true;
}

bool FCImageHandle_Gdiplus::LoadFile(const std::string& narrowPath, ImageFrames& frames) {
  const int length = MultiByteToWideChar(CP_ACP, 0, narrowPath.c_str(), -1, nullptr, 0);
  if (length <= 0) return false;
  std::wstring widePath(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, narrowPath.c_str(), -1, widePath.data(), length);
  Gdiplus::GpBitmap* bitmap = nullptr;
  if (gp::GdipCreateBitmapFromFile(widePath.c_str(), &bitmap) != Gdiplus::Ok) return false;
  return LoadBitmap(BitmapHandle(bitmap), frames);
}

bool FCImageHandle_Gdiplus::LoadMemory(const std::uint8_t* data, std::size_t size,
                                       ImageFrames& frames) {
  if (data == nullptr || size == 0) return false;
  const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
  if (block == nullptr) return false;
  void* target = GlobalLock(block);
  if (target == nullptr) {
    GlobalFree(block);
    return false;
  }
  std::memcpy(target, data, size);
  GlobalUnlock(block);
  IStream* rawStream = nullptr;
  // The stream frees the block when it is released.
  if (CreateStreamOnHGlobal(block, TRUE, &rawStream) != S_OK) {
    GlobalFree(block);
    return false;
  }
  const std::unique_ptr<IStream, StreamReleaser> stream(rawStream);
  Gdiplus::GpBitmap* bitmap = nullptr;
  if (gp::GdipCreateBitmapFromStream(stream.get(), &bitmap) != Gdiplus::Ok) return false;
  // The bitmap reads from the stream as long as it lives, so it goes first.
  return LoadBitmap(BitmapHandle(bitmap), frames);
}

}  // namespace quillon
