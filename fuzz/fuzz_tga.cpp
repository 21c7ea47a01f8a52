// Feeds arbitrary bytes to the TGA reader.
#include "fuzz/fuzz_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  quillon::FCImageHandle_Tga reader;
  quillon::fuzz::ReadAndTouch(reader, data, size);
  return 0;
}
