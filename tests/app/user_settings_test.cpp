// Tests keep what Qt keeps for the user to themselves: a file dialog run in a
// test writes its places and history, but not into the real user's
// configuration, which would list the tests' vanished folders afterwards.
#include <QDateTime>
#include <QFileInfo>
#include <QSettings>
#include <gtest/gtest.h>

#include <pwd.h>
#include <unistd.h>

#include "AppTestSupport.h"
#include "RealModals.h"

namespace zorvex::testing {
namespace {

// The file as it stands: whether it is there, its size and when it was written.
QString stateOf(const QString& path) {
  const QFileInfo file(path);
  if (!file.exists()) return QStringLiteral("absent");
  return QString::number(file.size()) + QLatin1Char(' ') + file.lastModified().toString(Qt::ISODateWithMs);
}

TEST_F(AppTest, AFileDialogRunInATestLeavesTheRealUsersConfigurationAlone) {
  writeSentences({{40, 40, 100, 60, "A"}});
  writeArrowsAndDefeaters();
  QFile(QStringLiteral("help.txt")).open(QIODevice::WriteOnly);
  // The user's own home, from the password database: HOME may say otherwise.
  const passwd* user = getpwuid(getuid());
  ASSERT_NE(user, nullptr);
  const QString realHome = QDir(QString::fromLocal8Bit(user->pw_dir)).canonicalPath();
  const QString realConfiguration = realHome + QStringLiteral("/.config/QtProject.conf");
  const QString before = stateOf(realConfiguration);

  TArgumentForm& f = start();
  ModalAnswers modals;  // no path: the dialog is cancelled
  QTest::keyClick(&f, Qt::Key_O, Qt::ControlModifier);
  ASSERT_EQ(modals.fileDialogs, 1);

  // The dialog did keep its settings, somewhere of the test's own.
  const QString kept = QSettings(QSettings::UserScope, QStringLiteral("QtProject")).fileName();
  EXPECT_TRUE(QFile::exists(kept)) << kept.toStdString();
  EXPECT_FALSE(QFileInfo(kept).canonicalFilePath().startsWith(realHome + QLatin1Char('/'))) << kept.toStdString();
  EXPECT_EQ(stateOf(realConfiguration), before);
}

}  // namespace
}  // namespace zorvex::testing
