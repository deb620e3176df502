// libFuzzer target: any bytes as an AIF map, read and laid out as the
// program opens one. Reading must end in a diagram or a ZorvexError with a
// short message, never a crash, hang or over-read of our own; dot runs in
// its child process as it does in the program, so only its failures end
// there (and the rows take over).
#include <string_view>

#include "tests/fuzz/ReaderInputs.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  zorvex::fuzzing::readAifMap(std::string_view(reinterpret_cast<const char*>(data), size));
  return 0;
}
