#include "model/AtomicFiles.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <utility>

#include "model/RegularFile.h"
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

// One file of a replacement: its new content under a temporary name until
// it is renamed into place, and the old file under a second name until every
// new file is in place. Whatever is still under a temporary name is removed
// and every descriptor not handed out is closed when the replacement ends.
struct Slot {
  std::string temp;
  int fd = -1;
  std::string backup;
};

class Slots {
 public:
  explicit Slots(size_t n) : slots_(n) {}
  ~Slots() {
    for (const Slot& s : slots_) {
      if (!s.temp.empty()) unlink(s.temp.c_str());
      if (!s.backup.empty()) unlink(s.backup.c_str());
      if (s.fd >= 0) close(s.fd);
    }
  }
  Slots(const Slots&) = delete;
  Slots& operator=(const Slots&) = delete;
  Slot& operator[](size_t i) { return slots_[i]; }
  std::vector<int> releaseDescriptors() {
    std::vector<int> fds;
    for (Slot& s : slots_) fds.push_back(std::exchange(s.fd, -1));
    return fds;
  }

 private:
  std::vector<Slot> slots_;
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

// The attribute (chattr +i or +a) that keeps even root from replacing a file
// or from changing a folder's entries; nothing where the filesystem has none.
std::optional<std::string> refusingAttribute(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  int flags = 0;
  const bool known = ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
  close(fd);
  if (known && (flags & FS_IMMUTABLE_FL)) return "immutable";
  if (known && (flags & FS_APPEND_FL)) return "append-only";
  return std::nullopt;
}

// Everything that can be known before the first rename: a refusal here
// leaves every file as it was.
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
  if (t.exists && !S_ISREG(st.st_mode)) fail(given, S_ISDIR(st.st_mode) ? std::strerror(EISDIR) : "it is not a file");
  if (t.exists && (st.st_mode & 0222) == 0) fail(given, "the file is read-only");
  if (const auto attribute = t.exists ? refusingAttribute(t.path) : std::nullopt)
    fail(given, "the file is marked " + *attribute);
  t.mode = st.st_mode & 07777;
  struct stat dir {};
  if (stat(t.folder.c_str(), &dir) != 0) fail.withErrno(given);
  if (!S_ISDIR(dir.st_mode)) fail(given, t.folder + " is not a folder");
  if ((dir.st_mode & 0222) == 0) fail(given, "the folder is read-only");
  if (faccessat(AT_FDCWD, t.folder.c_str(), W_OK | X_OK, AT_EACCESS) != 0) fail.withErrno(given);
  if (const auto attribute = refusingAttribute(t.folder)) fail(given, "the folder is marked " + *attribute);
  return t;
}

// A name beside the target that nobody uses yet: "saving" for new content,
// "old" for the file being replaced.
std::string besideTarget(const Target& t, const char* kind) {
  static std::atomic<unsigned> counter{0};
  const std::string name = fs::path(t.path).filename().string();
  return t.folder + "/." + name + "." + kind + "-" + std::to_string(getpid()) + "-" + std::to_string(counter++);
}

int createBeside(const Target& t, const char* kind, std::string& path, const Failure& fail) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    path = besideTarget(t, kind);
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) return fd;
    path.clear();
    if (errno != EEXIST) fail.withErrno(t.shown);
  }
  fail(t.shown, "no temporary file could be created");
}

// Everything on disk, or a failure.
void writeAll(int fd, const Target& t, std::string_view bytes, const Failure& fail) {
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

// The new content; the descriptor stays open in the slot.
void writeTemporary(const Target& t, std::string_view bytes, Slot& slot, bool lock, const Failure& fail) {
  slot.fd = createBeside(t, "saving", slot.temp, fail);
  if (lock) flock(slot.fd, LOCK_EX | LOCK_NB);  // nobody else knows the file yet
  writeAll(slot.fd, t, bytes, fail);
}

// The old file under a second name: a hard link, or a copy where the
// filesystem has none.
void keepOld(const Target& t, Slot& slot, const Failure& fail) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    slot.backup = besideTarget(t, "old");
    if (link(t.path.c_str(), slot.backup.c_str()) == 0) return;
    slot.backup.clear();
    if (errno != EEXIST) break;
  }
  const std::optional<std::string> old = readRegularFile(t.path);
  if (!old) fail(t.shown, "the file cannot be read");
  const int fd = createBeside(t, "old", slot.backup, fail);
  struct Closer {
    int fd;
    ~Closer() { close(fd); }
  } closer{fd};
  writeAll(fd, t, *old, fail);
}

// A file an earlier replacement made beside its target: ".<file>.<kind>-<pid>-<n>".
struct LeftFile {
  std::string target;  // <file>
  std::string kind;    // "saving" (new content) or "old" (the replaced file)
  pid_t process = 0;
};

std::optional<LeftFile> leftFile(const std::string& name) {
  for (const char* kind : {"saving", "old"}) {
    const std::string mark = std::string(".") + kind + "-";
    const size_t at = name.rfind(mark);
    if (name.size() < 2 || name[0] != '.' || at == std::string::npos || at < 2) continue;
    const std::string rest = name.substr(at + mark.size());
    const size_t dash = rest.find('-');
    if (dash == 0 || dash == std::string::npos || dash + 1 == rest.size()) continue;
    const auto digits = [](const std::string& text) {
      return text.find_first_not_of("0123456789") == std::string::npos && text.size() <= 9;
    };
    const std::string pid = rest.substr(0, dash);
    if (!digits(pid) || !digits(rest.substr(dash + 1))) continue;
    return LeftFile{name.substr(1, at - 1), kind, static_cast<pid_t>(std::stol(pid))};
  }
  return std::nullopt;
}

// Whether the process that made a file no longer runs: it was stopped
// midway and will never finish what it began.
bool stopped(pid_t process) { return process > 0 && process != getpid() && kill(process, 0) != 0 && errno == ESRCH; }

bool sameFile(const std::string& a, const std::string& b) {
  struct stat x {
  }, y{};
  return stat(a.c_str(), &x) == 0 && stat(b.c_str(), &y) == 0 && x.st_dev == y.st_dev && x.st_ino == y.st_ino;
}

// Best effort (a folder that cannot be listed keeps what it has): settles
// what replacements stopped midway left. New content never renamed into
// place is removed. When such a replacement had renamed some of its files
// but not all, those get their old content back, so the set stays the old
// one. An old file is removed once its target holds it too or the
// replacement had renamed every file; otherwise it stays (it may be the
// only copy left).
void settleLeftFiles(const std::string& folder) {
  struct Group {
    std::map<std::string, std::string> saving, old;  // target -> left file
  };
  std::map<pid_t, Group> groups;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code kind;
    if (!it->is_regular_file(kind) || it->is_symlink(kind)) continue;
    const std::optional<LeftFile> f = leftFile(it->path().filename().string());
    if (!f || !stopped(f->process)) continue;
    Group& g = groups[f->process];
    (f->kind == "saving" ? g.saving : g.old)[f->target] = it->path().string();
  }
  for (auto& [process, g] : groups) {
    bool someRenamed = false;
    for (const auto& [target, old] : g.old) someRenamed = someRenamed || !g.saving.count(target);
    const bool partly = someRenamed && !g.saving.empty();
    for (const auto& [target, old] : g.old)
      if (partly && !g.saving.count(target)) rename(old.c_str(), (folder + "/" + target).c_str());
    for (const auto& [target, temp] : g.saving) unlink(temp.c_str());
    for (const auto& [target, old] : g.old) {
      const std::string path = folder + "/" + target;
      if (fs::exists(old, ec) && (g.saving.empty() || sameFile(old, path))) unlink(old.c_str());
    }
  }
}

}  // namespace

void settleStoppedReplacements(const std::string& folder) { settleLeftFiles(folder.empty() ? "." : folder); }

namespace {

RenameStep& renameStep() {
  static RenameStep step;
  return step;
}

int renameIntoPlace(const std::string& from, const std::string& to) {
  return renameStep() ? renameStep()(from, to) : rename(from.c_str(), to.c_str());
}

// After the rename into place of file `failed` did not succeed: the files
// already replaced get their old content back, and new files that replaced
// nothing are removed. Says where an old file stays if it cannot go back.
std::string putBack(const std::vector<Target>& targets, Slots& slots, size_t failed) {
  std::string kept;
  for (size_t i = failed; i-- > 0;) {
    Slot& slot = slots[i];
    if (!targets[i].exists) {
      unlink(targets[i].path.c_str());
    } else if (rename(slot.backup.c_str(), targets[i].path.c_str()) == 0) {
      slot.backup.clear();
    } else {
      kept += "; the old " + targets[i].shown + " is kept as " + slot.backup;
      slot.backup.clear();  // left for the user
    }
  }
  return kept;
}

}  // namespace

RenameStep setRenameStep(RenameStep step) { return std::exchange(renameStep(), std::move(step)); }

std::vector<int> replaceFiles(const std::vector<FileContents>& files, const std::string& failure, bool keepLocked) {
  const Failure fail(failure);
  std::vector<Target> targets;
  for (const FileContents& f : files) targets.push_back(inspect(f.path, fail));
  std::set<std::string> cleaned;
  for (const Target& t : targets)
    if (cleaned.insert(t.folder).second) settleLeftFiles(t.folder);
  Slots slots(files.size());
  for (size_t i = 0; i < files.size(); ++i) writeTemporary(targets[i], files[i].bytes, slots[i], keepLocked, fail);
  for (size_t i = 0; i < files.size(); ++i)
    if (targets[i].exists) keepOld(targets[i], slots[i], fail);
  std::set<std::string> folders;
  for (size_t i = 0; i < files.size(); ++i) {
    if (renameIntoPlace(slots[i].temp, targets[i].path) != 0) {
      const std::string reason = std::strerror(errno);
      fail(targets[i].shown, reason + putBack(targets, slots, i));
    }
    slots[i].temp.clear();
    folders.insert(targets[i].folder);
  }
  for (const std::string& folder : folders) {
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) continue;
    fsync(fd);  // makes the renames themselves durable; best effort
    close(fd);
  }
  // The old files go when the slots do.
  if (keepLocked) return slots.releaseDescriptors();
  return {};
}

void checkReplaceable(const std::string& path, const std::string& failure) {
  const Failure fail(failure);
  inspect(path, fail);
}

namespace {

// The descriptor a name stands for when it names one of the program's own.
int ownDescriptor(const std::string& path) {
  if (path == "/dev/stdout") return 1;
  if (path == "/dev/stderr") return 2;
  for (const std::string prefix : {"/dev/fd/", "/proc/self/fd/"}) {
    const std::string number = path.substr(0, prefix.size()) == prefix ? path.substr(prefix.size()) : "";
    if (!number.empty() && number.size() < 10 && number.find_first_not_of("0123456789") == std::string::npos)
      return std::stoi(number);
  }
  return -1;
}

bool notAFile(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode);
}

void writeDirectly(int fd, const std::string& path, std::string_view bytes) {
  for (size_t done = 0; done < bytes.size();) {
    const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) throw ZorvexError("Cannot write to " + path + ": " + std::strerror(n < 0 ? errno : EIO));
    done += static_cast<size_t>(n);
  }
}

}  // namespace

bool writtenDirectly(const std::string& path) { return ownDescriptor(path) >= 0 || notAFile(path); }

void writeOutputFile(const std::string& path, std::string_view bytes, const std::string& failure) {
  if (const int own = ownDescriptor(path); own >= 0) return writeDirectly(own, path, bytes);
  if (!notAFile(path)) {
    replaceFiles({{path, bytes}}, failure);
    return;
  }
  const int fd = open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) throw ZorvexError("Cannot write to " + path + ": " + std::strerror(errno));
  struct Closer {
    int fd;
    ~Closer() { close(fd); }
  } closer{fd};
  writeDirectly(fd, path, bytes);
}

}  // namespace zorvex
