#pragma once
// Reading a whole file that must be a plain file: a folder, FIFO, socket or
// device under the name could block the program or never end.
#include <optional>
#include <string>

namespace zorvex {

// The file's bytes, or nothing when it is not a regular file or cannot be
// read; then `whyNot`, when given, says why ("No such file or directory",
// "Is a directory", "it is a FIFO, not a file", ...).
std::optional<std::string> readRegularFile(const std::string& path, std::string* whyNot = nullptr);

// The same checks, leaving the reading to the caller: a descriptor open for
// reading (the caller closes it), or -1 with `whyNot` set as above.
int openRegularFile(const std::string& path, std::string* whyNot = nullptr);

}  // namespace zorvex
