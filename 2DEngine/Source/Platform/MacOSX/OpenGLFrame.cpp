#include "2DEngine/Source/Platform/MacOSX/OpenGLFrame.h"

#include <algorithm>
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
    mBatches.push_back(batch);
    mOpen = true;
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
    sBatch& batch = mBatches.back();
    Rect<float> const point(x, y, 0.0f, 0.0f);
    batch.bounds = batch.count == 0 ? point : Union(batch.bounds, point);
    ++batch.count;
}

void OpenGLFrame::End()
{
    if (mOpen && mHasInk && !mBatches.empty() && mBatches.back().count == 4)
    {
        sBatch& batch = mBatches.back();
        float xy[8];
        float uv[8];
        QuadCorners(batch, xy, uv);
        batch.bounds = InkBoundsOfQuad(mInk, xy, uv, batch.bounds);
    }
    else if (mOpen && !mBatches.empty())
    {
        mBatches.back().inked = false;
    }
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

void OpenGLFrame::Replay(Rect<float> const* area, std::size_t first, std::size_t end) const
{
    unsigned int bound = std::numeric_limits<unsigned int>::max();
    for (std::size_t i = first; i < std::min(end, mBatches.size()); ++i)
    {
        sBatch const& batch = mBatches[i];
        if (area && !Meet(batch.bounds, *area))
            continue;
        if (batch.texture != bound)
        {
            glBindTexture(GL_TEXTURE_2D, batch.texture);
            bound = batch.texture;
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
}

void OpenGLFrame::Swap(OpenGLFrame& other)
{
    mBatches.swap(other.mBatches);
    mVertices.swap(other.mVertices);
    std::swap(mCurrent, other.mCurrent);
    std::swap(mOpen, other.mOpen);
    std::swap(mHasInk, other.mHasInk);
    std::swap(mInk, other.mInk);
}

} // namespace Corvane
