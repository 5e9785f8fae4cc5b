#include "2DEngine/Source/Platform/MacOSX/OpenGLDamage.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace Corvane
{

namespace
{

// Frame units of margin: a pixel is drawn when its centre is covered.
constexpr float kPixelReach = 1.0f;

typedef std::pair<float, float> Span;

float Area(Rect<float> const& r)
{
    return r.width * r.height;
}

// Whether the rectangles share pixels (touching edges do not).
bool Overlap(Rect<float> const& a, Rect<float> const& b)
{
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

// The ellipse centre + a cos t + b sin t, for its chords along rows.
class Ellipse
{
public:
    Ellipse(float cx, float cy, float ax, float ay, float bx, float by)
        : mCx(cx), mCy(cy), mHalfWidth(std::hypot(ax, bx)), mHalfHeight(std::hypot(ay, by))
    {
        float const cross = ax * ay + bx * by;
        float const heightSquared = mHalfHeight * mHalfHeight;
        mValid = mHalfWidth > 0.0f && mHalfHeight > 0.0f;
        if (!mValid)
            return;
        mSlope = cross / heightSquared;
        mSpread = std::fabs(ax * by - bx * ay) / heightSquared;
        mRightmostDy = cross / mHalfWidth;
    }

    bool IsValid() const { return mValid; }

    // The x extent of the ellipse over the rows y0 to y1; false when it has none there.
    bool Extent(float y0, float y1, float* left, float* right) const
    {
        float const d0 = std::max(y0 - mCy, -mHalfHeight);
        float const d1 = std::min(y1 - mCy, mHalfHeight);
        if (!mValid || d0 > d1)
            return false;
        *left = -mRightmostDy >= d0 && -mRightmostDy <= d1 ? mCx - mHalfWidth : std::min(Left(d0), Left(d1));
        *right = mRightmostDy >= d0 && mRightmostDy <= d1 ? mCx + mHalfWidth : std::max(Right(d0), Right(d1));
        return true;
    }

private:
    float HalfChord(float dy) const
    {
        return mSpread * std::sqrt(std::max(0.0f, mHalfHeight * mHalfHeight - dy * dy));
    }
    float Left(float dy) const { return mCx + mSlope * dy - HalfChord(dy); }
    float Right(float dy) const { return mCx + mSlope * dy + HalfChord(dy); }

    float mCx, mCy;
    float mHalfWidth, mHalfHeight;
    float mSlope = 0.0f;
    float mSpread = 0.0f;
    float mRightmostDy = 0.0f;
    bool mValid = false;
};

// The x extent over the rows y0 to y1 of the convex polygon; false when it has none there.
bool PolygonExtent(float const (&corner)[4][2], float y0, float y1, float* left, float* right)
{
    *left = std::numeric_limits<float>::max();
    *right = std::numeric_limits<float>::lowest();
    for (int i = 0; i < 4; ++i)
    {
        float const* a = corner[i];
        float const* b = corner[(i + 1) % 4];
        if (a[1] > b[1])
            std::swap(a, b);
        float const low = std::max(a[1], y0);
        float const high = std::min(b[1], y1);
        if (low > high)
            continue;
        float const rise = b[1] - a[1];
        // A level edge lies wholly within the rows.
        float const x0 = rise > 0.0f ? a[0] + (b[0] - a[0]) * (low - a[1]) / rise : a[0];
        float const x1 = rise > 0.0f ? a[0] + (b[0] - a[0]) * (high - a[1]) / rise : b[0];
        *left = std::min({*left, x0, x1});
        *right = std::max({*right, x0, x1});
    }
    return *left <= *right;
}

} // namespace

bool AddInkBandsOfQuad(sTextureInk const& ink, float const xy[8], float const uv[8], Rect<float> const& bounds,
                       float margin, float bandHeight, std::vector<Rect<float>>* bands)
{
    sQuadMapping map;
    if (bandHeight <= 0.0f || !MapQuad(xy, uv, &map))
        return false;
    float const box[4][2] = {{map.X(ink.left, ink.top), map.Y(ink.left, ink.top)},
                             {map.X(ink.right, ink.top), map.Y(ink.right, ink.top)},
                             {map.X(ink.right, ink.bottom), map.Y(ink.right, ink.bottom)},
                             {map.X(ink.left, ink.bottom), map.Y(ink.left, ink.bottom)}};
    float const cx = map.X(ink.centreU, ink.centreV);
    float const cy = map.Y(ink.centreU, ink.centreV);
    Ellipse const outer(cx, cy, ink.radiusU * map.ux, ink.radiusU * map.uy, ink.radiusV * map.vx, ink.radiusV * map.vy);
    if (!outer.IsValid())
        return false;
    float const reach = kPixelReach + margin;
    float const top = bounds.y - margin;
    float const bottom = bounds.y + bounds.height + margin;
    float const leftmost = bounds.x - margin;
    float const rightmost = bounds.x + bounds.width + margin;
    // Bands on rows fixed in the frame, so that the same picture a little moved or turned cuts the same bands.
    for (float row = std::floor(top / bandHeight) * bandHeight; row < bottom; row += bandHeight)
    {
        float const y0 = std::max(row, top);
        float const y1 = std::min(row + bandHeight, bottom);
        float boxLeft = 0.0f;
        float boxRight = 0.0f;
        float left = 0.0f;
        float right = 0.0f;
        if (!PolygonExtent(box, y0 - reach, y1 + reach, &boxLeft, &boxRight) ||
            !outer.Extent(y0 - reach, y1 + reach, &left, &right))
            continue;
        left = std::max(std::max(left, boxLeft) - reach, leftmost);
        right = std::min(std::min(right, boxRight) + reach, rightmost);
        if (left < right)
            bands->push_back(Rect<float>(left, y0, right - left, y1 - y0));
    }
    return true;
}

std::vector<Rect<float>> DisjointUnion(std::vector<Rect<float>> const& rects)
{
    std::vector<float> edges;
    for (Rect<float> const& r : rects)
        if (r.width > 0.0f && r.height > 0.0f)
        {
            edges.push_back(r.y);
            edges.push_back(r.y + r.height);
        }
    std::sort(edges.begin(), edges.end());
    edges.erase(std::unique(edges.begin(), edges.end()), edges.end());

    std::vector<Rect<float>> out;
    // The spans of the row band above and where their rectangles are in `out`.
    std::vector<Span> above;
    std::size_t aboveFirst = 0;
    for (std::size_t k = 0; k + 1 < edges.size(); ++k)
    {
        float const top = edges[k];
        float const bottom = edges[k + 1];
        std::vector<Span> spans;
        for (Rect<float> const& r : rects)
            if (r.width > 0.0f && r.y <= top && r.y + r.height >= bottom)
                spans.push_back(Span(r.x, r.x + r.width));
        std::sort(spans.begin(), spans.end());
        std::vector<Span> merged;
        for (Span const& span : spans)
        {
            if (!merged.empty() && span.first <= merged.back().second)
                merged.back().second = std::max(merged.back().second, span.second);
            else
                merged.push_back(span);
        }
        // A band like the one above it lengthens its rectangles.
        if (!merged.empty() && merged == above && out.size() == aboveFirst + above.size() &&
            out[aboveFirst].y + out[aboveFirst].height == top)
        {
            for (std::size_t i = 0; i < merged.size(); ++i)
                out[aboveFirst + i].height = bottom - out[aboveFirst + i].y;
            continue;
        }
        aboveFirst = out.size();
        above = merged;
        for (Span const& span : merged)
            out.push_back(Rect<float>(span.first, top, span.second - span.first, bottom - top));
    }
    return out;
}

void MergeRects(std::vector<Rect<float>>* rects, sRepaintCosts const& costs,
                std::function<int(Rect<float> const&)> const& drawsIn)
{
    std::vector<Rect<float>>& list = *rects;
    std::size_t const most = std::max<std::size_t>(costs.maxParts, 1);
    std::size_t const count = list.size();
    std::vector<bool> alive(count, true);
    std::vector<int> draws(count, 0);
    std::size_t left = count;
    // Each rectangle's cheapest merge with another, kept up to date.
    std::vector<std::size_t> partner(count, 0);
    std::vector<float> partnerCost(count, 0.0f);
    auto const cost = [&](std::size_t i, std::size_t j) {
        // The box draws at least what the busier of the two drew; the other's part and draws are spared.
        float const waste = Area(list[i].getUnion(list[j])) - Area(list[i]) - Area(list[j]);
        return waste - costs.part - costs.draw * float(std::min(draws[i], draws[j]));
    };
    auto const findPartner = [&](std::size_t i) {
        partnerCost[i] = std::numeric_limits<float>::max();
        partner[i] = i;
        for (std::size_t j = 0; j < count; ++j)
            if (j != i && alive[j])
            {
                float const c = cost(i, j);
                if (c < partnerCost[i])
                {
                    partnerCost[i] = c;
                    partner[i] = j;
                }
            }
    };
    // Grows rectangle i over every rectangle it overlaps; the others then look for partners again.
    auto const settle = [&](std::size_t i) {
        for (bool grew = true; grew;)
        {
            grew = false;
            for (std::size_t k = 0; k < count; ++k)
                if (k != i && alive[k] && Overlap(list[k], list[i]))
                {
                    list[i] = list[i].getUnion(list[k]);
                    alive[k] = false;
                    --left;
                    grew = true;
                }
        }
        draws[i] = drawsIn(list[i]);
        findPartner(i);
        for (std::size_t k = 0; k < count; ++k)
        {
            if (k == i || !alive[k])
                continue;
            if (!alive[partner[k]] || partner[k] == i)
                findPartner(k);
            else if (cost(k, i) < partnerCost[k])
            {
                partnerCost[k] = cost(k, i);
                partner[k] = i;
            }
        }
    };
    for (std::size_t i = 0; i < count; ++i)
        draws[i] = drawsIn(list[i]);
    for (std::size_t i = 0; i < count; ++i)
        if (alive[i])
            settle(i);
    while (left > 1)
    {
        std::size_t best = count;
        for (std::size_t i = 0; i < count; ++i)
            if (alive[i] && (best == count || partnerCost[i] < partnerCost[best]))
                best = i;
        if (partnerCost[best] >= 0.0f && left <= most)
            break;
        std::size_t const other = partner[best];
        list[best] = list[best].getUnion(list[other]);
        alive[other] = false;
        --left;
        settle(best);
    }
    std::vector<Rect<float>> parts;
    for (std::size_t i = 0; i < count; ++i)
        if (alive[i])
            parts.push_back(list[i]);
    list.swap(parts);
}

} // namespace Corvane
