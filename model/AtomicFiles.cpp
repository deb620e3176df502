#include "model/AtomicFiles.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <set>
#include <utility>

#include "model/ZorvexError.h"

namespace zorvex {
namespace {

namespace fs = std::filesystem;

struct Target {
  std::string shown;   // as the caller named it, for messages
  std::string path;    // the file really replaced
  std::string folder;  // where its temporary file goes
  bool exists = false;
  mode_t mode = 0;
};

// The temporary files of one replacement and their open descriptors;
// whatever was not renamed into place is removed, and every descriptor not
// handed out is closed, when it ends.
class Temporaries {
 public:
  ~Temporaries() {
    for (const std::string& t : paths_)
      if (!t.empty()) unlink(t.c_str());
    for (int fd : fds_)
      if (fd >= 0) close(fd);
  }
  std::string& add() {
    fds_.push_back(-1);
    return paths_.emplace_back();
  }
  void opened(int fd) { fds_.back() = fd; }
  void renamed(size_t i) { paths_[i].clear(); }
  const std::string& operator[](size_t i) const { return paths_[i]; }
  std::vector<int> release() { return std::exchange(fds_, {}); }

 private:
  std::vector<std::string> paths_;
  std::vector<int> fds_;
};

class Failure {
 public:
  explicit Failure(const std::string& what) : what_(what) {}
  [[noreturn]] void operator()(const std::string& shown, const std::string& reason) const {
    throw ZorvexError(what_ + " " + shown + ": " + reason);
  }
  [[noreturn]] void withErrno(const std::string& shown) const { (*this)(shown, std::strerror(errno)); }

 private:
  const std::string& what_;
};

Target inspect(const std::string& given, const Failure& fail) {
  Target t;
  t.shown = given;
  std::error_code ec;
  const fs::path real = fs::canonical(given, ec);  // follows a symbolic link to the file it names
  t.path = ec ? given : real.string();
  const fs::path parent = fs::path(t.path).parent_path();
  t.folder = parent.empty() ? "." : parent.string();
  struct stat st {};
  t.exists = stat(t.path.c_str(), &st) == 0;
  if (t.exists && !S_ISREG(st.st_mode)) fail(given, "it is not a file");
  if (t.exists && (st.st_mode & 0222) == 0) fail(given, "the file is read-only");
  t.mode = st.st_mode & 07777;
  struct stat dir {};
  if (stat(t.folder.c_str(), &dir) != 0) fail.withErrno(given);
  if (!S_ISDIR(dir.st_mode)) fail(given, t.folder + " is not a folder");
  if ((dir.st_mode & 0222) == 0) fail(given, "the folder is read-only");
  return t;
}

int createTemporary(const Target& t, std::string& tempPath, const Failure& fail) {
  static std::atomic<unsigned> counter{0};
  const std::string name = fs::path(t.path).filename().string();
  for (int attempt = 0; attempt < 100; ++attempt) {
    tempPath = t.folder + "/." + name + ".saving-" + std::to_string(getpid()) + "-" + std::to_string(counter++);
    const int fd = open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) return fd;
    if (errno != EEXIST) {
      tempPath.clear();
      fail.withErrno(t.shown);
    }
  }
  tempPath.clear();
  fail(t.shown, "no temporary file could be created");
}

// Everything on disk, or a failure; the descriptor stays open in `temps`.
void writeTemporary(const Target& t, std::string_view bytes, Temporaries& temps, bool lock, const Failure& fail) {
  const int fd = createTemporary(t, temps.add(), fail);
  temps.opened(fd);
  if (lock) flock(fd, LOCK_EX | LOCK_NB);  // nobody else knows the file yet
  if (t.exists && fchmod(fd, t.mode) != 0) fail.withErrno(t.shown);
  for (size_t done = 0; done < bytes.size();) {
    const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) fail.withErrno(t.shown);
    if (n == 0) fail(t.shown, "nothing was written");
    done += static_cast<size_t>(n);
  }
  if (fsync(fd) != 0) fail.withErrno(t.shown);
}

}  // namespace

std::vector<int> replaceFiles(const std::vector<FileContents>& files, const std::string& failure, bool keepLocked) {
  const Failure fail(failure);
  std::vector<Target> targets;
  for (const FileContents& f : files) targets.push_back(inspect(f.path, fail));
  Temporaries temps;
  for (size_t i = 0; i < files.size(); ++i) writeTemporary(targets[i], files[i].bytes, temps, keepLocked, fail);
  std::set<std::string> folders;
  for (size_t i = 0; i < files.size(); ++i) {
    if (rename(temps[i].c_str(), targets[i].path.c_str()) != 0) fail.withErrno(targets[i].shown);
    temps.renamed(i);
    folders.insert(targets[i].folder);
  }
  for (const std::string& folder : folders) {
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) continue;
    fsync(fd);  // makes the renames themselves durable; best effort
    close(fd);
  }
  if (keepLocked) return temps.release();
  return {};
}

void checkReplaceable(const std::string& path, const std::string& failure) {
  const Failure fail(failure);
  inspect(path, fail);
}

}  // namespace zorvex
