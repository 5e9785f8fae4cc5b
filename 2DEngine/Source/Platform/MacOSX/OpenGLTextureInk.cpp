#include "2DEngine/Source/Platform/MacOSX/OpenGLTextureInk.h"

#include <algorithm>
#include <cmath>

namespace Corvane
{

namespace
{

// Texels of margin: linear filtering reaches one texel past a visible one.
constexpr float kFilterReach = 1.0f;
// Frame units of margin: a pixel is drawn when its centre is covered.
constexpr float kPixelReach = 1.0f;

} // namespace

sTextureInk FindTextureInk(Color32 const* pixels, int width, int height, int textureWidth, int textureHeight)
{
    sTextureInk ink;
    if (!pixels || width <= 0 || height <= 0 || textureWidth <= 0 || textureHeight <= 0)
        return ink;
    ink.texelsWide = textureWidth;
    ink.texelsHigh = textureHeight;
    ink.pictureU = float(width) / float(textureWidth);
    ink.pictureV = float(height) / float(textureHeight);
    bool opaque = true;
    float const centreX = float(width) * 0.5f;
    float const centreY = float(height) * 0.5f;
    int left = width;
    int right = -1;
    int top = height;
    int bottom = -1;
    float farthest = 0.0f;
    for (int y = 0; y < height; ++y)
    {
        Color32 const* const row = pixels + size_t(y) * size_t(width);
        // One pass over the picture at most: it stops at the first pixel not wholly opaque.
        for (int x = 0; opaque && x < width; ++x)
            opaque = row[x].GetAlpha() == 255;
        int first = 0;
        while (first < width && row[first].GetAlpha() == 0)
            ++first;
        if (first == width)
            continue;
        int last = width - 1;
        while (row[last].GetAlpha() == 0)
            --last;
        left = std::min(left, first);
        right = std::max(right, last);
        top = std::min(top, y);
        bottom = y;
        // The far corners of the row's outermost visible texels.
        float const dy = std::max(std::fabs(float(y) - centreY), std::fabs(float(y + 1) - centreY));
        float const dx = std::max(std::fabs(float(first) - centreX), std::fabs(float(last + 1) - centreX));
        farthest = std::max(farthest, dx * dx + dy * dy);
    }
    ink.opaque = opaque;
    float const texelU = 1.0f / float(textureWidth);
    float const texelV = 1.0f / float(textureHeight);
    if (right < 0)
    {
        // Nothing visible: an empty box at the centre.
        ink.left = ink.right = ink.centreU = centreX * texelU;
        ink.top = ink.bottom = ink.centreV = centreY * texelV;
        ink.radiusU = ink.radiusV = 0.0f;
        return ink;
    }
    ink.left = (float(left) - kFilterReach) * texelU;
    ink.right = (float(right + 1) + kFilterReach) * texelU;
    ink.top = (float(top) - kFilterReach) * texelV;
    ink.bottom = (float(bottom + 1) + kFilterReach) * texelV;
    float const radius = std::sqrt(farthest) + kFilterReach;
    ink.centreU = centreX * texelU;
    ink.centreV = centreY * texelV;
    ink.radiusU = radius * texelU;
    ink.radiusV = radius * texelV;
    return ink;
}

bool MapQuad(float const xy[8], float const uv[8], sQuadMapping* map)
{
    // Corner 0 at (u0, v0), corner 1 down the v side, corner 2 along the u side, corner 3 opposite.
    float const du = uv[4] - uv[0];
    float const dv = uv[3] - uv[1];
    bool const sides = uv[2] == uv[0] && uv[5] == uv[1] && uv[6] == uv[4] && uv[7] == uv[3] && du != 0.0f &&
                       dv != 0.0f;
    bool const parallelogram =
        std::fabs(xy[6] - (xy[2] + xy[4] - xy[0])) < 0.01f && std::fabs(xy[7] - (xy[3] + xy[5] - xy[1])) < 0.01f;
    if (!sides || !parallelogram)
        return false;
    // Frame units per unit of u and of v.
    map->ux = (xy[4] - xy[0]) / du;
    map->uy = (xy[5] - xy[1]) / du;
    map->vx = (xy[2] - xy[0]) / dv;
    map->vy = (xy[3] - xy[1]) / dv;
    map->ox = xy[0] - uv[0] * map->ux - uv[1] * map->vx;
    map->oy = xy[1] - uv[0] * map->uy - uv[1] * map->vy;
    return true;
}

Rect<float> InkBoundsOfQuad(sTextureInk const& ink, float const xy[8], float const uv[8], Rect<float> const& quadBounds)
{
    sQuadMapping map;
    if (!MapQuad(xy, uv, &map))
        return quadBounds;
    auto const at = [&](float u, float v, float* x, float* y) {
        *x = map.X(u, v);
        *y = map.Y(u, v);
    };
    float boxLeft = 0.0f;
    float boxTop = 0.0f;
    at(ink.left, ink.top, &boxLeft, &boxTop);
    float boxRight = boxLeft;
    float boxBottom = boxTop;
    float const corners[3][2] = {{ink.right, ink.top}, {ink.left, ink.bottom}, {ink.right, ink.bottom}};
    for (auto const& corner : corners)
    {
        float x = 0.0f;
        float y = 0.0f;
        at(corner[0], corner[1], &x, &y);
        boxLeft = std::min(boxLeft, x);
        boxRight = std::max(boxRight, x);
        boxTop = std::min(boxTop, y);
        boxBottom = std::max(boxBottom, y);
    }
    float cx = 0.0f;
    float cy = 0.0f;
    at(ink.centreU, ink.centreV, &cx, &cy);
    float const halfWidth = std::hypot(ink.radiusU * map.ux, ink.radiusV * map.vx);
    float const halfHeight = std::hypot(ink.radiusU * map.uy, ink.radiusV * map.vy);
    float const left = std::max({boxLeft, cx - halfWidth, quadBounds.x}) - kPixelReach;
    float const top = std::max({boxTop, cy - halfHeight, quadBounds.y}) - kPixelReach;
    float const right = std::min({boxRight, cx + halfWidth, quadBounds.x + quadBounds.width}) + kPixelReach;
    float const bottom = std::min({boxBottom, cy + halfHeight, quadBounds.y + quadBounds.height}) + kPixelReach;
    if (right < left || bottom < top)
        return Rect<float>(left, top, 0.0f, 0.0f);
    return Rect<float>(left, top, right - left, bottom - top);
}

bool IsTexelForUnit(sTextureInk const& ink, float const xy[8], float const uv[8])
{
    if (ink.texelsWide <= 0 || ink.texelsHigh <= 0)
        return false;
    bool const upright = xy[0] == xy[2] && xy[4] == xy[6] && xy[1] == xy[5] && xy[3] == xy[7];
    bool const sides = uv[0] == uv[2] && uv[4] == uv[6] && uv[1] == uv[5] && uv[3] == uv[7];
    if (!upright || !sides)
        return false;
    for (int k = 0; k < 8; ++k)
        if (xy[k] != std::floor(xy[k]))
            return false;
    float const wide = float(ink.texelsWide);
    float const high = float(ink.texelsHigh);
    auto const whole = [](float texels) { return texels == std::floor(texels); };
    // Mirrored pictures count too: a texel per unit either way.
    float const width = std::fabs(xy[4] - xy[0]);
    float const height = std::fabs(xy[3] - xy[1]);
    return width > 0.0f && height > 0.0f && std::fabs(uv[4] - uv[0]) * wide == width &&
           std::fabs(uv[3] - uv[1]) * high == height && whole(uv[0] * wide) && whole(uv[1] * high);
}

bool SamplesOnlyOpaque(sTextureInk const& ink, float const uv[8])
{
    if (!ink.opaque)
        return false;
    for (int k = 0; k < 8; k += 2)
        if (uv[k] < 0.0f || uv[k] > ink.pictureU || uv[k + 1] < 0.0f || uv[k + 1] > ink.pictureV)
            return false;
    return true;
}

} // namespace Corvane
