#pragma once
// Whole text files in and out, with the program's file messages.
#include <string>

namespace zorvex {

// Throws ZorvexError("Cannot open file <path>: <reason>").
std::string readTextFile(const std::string& path);
// Written whole or not at all (model/AtomicFiles.h); a device, a FIFO or
// /dev/stdout is written directly. Throws ZorvexError("Cannot create file
// <path>: <reason>"), or "Cannot write to <path>: <reason>" for those.
void writeTextFile(const std::string& path, const std::string& contents);

}  // namespace zorvex
