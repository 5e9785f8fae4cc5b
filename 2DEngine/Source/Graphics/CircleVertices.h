#ifndef CORVANE_GRAPHICS_CIRCLEVERTICES_H
#define CORVANE_GRAPHICS_CIRCLEVERTICES_H

// Quarter-circle vertex lists cached by radius, shared by the circle and
// ellipse drawing of the software and the screen canvases.

#include <vector>

#include "Core/Source/Vector2.h"

namespace Corvane
{
namespace Internal
{

// Radii above this (or not finite, or not positive) get the empty list: no
// canvas is that large, and the cache must not grow without bound.
constexpr float kMaxCachedCircleRadius = 16384.0f;

// A table of vertex lists indexed by twice the radius (half-pixel steps); each
// list is built on first request. The vertices run from angle 0 (x = r, y = 0)
// to a quarter turn (x = 0, y = r); points equal to (0, 0) are left out and
// repeated points are kept.
template <class T>
class CircleVerticesCache
{
public:
    typedef std::vector<Vector2<T>> VertexList;

    CircleVerticesCache() {}
    CircleVerticesCache(CircleVerticesCache const&) = delete;
    CircleVerticesCache& operator=(CircleVerticesCache const&) = delete;

    // The list for the radius rounded to the nearest half pixel.
    VertexList const& GetCachedVertices(float radius) const;

    // The number of table entries (for tests of the bound).
    size_t GetTableSize() const { return mTable.size(); }

private:
    mutable std::vector<VertexList> mTable;
    VertexList const mEmpty;
};

// Vertices truncated toward zero.
typedef CircleVerticesCache<int> CircleVerticesCacheI;
// Vertices unrounded.
typedef CircleVerticesCache<float> CircleVerticesCacheF;

// The process-wide caches; main thread only.
CircleVerticesCacheI const& GetCircleVerticesCacheI();
CircleVerticesCacheF const& GetCircleVerticesCacheF();

extern template class CircleVerticesCache<int>;
extern template class CircleVerticesCache<float>;

} // namespace Internal
} // namespace Corvane

#endif
