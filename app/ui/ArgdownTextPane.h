#pragma once
// "Argdown &Text": the diagram as Argdown text in a pane docked beside the
// surface. The text follows the diagram after every change unless the user
// is typing in it; after a pause in typing, or at once with Ctrl+Enter, the
// diagram takes the text's meaning as one undo step, and the lines that
// could not be read are underlined.
#include <QDockWidget>
#include <QTimer>
#include <functional>
#include <string>

#include "argdown/TextMeaningEdit.h"

class QAction;
class QPlainTextEdit;

namespace zorvex {

struct TextPaneLinks {
  std::function<std::string()> written;  // the diagram's text now
  // Takes the text into the diagram, records the step and tells the status bar.
  std::function<TextMeaningChange(const std::string&)> take;
};

class TArgdownTextPane : public QDockWidget {
  Q_OBJECT
 public:
  static constexpr int PauseMs = 1000;

  // `item` is the View menu's check item: closing the pane clears it.
  TArgdownTextPane(QWidget& window, QAction& item, TextPaneLinks links);

  // The diagram may have changed: written anew when shown and not being typed in.
  void diagramChanged();
  // The keyboard is the text's: the window's own keys leave it alone.
  bool holdsFocus() const;
  // What was typed, taken now (Ctrl+Enter, and the pause's end).
  void takeTextNow();
  QPlainTextEdit& text() { return *text_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void typed();
  void writeAnew();
  void markUnreadable(const std::vector<int>& lines);

  QAction& item_;
  TextPaneLinks links_;
  QPlainTextEdit* text_;
  QTimer pause_;
  bool untaken_ = false;  // typed since the text was last taken or written
  bool taking_ = false;
};

}  // namespace zorvex
