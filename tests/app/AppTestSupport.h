#pragma once
// A temporary working directory with the program's windows in it, message
// boxes answered by script, and helpers to write the element tables.
#include <QDir>
#include <QApplication>
#include <QFile>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "app/ui/ArgumentFormUnit.h"
#include "app/ui/ZorvexApplication.h"
#include "tests/support/FormControls.h"
#include "model/paradox/TableWriter.h"
#include "views/ui/MessageBoxes.h"

namespace zorvex::testing {

struct SentenceRowValues {
  int32_t left, top, right, bottom;
  std::string text;
};

inline void writeSentences(const std::vector<SentenceRowValues>& rows) {
  using namespace paradox;
  std::vector<Row> out;
  for (const auto& r : rows) out.push_back({r.left, r.top, r.right, r.bottom, r.text});
  writeTable("SentencesDb.db",
             {{"Left", FieldType::Long}, {"Top", FieldType::Long}, {"Right", FieldType::Long},
              {"Bottom", FieldType::Long}, {"Text", FieldType::Alpha, 60}},
             out);
}

struct ArrowRowValues {
  // Center1X, Center1Y, Center2X, Center2Y, StartX, StartY, EndX, EndY, Left1, Top1, Left2, Top2
  std::vector<int32_t> numbers;
  std::string text1, text2;
};

inline void writeArrowsAndDefeaters(const std::vector<ArrowRowValues>& arrowRows = {}) {
  using namespace paradox;
  std::vector<Row> rows;
  for (const auto& a : arrowRows) {
    Row r(a.numbers.begin(), a.numbers.end());
    r.push_back(a.text1);
    r.push_back(a.text2);
    rows.push_back(r);
  }
  std::vector<Field> arrows;
  for (const char* n : {"Center1X", "Center1Y", "Center2X", "Center2Y", "StartX", "StartY", "EndX", "EndY", "Left1",
                        "Top1", "Left2", "Top2"})
    arrows.push_back({n, FieldType::Long});
  arrows.push_back({"Text1", FieldType::Alpha, 60});
  arrows.push_back({"Text2", FieldType::Alpha, 60});
  writeTable("ArrowsDb.DB", arrows, rows);
  std::vector<Field> defeaters;
  for (const char* side : {"ChallengingRect", "ChallengedRect"})
    for (const char* edge : {"Left", "Top", "Right", "Bottom"}) defeaters.push_back({std::string(side) + edge, FieldType::Long});
  for (const char* n : {"Center1X", "Center1Y", "Center2X", "Center2Y", "StartX", "StartY", "EndX", "EndY"})
    defeaters.push_back({n, FieldType::Long});
  writeTable("DefeatersDb.DB", defeaters, {});
}

// One pointer event with exactly these buttons and keys, as the window gets it.
inline void sendMouse(QWidget* w, QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons held,
                      Qt::KeyboardModifiers keys = {}) {
  QMouseEvent e(type, QPointF(pos), QPointF(w->mapToGlobal(pos)), button, held, keys);
  QApplication::sendEvent(w, &e);
}

inline QByteArray fileBytes(const QString& name) {
  QFile f(name);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline QStringList fileLines(const QString& name) {
  QString text = QString::fromUtf8(fileBytes(name));
  QStringList lines = text.split(QStringLiteral("\r\n"));
  if (!lines.isEmpty() && lines.back().isEmpty()) lines.removeLast();
  return lines;
}

// Runs in a fresh working directory; the previous one is restored afterwards.
class AppTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    previous_ = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir_.path()));
    // The recovery copy goes to a data folder of the test's own.
    qputenv("XDG_DATA_HOME", QFile::encodeName(dir_.filePath(QStringLiteral("data"))));
  }
  void TearDown() override {
    app_.reset();
    QDir::setCurrent(previous_);
  }
  // Creates every window as the program does and shows the main window.
  TArgumentForm& start() {
    app_ = std::make_unique<ZorvexApplication>();
    app_->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&app_->ArgumentForm()));
    return app_->ArgumentForm();
  }
  ScriptedMessageBoxes boxes_;
  ScopedMessageBoxes scoped_{boxes_};
  QTemporaryDir dir_;
  QString previous_;
  std::unique_ptr<ZorvexApplication> app_;
};

}  // namespace zorvex::testing
