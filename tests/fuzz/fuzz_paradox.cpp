// libFuzzer target: any bytes as a table file. Reading must end in rows or a
// ZorvexError, never a crash, hang or over-read.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/ZorvexError.h"
#include "model/paradox/ParadoxTable.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zorvex::paradox;
  try {
    auto t = ParadoxTable::fromBytes(std::vector<uint8_t>(data, data + size), "fuzz.db");
    const int columns = static_cast<int>(t->fields().size());
    for (int c = 0; c < columns; ++c) (void)t->columnIndex(t->fields()[static_cast<size_t>(c)].name);
    for (t->first(); !t->eof(); t->next())
      for (int c = 0; c < columns; ++c) {
        (void)t->displayText(t->currentRow(), c);
        try {
          (void)t->integerAt(c);
        } catch (const zorvex::ZorvexError&) {
        }
        try {
          (void)t->textAt(c);
        } catch (const zorvex::ZorvexError&) {
        }
      }
  } catch (const zorvex::ZorvexError&) {
  }
  return 0;
}
