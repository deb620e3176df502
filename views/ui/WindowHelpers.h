#pragma once
// Small window chores shared by the help and About windows.
#include <QFont>

class QWidget;

namespace zorvex {

// "Courier New" at 11 pixels, or the system's fixed-pitch font at 11 pixels
// where Courier New is not installed.
QFont fixedMemoFont();

// Places a top-level window's frame in the middle of its screen.
void centreOnScreen(QWidget& window);

// Makes a modeless window visible and brings it forward; showing a visible
// one only brings it forward.
void showAndBringToFront(QWidget& window);

}  // namespace zorvex
