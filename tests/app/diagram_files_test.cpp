// Open, Save, Save As, Export Picture, the recovery copy and the command
// line, through the main window's File menu.
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QToolButton>
#include <gtest/gtest.h>
#include <sstream>

#include "AppTestSupport.h"
#include "RealModals.h"
#include "app/ui/DiagramFileCommands.h"
#include "app/ui/ProgramArguments.h"
#include "editor/ArgumentEditor.h"
#include "elements/ui/DiagramRenderer.h"
#include "model/paradox/ParadoxTable.h"

namespace zorvex::testing {
namespace {

// What a save keeps of a diagram, in element order, deleted ones left out.
std::vector<std::string> contents(const Diagram& d, bool withStatuses) {
  std::vector<std::string> out;
  auto st = [&](Status s) { return withStatuses ? " s" + std::to_string(static_cast<int>(s)) : std::string(); };
  for (const TSentence& s : d.sentences())
    if (!s.Deleted)
      out.push_back("S " + std::to_string(s.Left) + "," + std::to_string(s.Top) + "," + std::to_string(s.Right) +
                    "," + std::to_string(s.Bottom) + " " + s.Text + st(s.Status));
  for (const TArrow& a : d.arrows())
    if (!a.Deleted)
      out.push_back("A " + d.sentence(a.Sentence1).Text + ">" + d.sentence(a.Sentence2).Text + " " +
                    std::to_string(a.StartX) + "," + std::to_string(a.EndY) + st(a.Status));
  for (const TDefeater& f : d.defeaters())
    if (!f.Deleted)
      out.push_back("D " + std::to_string(f.ChallengingRect.Left) + "," + std::to_string(f.ChallengedRect.Bottom) +
                    (withStatuses ? " " + std::to_string(static_cast<int>(f.DefeaterState)) : std::string()));
  return out;
}

class DiagramFilesTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    QFile help("help.txt");
    ASSERT_TRUE(help.open(QIODevice::WriteOnly));
    help.write("Help\r\n");
  }
  // Three sentences, arrows A>B and B>C, one defeater; A fixed justified and
  // one round run, so statuses differ from the defaults.
  TArgumentForm& startDrawn() {
    writeSentences({{40, 40, 100, 60, "A"}, {200, 40, 260, 60, "B"}, {400, 40, 460, 60, "C"}});
    writeArrowsAndDefeaters({{{70, 50, 230, 50, 100, 50, 200, 50, 40, 40, 200, 40}, "A", "B"},
                             {{230, 50, 430, 50, 260, 50, 400, 50, 200, 40, 400, 40}, "B", "C"}});
    TArgumentForm& f = start();
    f.runPopupMenu = [&](QMenu&, QPoint) { choose(f, "SetStatusUndefeatedMenuItem"); };
    QTest::mouseClick(f.canvasWidget(), Qt::RightButton, {}, QPoint(50, 50));
    QTest::mouseClick(control<QPushButton>(f, "EvaluateOneRoundButton"), Qt::LeftButton);
    return f;
  }
  void answer(TArgumentForm& f, std::optional<QString> path) {
    f.fileCommands().dialogs.openPath = [path] { return path; };
    f.fileCommands().dialogs.saveAsPath = [path] { return path; };
    f.fileCommands().dialogs.picturePath = [path] { return path; };
  }
  QString path(const char* name) { return dir_.filePath(QString::fromLatin1(name)); }
};

TEST_F(DiagramFilesTest, TheFileMenuOffersTheNewCommandsBeforeExit) {
  writeSentences({});
  writeArrowsAndDefeaters();
  TArgumentForm& f = start();
  QStringList items;
  for (QAction* a : control<QMenu>(f, "FileMenuItem")->actions())
    items << (a->isSeparator() ? QStringLiteral("-") : a->text() + " " + a->shortcut().toString());
  EXPECT_EQ(items, QStringList({"&New Ctrl+N", "&Open... Ctrl+O", "&Save Ctrl+S", "Save &As... Ctrl+Shift+S",
                                "&Export Picture... Ctrl+E", "-", "&Print... Ctrl+P", "Print Pre&view... ", "-",
                                "E&xit Ctrl+Q"}));
}

TEST_F(DiagramFilesTest, SaveAsJsonThroughTheRealDialogCloseAndReopenGivesTheSameDiagramWithStatuses) {
  TArgumentForm& f = startDrawn();
  // One element deleted: it must not come back.
  f.editor().MakeSelectionSpeedButtonClick();
  QTest::mouseClick(f.canvasWidget(), Qt::LeftButton, {}, QPoint(430, 50));
  boxes_.answers = {true};
  QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &f, Qt::Key_Delete);
  ASSERT_TRUE(f.diagram().sentence(2).Deleted);
  const std::vector<std::string> before = contents(f.diagram(), true);

  ModalAnswers modals;
  modals.filePaths = {path("kept.json")};
  QTest::keyClick(&f, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(modals.fileDialogs, 1);
  ASSERT_TRUE(QFile::exists(path("kept.json")));
  EXPECT_TRUE(boxes_.textsOf(BoxKind::Error).empty());
  choose(f, "ExitMenuItem");
  // Saved: closing leaves no recovery copy.
  EXPECT_FALSE(std::filesystem::exists(f.fileCommands().recoveryFolder));
  app_.reset();

  app_ = std::make_unique<ZorvexApplication>(DiagramLocation{path("kept.json").toStdString(), DiagramFormat::Json});
  EXPECT_EQ(contents(app_->ArgumentForm().diagram(), true), before);
  EXPECT_EQ(app_->ArgumentForm().diagram().SentenceCount(), 2);
}

TEST_F(DiagramFilesTest, FolderRoundTripKeepsGeometryTextsAndOrderButNoStatuses) {
  TArgumentForm& f = startDrawn();
  const std::vector<std::string> before = contents(f.diagram(), false);
  answer(f, path("folder"));
  choose(f, "SaveAsMenuItem");
  ASSERT_TRUE(boxes_.textsOf(BoxKind::Error).empty()) << boxes_.textsOf(BoxKind::Error)[0];
  // Saved, so Open asks nothing, and the tables come back in the same order.
  choose(f, "OpenMenuItem");
  EXPECT_TRUE(boxes_.textsOf(BoxKind::Confirm).empty());
  EXPECT_EQ(contents(f.diagram(), false), before);
  EXPECT_EQ(f.diagram().sentence(0).Status, NotEvaluated);
  EXPECT_EQ(f.editor().editMode(), EditMode::NoTool);
  const QStringList log = fileLines("log.txt");
  ASSERT_GE(log.size(), 3);
  EXPECT_EQ(log.mid(log.size() - 3), QStringList({"[Open]", path("folder"), ""}));
}

TEST_F(DiagramFilesTest, OpenAsksToDiscardOnlyWhenThereAreChanges) {
  writeSentences({{40, 40, 100, 60, "A"}});
  writeArrowsAndDefeaters();
  TArgumentForm& f = start();
  answer(f, path("."));
  choose(f, "OpenMenuItem");
  EXPECT_TRUE(boxes_.textsOf(BoxKind::Confirm).empty());

  QTest::mouseClick(control<QToolButton>(f, "AddSentenceSpeedButton"), Qt::LeftButton);
  QTest::mouseClick(f.canvasWidget(), Qt::LeftButton, {}, QPoint(300, 150));
  QTest::keyClick(control<QLineEdit>(f, "SentenceEdit"), Qt::Key_Return);
  ASSERT_EQ(f.diagram().SentenceCount(), 2);
  boxes_.answers = {false};
  choose(f, "OpenMenuItem");
  EXPECT_EQ(boxes_.textsOf(BoxKind::Confirm),
            std::vector<std::string>({"Do you want to discard the changes to the current diagram?"}));
  EXPECT_EQ(f.diagram().SentenceCount(), 2);
  boxes_.answers = {true};
  choose(f, "OpenMenuItem");
  EXPECT_EQ(f.diagram().SentenceCount(), 1);
}

TEST_F(DiagramFilesTest, TheRecoveryCopyIsWrittenOnCloseExactlyWhenChangesWereNotSaved) {
  writeSentences({{40, 40, 100, 60, "A"}});
  writeArrowsAndDefeaters();
  TArgumentForm& f = start();
  // Named after the folder the diagram came from: here the working directory.
  const std::filesystem::path copy = f.fileCommands().recoveryFolder /
                                     ("Recovered diagram - " + QDir(dir_.path()).dirName().toStdString() + ".json");
  ASSERT_TRUE(copy.string().find(dir_.path().toStdString()) == 0) << copy;
  choose(f, "ExitMenuItem");
  EXPECT_FALSE(std::filesystem::exists(copy));
  app_.reset();

  TArgumentForm& g = start();
  const QByteArray tables = fileBytes("SentencesDb.db");
  g.runPopupMenu = [&](QMenu&, QPoint) { choose(g, "SetStatusDefeatedMenuItem"); };
  QTest::mouseClick(g.canvasWidget(), Qt::RightButton, {}, QPoint(50, 50));
  choose(g, "ExitMenuItem");
  ASSERT_TRUE(std::filesystem::exists(copy));
  EXPECT_EQ(fileBytes("SentencesDb.db"), tables);
  EXPECT_TRUE(boxes_.textsOf(BoxKind::Confirm).empty());
  app_.reset();

  TArgumentForm& h = start();
  answer(h, QString::fromStdString(copy.string()));
  choose(h, "OpenMenuItem");
  EXPECT_EQ(h.diagram().sentence(0).Status, Defeated | SetByUser);
}

TEST_F(DiagramFilesTest, OpeningADamagedFolderShowsTheBoxStartUpShows) {
  writeSentences({{40, 40, 100, 60, "A"}});
  writeArrowsAndDefeaters();
  QDir().mkdir("broken");
  {
    const QString here = QDir::currentPath();
    QDir::setCurrent("broken");
    writeSentences({{10, 10, 50, 30, "X"}, {100, 10, 150, 30, "Y"}});
    // An arrow table that lacks every column but one.
    paradox::writeTable("ArrowsDb.DB", {{"Center1X", paradox::FieldType::Long}}, {{int32_t{5}}});
    QDir::setCurrent(here);
  }
  TArgumentForm& f = start();
  answer(f, path("broken"));
  choose(f, "OpenMenuItem");
  ASSERT_EQ(boxes_.textsOf(BoxKind::Error).size(), 1u);
  const std::string openBox = boxes_.textsOf(BoxKind::Error)[0];
  EXPECT_EQ(openBox, "Field 'Center1Y' not found.");
  // The diagram in the window stays, not the half that was read.
  ASSERT_EQ(f.diagram().SentenceCount(), 1);
  EXPECT_EQ(f.diagram().sentence(0).Text, "A");
  app_.reset();

  boxes_.shown.clear();
  QDir::setCurrent("broken");
  start();
  EXPECT_EQ(boxes_.textsOf(BoxKind::Error).front(), openBox);
}

TEST_F(DiagramFilesTest, AFailedSaveShowsWhyAndLeavesTheTablesAsTheyWere) {
  writeSentences({{40, 40, 100, 60, "A"}});
  writeArrowsAndDefeaters();
  TArgumentForm& f = start();
  const QByteArray sentences = fileBytes("SentencesDb.db");
  QTest::mouseClick(control<QToolButton>(f, "AddSentenceSpeedButton"), Qt::LeftButton);
  QTest::mouseClick(f.canvasWidget(), Qt::LeftButton, {}, QPoint(300, 150));
  QTest::keyClick(control<QLineEdit>(f, "SentenceEdit"), Qt::Key_Return);

  // Another program holds the arrow table open.
  std::unique_ptr<paradox::ParadoxTable> held = paradox::ParadoxTable::open("ArrowsDb.DB");
  choose(f, "SaveMenuItem");
  ASSERT_EQ(boxes_.textsOf(BoxKind::Error).size(), 1u);
  EXPECT_NE(boxes_.textsOf(BoxKind::Error)[0].find("ArrowsDb.DB"), std::string::npos);
  EXPECT_EQ(fileBytes("SentencesDb.db"), sentences);
  held.reset();

  // A text the tables' code page cannot hold is named before anything is written.
  f.editor().SetSentenceEditText("Ω");
  f.editor().ShowSentenceEdit(300, 250);
  QTest::keyClick(control<QLineEdit>(f, "SentenceEdit"), Qt::Key_Return);
  choose(f, "SaveMenuItem");
  ASSERT_EQ(boxes_.textsOf(BoxKind::Error).size(), 2u);
  EXPECT_NE(boxes_.textsOf(BoxKind::Error)[1].find("Ω"), std::string::npos) << boxes_.textsOf(BoxKind::Error)[1];
  EXPECT_EQ(fileBytes("SentencesDb.db"), sentences);
}

TEST_F(DiagramFilesTest, SaveAsAnExistingFolderAsksBeforeReplacingItsTables) {
  TArgumentForm& f = startDrawn();
  answer(f, path("folder"));
  choose(f, "SaveAsMenuItem");
  const QByteArray written = fileBytes(path("folder/SentencesDb.db"));
  ASSERT_FALSE(written.isEmpty());
  f.editor().SetSentenceEditText("D");
  f.editor().ShowSentenceEdit(300, 250);
  QTest::keyClick(control<QLineEdit>(f, "SentenceEdit"), Qt::Key_Return);

  boxes_.answers = {false};
  choose(f, "SaveAsMenuItem");
  EXPECT_EQ(boxes_.textsOf(BoxKind::Confirm),
            std::vector<std::string>({path("folder").toStdString() +
                                      " already holds a diagram. Do you want to replace it?"}));
  EXPECT_EQ(fileBytes(path("folder/SentencesDb.db")), written);
  boxes_.answers = {true};
  choose(f, "SaveAsMenuItem");
  EXPECT_TRUE(boxes_.textsOf(BoxKind::Error).empty());
  EXPECT_NE(fileBytes(path("folder/SentencesDb.db")), written);
  EXPECT_FALSE(f.fileCommands().hasChanges());
}

TEST_F(DiagramFilesTest, ExportPictureDrawsWhatRenderDrawsWithoutTheSelection) {
  TArgumentForm& f = startDrawn();
  f.editor().MakeSelectionSpeedButtonClick();
  QTest::mouseClick(f.canvasWidget(), Qt::LeftButton, {}, QPoint(50, 50));
  ASSERT_TRUE(f.diagram().sentence(0).Selected);
  answer(f, path("picture.png"));
  choose(f, "ExportPictureMenuItem");
  EXPECT_TRUE(f.diagram().sentence(0).Selected);
  f.diagram().sentence(0).Selected = false;
  const QImage expected = renderDiagram(f.diagram()).convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(QImage(path("picture.png")).convertToFormat(QImage::Format_RGB32), expected);

  answer(f, path("picture.pdf"));
  choose(f, "ExportPictureMenuItem");
  const QByteArray pdf = fileBytes(path("picture.pdf"));
  EXPECT_TRUE(pdf.startsWith("%PDF-"));
  const QSize size = renderSize(f.diagram());
  const QRegularExpression page(QStringLiteral("/MediaBox \\[0 0 %1(\\.0+)? %2(\\.0+)?\\]")
                                    .arg(size.width())
                                    .arg(size.height()));
  EXPECT_TRUE(page.match(QString::fromLatin1(pdf)).hasMatch()) << "page size " << size.width() << "x" << size.height();
}

TEST(ProgramArguments, NoneOneDiagramHelpOrAMissingPath) {
  std::ostringstream out, err;
  EXPECT_FALSE(readProgramArguments({}, out, err).diagram);
  EXPECT_FALSE(readProgramArguments({}, out, err).exitCode);

  const ProgramStart help = readProgramArguments({"--help"}, out, err);
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_NE(out.str().find("DIAGRAM"), std::string::npos);

  const ProgramStart missing = readProgramArguments({"/no/such/folder"}, out, err);
  EXPECT_EQ(missing.exitCode, 2);
  EXPECT_NE(err.str().find("/no/such/folder"), std::string::npos);

  const std::string here = std::filesystem::temp_directory_path().string();
  const ProgramStart folder = readProgramArguments({here}, out, err);
  ASSERT_TRUE(folder.diagram);
  EXPECT_EQ(folder.diagram->format, DiagramFormat::Tables);
  EXPECT_FALSE(folder.exitCode);
}

}  // namespace
}  // namespace zorvex::testing
