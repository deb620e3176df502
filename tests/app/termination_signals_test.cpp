// SIGTERM while a box waits for the user: the box is dismissed as Escape
// would, and the program ends as "E&xit" does, with no box left open and the
// unsaved work in its recovery copy; during start-up, every box start-up
// shows goes, not only the one that was open when the signal came.
#include <QDialog>
#include <QEventLoop>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QProgressDialog>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <functional>
#include <sstream>

#include "AppTestSupport.h"
#include "RealModals.h"
#include "app/ui/DiagramFileCommands.h"
#include "app/ui/ExportPictureCommand.h"
#include "app/ui/TerminationSignals.h"
#include "model/paradox/ParadoxTable.h"

namespace zorvex::testing {
namespace {

// A way a person opens a box, and how the test sees that it waits.
struct BoxCase {
  const char* name;
  std::function<void(TArgumentForm&)> open;
  std::function<bool(TArgumentForm&)> waits;
};

template <typename T>
T* modal() {
  return qobject_cast<T*>(QApplication::activeModalWidget());
}

// What a test left open when its program did not close them.
void dismissEverything() {
  for (int n = 0; n < 10; ++n) {
    if (QWidget* popup = QApplication::activePopupWidget()) {
      popup->close();
    } else if (auto* dialog = modal<QDialog>()) {
      dialog->reject();
    } else {
      return;
    }
  }
}

class TerminationSignalsTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    // A sentence far down makes a picture of many bands: its export runs long enough to be stopped.
    writeSentences({{40, 40, 100, 60, "A"}, {40, 6000, 100, 6020, "far"}});
    writeArrowsAndDefeaters();
    QFile(QStringLiteral("help.txt")).open(QIODevice::WriteOnly);
  }
  void addSentence(TArgumentForm& f, const QString& text) {
    QTest::mouseClick(control<QToolButton>(f, "AddSentenceSpeedButton"), Qt::LeftButton);
    QTest::mouseClick(f.canvasWidget(), Qt::LeftButton, {}, QPoint(300, 150));
    QTest::keyClicks(control<QLineEdit>(f, "SentenceEdit"), text);
    QTest::keyClick(control<QLineEdit>(f, "SentenceEdit"), Qt::Key_Return);
    QTest::mouseClick(control<QToolButton>(f, "AddSentenceSpeedButton"), Qt::LeftButton);
  }
  std::vector<std::string> recovered(TArgumentForm& f) {
    const std::filesystem::path copy = f.fileCommands().recoveryFolder /
                                       ("Recovered diagram - " + QDir(dir_.path()).dirName().toStdString() + ".json");
    Diagram kept;
    if (openDiagram(kept, {copy, DiagramFormat::Json}, paradox::tableOpener()).error) return {};
    std::vector<std::string> texts;
    for (const TSentence& s : kept.sentences()) texts.push_back(s.Text);
    return texts;
  }

  // With unsaved work, the box opened; SIGTERM once it waits. A loop of the
  // test's own stands for the program's, which "closed" ends.
  void endWhileWaiting(const BoxCase& box) {
    SCOPED_TRACE(box.name);
    TArgumentForm& f = start();
    addSentence(f, QStringLiteral("unsaved"));
    TerminationSignals terminations;
    terminations.closeOnSignal(f);
    QEventLoop loop;
    bool boxOpenAtClosing = false;
    QObject::connect(&f, &TArgumentForm::closed, &loop, [&] {
      boxOpenAtClosing = QApplication::activeModalWidget() || QApplication::activePopupWidget();
    });
    QObject::connect(&f, &TArgumentForm::closed, &loop, [&] { loop.exit(0); }, Qt::QueuedConnection);
    bool raised = false;
    QTimer poll, guard;
    poll.setInterval(0);
    QObject::connect(&poll, &QTimer::timeout, [&] {
      if (!raised && box.waits(f)) raised = std::raise(SIGTERM) == 0;
    });
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [&] {
      poll.stop();
      dismissEverything();
      loop.exit(3);
    });
    QTimer::singleShot(0, &f, [&] { box.open(f); });
    poll.start();
    guard.start(20000);
    EXPECT_EQ(loop.exec(), 0);
    EXPECT_TRUE(raised);
    EXPECT_FALSE(boxOpenAtClosing);
    EXPECT_FALSE(f.isVisible());
    dismissEverything();
  }
};

TEST_F(TerminationSignalsTest, EachKindOfBoxIsDismissedAndTheProgramEndsAsExitDoes) {
  RealMessageBoxes realBoxes;
  const std::vector<std::string> kept = {"A", "far", "unsaved"};
  const QString picture = dir_.filePath(QStringLiteral("picture.png"));
  bool typed = false;
  const std::vector<BoxCase> cases = {
      {"a warning", [&](TArgumentForm& f) { addSentence(f, QStringLiteral("unsaved")); },
       [](TArgumentForm&) { return modal<QMessageBox>() != nullptr; }},
      {"a question, answered No",
       [](TArgumentForm& f) {
         QTest::mouseClick(control<QToolButton>(f, "MakeSelectionSpeedButton"), Qt::LeftButton);
         QTest::mouseClick(f.canvasWidget(), Qt::LeftButton, {}, QPoint(50, 50));
         QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
       },
       [](TArgumentForm&) { return modal<QMessageBox>() != nullptr; }},
      {"the Open dialog", [](TArgumentForm& f) { QTest::keyClick(&f, Qt::Key_O, Qt::ControlModifier); },
       [](TArgumentForm&) { return modal<QFileDialog>() != nullptr; }},
      {"the Save As dialog's own question over it",
       [&](TArgumentForm& f) {
         typed = false;
         QTest::keyClick(&f, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
       },
       [&](TArgumentForm&) {
         auto* dialog = modal<QFileDialog>();
         auto* name = dialog ? dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")) : nullptr;
         if (!typed && name && name->hasFocus()) {
           typed = true;
           name->setText(QDir::current().absoluteFilePath(QStringLiteral("help.txt")));
           QTimer::singleShot(0, name, [name] { QTest::keyClick(name, Qt::Key_Return); });
         }
         auto* box = modal<QMessageBox>();
         return box && qobject_cast<QFileDialog*>(box->parentWidget());
       }},
      {"the options dialog", [](TArgumentForm& f) { choose(f, "OptionsMenuItem"); },
       [](TArgumentForm&) {
         auto* dialog = modal<QDialog>();
         return dialog && dialog->objectName() == QStringLiteral("OptionsForm");
       }},
      {"Find Sentence", [](TArgumentForm& f) { QTest::keyClick(&f, Qt::Key_F, Qt::ControlModifier); },
       [](TArgumentForm&) { return modal<QInputDialog>() != nullptr; }},
      {"a pop-up menu",
       [](TArgumentForm& f) { QTest::mouseClick(f.canvasWidget(), Qt::RightButton, {}, QPoint(50, 50)); },
       [](TArgumentForm&) { return qobject_cast<QMenu*>(QApplication::activePopupWidget()) != nullptr; }},
      {"the progress of Export Picture",
       [&](TArgumentForm& f) {
         typed = false;
         f.exportPicture().progressDelayMs = 0;
         QTest::keyClick(&f, Qt::Key_E, Qt::ControlModifier);
       },
       [&](TArgumentForm&) {
         auto* dialog = modal<QFileDialog>();
         auto* name = dialog ? dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")) : nullptr;
         if (!typed && name && name->hasFocus()) {
           typed = true;
           name->setText(picture);
           QTimer::singleShot(0, name, [name] { QTest::keyClick(name, Qt::Key_Return); });
         }
         auto* progress = modal<QProgressDialog>();
         return progress && progress->isVisible();
       }},
  };
  for (const BoxCase& box : cases) {
    endWhileWaiting(box);
    EXPECT_EQ(recovered(app_->ArgumentForm()), kept) << box.name;
  }
  // The question was answered No, the Save As question kept the file, the export was stopped.
  EXPECT_EQ(fileBytes(QStringLiteral("help.txt")), QByteArray());
  EXPECT_FALSE(QFile::exists(picture));
}

// Which signals the process has a handler for, from /proc.
bool catches(qint64 pid, int signalNumber) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("SigCgt:", 0) == 0) return (std::stoull(line.substr(7), nullptr, 16) >> (signalNumber - 1)) & 1;
  return false;
}

// The program itself in a folder with neither tables nor help.txt: start-up
// shows "Cannot open file SentencesDb.db." and then "Cannot open file
// help.txt."; one SIGTERM during the first ends both and the program.
TEST_F(TerminationSignalsTest, OneSignalDuringStartUpEndsEveryStartUpBoxAndTheProgram) {
  QDir().mkdir(QStringLiteral("empty"));
  QProcess program;
  program.setProgram(QStringLiteral(ZORVEX_PROGRAM));
  program.setWorkingDirectory(dir_.filePath(QStringLiteral("empty")));
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  program.setProcessEnvironment(environment);
  program.setChildProcessModifier([] { std::signal(SIGTERM, SIG_DFL); });
  program.start();
  ASSERT_TRUE(program.waitForStarted());
  ASSERT_TRUE(QTest::qWaitFor([&] { return catches(program.processId(), SIGTERM); }, 20000));
  ASSERT_EQ(::kill(static_cast<pid_t>(program.processId()), SIGTERM), 0);
  const bool ended = program.waitForFinished(20000);
  if (!ended) program.kill();
  ASSERT_TRUE(ended) << "the program still waits in a start-up box";
  EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(program.exitCode(), 0);
}

}  // namespace
}  // namespace zorvex::testing
