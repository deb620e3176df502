#pragma once
// Pictures of zoomed-out views kept between repaints, so scrolling, zooming
// back and repainting after a small edit draw only what they have not drawn
// before. The picture is cut into tiles of 256 x 256 zoomed pixels of one
// zoom step each. The rules that keep it from ever showing an old state:
//  - invalidate(area): the tiles of every step that the figures of elements
//    in that diagram area reach are marked there, and exactly that part is
//    drawn again when the tile is next shown. Pass an element's drawn extent
//    before and after it changes (its status, selection, place or size).
//  - invalidateAll(): after a round, a reset, a reload, or any change not
//    named by area; every tile is dropped.
//  - Another diagram, or one with fewer elements than before, or another
//    palette in use, drops every tile by itself.
// Tiles take at most the given memory; the least recently shown go first,
// and a surface larger than that is drawn afresh on every repaint.
#include <QImage>
#include <QPainter>
#include <QRect>
#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "elements/StatusPalette.h"
#include "model/Diagram.h"
#include "viewport/ViewTransform.h"

namespace zorvex {

class ViewPictureCache {
 public:
  static constexpr int TileSize = 256;
  static constexpr size_t TileBytes = size_t{TileSize} * TileSize * 4;
  static constexpr size_t DefaultBytes = size_t{48} << 20;

  explicit ViewPictureCache(size_t maxBytes = DefaultBytes);
  ViewPictureCache(const ViewPictureCache&) = delete;
  ViewPictureCache& operator=(const ViewPictureCache&) = delete;

  void invalidate(const Rect& diagramArea);
  void invalidateAll();

  // Paints the surface pixels `area` of a zoomed-out view without text over
  // what the painter has there, from the tiles, drawing what they lack.
  void paint(QPainter& p, const Diagram& d, const QRect& area, const ViewTransform& view);

  size_t tileCount() const { return tiles_.size(); }
  size_t bytes() const { return tiles_.size() * TileBytes; }

 private:
  struct Key {
    int step = 0;
    int64_t tx = 0;
    int64_t ty = 0;
    friend bool operator==(const Key&, const Key&) = default;
  };
  struct KeyHash {
    size_t operator()(const Key& k) const;
  };
  struct Tile {
    QImage image;
    std::vector<ViewRect> dirty;  // zoomed pixels, inside the tile
    uint64_t lastUse = 0;
  };
  struct TileRange {
    int64_t tx0, ty0, tx1, ty1;
    int64_t count() const { return (tx1 - tx0 + 1) * (ty1 - ty0 + 1); }
  };

  static TileRange tilesOf(const ViewRect& zoomed);
  static ViewRect pixelsOf(const Key& k);
  void follow(const Diagram& d);
  void makeRoom(size_t wanted);
  std::vector<Key> keepRange(const Diagram& d, int step, const TileRange& range);
  void drawMissing(const Diagram& d, int step, const TileRange& range);
  void redrawDirty(const Diagram& d, const Key& k, Tile& t);
  void markDirty(Tile& t, const ViewRect& part);

  size_t maxTiles_;
  std::unordered_map<Key, Tile, KeyHash> tiles_;
  int tilesAtStep_[ViewTransform::StepCount] = {};
  uint64_t clock_ = 0;
  const Diagram* diagram_ = nullptr;
  int32_t sentencesSeen_ = 0;
  int32_t arrowsSeen_ = 0;
  Palette palette_ = Palette::Standard;
};

}  // namespace zorvex
