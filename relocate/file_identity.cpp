#include "relocate/file_identity.h"

#define XXH_INLINE_ALL
#include <xxhash.h>

namespace quillon {

std::uint64_t FingerprintOf(std::uint64_t size, std::span<const unsigned char> head,
                            std::span<const unsigned char> tail) {
  XXH3_state_t state;
  XXH3_64bits_reset(&state);
  // The size in a fixed byte order, so both builds give the same fingerprint.
  unsigned char sizeBytes[8];
  for (int i = 0; i < 8; ++i) sizeBytes[i] = static_cast<unsigned char>(size >> (8 * i));
  XXH3_64bits_update(&state, sizeBytes, sizeof sizeBytes);
  XXH3_64bits_update(&state, head.data(), head.size());
  XXH3_64bits_update(&state, tail.data(), tail.size());
  return XXH3_64bits_digest(&state);
}

}  // namespace quillon
