// libFuzzer target: any bytes as a table file. Reading must end in rows or a
// ZorvexError, never a crash, hang or over-read.
#define ZORVEX_FUZZ_TABLES_ONLY
#include "tests/fuzz/ReaderInputs.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  zorvex::fuzzing::readTable(data, size);
  return 0;
}
