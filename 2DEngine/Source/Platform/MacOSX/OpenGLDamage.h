#ifndef CORVANE_PLATFORM_MACOSX_OPENGLDAMAGE_H
#define CORVANE_PLATFORM_MACOSX_OPENGLDAMAGE_H

// The parts of the window a kept frame repaints. Each changed batch gives the
// rectangles it can touch (a large turned picture gives horizontal bands that
// follow the outline of its ink, not one box round it); their union is cut
// into disjoint rectangles, which are then merged where a larger part costs
// less than one more part. A part costs its pixels and, every time, a draw of
// each batch that meets it.

#include <cstddef>
#include <functional>
#include <vector>

#include "Core/Source/Rect.h"
#include "2DEngine/Source/Platform/MacOSX/OpenGLTextureInk.h"

namespace Corvane
{

// What a part costs, in square frame units of repainting.
struct sRepaintCosts
{
    // Frame units every change is grown by: how far filtering and the rasteriser's rules reach past it.
    float margin = 0.0f;
    // One more part, besides its draws (setting it up and showing it).
    float part = 0.0f;
    // Each batch drawn in a part.
    float draw = 0.0f;
    std::size_t maxParts = 4;
};

// Adds the rectangles that cover what a textured quad with that ink can
// change and the margin round it, in bands on rows that are multiples of
// bandHeight frame units, within its bounds grown by the margin; false
// (nothing added) when its corners and texture coordinates are not a
// parallelogram along the texture's sides. The quad as InkBoundsOfQuad takes it.
bool AddInkBandsOfQuad(sTextureInk const& ink, float const xy[8], float const uv[8], Rect<float> const& bounds,
                       float margin, float bandHeight, std::vector<Rect<float>>* bands);

// The union of the rectangles as disjoint ones, in horizontal bands from the top.
std::vector<Rect<float>> DisjointUnion(std::vector<Rect<float>> const& rects);

// Merges disjoint rectangles into the parts to repaint: each time the pair
// whose bounding box costs least more than the two apart, while that saves
// cost or more than maxParts remain (a box takes in whatever it overlaps).
// drawsIn counts the batches a rectangle meets.
void MergeRects(std::vector<Rect<float>>* rects, sRepaintCosts const& costs,
                std::function<int(Rect<float> const&)> const& drawsIn);

} // namespace Corvane

#endif
