#include "elements/ui/ViewPictureCache.h"

#include <algorithm>

#include "elements/ui/ViewMapping.h"
#include "elements/ui/ViewRaster.h"
#include "elements/ui/ViewShapes.h"
#include "elements/ui/PaintOrder.h"
#include "model/SpatialIndex.h"

namespace zorvex {
namespace {

constexpr int64_t T = ViewPictureCache::TileSize;
// Beyond this many marked parts a tile keeps one part holding them all.
constexpr size_t MaxDirtyParts = 16;

int64_t floorDiv(int64_t a, int64_t b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

ViewRect unite(const ViewRect& a, const ViewRect& b) {
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

// Index cells the diagram units of a part cover: what redrawing it alone costs.
int64_t cellsOf(const Rect& units) {
  if (units.Left > units.Right || units.Top > units.Bottom) return 0;
  const int64_t c = SpatialIndex::CellSize;
  return ((int64_t{units.Right} - units.Left) / c + 1) * ((int64_t{units.Bottom} - units.Top) / c + 1);
}

QRect toQRect(const ViewRect& r) {
  return QRect(QPoint(static_cast<int>(r.left), static_cast<int>(r.top)),
               QPoint(static_cast<int>(r.right), static_cast<int>(r.bottom)));
}

}  // namespace

size_t ViewPictureCache::KeyHash::operator()(const Key& k) const {
  uint64_t h = static_cast<uint64_t>(k.step) * 0x9E3779B97F4A7C15ull;
  h ^= static_cast<uint64_t>(k.tx) * 0xC2B2AE3D27D4EB4Full;
  h ^= static_cast<uint64_t>(k.ty) * 0x165667B19E3779F9ull;
  return static_cast<size_t>(h ^ (h >> 29));
}

ViewPictureCache::ViewPictureCache(size_t maxBytes) : maxTiles_(std::max<size_t>(1, maxBytes / TileBytes)) {}

ViewPictureCache::TileRange ViewPictureCache::tilesOf(const ViewRect& zoomed) {
  return {floorDiv(zoomed.left, T), floorDiv(zoomed.top, T), floorDiv(zoomed.right, T), floorDiv(zoomed.bottom, T)};
}

ViewRect ViewPictureCache::pixelsOf(const Key& k) { return {k.tx * T, k.ty * T, k.tx * T + T - 1, k.ty * T + T - 1}; }

void ViewPictureCache::invalidateAll() {
  tiles_.clear();
  std::fill(std::begin(tilesAtStep_), std::end(tilesAtStep_), 0);
  sentencesSeen_ = 0;
  arrowsSeen_ = 0;
}

void ViewPictureCache::markDirty(Tile& t, const ViewRect& part) {
  if (part.empty()) return;
  if (t.dirty.size() < MaxDirtyParts) {
    t.dirty.push_back(part);
    return;
  }
  ViewRect all = part;
  for (const ViewRect& r : t.dirty) all = unite(all, r);
  t.dirty.assign(1, all);
}

void ViewPictureCache::invalidate(const Rect& diagramArea) {
  if (tiles_.empty()) return;
  for (int step = 0; step < ViewTransform::StepCount; ++step) {
    if (tilesAtStep_[step] == 0) continue;
    const ViewRect px = expanded(ViewMapping::zoomedAt(step).rect(diagramArea), FigureReach);
    const TileRange r = tilesOf(px);
    if (r.count() <= tilesAtStep_[step]) {
      for (int64_t ty = r.ty0; ty <= r.ty1; ++ty)
        for (int64_t tx = r.tx0; tx <= r.tx1; ++tx) {
          const Key k{step, tx, ty};
          const auto it = tiles_.find(k);
          if (it != tiles_.end()) markDirty(it->second, intersect(px, pixelsOf(k)));
        }
    } else {
      for (auto& [k, t] : tiles_)
        if (k.step == step) markDirty(t, intersect(px, pixelsOf(k)));
    }
  }
}

void ViewPictureCache::follow(const Diagram& d) {
  // Elements are never taken out of a diagram: fewer means another one.
  // Another palette repaints every figure.
  if (&d != diagram_ || d.SentenceCount() < sentencesSeen_ || d.ArrowCount() < arrowsSeen_ ||
      paletteInUse() != palette_) {
    invalidateAll();
    diagram_ = &d;
    palette_ = paletteInUse();
  }
  sentencesSeen_ = d.SentenceCount();
  arrowsSeen_ = d.ArrowCount();
}

void ViewPictureCache::makeRoom(size_t wanted) {
  while (!tiles_.empty() && tiles_.size() + wanted > maxTiles_) {
    auto oldest = tiles_.end();
    for (auto it = tiles_.begin(); it != tiles_.end(); ++it)
      if (it->second.lastUse < clock_ && (oldest == tiles_.end() || it->second.lastUse < oldest->second.lastUse))
        oldest = it;
    if (oldest == tiles_.end()) return;
    --tilesAtStep_[oldest->first.step];
    tiles_.erase(oldest);
  }
}

// One pass over the box around every missing tile: a walk of the element
// lists costs the same for one tile or forty.
void ViewPictureCache::drawMissing(const Diagram& d, int step, const TileRange& range) {
  std::vector<Key> missing;
  ViewRect box{INT64_MAX, INT64_MAX, INT64_MIN, INT64_MIN};
  for (int64_t ty = range.ty0; ty <= range.ty1; ++ty)
    for (int64_t tx = range.tx0; tx <= range.tx1; ++tx) {
      const Key k{step, tx, ty};
      if (tiles_.count(k)) continue;
      missing.push_back(k);
      box = unite(box, pixelsOf(k));
    }
  if (missing.empty()) return;
  makeRoom(missing.size());
  QImage picture(static_cast<int>(box.right - box.left + 1), static_cast<int>(box.bottom - box.top + 1),
                 QImage::Format_ARGB32_Premultiplied);
  picture.fill(Qt::transparent);
  renderZoomedPixels(d, step, picture, {box.left, box.top}, box);
  for (const Key& k : missing) {
    Tile t;
    t.image = picture.copy(static_cast<int>(k.tx * T - box.left), static_cast<int>(k.ty * T - box.top), T, T);
    t.lastUse = clock_;
    tiles_.emplace(k, std::move(t));
    ++tilesAtStep_[step];
  }
}

void ViewPictureCache::redrawDirty(const Diagram& d, const Key& k, Tile& t) {
  const ViewPoint origin{k.tx * T, k.ty * T};
  for (const ViewRect& part : t.dirty) {
    clearZoomedPixels(t.image, origin, part);
    renderZoomedPixels(d, k.step, t.image, origin, part);
  }
  t.dirty.clear();
}

// The kept tiles of the range, marked as in use now; those with marked parts
// are returned. Parts that would cost more to redraw one by one than one
// walk of the element lists are dropped with their tiles and drawn as missing.
std::vector<ViewPictureCache::Key> ViewPictureCache::keepRange(const Diagram& d, int step, const TileRange& range) {
  const ViewMapping m = ViewMapping::zoomedAt(step);
  int64_t dirtyCells = 0;
  std::vector<Key> dirty;
  for (int64_t ty = range.ty0; ty <= range.ty1; ++ty)
    for (int64_t tx = range.tx0; tx <= range.tx1; ++tx) {
      const auto it = tiles_.find({step, tx, ty});
      if (it == tiles_.end()) continue;
      it->second.lastUse = clock_;
      if (it->second.dirty.empty()) continue;
      dirty.push_back(it->first);
      for (const ViewRect& part : it->second.dirty) dirtyCells += cellsOf(m.unitsOf(part));
    }
  if (!dirty.empty() && preferWalk(d, dirtyCells)) {
    for (const Key& k : dirty) tiles_.erase(k), --tilesAtStep_[step];
    dirty.clear();
  }
  return dirty;
}

void ViewPictureCache::paint(QPainter& p, const Diagram& d, const QRect& area, const ViewTransform& view) {
  if (area.isEmpty()) return;
  follow(d);
  const int step = view.step();
  const ViewRect zoomed = translated({area.left(), area.top(), area.right(), area.bottom()}, view.offsetX(), view.offsetY());
  const TileRange range = tilesOf(zoomed);
  if (range.count() > static_cast<int64_t>(maxTiles_)) return paintZoomedPixels(p, d, area, view);
  ++clock_;
  const std::vector<Key> dirty = keepRange(d, step, range);
  drawMissing(d, step, range);
  for (const Key& k : dirty) redrawDirty(d, k, tiles_.at(k));
  p.setCompositionMode(QPainter::CompositionMode_SourceOver);
  for (int64_t ty = range.ty0; ty <= range.ty1; ++ty)
    for (int64_t tx = range.tx0; tx <= range.tx1; ++tx) {
      const Key k{step, tx, ty};
      const ViewRect part = intersect(pixelsOf(k), zoomed);
      const QRect target = toQRect(translated(part, -view.offsetX(), -view.offsetY()));
      p.drawImage(target, tiles_.at(k).image, toQRect(translated(part, -k.tx * T, -k.ty * T)));
    }
}

}  // namespace zorvex
