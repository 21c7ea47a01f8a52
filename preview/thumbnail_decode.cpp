#include "preview/thumbnail_decode.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <new>
#include <vector>

#include "preview/image/image_factory.h"
#include "preview/image/jpeg_decoder.h"
#include "preview/image/orient_picture.h"
#include "preview/image/thumbnail_fit.h"

namespace quillon {
namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

// Up to `limit` first bytes of the file; empty when it cannot be read.
std::vector<std::uint8_t> ReadFirstBytes(const std::string& narrowPath, std::size_t limit) {
  std::vector<std::uint8_t> bytes;
  const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(narrowPath.c_str(), "rb"));
  if (!file) return bytes;
  bytes.resize(limit);
  bytes.resize(std::fread(bytes.data(), 1, limit, file.get()));
  return bytes;
}

// By the extension, as the readers are chosen; a type without a header reader has no size.
ImageType TypeOf(const std::string& narrowPath) {
  return ProcessImageFactory().TypeFromPath(narrowPath);
}

// The JPEG decoded at the smallest DCT scale that covers the fitted size, reduced to that size
// and turned upright.
std::unique_ptr<FCObjImage> JpegThumbnail(const std::string& narrowPath,
                                          const PictureHeader& header,
                                          const std::function<bool()>& abandoned) {
  const ImageRect fitted = FitThumbnail(header.ShownWidth(), header.ShownHeight(), 0);
  std::int32_t width = fitted.right - fitted.left;
  std::int32_t height = fitted.bottom - fitted.top;
  if (width <= 0 || height <= 0) return nullptr;
  if (header.SwapsSides()) std::swap(width, height);
  DecodeLimits limits = JpegPreviewLimits();
  limits.abandoned = abandoned;
  const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(narrowPath.c_str(), "rb"));
  std::unique_ptr<FCObjImage> decoded = DecodeJpegScaled(file.get(), width, height, limits);
  if (!decoded) return nullptr;
  if (decoded->Width() != width || decoded->Height() != height) {
    decoded = ReducePicture(*decoded, width, height);
    if (!decoded) return nullptr;
  }
  return header.orientation == 1 ? std::move(decoded) : OrientPicture(*decoded, header.orientation);
}

}  // namespace

std::optional<PictureHeader> ReadPictureHeaderOf(const std::string& narrowPath) {
  const ImageType type = TypeOf(narrowPath);
  if (type == ImageType::Unknown) return std::nullopt;
  // Most headers lie in the first few kilobytes; a JPEG's frame header may follow large
  // metadata, so more is read only when it is not found there.
  std::vector<std::uint8_t> bytes = ReadFirstBytes(narrowPath, kPictureHeaderBytes / 16);
  std::optional<PictureHeader> header = ReadPictureHeader(type, bytes.data(), bytes.size());
  if (!header && type == ImageType::Jpg && bytes.size() == kPictureHeaderBytes / 16) {
    bytes = ReadFirstBytes(narrowPath, kPictureHeaderBytes);
    header = ReadPictureHeader(type, bytes.data(), bytes.size());
  }
  // A picture too large to be decoded gets no room in the popup either.
  const std::uint64_t pixels = header ? std::uint64_t{static_cast<std::uint32_t>(header->width)} *
                                            static_cast<std::uint32_t>(header->height)
                                      : 0;
  const std::uint64_t budget =
      type == ImageType::Jpg ? JpegPreviewLimits().maxSourcePixels : kMaxWholeDecodePixels;
  if (pixels > budget) return std::nullopt;
  return header;
}

Thumbnail DecodeThumbnail(const std::string& narrowPath, const std::function<bool()>& abandoned) {
  try {
    const ImageType type = TypeOf(narrowPath);
    if (type != ImageType::Jpg) {
      if (!ReadPictureHeaderOf(narrowPath)) return {};
      auto picture = std::make_unique<FCObjImage>();
      if (!picture->Load(narrowPath)) return {};
      return MakeThumbnail(std::move(picture));
    }
    const std::optional<PictureHeader> header = ReadPictureHeaderOf(narrowPath);
    if (!header) return {};
    Thumbnail thumbnail;
    thumbnail.width = header->ShownWidth();
    thumbnail.height = header->ShownHeight();
    thumbnail.picture = JpegThumbnail(narrowPath, *header, abandoned);
    return thumbnail.picture ? thumbnail : Thumbnail{};
  } catch (const std::bad_alloc&) {
    return {};
  }
}

}  // namespace quillon
