// The pictures the preview shows, reduced once to the size they are drawn at, and the most
// recent of them kept within a memory budget: returning to any of the last hundred or so photos
// costs no decoding. A file is known by its path, size and times and by its identity on the
// volume, so a file changed or replaced on disk is read again, even when the replacement has
// the same size and had the old modification time restored.
#pragma once

#include <cstddef>
#include <cstdint>
#include <list>
#include <memory>
#include <string>

#include "preview/image/obj_image.h"

namespace quillon {

struct ThumbnailKey {
  std::u16string path;
  std::uint64_t size = 0;
  std::uint64_t modified = 0;
  std::uint64_t created = 0;
  std::uint64_t changed = 0;  // metadata or data changed; restoring the modification time sets it
  std::uint64_t fileId = 0;   // volume serial number and file index
  bool operator==(const ThumbnailKey&) const = default;
};

struct Thumbnail {
  // The file's own picture size: the popup's layout and fitting are computed from it.
  std::int32_t width = 0;
  std::int32_t height = 0;
  // The picture at the size FitThumbnail gives it (null: the file has no picture), so drawing
  // copies it one to one.
  std::shared_ptr<const FCObjImage> picture;
};

// A thumbnail of a loaded picture; an empty one gives a thumbnail without picture.
Thumbnail MakeThumbnail(std::unique_ptr<FCObjImage> picture);

// `source` reduced to width × height by taking the nearest pixel, in its own bit depth, with
// its palette and masks: the same kind of picture the stretch drawing would show. Null for an
// empty source, a size that is not positive, or no memory.
std::unique_ptr<FCObjImage> ReducePicture(const FCObjImage& source, std::int32_t width,
                                          std::int32_t height);

// 16 MB: about 140 thumbnails that fill the box (230 × 168 at 24 bits is 116 KB).
inline constexpr std::size_t kThumbnailCacheBytes = 16 * 1024 * 1024;
// What a kept thumbnail is counted at least: a file without a picture is kept too, and the
// walk over the entries must stay short.
inline constexpr std::size_t kThumbnailEntryMinimumBytes = 4096;

class ThumbnailCache {
 public:
  explicit ThumbnailCache(std::size_t budgetBytes = kThumbnailCacheBytes)
      : budget_(budgetBytes) {}

  // The thumbnail kept for `key`, which becomes the most recent; null when none is.
  const Thumbnail* Find(const ThumbnailKey& key);
  // Keeps `thumbnail` for `key` as the most recent, dropping the oldest while the kept ones
  // exceed the budget (the most recent is always kept).
  void Put(ThumbnailKey key, Thumbnail thumbnail);
  std::size_t Size() const { return entries_.size(); }
  std::size_t Bytes() const { return bytes_; }

 private:
  struct Entry {
    ThumbnailKey key;
    Thumbnail thumbnail;
    std::size_t bytes = 0;
  };
  std::size_t budget_;
  std::size_t bytes_ = 0;
  std::list<Entry> entries_;  // most recent first; a few thousand at most, so a walk will do
};

}  // namespace quillon
