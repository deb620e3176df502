#pragma once
// Reading a whole file that must be a plain file: a folder, FIFO, socket or
// device under the name could block the program or never end.
#include <optional>
#include <string>

namespace zorvex {

// The file's bytes, or nothing when it is not a regular file or cannot be read.
std::optional<std::string> readRegularFile(const std::string& path);

}  // namespace zorvex
