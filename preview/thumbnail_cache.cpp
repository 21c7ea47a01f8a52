#include "preview/thumbnail_cache.h"

#include <algorithm>
#include <cstring>

#include "preview/image/thumbnail_fit.h"

namespace quillon {
namespace {

// Copies pixel `from` of a source row to pixel `to` of a target row, in any of the depths.
void CopyPixel(const std::uint8_t* source, std::int32_t from, std::uint8_t* target,
               std::int32_t to, std::uint16_t bitsPerPixel) {
  if (bitsPerPixel >= 8) {
    const std::size_t bytes = bitsPerPixel / 8u;
    std::memcpy(target + to * bytes, source + from * bytes, bytes);
    return;
  }
  // Indices packed most significant bits first.
  const int perByte = 8 / bitsPerPixel;
  const std::uint8_t mask = static_cast<std::uint8_t>((1u << bitsPerPixel) - 1);
  const int fromShift = (perByte - 1 - from % perByte) * bitsPerPixel;
  const int toShift = (perByte - 1 - to % perByte) * bitsPerPixel;
  const std::uint8_t index = (source[from / perByte] >> fromShift) & mask;
  std::uint8_t& cell = target[to / perByte];
  cell = static_cast<std::uint8_t>((cell & ~(mask << toShift)) | (index << toShift));
}

}  // namespace

std::unique_ptr<FCObjImage> ReducePicture(const FCObjImage& source, std::int32_t width,
                                          std::int32_t height) {
  if (source.IsEmpty() || width <= 0 || height <= 0) return nullptr;
  BitmapInfoHeader header = source.Header();
  header.width = width;
  header.height = height;
  auto reduced = std::make_unique<FCObjImage>();
  if (!reduced->Create(header, source.Masks())) return nullptr;
  reduced->SetPalette(source.Palette(), source.PaletteSize());
  const std::int64_t sourceWidth = source.Width();
  const std::int64_t sourceHeight = source.Height();
  for (std::int32_t y = 0; y < height; ++y) {
    const std::uint8_t* from = source.Row(static_cast<std::int32_t>(y * sourceHeight / height));
    std::uint8_t* to = reduced->Row(y);
    for (std::int32_t x = 0; x < width; ++x) {
      CopyPixel(from, static_cast<std::int32_t>(x * sourceWidth / width), to, x,
                source.BitsPerPixel());
    }
  }
  reduced->x = source.x;
  reduced->y = source.y;
  return reduced;
}

Thumbnail MakeThumbnail(std::unique_ptr<FCObjImage> picture) {
  Thumbnail thumbnail;
  if (!picture || picture->IsEmpty()) return thumbnail;
  thumbnail.width = picture->Width();
  thumbnail.height = picture->Height();
  const ImageRect fitted = FitThumbnail(thumbnail.width, thumbnail.height, 0);
  const std::int32_t width = fitted.right - fitted.left;
  const std::int32_t height = fitted.bottom - fitted.top;
  if (width != thumbnail.width || height != thumbnail.height) {
    // A picture so thin that it reduces to nothing is kept as it is: it draws nothing either.
    if (auto reduced = ReducePicture(*picture, width, height)) picture = std::move(reduced);
  }
  thumbnail.picture = std::move(picture);
  return thumbnail;
}

const Thumbnail* ThumbnailCache::Find(const ThumbnailKey& key) {
  for (auto entry = entries_.begin(); entry != entries_.end(); ++entry) {
    if (entry->key == key) {
      entries_.splice(entries_.begin(), entries_, entry);
      return &entries_.front().thumbnail;
    }
  }
  return nullptr;
}

void ThumbnailCache::Put(ThumbnailKey key, Thumbnail thumbnail) {
  for (auto entry = entries_.begin(); entry != entries_.end(); ++entry) {
    if (entry->key == key) {
      bytes_ -= entry->bytes;
      entries_.erase(entry);
      break;
    }
  }
  std::size_t bytes = key.path.size() * sizeof(char16_t);
  if (thumbnail.picture) {
    bytes += thumbnail.picture->PixelBytes() +
             static_cast<std::size_t>(thumbnail.picture->Height()) * sizeof(std::uint8_t*);
  }
  bytes = std::max(bytes, kThumbnailEntryMinimumBytes);
  entries_.push_front(Entry{std::move(key), std::move(thumbnail), bytes});
  bytes_ += bytes;
  while (bytes_ > budget_ && entries_.size() > 1) {
    bytes_ -= entries_.back().bytes;
    entries_.pop_back();
  }
}

}  // namespace quillon
