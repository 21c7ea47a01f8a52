// The pictures the preview shows, reduced once to the size they are drawn at, and the last few
// of them kept: returning to a file shown a moment ago costs no decoding. A file is known by
// its path, size and modification time, so a file changed on disk is read again.
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

class ThumbnailCache {
 public:
  explicit ThumbnailCache(std::size_t capacity = 8) : capacity_(capacity) {}

  // The thumbnail kept for `key`, which becomes the most recent; null when none is.
  const Thumbnail* Find(const ThumbnailKey& key);
  // Keeps `thumbnail` for `key` as the most recent, dropping the oldest beyond the capacity.
  void Put(ThumbnailKey key, Thumbnail thumbnail);
  std::size_t Size() const { return entries_.size(); }

 private:
  struct Entry {
    ThumbnailKey key;
    Thumbnail thumbnail;
  };
  std::size_t capacity_;
  std::list<Entry> entries_;  // most recent first; a handful, so a walk is cheapest
};

}  // namespace quillon
