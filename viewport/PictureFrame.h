#pragma once
// The part of the diagram an exported picture shows, and the zoom step it is
// drawn at when at full size it would be too large for a PNG file.
#include <cstdint>
#include <optional>
#include <string>

#include "model/Diagram.h"
#include "viewport/ViewTransform.h"

namespace zorvex {

// Room round what is drawn left of or above the origin, as the view leaves it.
constexpr int32_t PictureFrameMargin = 10;
// The most pixels a side a PNG picture is given: large pictures stay readable
// for the usual viewers.
constexpr int64_t MaxPictureSide = 32767;

// Window client coordinates (inclusive) from the origin to the far corner of
// what is drawn, at least 640 x 480 as the window first shows it; widened
// left and up, with a margin, to take in what lies at negative coordinates.
Rect pictureFrame(const Diagram& d);

struct PictureSize {
  int64_t width = 0;
  int64_t height = 0;
};

// The frame's pixels at a zoom step, and their size.
ViewRect picturePixels(const Rect& frame, int step);
PictureSize pictureSize(const Rect& frame, int step);

// The largest step, full size or smaller, at which the frame takes at most
// maxSide pixels a side; nothing when not even the smallest step does.
std::optional<int> largestPictureStep(const Rect& frame, int64_t maxSide = MaxPictureSide);

// What to tell of a picture drawn at a smaller step than full size:
// "Picture drawn at 50 %: at 100 % it would be 40645 x 19700 pixels".
std::string scaledDownNote(int step, const PictureSize& fullSize);

}  // namespace zorvex
