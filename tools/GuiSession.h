#pragma once
// Commands that measure or paint text need a QGuiApplication. When the
// caller has none (the command-line program), one is made for the command's
// lifetime on the offscreen platform, so no display is needed.
#include <memory>

class QGuiApplication;

namespace zorvex::tools {

class GuiSession {
 public:
  GuiSession();
  ~GuiSession();
  GuiSession(const GuiSession&) = delete;
  GuiSession& operator=(const GuiSession&) = delete;

 private:
  std::unique_ptr<QGuiApplication> own_;
};

}  // namespace zorvex::tools
