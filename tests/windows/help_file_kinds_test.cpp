// A "help.txt" that is not a regular file must neither hang nor be read: the
// help window reports it as unopenable and start-up goes on.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QDir>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <thread>

#include "views/ui/HelpFormUnit.h"
#include "views/ui/MessageBoxes.h"

namespace zorvex {
namespace {

// Watches a call that may block in open() on a FIFO. When the call has not
// come back after the limit, it opens the FIFO for writing, which lets the
// blocked reader go on, and remembers that the call hung.
class FifoWatchdog {
 public:
  explicit FifoWatchdog(std::string fifo) : fifo_(std::move(fifo)), thread_([this] { watch(); }) {}
  ~FifoWatchdog() { finish(); }
  // Call once the watched call has returned; true when it had hung.
  bool finish() {
    {
      std::lock_guard lock(mutex_);
      done_ = true;
    }
    wake_.notify_all();
    if (thread_.joinable()) thread_.join();
    return hung_;
  }

 private:
  void watch() {
    std::unique_lock lock(mutex_);
    if (wake_.wait_for(lock, std::chrono::seconds(10), [this] { return done_; })) return;
    hung_ = true;
    // Non-blocking, so a reader that has already gone cannot strand us here.
    while (!done_) {
      const int fd = open(fifo_.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
      if (fd >= 0) {
        close(fd);
        break;
      }
      wake_.wait_for(lock, std::chrono::milliseconds(20), [this] { return done_; });
    }
  }

  std::string fifo_;
  std::mutex mutex_;
  std::condition_variable wake_;
  bool done_ = false;
  bool hung_ = false;
  std::thread thread_;
};

void expectRefused(const QTemporaryDir& dir, const char* what) {
  ScriptedMessageBoxes boxes;
  THelpForm form(boxes, dir.path());
  ASSERT_EQ(boxes.shown.size(), 1u) << what;
  EXPECT_EQ(boxes.shown[0].kind, BoxKind::Error) << what;
  EXPECT_EQ(boxes.shown[0].caption, "Zorvex!") << what;
  EXPECT_EQ(boxes.shown[0].text, "Cannot open file help.txt.") << what;
  EXPECT_TRUE(form.HelpMemo->toPlainText().isEmpty()) << what;
}

TEST(HelpFileKinds, AFifoNamedHelpTxtIsRefusedAtOnce) {
  QTemporaryDir dir;
  const std::string fifo = QDir(dir.path()).filePath("help.txt").toStdString();
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0) << std::strerror(errno);
  FifoWatchdog watchdog(fifo);
  ScriptedMessageBoxes boxes;
  THelpForm form(boxes, dir.path());
  ASSERT_FALSE(watchdog.finish()) << "reading help.txt blocked on the FIFO";
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, "Cannot open file help.txt.");
  EXPECT_TRUE(form.HelpMemo->toPlainText().isEmpty());
}

TEST(HelpFileKinds, FoldersSocketsAndDevicesAreRefused) {
  {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("help.txt"));
    expectRefused(dir, "folder");
  }
  {
    QTemporaryDir dir;
    const std::string path = QDir(dir.path()).filePath("help.txt").toStdString();
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(path.size(), sizeof(address.sun_path));
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    ASSERT_EQ(bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)), 0) << std::strerror(errno);
    expectRefused(dir, "socket");
    close(fd);
  }
  {
    // A character device reached through a link: reads as empty, yet is no text file.
    QTemporaryDir dir;
    ASSERT_EQ(symlink("/dev/null", QDir(dir.path()).filePath("help.txt").toLocal8Bit().constData()), 0);
    expectRefused(dir, "device");
  }
}

TEST(HelpFileKinds, ALinkToARegularFileIsStillRead) {
  QTemporaryDir dir;
  const QString target = dir.filePath("real-help.txt");
  {
    QFile file(target);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("first\nsecond\n");
  }
  ASSERT_EQ(symlink(target.toLocal8Bit().constData(), QDir(dir.path()).filePath("help.txt").toLocal8Bit().constData()), 0);
  ScriptedMessageBoxes boxes;
  THelpForm form(boxes, dir.path());
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_EQ(form.HelpMemo->toPlainText(), "first\nsecond");
}

}  // namespace
}  // namespace zorvex
