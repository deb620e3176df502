#pragma once
// The pictures of the four tool buttons, drawn in code: each picture comes in
// four states (up, disabled, down, held down) packed into one QIcon.
#include <QIcon>

namespace zorvex {

enum class ToolPicture { AddSentence, AddArrow, AddDefeater, MakeSelection };

// Up: Normal/Off. Down (stays down): Normal/On. Held down while pressed:
// Active and Selected. Disabled: Disabled in both states.
QIcon toolButtonIcon(ToolPicture picture);

}  // namespace zorvex
