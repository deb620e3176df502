#include "views/ui/HelpText.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>

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
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  const QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) return std::nullopt;
  return splitTextLines(decode(bytes));
}

}  // namespace zorvex
