// One start of the platform imaging library, held for the object's lifetime. The library
// counts starts and shutdowns, so every holder may start it again.
#pragma once

#include <cstdint>

namespace quillon {

class FCAutoInitGDIPlus {
 public:
  FCAutoInitGDIPlus();
  ~FCAutoInitGDIPlus();
  FCAutoInitGDIPlus(const FCAutoInitGDIPlus&) = delete;
  FCAutoInitGDIPlus& operator=(const FCAutoInitGDIPlus&) = delete;

 private:
  std::uintptr_t token_ = 0;
};

}  // namespace quillon
