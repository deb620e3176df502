#include "views/ui/HelpText.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>
#include <cerrno>

namespace zorvex {

namespace {

QString decode(const QByteArray& bytes) {
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString text = utf8.decode(bytes);
  if (utf8.hasError()) return QString::fromLatin1(bytes);
  if (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);
  return text;
}

bool readToEnd(int fd, QByteArray& out) {
  char buffer[65536];
  for (;;) {
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return n == 0;
    out.append(buffer, static_cast<qsizetype>(n));
  }
}

// Reads a regular file whole; nothing for a folder, FIFO, socket or device,
// which could block start-up or never end. The name is checked before it is
// opened (opening some devices has effects of its own), and the descriptor
// again after, since the name may have changed in between; O_NONBLOCK keeps
// that open from waiting for a FIFO's writer.
std::optional<QByteArray> readRegularFile(const QString& path) {
  const QByteArray name = QFile::encodeName(path);
  struct stat st {};
  if (stat(name.constData(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  const int fd = open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  QByteArray bytes;
  const bool ok = fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && readToEnd(fd, bytes);
  close(fd);
  if (!ok) return std::nullopt;
  return bytes;
}

}  // namespace

QStringList splitTextLines(const QString& text) {
  static const QRegularExpression lineBreak(QStringLiteral("\r\n|\n|\r"));
  if (text.isEmpty()) return {};
  QStringList lines = text.split(lineBreak);
  if (lines.size() > 1 && lines.last().isEmpty()) lines.removeLast();
  return lines;
}

std::optional<QStringList> readTextLines(const QString& path) {
  const std::optional<QByteArray> bytes = readRegularFile(path);
  if (!bytes) return std::nullopt;
  return splitTextLines(decode(*bytes));
}

}  // namespace zorvex
