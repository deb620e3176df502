#pragma once
// The one font of every window's captions, labels, menus and texts, standing
// in for the old 8-point "MS Sans Serif" that the windows were laid out for.
//
// FreeSans (Debian's fonts-freefont-ttf) is a Helvetica design, as the old
// font was, and at the old font's 11-pixel em its text widths come within a
// few pixels of the old font's: every caption fits the control sized for it.
// Its 12-pixel line is one pixel shorter than the old 13-pixel cell.
//
// Header-only, so that every window library can use it without linking to
// another. Elements drawn in the diagram keep their own font (SentenceFont.h).
#include <QFont>
#include <QString>

namespace zorvex {

inline constexpr const char* InterfaceFontFamily = "FreeSans";
// The old font's em: its 13-pixel cell less 2 pixels of internal leading.
// Qt's pixel size is the em, as the old toolkit's negative font height was.
inline constexpr int InterfaceFontPixelSize = 11;

inline QFont interfaceFont() {
  QFont font(QString::fromLatin1(InterfaceFontFamily));
  // Without FreeSans the windows still open, in the platform's sans-serif.
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(InterfaceFontPixelSize);
  return font;
}

}  // namespace zorvex
