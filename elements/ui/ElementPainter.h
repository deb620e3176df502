#pragma once
// How sentences, arrows and defeaters look. All drawing is in diagram
// coordinates, pixel-exact, without anti-aliasing, in plain copy mode.
// A sentence draws inside its own bounds, an arrow's shaft inside the
// arrow's bounds; arrow heads and defeaters are not limited to any bounds.
// limit, where given, is the area being repainted: nothing outside it is
// touched (it spares work, it does not change any pixel inside it).
#include <QColor>
#include <QFont>
#include <QPainter>
#include <QRect>

#include "elements/ui/PaintOptions.h"
#include "model/Elements.h"

namespace zorvex {

QColor sentenceFrameColour(const TSentence& s, const PaintOptions& options = {});
QColor sentenceFillColour(const TSentence& s, const PaintOptions& options = {});
QColor arrowColour(const TArrow& a, const PaintOptions& options = {});
QColor defeaterColour(const TDefeater& d, const PaintOptions& options = {});

void paintSentence(QPainter& p, const TSentence& s, const QFont& font);
void paintSentence(QPainter& p, const TSentence& s, const QFont& font, const QRect& limit,
                   const PaintOptions& options = {});

// The shaft, then the head.
void paintArrow(QPainter& p, const TArrow& a);
void paintArrow(QPainter& p, const TArrow& a, const QRect& limit, const PaintOptions& options = {});
// The two solid head strokes from the end point.
void paintArrowHead(QPainter& p, const TArrow& a, const QRect& limit, const PaintOptions& options = {});

// Both rectangle outlines, the line, then the diamond.
void paintDefeater(QPainter& p, const TDefeater& d);
void paintDefeater(QPainter& p, const TDefeater& d, const QRect& limit, const PaintOptions& options = {});
void paintDefeaterHead(QPainter& p, const TDefeater& d, const QRect& limit, const PaintOptions& options = {});

}  // namespace zorvex
