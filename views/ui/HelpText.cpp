#include "views/ui/HelpText.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>

#include "model/RegularFile.h"

namespace zorvex {

namespace {

QString decode(const QByteArray& bytes) {
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString text = utf8.decode(bytes);
  if (utf8.hasError()) return QString::fromLatin1(bytes);
  if (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);
  return text;
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
  // Not a regular file (a folder, FIFO, socket or device): nothing, at once.
  const std::optional<std::string> bytes = readRegularFile(QFile::encodeName(path).toStdString());
  if (!bytes) return std::nullopt;
  return splitTextLines(decode(QByteArray::fromStdString(*bytes)));
}

}  // namespace zorvex
