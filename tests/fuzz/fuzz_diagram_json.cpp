// libFuzzer target: any bytes as a diagram file, opened as the program opens
// one. Reading must end in a diagram or a ZorvexError with a short message,
// never a crash, hang or over-read; a diagram read is written back and must
// read back the same.
#include <string_view>

#include "tests/fuzz/ReaderInputs.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  zorvex::fuzzing::readDiagramJson(std::string_view(reinterpret_cast<const char*>(data), size));
  return 0;
}
