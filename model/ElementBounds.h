#pragma once
// The sizes and bounds an element's own fields give it. They live here,
// below every other layer, because loading needs them as much as editing.
//
// A sentence box has two size rules, and both are in use:
//  - a sentence the user adds (or a short form that gives no size) is
//    measured from its text, and its Right and Bottom lie just past the box:
//    Width = text width + 7, Right = Left + Width;
//  - a sentence loaded from a table takes Right and Bottom as stored and
//    counts them inside the box: Width = Right - Left + 1.
// So a sentence added, saved and loaded again is one unit wider and higher
// than it was; its Right and Bottom, and with them every arrow, stay put.
#include <cstdint>

#include "model/Elements.h"
#include "model/Types.h"

namespace zorvex {

// Width and Height of a new sentence box from its measured text: 3 units
// left of and above the text, 4 right of and below it.
TextSize addedSentenceSize(TextSize text);

// A sentence box as the user adds it, from its Left and Top and its measured
// text: sets Width, Height, Right and Bottom.
void sizeSentenceToText(TSentence& s, int32_t textWidth, int32_t textHeight);

// A sentence box as loaded, from its stored Left, Top, Right and Bottom:
// sets Width and Height.
void sizeLoadedSentence(TSentence& s);

// Left, Top, Width, Height of an arrow: the box spanned by its two end points.
void setArrowBounds(TArrow& a);

// Width and Height spanning both rectangles of a defeater; Left and Top stay
// as they are.
void setDefeaterExtent(TDefeater& d);

}  // namespace zorvex
