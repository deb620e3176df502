#include "elements/ui/SentenceFont.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QStringList>

namespace zorvex {
namespace {

QFont makeSentenceFont() {
  // DejaVu Sans where it is installed (it is on every machine we build on),
  // otherwise the platform's own sans-serif; a pixel size keeps it the same
  // height on every screen.
  QFont f(QStringLiteral("DejaVu Sans"));
  if (!QFontDatabase::families().contains(QStringLiteral("DejaVu Sans")))
    f = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
  f.setStyleHint(QFont::SansSerif);
  f.setPixelSize(11);
  f.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::NoSubpixelAntialias));
  f.setHintingPreference(QFont::PreferFullHinting);
  f.setKerning(false);
  return f;
}

}  // namespace

const QFont& sentenceFont() {
  static const QFont font = makeSentenceFont();
  return font;
}

QSize measureText(const QFont& font, const QString& text) {
  const QFontMetrics fm(font);
  return {fm.horizontalAdvance(text), fm.height()};
}

QSize measureText(const QFont& font, const std::string& utf8Text) {
  return measureText(font, QString::fromStdString(utf8Text));
}

}  // namespace zorvex
