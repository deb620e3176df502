#pragma once
// The diagram on a printer (paper, a PDF file, the print preview): as the
// surface draws it at 100 %, over as many pages as it needs or shrunk to
// fit one, each page with the diagram's name and its number in a footer.
#include <QString>

class QPrinter;

namespace zorvex {

class Diagram;

// A pixel of the surface at 100 % is this part of an inch on paper, as on
// the usual screen.
inline constexpr double SurfacePixelsPerInch = 96.0;

// Prints and returns the number of pages. Throws ZorvexError when the page
// leaves no room, when it would take too many pages, or when the printer
// cannot start.
int printDiagram(QPrinter& printer, const Diagram& d, const QString& name, bool fitToOnePage);

}  // namespace zorvex
