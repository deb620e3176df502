#pragma once
// Diagrams and pictures for the view painting tests: one element of every
// kind and status, and the view painted into a plain image.
#include <QImage>
#include <QPainter>
#include <string>

#include "PaintTestSupport.h"
#include "elements/Geometry.h"
#include "elements/ui/SentenceFont.h"
#include "elements/ui/ViewPainter.h"
#include "model/Diagram.h"

namespace zorvex::test {

inline TSentence sentenceAt(int32_t l, int32_t t, int32_t w, int32_t h, Status status, std::string text = {}) {
  TSentence s;
  s.Left = l, s.Top = t, s.Width = w, s.Height = h, s.Right = l + w, s.Bottom = t + h;
  s.Status = status;
  s.Text = std::move(text);
  return s;
}

inline int32_t joinSentences(Diagram& d, int32_t from, int32_t to, Status status) {
  TArrow a;
  a.Sentence1 = from;
  a.Sentence2 = to;
  ComputeStartEndArrow(a, d.sentence(from), d.sentence(to));
  setArrowBounds(a);
  a.Status = status;
  return d.addArrow(a);
}

inline TDefeater defeaterOf(Rect challenging, Rect challenged, DefeaterState state) {
  TDefeater f;
  f.ChallengingRect = challenging;
  f.ChallengedRect = challenged;
  f.DefeaterState = state;
  ComputeStartEndDefeater(f);
  setDefeaterExtent(f);
  return f;
}

// Every kind of element in every look, inside 300 x 240 at 100 %, with text
// or without.
inline Diagram everyKind(bool withText = true) {
  Diagram d;
  auto text = [withText](const char* t) { return withText ? std::string(t) : std::string(); };
  d.addDefeater(defeaterOf({150, 150, 290, 230}, {10, 150, 120, 230}, DefeaterState::Active));
  d.addSentence(sentenceAt(20, 20, 60, 20, NotEvaluated, text("Birds fly")));
  d.addSentence(sentenceAt(160, 20, 70, 20, Status(Undefeated | JustEvaluated), text("Tweety")));
  d.addSentence(sentenceAt(20, 100, 60, 24, Status(Defeated | StatusFlipped), text("Penguin")));
  d.addSentence(sentenceAt(170, 100, 64, 20, Status(Undefeated | SetByUser), text("Rule")));
  d.addSentence(sentenceAt(30, 180, 50, 20, Defeated, text("Selected")));
  d.sentence(4).Selected = true;
  joinSentences(d, 0, 1, Undefeated);
  joinSentences(d, 0, 2, Defeated);
  joinSentences(d, 3, 1, NotEvaluated);
  joinSentences(d, 2, 3, Undefeated);
  d.arrow(3).Selected = true;
  d.addDefeater(defeaterOf({240, 160, 280, 200}, {150, 10, 250, 50}, DefeaterState::Inactive));
  d.addDefeater(defeaterOf({100, 60, 140, 90}, {150, 90, 250, 130}, DefeaterState::ActiveNorInactive));
  d.defeater(2).Selected = true;
  d.addSentence(sentenceAt(200, 60, 40, 20, Undefeated, text("Gone")));
  d.sentence(5).Deleted = true;
  TDefeater drawing = defeaterOf({5, 5, 15, 15}, {250, 5, 290, 15}, DefeaterState::Active);
  drawing.Incomplete = true;
  d.addDefeater(drawing);
  return d;
}

inline ViewTransform viewAt(int step, int64_t offsetX = 0, int64_t offsetY = 0) {
  ViewTransform v;
  v.zoomTo(step, {});
  v.setOffset({offsetX, offsetY});
  return v;
}

// The view painted over the surface colour, as the canvas paints it.
inline QImage viewImage(const Diagram& d, const ViewTransform& view, int w, int h, ViewPictureCache* cache = nullptr,
                        QRect area = {}) {
  QImage img = canvasImage(w, h);
  QPainter p(&img);
  paintDiagramView(p, d, area.isNull() ? QRect(0, 0, w, h) : area, sentenceFont(), view, cache);
  return img;
}

inline int countColour(const QImage& img, unsigned colour, QRect within = {}) {
  if (within.isNull()) within = img.rect();
  int n = 0;
  for (int y = within.top(); y <= within.bottom(); ++y)
    for (int x = within.left(); x <= within.right(); ++x) n += rgb(img, x, y) == colour;
  return n;
}

}  // namespace zorvex::test
