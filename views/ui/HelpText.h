#pragma once
// Reading "help.txt": one line per file line, UTF-8 or, failing that, Latin-1.
#include <QString>
#include <QStringList>
#include <optional>

namespace zorvex {

// The lines of the file, or nothing when it cannot be opened or read or is
// not a regular file (a folder, FIFO, socket or device under that name).
std::optional<QStringList> readTextLines(const QString& path);

// Splits text at CR LF, LF or CR; a final line break ends the last line
// rather than starting an empty one.
QStringList splitTextLines(const QString& text);

}  // namespace zorvex
