#include "tools/GuiSession.h"

#include <QGuiApplication>

namespace zorvex::tools {
namespace {
int appArgc = 1;
char appName[] = "zorvex-cli";
char* appArgv[] = {appName, nullptr};

// Without a desktop session Qt notes that it picked a runtime folder itself;
// that is expected here and would only clutter the command's error output.
QtMessageHandler previousHandler = nullptr;
void quietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type == QtWarningMsg && message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set"))) return;
  if (previousHandler) previousHandler(type, context, message);
}
}  // namespace

GuiSession::GuiSession() {
  if (QCoreApplication::instance()) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  previousHandler = qInstallMessageHandler(quietHandler);
  own_ = std::make_unique<QGuiApplication>(appArgc, appArgv);
}

GuiSession::~GuiSession() {
  if (!own_) return;
  own_.reset();
  qInstallMessageHandler(previousHandler);
}

}  // namespace zorvex::tools
