#pragma once
// The main window's two-panel status bar: panel 0 (75 pixels) shows the pointer
// position, panel 1 the mode texts and short messages. Panel 1 runs to the right
// edge so that its longer hints stay readable.
#include <QString>
#include <QWidget>

namespace zorvex {

class TArgumentFormStatusBar : public QWidget {
  Q_OBJECT
 public:
  static constexpr int BarHeight = 18;
  static constexpr int Panel0Width = 75;
  static constexpr int Panel1Width = 50;

  explicit TArgumentFormStatusBar(QWidget* parent);

  QString panelText(int panel) const;
  void setPanelText(int panel, const QString& text);
  // The panel's rectangle in bar coordinates (its sunken frame included).
  QRect panelRect(int panel) const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString texts_[2];
};

}  // namespace zorvex
