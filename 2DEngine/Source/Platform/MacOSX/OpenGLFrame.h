#ifndef CORVANE_PLATFORM_MACOSX_OPENGLFRAME_H
#define CORVANE_PLATFORM_MACOSX_OPENGLFRAME_H

// One frame's drawing kept as data: each primitive batch (a glBegin/glEnd)
// with its texture and vertices. Comparing a frame with the one on screen
// tells which parts of the window changed, so that a software renderer
// repaints only those (or nothing, when the frame is the same); replaying
// every batch clipped to a changed part gives exactly the pixels a full
// repaint gives there.

#include <cstdint>
#include <vector>

#include "Core/Source/Rect.h"
#include "2DEngine/Source/Platform/MacOSX/OpenGLDamage.h"
#include "2DEngine/Source/Platform/MacOSX/OpenGLTextureInk.h"

namespace Corvane
{

class OpenGLFrame
{
public:
    struct sVertex
    {
        float r, g, b, a;
        float u, v;
        float x, y;
    };

    struct sBatch
    {
        unsigned int mode;
        unsigned int texture;
        // The texture's contents: it changes with every upload into any texture.
        uint64_t textureVersion;
        uint32_t first;
        uint32_t count;
        // Of what the batch can change, in the frame's own coordinates: the
        // vertices' bounds, or for a textured quad those of its texture's ink.
        Rect<float> bounds;
        // A textured quad's: the ink it was drawn with.
        bool inked;
        sTextureInk ink;
        // A textured quad that maps a texel to a unit (IsTexelForUnit).
        bool texelForUnit;
        // Every fragment is wholly opaque, so blending changes nothing: untextured
        // at full alpha, or textured so, over only opaque texels, drawn texel for pixel.
        bool opaque;
        // Every vertex white at full alpha: the texels need no modulating.
        bool white;
        // Where the opaque batch paints every pixel (an upright quad's rectangle);
        // empty when it is not opaque or not such a quad.
        Rect<float> cover;
    };

    void Clear();
    // The texture's ink, when known, narrows a textured quad's bounds and tells
    // whether the quad is opaque (not while drawing for reference).
    void Begin(unsigned int mode, unsigned int texture, uint64_t textureVersion, sTextureInk const* ink = nullptr);
    void Color(float r, float g, float b, float a);
    void TexCoord(float u, float v);
    void Vertex(float x, float y);
    void End();

    std::vector<sBatch> const& GetBatches() const { return mBatches; }
    bool IsEmpty() const { return mBatches.empty(); }

    // Whether batch i of this frame draws exactly what batch j of the other does.
    bool SameBatch(std::size_t i, OpenGLFrame const& other, std::size_t j) const;

    // The parts to repaint, in the frame's own coordinates, around what
    // differs from the other frame: the batches of either frame left over when
    // as many as can be are paired, in order, with equal batches of the other
    // (a batch put in or taken out shifts no others). A point outside all the
    // parts is drawn by the same batches, in the same order, in both frames.
    // Chosen at the costs given (MergeRects); empty when the frames are the same.
    std::vector<Rect<float>> Difference(OpenGLFrame const& other, sRepaintCosts const& costs) const;

    // The index of the first batch that differs from the other frame's batch
    // at the same place (the shorter frame's count when one frame begins
    // with the other; the count when they are the same).
    std::size_t FirstDifference(OpenGLFrame const& other) const;

    // The area the batches from `first` up to `end` cover within the
    // rectangles, added up over the batches (their bounds) and the rectangles.
    float CoveredArea(std::size_t first, std::size_t end, std::vector<Rect<float>> const& within) const;

    // The last batch from `first` up to `end` that paints all of the box
    // opaque, hiding every batch before it there; false when there is none.
    // unitPixels: whether a unit of the frame is a pixel of the window.
    bool FindCover(Rect<float> const& box, std::size_t first, std::size_t end, bool unitPixels, std::size_t* index) const;

    // Issues every batch from `first` up to `end` (the count at most) whose
    // bounds meet the area (all of them for null). At a unit to the pixel, a
    // quad drawn texel for pixel samples its nearest texel, and an opaque
    // batch draws without blending; a white one takes its texels as they are
    // instead of modulating them: the pixels are the same, for less work.
    void Replay(Rect<float> const* area, std::size_t first = 0, std::size_t end = SIZE_MAX,
                bool unitPixels = false) const;

    void Swap(OpenGLFrame& other);

private:
    // Marks the batches of this frame and of the other paired with an equal batch.
    void PairEqualBatches(OpenGLFrame const& other, std::vector<bool>* pairedHere,
                          std::vector<bool>* pairedThere) const;
    // The positions and texture coordinates of a quad's four vertices.
    void QuadCorners(sBatch const& batch, float xy[8], float uv[8]) const;
    // Adds the rectangles batch i can change, grown by the margin.
    void AddChange(std::size_t i, float margin, std::vector<Rect<float>>* changed) const;

    std::vector<sBatch> mBatches;
    std::vector<sVertex> mVertices;
    sVertex mCurrent{1.0f, 1.0f, 1.0f, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f};
    bool mOpen = false;
    bool mHasInk = false;
    sTextureInk mInk;
    // Whether every vertex of the open batch has full alpha, and is white.
    bool mFullAlpha = true;
    bool mWhite = true;
};

} // namespace Corvane

#endif
