#pragma once
// Every message box of the window layer goes through MessageBoxes, so that
// tests can read and answer them without a modal loop.
#include <deque>
#include <string>
#include <vector>

#include "model/ZorvexError.h"

class QWidget;

namespace zorvex {

enum class BoxKind { Error, Confirm, Warning, Information };

// The button of a question that Enter presses.
enum class DefaultAnswer { Yes, No };

// One box as it is put to the user: text already complete (an error's full
// stop added), line breaks still CR LF as the core writes them.
struct BoxRequest {
  BoxKind kind;
  std::string caption;
  std::string text;
  DefaultAnswer enter = DefaultAnswer::Yes;
};

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;

  // "Zorvex!" error box with one OK button; shows message + ".".
  void error(const std::string& message);
  void error(const ZorvexError& failure);
  // "Confirm" box with "&Yes" and "&No"; true for Yes. A question whose Yes
  // replaces or deletes what the window does not show (a file, a table's
  // record) has No as its default, so that Enter keeps it.
  bool confirm(const std::string& text, DefaultAnswer enter = DefaultAnswer::Yes);
  // "Warning" box with one OK button.
  void warning(const std::string& text);
  // "Information" box with one OK button.
  void information(const std::string& text);

 protected:
  // Shows the box modally; the answer matters only for Confirm (true = Yes).
  virtual bool present(const BoxRequest& request) = 0;
};

// The real boxes, with QMessageBox, centred on their owner, each wide enough
// for its caption and the title bar's buttons.
class QtMessageBoxes : public MessageBoxes {
 protected:
  bool present(const BoxRequest& request) override;
};

// Records every box and answers questions from a queue; when the queue is
// empty, questions get defaultAnswer and are counted in unanswered.
class ScriptedMessageBoxes : public MessageBoxes {
 public:
  std::vector<BoxRequest> shown;
  std::deque<bool> answers;
  bool defaultAnswer = false;
  int unanswered = 0;

  std::vector<std::string> texts() const;
  std::vector<std::string> textsOf(BoxKind kind) const;

 protected:
  bool present(const BoxRequest& request) override;
};

// The boxes the window layer uses unless told otherwise: QtMessageBoxes until
// setMessageBoxes installs another one.
MessageBoxes& messageBoxes();
// Installs boxes (not owned) as the process-wide ones; nullptr restores the
// real boxes. Returns the previous installation (nullptr for the real ones).
MessageBoxes* setMessageBoxes(MessageBoxes* boxes);

// The window every real box belongs to and is centred on (the main window),
// once it shows; before that, as at start-up, the active window if any.
// Not owned; a window that is destroyed is forgotten.
void setMessageBoxOwner(QWidget* window);

// Installs scripted boxes for the lifetime of a scope.
class ScopedMessageBoxes {
 public:
  explicit ScopedMessageBoxes(MessageBoxes& boxes) : previous_(setMessageBoxes(&boxes)) {}
  ~ScopedMessageBoxes() { setMessageBoxes(previous_); }
  ScopedMessageBoxes(const ScopedMessageBoxes&) = delete;
  ScopedMessageBoxes& operator=(const ScopedMessageBoxes&) = delete;

 private:
  MessageBoxes* previous_;
};

}  // namespace zorvex
