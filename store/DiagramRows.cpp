#include "store/DiagramRows.h"

namespace zorvex {

const std::array<Column<SentenceRow>, 5>& sentenceColumns() {
  using R = SentenceRow;
  static const std::array<Column<R>, 5> columns{{{"Left", &R::Left},
                                                 {"Top", &R::Top},
                                                 {"Right", &R::Right},
                                                 {"Bottom", &R::Bottom},
                                                 {"Text", nullptr, &R::Text}}};
  return columns;
}

const std::array<Column<ArrowRow>, 14>& arrowColumns() {
  using R = ArrowRow;
  static const std::array<Column<R>, 14> columns{{{"Center1X", &R::Center1X},
                                                  {"Center1Y", &R::Center1Y},
                                                  {"Center2X", &R::Center2X},
                                                  {"Center2Y", &R::Center2Y},
                                                  {"StartX", &R::StartX},
                                                  {"StartY", &R::StartY},
                                                  {"EndX", &R::EndX},
                                                  {"EndY", &R::EndY},
                                                  {"Left1", &R::Left1},
                                                  {"Top1", &R::Top1},
                                                  {"Text1", nullptr, &R::Text1},
                                                  {"Left2", &R::Left2},
                                                  {"Top2", &R::Top2},
                                                  {"Text2", nullptr, &R::Text2}}};
  return columns;
}

const std::array<Column<DefeaterRow>, 16>& defeaterColumns() {
  using R = DefeaterRow;
  static const std::array<Column<R>, 16> columns{{{"ChallengingRectLeft", &R::ChallengingRectLeft},
                                                  {"ChallengingRectTop", &R::ChallengingRectTop},
                                                  {"ChallengingRectRight", &R::ChallengingRectRight},
                                                  {"ChallengingRectBottom", &R::ChallengingRectBottom},
                                                  {"ChallengedRectLeft", &R::ChallengedRectLeft},
                                                  {"ChallengedRectTop", &R::ChallengedRectTop},
                                                  {"ChallengedRectRight", &R::ChallengedRectRight},
                                                  {"ChallengedRectBottom", &R::ChallengedRectBottom},
                                                  {"Center1X", &R::Center1X},
                                                  {"Center1Y", &R::Center1Y},
                                                  {"Center2X", &R::Center2X},
                                                  {"Center2Y", &R::Center2Y},
                                                  {"StartX", &R::StartX},
                                                  {"StartY", &R::StartY},
                                                  {"EndX", &R::EndX},
                                                  {"EndY", &R::EndY}}};
  return columns;
}

}  // namespace zorvex
