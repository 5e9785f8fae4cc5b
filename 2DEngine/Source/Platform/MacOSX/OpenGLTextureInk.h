#ifndef CORVANE_PLATFORM_MACOSX_OPENGLTEXTUREINK_H
#define CORVANE_PLATFORM_MACOSX_OPENGLTEXTUREINK_H

// Where a texture's visible texels lie. A fragment whose texel samples are
// all wholly transparent leaves the pixel under it exactly as it was (the
// blend adds nothing and keeps all of what is there), so a picture with a
// transparent border, drawn turned or moved, changes only the pixels over its
// ink: a kept frame need repaint no more than that.

#include "Core/Source/Color.h"
#include "Core/Source/Rect.h"

namespace Corvane
{

// In texture coordinates (0 to 1 over the whole power-of-two texture), with a
// texel of margin for linear filtering: the box around the ink, and the
// ellipse (a circle in texels) around the picture's centre that holds it.
struct sTextureInk
{
    float left = 0.0f;
    float top = 0.0f;
    float right = 1.0f;
    float bottom = 1.0f;
    float centreU = 0.5f;
    float centreV = 0.5f;
    float radiusU = 1.0f;
    float radiusV = 1.0f;
    // The texture's size in texels, and whether every pixel of the picture
    // (at its top left, up to pictureU x pictureV) is wholly opaque.
    int texelsWide = 0;
    int texelsHigh = 0;
    float pictureU = 1.0f;
    float pictureV = 1.0f;
    bool opaque = false;
};

// The ink of a picture of width x height pixels (rows from the top) in a
// texture of textureWidth x textureHeight texels.
sTextureInk FindTextureInk(Color32 const* pixels, int width, int height, int textureWidth, int textureHeight);

// How a textured quad (as InkBoundsOfQuad takes it) lays its texture in the
// frame: a position is origin + u * (ux, uy) + v * (vx, vy).
struct sQuadMapping
{
    float ox, oy;
    float ux, uy;
    float vx, vy;

    float X(float u, float v) const { return ox + u * ux + v * vx; }
    float Y(float u, float v) const { return oy + u * uy + v * vy; }
};

// False when the quad's corners are not a parallelogram with texture
// coordinates along its sides.
bool MapQuad(float const xy[8], float const uv[8], sQuadMapping* map);

// The bounds (in the frame's coordinates) of what a textured quad with that
// ink can change: the quad given as a triangle strip (top-left, bottom-left,
// top-right, bottom-right in texture terms) of positions xy and texture
// coordinates uv, two floats each. The quad's own bounds when its corners
// are not a parallelogram with texture coordinates along its sides.
Rect<float> InkBoundsOfQuad(sTextureInk const& ink, float const xy[8], float const uv[8], Rect<float> const& quadBounds);

// Whether the quad (given as for InkBoundsOfQuad) is upright at whole units
// and maps one texel, from a texel's edge, to each unit. Drawn at one unit to
// the pixel, its pixel centres sample texel centres: nearest sampling gives
// the pixels linear filtering gives, at a fraction of the rasteriser's cost.
bool IsTexelForUnit(sTextureInk const& ink, float const xy[8], float const uv[8]);

// Whether such a quad samples only opaque texels of the picture.
bool SamplesOnlyOpaque(sTextureInk const& ink, float const uv[8]);

} // namespace Corvane

#endif
