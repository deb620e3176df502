#pragma once
// The pictures `render` writes are encoded in memory first, so that the file
// is replaced whole or not at all: a full disk leaves no cut-off picture.
#include <QByteArray>
#include <QImage>
#include <QString>
#include <string>

#include "model/Diagram.h"

namespace zorvex::tools {

// The diagram at 1:1 as saveDiagramPicture draws it: PNG, or SVG or PDF when
// the name ends in ".svg" or ".pdf".
QByteArray diagramPicture(const Diagram& d, const QString& fileName);
QByteArray pngBytes(const QImage& image);

// Throws ZorvexError("Cannot create file <path>: <reason>").
void writePictureFile(const std::string& path, const QByteArray& bytes);

}  // namespace zorvex::tools
