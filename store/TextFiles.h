#pragma once
// Whole text files in and out, with the program's file messages.
#include <string>

namespace zorvex {

// Throws ZorvexError("Cannot open file <path>").
std::string readTextFile(const std::string& path);
// Throws ZorvexError("Cannot create file <path>").
void writeTextFile(const std::string& path, const std::string& contents);

}  // namespace zorvex
