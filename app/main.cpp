// Program entry: no arguments are read; all files live in the working directory.
#include <QApplication>
#include <cstdio>

#include "app/ui/ArgumentFormUnit.h"
#include "app/ui/ZorvexApplication.h"

int main(int argc, char** argv) {
  if (!zorvex::displayAvailable()) {
    // Without a display Qt would stop with a platform plugin error.
    std::fprintf(stderr, "%s\n", zorvex::NoDisplayMessage);
    return 1;
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Zorvex!"));
  // No display name: on X11 Qt would append it to every window's caption
  // ("Logs — Zorvex!"), and the captions are the windows' own.
  zorvex::ZorvexApplication program;
  QObject::connect(&program.ArgumentForm(), &zorvex::TArgumentForm::closed, &app, &QApplication::quit,
                   Qt::QueuedConnection);
  program.show();
  return QApplication::exec();
}
