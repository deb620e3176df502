#pragma once
// The one font sentences are measured and drawn in, standing in for the
// 8-point "MS Sans Serif" of the old interface: a fixed 11-pixel sans-serif
// without anti-aliasing, so box sizes do not depend on the screen's DPI.
#include <QFont>
#include <QSize>
#include <QString>
#include <string>

namespace zorvex {

const QFont& sentenceFont();

// Width = horizontal advance, height = the font's line height.
QSize measureText(const QFont& font, const QString& text);
QSize measureText(const QFont& font, const std::string& utf8Text);

}  // namespace zorvex
