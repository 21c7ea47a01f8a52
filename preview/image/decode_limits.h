// What one picture decode may cost: the preview decodes whatever file the pointer passes over,
// so a lying header, a huge picture or a slow decode must end in no picture, not in a stall or
// an exhausted address space.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>

namespace quillon {

struct DecodeLimits {
  // Pixels of the whole picture as its header states them.
  std::uint64_t maxSourcePixels = 0;
  // Working memory of the JPEG decoder (its coefficient and sample buffers).
  std::uint64_t maxMemoryBytes = 0;
  // Wall-clock time of the JPEG decoder.
  std::chrono::milliseconds maxTime{0};
  // Asked while decoding: true ends the decode with no picture (its file is no longer wanted).
  std::function<bool()> abandoned;
};

// JPEG is decoded at a reduced DCT scale, so its budget is in working memory and time: a
// 100-megapixel photo fits, a progressive one whose full coefficients exceed 64 MB does not.
inline DecodeLimits JpegPreviewLimits() {
  return {200'000'000, 64ull * 1024 * 1024, std::chrono::milliseconds(2000), {}};
}

// Other formats are decoded whole (first frame only): 16.7 megapixels is 64 MB at 32 bits,
// which takes a 4,000 × 3,000 photo and refuses what would exhaust a 32-bit process.
inline constexpr std::uint64_t kMaxWholeDecodePixels = 16'777'216;

}  // namespace quillon
