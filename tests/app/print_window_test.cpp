// File, Print Preview and Print through the real window: Qt's preview and
// print dialog answered from a timer while they are open, the pages counted
// in the preview and in the PDF file the PDF printer writes, whose text is
// read back with pdftotext.
#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QMenuBar>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

#include "AppTestSupport.h"
#include "app/ui/PrintCommands.h"

namespace zorvex::testing {
namespace {

// Runs `answer` once on the first modal dialog of type D that opens.
template <typename D>
class DialogAnswer {
 public:
  explicit DialogAnswer(std::function<void(D&)> answer) : answer_(std::move(answer)) {
    timer_.setInterval(0);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget());
      if (!dialog || answered) return;
      answered = true;
      answer_(*dialog);
    });
    timer_.start();
  }
  bool answered = false;

 private:
  std::function<void(D&)> answer_;
  QTimer timer_;
};

// pdftotext and pdfinfo come with poppler-utils (scripts/install-deps.sh).
QString runTool(const QString& tool, const QStringList& arguments) {
  QProcess p;
  p.start(tool, arguments);
  if (!p.waitForFinished(30000) || p.exitCode() != 0) {
    ADD_FAILURE() << tool.toStdString() << " did not run: " << p.errorString().toStdString();
    return {};
  }
  return QString::fromUtf8(p.readAllStandardOutput());
}

class PrintWindowTest : public AppTest {
 protected:
  // Three pages wide at full size on A4 with 10 mm margins (190 mm, 718
  // pixels at 96 to the inch, across), one page high.
  TArgumentForm& startWide() {
    writeSentences({{40, 40, 160, 60, "Left claim"}, {1450, 300, 1570, 320, "Far right claim"}});
    writeArrowsAndDefeaters();
    TArgumentForm& f = start();
    QPrinter& printer = f.printCommands().printer();
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                                      QPageLayout::Millimeter));
    return f;
  }
};

TEST_F(PrintWindowTest, PrintPreviewFromTheMenuShowsThePagesAndFitsThemToOne) {
  TArgumentForm& f = startWide();
  int pages = 0, fitted = 0;
  DialogAnswer<QPrintPreviewDialog> preview([&](QPrintPreviewDialog& d) {
    auto* widget = d.findChild<QPrintPreviewWidget*>();
    pages = widget->pageCount();
    QTest::mouseClick(d.findChild<QCheckBox*>("FitToOnePageCheckBox"), Qt::LeftButton);
    fitted = widget->pageCount();
    d.reject();
  });
  QMenuBar* bar = f.menuBar();
  QMenu* file = control<QMenu>(f, "FileMenuItem");
  QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(file->menuAction()).center());
  ASSERT_EQ(QApplication::activePopupWidget(), file);
  QTest::keyClick(file, 'v');
  ASSERT_TRUE(preview.answered);
  EXPECT_EQ(pages, 3);
  EXPECT_EQ(fitted, 1);
  EXPECT_TRUE(f.printCommands().fitToOnePage);
}

TEST_F(PrintWindowTest, PrintToAPdfFileWritesEveryPageWithTheDiagramsTextAndFooter) {
  TArgumentForm& f = startWide();
  const QString pdf = dir_.filePath("printed.pdf");
  f.printCommands().printer().setOutputFileName(pdf);
  DialogAnswer<QPrintDialog> dialog([](QPrintDialog& d) {
    QTest::mouseClick(d.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
  });
  QTest::keyClick(&f, Qt::Key_P, Qt::ControlModifier);
  ASSERT_TRUE(dialog.answered);
  ASSERT_TRUE(QFile::exists(pdf));
  EXPECT_TRUE(runTool("pdfinfo", {pdf}).contains(QRegularExpression("Pages:\\s+3\\n")));
  // Letters may come apart in the extracted text; words in order do not.
  QString text = runTool("pdftotext", {pdf, "-"});
  text.remove(QRegularExpression("\\s"));
  const QString folder = QFileInfo(dir_.path()).fileName();
  for (const QString& expected :
       QStringList{"Leftclaim", folder + "Page1of3", folder + "Page2of3", "Farright", "Page3of3"})
    EXPECT_TRUE(text.contains(expected)) << expected.toStdString() << " in " << text.toStdString();
  EXPECT_LT(text.indexOf("Leftclaim"), text.indexOf("Page1of3"));
  EXPECT_LT(text.indexOf("Page2of3"), text.indexOf("Farright"));
}

}  // namespace
}  // namespace zorvex::testing
