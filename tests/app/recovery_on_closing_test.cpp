// Unsaved work survives closing: each diagram keeps its own recovery copy,
// the Open dialog finds them all, and SIGTERM, SIGINT and SIGHUP close the
// program as "E&xit" does.
#include <QEventLoop>
#include <QFileDialog>
#include <QLineEdit>
#include <QListView>
#include <QProcess>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <gtest/gtest.h>

#include <csignal>
#include <set>

#include "AppTestSupport.h"
#include "app/ui/DiagramFileCommands.h"
#include "app/ui/TerminationSignals.h"
#include "model/paradox/ParadoxTable.h"

namespace zorvex::testing {
namespace {

namespace fs = std::filesystem;

class RecoveryOnClosingTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    QFile help("help.txt");
    ASSERT_TRUE(help.open(QIODevice::WriteOnly));
    writeSentences({{40, 40, 100, 60, "A"}});
    writeArrowsAndDefeaters();
  }
  // A folder of tables beside the working directory's.
  DiagramLocation folderDiagram(const QString& name) {
    EXPECT_TRUE(QDir().mkdir(name));
    QDir::setCurrent(name);
    writeSentences({{40, 40, 100, 60, name.toStdString()}});
    writeArrowsAndDefeaters();
    QDir::setCurrent(dir_.path());
    return {dir_.filePath(name).toStdString(), DiagramFormat::Tables};
  }
  TArgumentForm& startOn(const DiagramLocation& where) {
    app_ = std::make_unique<ZorvexApplication>(where);
    app_->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&app_->ArgumentForm()));
    return app_->ArgumentForm();
  }
  void addSentence(TArgumentForm& f, const QString& text) {
    QTest::mouseClick(control<QToolButton>(f, "AddSentenceSpeedButton"), Qt::LeftButton);
    QTest::mouseClick(f.canvasWidget(), Qt::LeftButton, {}, QPoint(300, 150));
    QTest::keyClicks(control<QLineEdit>(f, "SentenceEdit"), text);
    QTest::keyClick(control<QLineEdit>(f, "SentenceEdit"), Qt::Key_Return);
  }
  // The copies a person sees in the recovery folder.
  static std::set<std::string> copiesIn(const fs::path& folder) {
    std::set<std::string> names;
    for (const QString& name : QDir(QString::fromStdString(folder.string())).entryList(QDir::Files))
      names.insert(name.toStdString());
    return names;
  }
  static std::vector<std::string> textsOf(const Diagram& d) {
    std::vector<std::string> texts;
    for (const TSentence& s : d.sentences()) texts.push_back(s.Text);
    return texts;
  }
};

TEST_F(RecoveryOnClosingTest, TwoDiagramsClosedUnsavedBothComeBackThroughTheOpenDialog) {
  const DiagramLocation first = folderDiagram("first"), second = folderDiagram("second");
  TArgumentForm& a = startOn(first);
  const fs::path folder = a.fileCommands().recoveryFolder;
  addSentence(a, "work A");
  choose(a, "ExitMenuItem");
  TArgumentForm& b = startOn(second);
  addSentence(b, "work B");
  choose(b, "ExitMenuItem");
  EXPECT_EQ(copiesIn(folder),
            std::set<std::string>({"Recovered diagram - first.json", "Recovered diagram - second.json"}));

  // The real Open dialog: a click on the recovery place, the first copy's
  // name typed, Enter.
  TArgumentForm& f = start();
  QList<QUrl> places;
  QString shownFolder;
  QTimer answer, closer;
  answer.setInterval(0);
  closer.setInterval(0);
  // Once the name is given: a box about a missing file, then the dialog left open.
  QObject::connect(&closer, &QTimer::timeout, [] {
    if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
  });
  QObject::connect(&answer, &QTimer::timeout, [&] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (!dialog) return;
    answer.stop();
    places = dialog->sidebarUrls();
    auto* sidebar = dialog->findChild<QListView*>(QStringLiteral("sidebar"));
    const QUrl recovery = QUrl::fromLocalFile(QString::fromStdString(folder.string()));
    for (int row = 0; sidebar && row < sidebar->model()->rowCount(); ++row) {
      const QModelIndex place = sidebar->model()->index(row, 0);
      if (place.data(Qt::UserRole + 1).toUrl() == recovery)
        QTest::mouseClick(sidebar->viewport(), Qt::LeftButton, {}, sidebar->visualRect(place).center());
    }
    shownFolder = dialog->directory().absolutePath();
    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    name->setText(QStringLiteral("Recovered diagram - first.json"));
    closer.start();
    QTest::keyClick(name, Qt::Key_Return);
  });
  answer.start();
  choose(f, "OpenMenuItem");
  closer.stop();
  EXPECT_TRUE(places.contains(QUrl::fromLocalFile(QString::fromStdString(folder.string()))));
  EXPECT_EQ(shownFolder.toStdString(), folder.string());
  EXPECT_EQ(textsOf(f.diagram()), std::vector<std::string>({"first", "work A"}));

  // Nothing changed since: closing writes no copy and leaves both as they were.
  const QByteArray copy = fileBytes(QString::fromStdString((folder / "Recovered diagram - first.json").string()));
  choose(f, "ExitMenuItem");
  EXPECT_EQ(copiesIn(folder).size(), 2u);
  EXPECT_EQ(fileBytes(QString::fromStdString((folder / "Recovered diagram - first.json").string())), copy);
}

TEST_F(RecoveryOnClosingTest, SigtermClosesTheWindowAsExitDoesAndKeepsTheCopy) {
  TArgumentForm& f = start();
  addSentence(f, "unsaved");
  // As the program wires it; a loop of the test's own stands for the
  // program's, which "closed" ends (the program itself is run below).
  TerminationSignals terminations;
  terminations.closeOnSignal(f);
  QEventLoop loop;
  QObject::connect(&f, &TArgumentForm::closed, &loop, [&] { loop.exit(0); }, Qt::QueuedConnection);
  QTimer guard;  // ends the wait should the window stay open
  guard.setSingleShot(true);
  QObject::connect(&guard, &QTimer::timeout, &loop, [&] { loop.exit(3); });
  guard.start(20000);

  ASSERT_EQ(std::raise(SIGTERM), 0);
  EXPECT_EQ(loop.exec(), 0);
  EXPECT_FALSE(f.isVisible());
  const fs::path copy = f.fileCommands().recoveryFolder /
                        ("Recovered diagram - " + QDir(dir_.path()).dirName().toStdString() + ".json");
  Diagram kept;
  ASSERT_FALSE(openDiagram(kept, {copy, DiagramFormat::Json}, paradox::tableOpener()).error) << copy;
  EXPECT_EQ(textsOf(kept), std::vector<std::string>({"A", "unsaved"}));
}

// The data folder cannot take the copy (a full disk, or as here a file where
// the folder should be): it goes to the temporary folder, and standard error
// and the log say why and where.
TEST_F(RecoveryOnClosingTest, ACopyTheDataFolderCannotKeepGoesToTheTemporaryFolder) {
  const QByteArray oldTemp = qgetenv("TMPDIR");
  qputenv("TMPDIR", QFile::encodeName(dir_.filePath(QStringLiteral("tmp"))));
  QDir().mkdir(QStringLiteral("tmp"));
  QFile blocker(QStringLiteral("blocker"));
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  TArgumentForm& f = start();
  const fs::path data = fs::path(dir_.filePath(QStringLiteral("blocker")).toStdString()) / "data";
  f.fileCommands().recoveryFolder = data;
  addSentence(f, "unsaved");
  ::testing::internal::CaptureStderr();
  choose(f, "ExitMenuItem");
  const std::string told = ::testing::internal::GetCapturedStderr();
  qputenv("TMPDIR", oldTemp);

  const fs::path copy = fs::path(dir_.filePath(QStringLiteral("tmp")).toStdString()) / "Zorvex!" /
                        ("Recovered diagram - " + QDir(dir_.path()).dirName().toStdString() + ".json");
  Diagram kept;
  ASSERT_FALSE(openDiagram(kept, {copy, DiagramFormat::Json}, paradox::tableOpener()).error) << copy;
  EXPECT_EQ(textsOf(kept), std::vector<std::string>({"A", "unsaved"}));
  const std::string line = "The recovery copy could not be kept in " + data.string() + " (Cannot create folder " +
                           data.string() + ": Not a directory); it is kept in " + copy.string();
  EXPECT_EQ(told, line + "\n");
  EXPECT_TRUE(fileLines(QStringLiteral("log.txt")).contains(QString::fromStdString(line)));
}

// The program itself, with a home and data folder of the test's own; without
// "help.txt" start-up waits in a box, and the signal ends that wait too.
TEST_F(RecoveryOnClosingTest, TheProgramEndsNormallyOnEachSignalAndWritesNoCopyWithoutChanges) {
  for (const auto& [signalNumber, withHelp] : {std::pair(SIGTERM, true), {SIGINT, true}, {SIGHUP, false}}) {
    SCOPED_TRACE(signalNumber);
    QFile::remove(QStringLiteral("log.txt"));
    if (!withHelp) QFile::remove(QStringLiteral("help.txt"));
    QProcess program;
    program.setProgram(QStringLiteral(ZORVEX_PROGRAM));
    program.setWorkingDirectory(dir_.path());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), dir_.filePath(QStringLiteral("home")));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), dir_.filePath(QStringLiteral("data")));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    program.setProcessEnvironment(environment);
    // Whatever this test was started with, the program starts with the
    // signals' default actions, as from a terminal.
    program.setChildProcessModifier([] {
      for (int s : {SIGTERM, SIGINT, SIGHUP}) std::signal(s, SIG_DFL);
    });
    program.start();
    ASSERT_TRUE(program.waitForStarted());
    // The log is started after the signals are caught.
    ASSERT_TRUE(QTest::qWaitFor([] { return QFile::exists(QStringLiteral("log.txt")); }, 20000));
    ASSERT_EQ(::kill(static_cast<pid_t>(program.processId()), signalNumber), 0);
    ASSERT_TRUE(program.waitForFinished(20000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
    EXPECT_FALSE(QDir(dir_.filePath(QStringLiteral("data"))).exists());
  }
}

}  // namespace
}  // namespace zorvex::testing
