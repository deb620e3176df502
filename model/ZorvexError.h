#pragma once
// The one error type of the core. Its message is what the user reads in the
// "Zorvex!" error box, without the closing full stop (the box adds it).
#include <stdexcept>
#include <string>

namespace zorvex {

class ZorvexError : public std::runtime_error {
 public:
  explicit ZorvexError(const std::string& message) : std::runtime_error(message) {}
  std::string message() const { return what(); }
};

// The error box text: the failure's message followed by a full stop.
inline std::string errorBoxText(const std::string& message) { return message + "."; }

}  // namespace zorvex
