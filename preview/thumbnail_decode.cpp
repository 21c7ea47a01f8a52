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
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(narrowPath.c_str(), "rb"));
  if (!file) return bytes;
  // Reserved once from the file's size, so that a photo is held only once while read.
  if (std::fseek(file.get(), 0, SEEK_END) == 0) {
    const long size = std::ftell(file.get());
    if (size > 0) bytes.reserve(std::min(limit, static_cast<std::size_t>(size)));
    std::fseek(file.get(), 0, SEEK_SET);
  }
  constexpr std::size_t kChunk = 64 * 1024;
  while (bytes.size() < limit) {
    const std::size_t start = bytes.size();
    bytes.resize(start + std::min(kChunk, limit - start));
    const std::size_t got = std::fread(bytes.data() + start, 1, bytes.size() - start, file.get());
    bytes.resize(start + got);
    if (got == 0) break;
  }
  return bytes;
}

// By the extension, as the readers are chosen; a type without a header reader has no size.
ImageType TypeOf(const std::string& narrowPath) {
  return ProcessImageFactory().TypeFromPath(narrowPath);
}

// The JPEG decoded at the smallest DCT scale that covers the fitted size, reduced to that size
// and turned upright.
std::unique_ptr<FCObjImage> JpegThumbnail(const std::vector<std::uint8_t>& file,
                                          const PictureHeader& header,
                                          const std::function<bool()>& abandoned) {
  const ImageRect fitted = FitThumbnail(header.ShownWidth(), header.ShownHeight(), 0);
  std::int32_t width = fitted.right - fitted.left;
  std::int32_t height = fitted.bottom - fitted.top;
  if (width <= 0 || height <= 0) return nullptr;
  if (header.SwapsSides()) std::swap(width, height);
  DecodeLimits limits = JpegPreviewLimits();
  limits.abandoned = abandoned;
  std::unique_ptr<FCObjImage> decoded =
      DecodeJpegScaled(file.data(), file.size(), width, height, limits);
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
  const std::vector<std::uint8_t> bytes = ReadFirstBytes(narrowPath, kPictureHeaderBytes);
  std::optional<PictureHeader> header = ReadPictureHeader(type, bytes.data(), bytes.size());
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
    // The whole file, for a file of at most a few megabytes, is cheaper than a streamed read.
    const std::vector<std::uint8_t> file = ReadFirstBytes(narrowPath, kMaxPictureBytes);
    const std::optional<PictureHeader> header = ReadPictureHeader(type, file.data(), file.size());
    if (!header) return {};
    Thumbnail thumbnail;
    thumbnail.width = header->ShownWidth();
    thumbnail.height = header->ShownHeight();
    thumbnail.picture = JpegThumbnail(file, *header, abandoned);
    return thumbnail.picture ? thumbnail : Thumbnail{};
  } catch (const std::bad_alloc&) {
    return {};
  }
}

}  // namespace quillon
