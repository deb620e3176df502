#pragma once
// The quickest way to open a diagram file: one laid out exactly as the
// program writes it (one row a line, every column in its order, one space
// after each colon and comma) is read a line at a time, each key compared
// with the one expected there instead of being looked up. Anything laid out
// differently, or anything the plain reader would decline, is declined here
// too, and the caller tries the slower readers, so every message and every
// loaded diagram is what they give. Given a geometry, an arrow may also be
// given by its sentences' numbers ({"From": 3, "To": 4}, as generated files
// give it), completed as the general reader completes it.
#include <string_view>

#include "model/Diagram.h"

namespace zorvex {

class FilePieces;
struct Geometry;

// Loads the file, statuses included, into an empty diagram; false when it is
// declined (the diagram then holds some of its elements and must be emptied).
bool loadWrittenJson(Diagram& into, FilePieces& file, const Geometry* arrowsByNumbers = nullptr);
// The same from text in memory, handed over `piece` bytes at a time. A
// large file is read on a second thread while its elements are made; here
// the caller chooses.
bool loadWrittenJson(Diagram& into, std::string_view text, size_t piece, bool twoThreads,
                     const Geometry* arrowsByNumbers = nullptr);

}  // namespace zorvex
