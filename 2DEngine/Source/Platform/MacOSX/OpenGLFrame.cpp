#include "2DEngine/Source/Platform/MacOSX/OpenGLFrame.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#include <SDL2/SDL_opengl.h>

namespace Corvane
{

namespace
{

Rect<float> Union(Rect<float> const& a, Rect<float> const& b)
{
    float const left = std::min(a.x, b.x);
    float const top = std::min(a.y, b.y);
    float const right = std::max(a.x + a.width, b.x + b.width);
    float const bottom = std::max(a.y + a.height, b.y + b.height);
    return Rect<float>(left, top, right - left, bottom - top);
}

bool Meet(Rect<float> const& a, Rect<float> const& b)
{
    return a.x <= b.x + b.width && b.x <= a.x + a.width && a.y <= b.y + b.height && b.y <= a.y + a.height;
}

// Batches edited in or out beyond which pairing stops looking for the fewest
// edits and pairs the batches at the same places.
constexpr int kMostEdits = 128;
// A changed textured quad taller than this (frame units) changes bands along its ink.
constexpr float kBandedHeight = 48.0f;
constexpr float kBandHeight = 16.0f;

} // namespace

void OpenGLFrame::Clear()
{
    mBatches.clear();
    mVertices.clear();
    mCurrent = sVertex{1.0f, 1.0f, 1.0f, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f};
    mOpen = false;
}

void OpenGLFrame::Begin(unsigned int mode, unsigned int texture, uint64_t textureVersion, sTextureInk const* ink)
{
    mHasInk = ink && texture != 0 && mode == GL_TRIANGLE_STRIP;
    if (mHasInk)
        mInk = *ink;
    sBatch batch;
    batch.mode = mode;
    batch.texture = texture;
    batch.textureVersion = texture != 0 ? textureVersion : 0;
    batch.first = uint32_t(mVertices.size());
    batch.count = 0;
    batch.bounds = Rect<float>();
    batch.inked = mHasInk;
    batch.ink = mHasInk ? *ink : sTextureInk();
    batch.texelForUnit = false;
    batch.opaque = false;
    batch.white = false;
    batch.cover = Rect<float>();
    mBatches.push_back(batch);
    mOpen = true;
    mFullAlpha = true;
    mWhite = true;
}

void OpenGLFrame::Color(float r, float g, float b, float a)
{
    mCurrent.r = r;
    mCurrent.g = g;
    mCurrent.b = b;
    mCurrent.a = a;
}

void OpenGLFrame::TexCoord(float u, float v)
{
    mCurrent.u = u;
    mCurrent.v = v;
}

void OpenGLFrame::Vertex(float x, float y)
{
    if (!mOpen)
        return;
    mCurrent.x = x;
    mCurrent.y = y;
    mVertices.push_back(mCurrent);
    mFullAlpha = mFullAlpha && mCurrent.a >= 1.0f;
    mWhite = mWhite && mCurrent.a >= 1.0f && mCurrent.r >= 1.0f && mCurrent.g >= 1.0f && mCurrent.b >= 1.0f;
    sBatch& batch = mBatches.back();
    Rect<float> const point(x, y, 0.0f, 0.0f);
    batch.bounds = batch.count == 0 ? point : Union(batch.bounds, point);
    ++batch.count;
}

void OpenGLFrame::End()
{
    if (!mOpen || mBatches.empty())
        return;
    sBatch& batch = mBatches.back();
    bool const quad = batch.mode == GL_TRIANGLE_STRIP && batch.count == 4;
    float xy[8];
    float uv[8];
    if (quad)
        QuadCorners(batch, xy, uv);
    batch.white = mWhite && batch.count > 0;
    if (batch.texture == 0)
    {
        batch.opaque = mFullAlpha && batch.count > 0;
    }
    else if (quad && mHasInk)
    {
        batch.bounds = InkBoundsOfQuad(mInk, xy, uv, batch.bounds);
        batch.texelForUnit = IsTexelForUnit(mInk, xy, uv);
        batch.opaque = mFullAlpha && batch.texelForUnit && SamplesOnlyOpaque(mInk, uv);
    }
    bool const upright = quad && xy[0] == xy[2] && xy[4] == xy[6] && xy[1] == xy[5] && xy[3] == xy[7];
    if (batch.opaque && upright)
    {
        float const left = std::min(xy[0], xy[4]);
        float const top = std::min(xy[1], xy[3]);
        batch.cover = Rect<float>(left, top, std::fabs(xy[4] - xy[0]), std::fabs(xy[3] - xy[1]));
    }
    // Only a textured quad's ink outlines what it changes.
    batch.inked = quad && mHasInk;
    mOpen = false;
    mHasInk = false;
}

void OpenGLFrame::QuadCorners(sBatch const& batch, float xy[8], float uv[8]) const
{
    for (int k = 0; k < 4; ++k)
    {
        sVertex const& vertex = mVertices[batch.first + uint32_t(k)];
        xy[2 * k] = vertex.x;
        xy[2 * k + 1] = vertex.y;
        uv[2 * k] = vertex.u;
        uv[2 * k + 1] = vertex.v;
    }
}

bool OpenGLFrame::SameBatch(std::size_t i, OpenGLFrame const& other, std::size_t j) const
{
    sBatch const& a = mBatches[i];
    sBatch const& b = other.mBatches[j];
    if (a.mode != b.mode || a.texture != b.texture || a.textureVersion != b.textureVersion || a.count != b.count)
        return false;
    return a.count == 0 ||
           std::memcmp(&mVertices[a.first], &other.mVertices[b.first], sizeof(sVertex) * a.count) == 0;
}

void OpenGLFrame::PairEqualBatches(OpenGLFrame const& other, std::vector<bool>* pairedHere,
                                   std::vector<bool>* pairedThere) const
{
    std::size_t const n = mBatches.size();
    std::size_t const m = other.mBatches.size();
    pairedHere->assign(n, false);
    pairedThere->assign(m, false);
    std::size_t prefix = 0;
    while (prefix < n && prefix < m && SameBatch(prefix, other, prefix))
    {
        (*pairedHere)[prefix] = (*pairedThere)[prefix] = true;
        ++prefix;
    }
    std::size_t suffix = 0;
    while (prefix + suffix < n && prefix + suffix < m && SameBatch(n - 1 - suffix, other, m - 1 - suffix))
    {
        (*pairedHere)[n - 1 - suffix] = (*pairedThere)[m - 1 - suffix] = true;
        ++suffix;
    }
    int const rows = int(n - prefix - suffix);
    int const columns = int(m - prefix - suffix);
    if (rows == 0 || columns == 0)
        return;
    auto const same = [&](int x, int y) { return SameBatch(prefix + std::size_t(x), other, prefix + std::size_t(y)); };
    auto const pair = [&](int x, int y) {
        (*pairedHere)[prefix + std::size_t(x)] = (*pairedThere)[prefix + std::size_t(y)] = true;
    };
    // The fewest batches left unpaired between the two (Myers's greedy search
    // over the edit graph), each round's furthest reaches kept to trace back the pairs.
    int const most = std::min(rows + columns, kMostEdits);
    int const offset = most + 1;
    std::vector<int> reach(std::size_t(2 * offset + 1), 0);
    std::vector<std::vector<int>> rounds;
    for (int d = 0; d <= most; ++d)
    {
        rounds.push_back(reach);
        for (int k = -d; k <= d; k += 2)
        {
            bool const down = k == -d || (k != d && reach[offset + k - 1] < reach[offset + k + 1]);
            int x = down ? reach[offset + k + 1] : reach[offset + k - 1] + 1;
            int y = x - k;
            for (; x < rows && y < columns && same(x, y); ++y)
                ++x;
            reach[offset + k] = x;
            if (x < rows || y < columns)
                continue;
            for (int back = d; back >= 0; --back)
            {
                std::vector<int> const& before = rounds[std::size_t(back)];
                bool const wasDown =
                    back > 0 && (k == -back || (k != back && before[offset + k - 1] < before[offset + k + 1]));
                int const fromK = back == 0 ? k : (wasDown ? k + 1 : k - 1);
                int const fromX = back == 0 ? 0 : before[offset + fromK];
                int const startX = back == 0 ? 0 : (wasDown ? fromX : fromX + 1);
                for (int px = startX; px < x; ++px)
                    pair(px, px - k);
                x = fromX;
                k = fromK;
            }
            return;
        }
    }
    for (int i = 0; i < std::min(rows, columns); ++i)
        if (same(i, i))
            pair(i, i);
}

void OpenGLFrame::AddChange(std::size_t i, float margin, std::vector<Rect<float>>* changed) const
{
    sBatch const& batch = mBatches[i];
    if (batch.inked && batch.bounds.height > kBandedHeight)
    {
        float xy[8];
        float uv[8];
        QuadCorners(batch, xy, uv);
        if (AddInkBandsOfQuad(batch.ink, xy, uv, batch.bounds, margin, kBandHeight, changed))
            return;
    }
    Rect<float> const& r = batch.bounds;
    changed->push_back(Rect<float>(r.x - margin, r.y - margin, r.width + 2.0f * margin, r.height + 2.0f * margin));
}

std::vector<Rect<float>> OpenGLFrame::Difference(OpenGLFrame const& other, sRepaintCosts const& costs) const
{
    std::vector<bool> pairedHere;
    std::vector<bool> pairedThere;
    PairEqualBatches(other, &pairedHere, &pairedThere);
    // A line or a point has no area of its own: it is given at least a unit.
    float const margin = std::max(costs.margin, 0.5f);
    std::vector<Rect<float>> changed;
    for (std::size_t i = 0; i < mBatches.size(); ++i)
        if (!pairedHere[i])
            AddChange(i, margin, &changed);
    for (std::size_t j = 0; j < other.mBatches.size(); ++j)
        if (!pairedThere[j])
            other.AddChange(j, margin, &changed);
    if (changed.empty())
        return changed;
    std::vector<Rect<float>> parts = DisjointUnion(changed);
    MergeRects(&parts, costs, [this](Rect<float> const& part) {
        int draws = 0;
        for (sBatch const& batch : mBatches)
            draws += Meet(batch.bounds, part) ? 1 : 0;
        return draws;
    });
    return parts;
}

std::size_t OpenGLFrame::FirstDifference(OpenGLFrame const& other) const
{
    std::size_t const common = std::min(mBatches.size(), other.mBatches.size());
    for (std::size_t i = 0; i < common; ++i)
        if (!SameBatch(i, other, i))
            return i;
    return common;
}

float OpenGLFrame::CoveredArea(std::size_t first, std::size_t end, std::vector<Rect<float>> const& within) const
{
    float area = 0.0f;
    for (std::size_t i = first; i < std::min(end, mBatches.size()); ++i)
        for (Rect<float> const& rect : within)
        {
            Rect<float> const& bounds = mBatches[i].bounds;
            float const width = std::min(bounds.x + bounds.width, rect.x + rect.width) - std::max(bounds.x, rect.x);
            float const height = std::min(bounds.y + bounds.height, rect.y + rect.height) - std::max(bounds.y, rect.y);
            if (width > 0.0f && height > 0.0f)
                area += width * height;
        }
    return area;
}

bool OpenGLFrame::FindCover(Rect<float> const& box, std::size_t first, std::size_t end, bool unitPixels,
                            std::size_t* index) const
{
    for (std::size_t i = std::min(end, mBatches.size()); i > first; --i)
    {
        sBatch const& batch = mBatches[i - 1];
        // A textured batch is opaque only where it is drawn texel for pixel.
        if (!batch.opaque || (batch.texture != 0 && !unitPixels) || batch.cover.width <= 0.0f)
            continue;
        Rect<float> const& c = batch.cover;
        if (c.x <= box.x && c.y <= box.y && box.x + box.width <= c.x + c.width && box.y + box.height <= c.y + c.height)
        {
            *index = i - 1;
            return true;
        }
    }
    return false;
}

void OpenGLFrame::Replay(Rect<float> const* area, std::size_t first, std::size_t end, bool unitPixels) const
{
    unsigned int bound = std::numeric_limits<unsigned int>::max();
    bool blending = true;
    bool replacing = false;
    // Textures switched to nearest sampling here; they leave linear, as every other drawing expects.
    std::vector<unsigned int> nearest;
    bool boundNearest = false;
    for (std::size_t i = first; i < std::min(end, mBatches.size()); ++i)
    {
        sBatch const& batch = mBatches[i];
        if (area && !Meet(batch.bounds, *area))
            continue;
        if (batch.texture != bound)
        {
            glBindTexture(GL_TEXTURE_2D, batch.texture);
            bound = batch.texture;
            boundNearest = std::find(nearest.begin(), nearest.end(), bound) != nearest.end();
        }
        bool const sampleNearest = unitPixels && batch.texelForUnit;
        if (batch.texture != 0 && sampleNearest != boundNearest)
        {
            GLint const filter = sampleNearest ? GL_NEAREST : GL_LINEAR;
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
            if (sampleNearest)
                nearest.push_back(bound);
            else
                nearest.erase(std::find(nearest.begin(), nearest.end(), bound));
            boundNearest = sampleNearest;
        }
        bool const blend = !batch.opaque || (batch.texture != 0 && !sampleNearest);
        if (blend != blending)
        {
            if (blend)
                glEnable(GL_BLEND);
            else
                glDisable(GL_BLEND);
            blending = blend;
        }
        bool const replace = batch.texture != 0 && batch.white;
        if (replace != replacing)
        {
            glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, replace ? GL_REPLACE : GL_MODULATE);
            replacing = replace;
        }
        glBegin(batch.mode);
        for (uint32_t k = 0; k < batch.count; ++k)
        {
            sVertex const& vertex = mVertices[batch.first + k];
            glColor4f(vertex.r, vertex.g, vertex.b, vertex.a);
            if (batch.texture != 0)
                glTexCoord2f(vertex.u, vertex.v);
            glVertex2f(vertex.x, vertex.y);
        }
        glEnd();
    }
    if (!blending)
        glEnable(GL_BLEND);
    if (replacing)
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    for (unsigned int texture : nearest)
    {
        glBindTexture(GL_TEXTURE_2D, texture);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    }
}

void OpenGLFrame::Swap(OpenGLFrame& other)
{
    mBatches.swap(other.mBatches);
    mVertices.swap(other.mVertices);
    std::swap(mCurrent, other.mCurrent);
    std::swap(mOpen, other.mOpen);
    std::swap(mHasInk, other.mHasInk);
    std::swap(mInk, other.mInk);
    std::swap(mFullAlpha, other.mFullAlpha);
    std::swap(mWhite, other.mWhite);
}

} // namespace Corvane
