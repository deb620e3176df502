#pragma once
// The key to symbols and colours: one sample of every look that sentences,
// arrows and defeaters take, each with its label. The samples belong to
// this window alone; no diagram knows them and no counter counts them.
#include <QWidget>
#include <string>
#include <vector>

#include "model/Elements.h"

class QCheckBox;
class QLabel;
class QPushButton;

namespace zorvex {

template <typename Element>
struct KeySample {
  std::string name;  // sample name, e.g. "NotEvaluatedSentence"
  Element element;
  QLabel* label = nullptr;
};

class TKeyToSymbolsAndColorsForm : public QWidget {
  Q_OBJECT
 public:
  explicit TKeyToSymbolsAndColorsForm(QWidget* parent = nullptr);

  // The Help menu's "&Key to symbols and colors": shows without blocking and
  // brings the window to the front.
  void showKey();

  const std::vector<KeySample<TSentence>>& sentenceSamples() const { return sentences_; }
  const std::vector<KeySample<TArrow>>& arrowSamples() const { return arrows_; }
  const std::vector<KeySample<TDefeater>>& defeaterSamples() const { return defeaters_; }

  // The palette in use changed: the samples and the note follow it.
  void paletteChanged();

  QPushButton* CloseButton = nullptr;
  QCheckBox* StayOnTopCheckBox = nullptr;
  QLabel* PaletteLabel = nullptr;

 public slots:
  void CloseButtonClick();
  void StayOnTopCheckBoxClick();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void FormCreate();
  void createControls();
  void createSamples();
  QLabel* addLabel(const QString& text, int left, int top, bool bold = false);

  std::vector<KeySample<TSentence>> sentences_;
  std::vector<KeySample<TArrow>> arrows_;
  std::vector<KeySample<TDefeater>> defeaters_;
};

}  // namespace zorvex
