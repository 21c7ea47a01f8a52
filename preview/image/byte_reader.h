// Bounded little-endian reading of a file held in memory.
#pragma once

#include <cstddef>
#include <cstdint>

namespace quillon {

inline std::uint16_t ReadLe16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

inline std::uint32_t ReadLe32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

// Hands out consecutive pieces of a buffer and never a byte past its end.
class ByteCursor {
 public:
  ByteCursor(const std::uint8_t* data, std::size_t size, std::size_t position)
      : data_(data), size_(size), position_(position) {}

  // The next `count` bytes, or null (and nothing consumed) when fewer remain.
  const std::uint8_t* Take(std::size_t count) {
    if (position_ > size_ || count > size_ - position_) return nullptr;
    const std::uint8_t* piece = data_ + position_;
    position_ += count;
    return piece;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t position_;
};

}  // namespace quillon
