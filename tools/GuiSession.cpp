#include "tools/GuiSession.h"

#include <QGuiApplication>

namespace zorvex::tools {
namespace {
int appArgc = 1;
char appName[] = "zorvex-cli";
char* appArgv[] = {appName, nullptr};
}  // namespace

GuiSession::GuiSession() {
  if (QCoreApplication::instance()) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  own_ = std::make_unique<QGuiApplication>(appArgc, appArgv);
}

GuiSession::~GuiSession() = default;

}  // namespace zorvex::tools
