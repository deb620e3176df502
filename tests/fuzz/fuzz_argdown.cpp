// libFuzzer target: any bytes as an Argdown text, read, drawn and written
// back (tests/fuzz/ArgdownInput.h).
#include <cstdint>
#include <string_view>

#include "tests/fuzz/ArgdownInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  zorvex::fuzzing::readArgdownInput(std::string_view(reinterpret_cast<const char*>(data), size));
  return 0;
}
