// Program entry. Without an argument the diagram is the working directory's
// tables; one argument names a folder or a .json diagram file to open instead.
// The log and the help text stay in the working directory either way.
#include <QApplication>
#include <cstdio>
#include <iostream>

#include "app/ui/ArgumentFormUnit.h"
#include "app/ui/ProgramArguments.h"
#include "app/ui/TerminationSignals.h"
#include "app/ui/ZorvexApplication.h"

namespace {

std::vector<std::string> argumentsOf(int argc, char** argv) {
  return std::vector<std::string>(argv + 1, argv + argc);
}

}  // namespace

int main(int argc, char** argv) {
  if (!zorvex::displayAvailable()) {
    const zorvex::ProgramStart start = zorvex::readProgramArguments(argumentsOf(argc, argv), std::cout, std::cerr);
    if (start.exitCode) return *start.exitCode;
    // Without a display Qt would stop with a platform plugin error.
    std::fprintf(stderr, "%s\n", zorvex::NoDisplayMessage);
    return 1;
  }
  // Qt takes its own options (-platform, ...) out of argv first.
  QApplication app(argc, argv);
  const zorvex::ProgramStart start = zorvex::readProgramArguments(argumentsOf(argc, argv), std::cout, std::cerr);
  if (start.exitCode) return *start.exitCode;
  // Caught before any window exists, so that a signal during start-up, even
  // while a box waits, ends the program as "E&xit" does.
  zorvex::TerminationSignals terminations;
  QApplication::setApplicationName(QStringLiteral("Zorvex!"));
  // No display name: on X11 Qt would append it to every window's caption
  // ("Logs — Zorvex!"), and the captions are the windows' own.
  auto program = start.diagram ? std::make_unique<zorvex::ZorvexApplication>(*start.diagram)
                               : std::make_unique<zorvex::ZorvexApplication>();
  QObject::connect(&program->ArgumentForm(), &zorvex::TArgumentForm::closed, &app, &QApplication::quit,
                   Qt::QueuedConnection);
  terminations.closeOnSignal(program->ArgumentForm());
  program->show();
  return QApplication::exec();
}
