#include "2DEngine/Source/Graphics/SoftwareCanvas.h"

#include <algorithm>
#include <cstring>

#include "2DEngine/Source/Graphics/Drawing.h"
#include "2DEngine/Source/Graphics/Image.h"

namespace Corvane
{
namespace Graphics
{

namespace
{

// Right shift rounding toward minus infinity, so that a darker source lowers
// the channel by the same steps as a lighter one raises it.
inline int64_t ShiftDown(int64_t value, int shift)
{
    return value >= 0 ? (value >> shift) : -((-value + (int64_t(1) << shift) - 1) >> shift);
}

inline uint32_t Channel(uint32_t pixel, int shift)
{
    return (pixel >> shift) & 0xFF;
}

// Each colour channel moved from d toward s by weight / 2^shift; alpha 255.
inline uint32_t Mix(uint32_t s, uint32_t d, int64_t weight, int shift)
{
    uint32_t result = 0xFF000000u;
    for (int channel = 0; channel < 24; channel += 8)
    {
        int64_t const dc = Channel(d, channel);
        int64_t const sc = Channel(s, channel);
        int64_t c = dc + ShiftDown((sc - dc) * weight, shift);
        c = std::min<int64_t>(255, std::max<int64_t>(0, c));
        result |= uint32_t(c) << channel;
    }
    return result;
}

struct sTint
{
    uint32_t r;
    uint32_t g;
    uint32_t b;

    // Each colour channel scaled by its tint byte; alpha 255.
    uint32_t Apply(uint32_t s) const
    {
        return 0xFF000000u | ((((Channel(s, 16) * (r + 1)) >> 8) & 0xFF) << 16) |
               ((((Channel(s, 8) * (g + 1)) >> 8) & 0xFF) << 8) | (((Channel(s, 0) * (b + 1)) >> 8) & 0xFF);
    }
};

// A rectangle as edges, in 64 bits so that no clip can overflow.
struct sEdges
{
    int64_t left;
    int64_t top;
    int64_t right;
    int64_t bottom;

    bool IsEmpty() const { return right <= left || bottom <= top; }

    sEdges Intersect(sEdges const& other) const
    {
        return sEdges{std::max(left, other.left), std::max(top, other.top), std::min(right, other.right),
                      std::min(bottom, other.bottom)};
    }

    static sEdges Of(int64_t x, int64_t y, int64_t width, int64_t height)
    {
        return sEdges{x, y, x + width, y + height};
    }
};

// op(s, d) for every pixel of the region; s read at the image origin's offset.
template <class Op>
void BlitRegion(Color32 const* source, int64_t sourceWidth, int64_t originX, int64_t originY, BLIT_TARGET* target,
                sEdges const& region, Op op)
{
    for (int64_t y = region.top; y < region.bottom; ++y)
    {
        Color32 const* s = source + (y - originY) * sourceWidth + (region.left - originX);
        Color32* d = target->pixels + y * int64_t(target->width) + region.left;
        for (int64_t x = region.left; x < region.right; ++x, ++s, ++d)
            d->value = op(s->value, d->value);
    }
}

enum eBlitMode
{
    kBlit_Whole = 0,
    kBlit_Rows = 1,
    kBlit_Keyed = 2,
    kBlit_Alpha = 3,
    kBlit_Tint = 4,
    kBlit_TintKeyed = 5,
    kBlit_TintAlpha = 6
};

} // namespace

int BlitImage(Image const* source, int x, int y, BLIT_TARGET* target, sDrawState const& state)
{
    if (!source || !target || !target->pixels || target->width <= 0 || target->height <= 0)
        return kNothingToDraw;
    Color32 const tintColor = state.tint.ToColor32();
    uint32_t const opacity = tintColor.GetAlpha();
    if (opacity == 0)
        return kNothingToDraw;
    sTint const tint = {tintColor.GetRed(), tintColor.GetGreen(), tintColor.GetBlue()};
    Color32 const* const pixels = source->GetPixels();
    int64_t const sourceWidth = source->GetWidth();
    int64_t const sourceHeight = source->GetHeight();
    if (!pixels || sourceWidth <= 0 || sourceHeight <= 0)
        return kNothingToDraw;

    sEdges const visible = sEdges::Of(0, 0, target->width, target->height)
                               .Intersect(sEdges::Of(state.clip.x, state.clip.y, state.clip.width, state.clip.height));
    int64_t originX = x;
    int64_t originY = y;
    sEdges placed = sEdges::Of(x, y, sourceWidth, sourceHeight);
    if (state.flags & DRAW_FLAG_SOURCE_RECT)
    {
        Rect<int> const& part = state.sourceRect;
        originX = int64_t(x) - part.x;
        originY = int64_t(y) - part.y;
        // No pixel outside the source image is read, whatever the rectangle says.
        placed = sEdges::Of(x, y, part.width, part.height)
                     .Intersect(sEdges::Of(originX, originY, sourceWidth, sourceHeight));
    }
    sEdges const region = visible.Intersect(placed);
    if (region.IsEmpty())
        return kNothingToDraw;

    bool const tinted = tint.r < 255 || tint.g < 255 || tint.b < 255;
    bool const useAlpha = source->HasAlpha() && (state.flags & DRAW_FLAG_ALPHA);
    eBlitMode mode;
    if (tinted)
        mode = useAlpha ? (source->IsKeyed() ? kBlit_TintKeyed : kBlit_TintAlpha) : kBlit_Tint;
    else if (useAlpha)
        mode = source->IsKeyed() ? kBlit_Keyed : kBlit_Alpha;
    else if (target->width == sourceWidth && target->height == sourceHeight && region.left == 0 && region.top == 0 &&
             region.right == sourceWidth && region.bottom == sourceHeight && originX == 0 && originY == 0)
        mode = kBlit_Whole;
    else
        mode = kBlit_Rows;

    auto blit = [&](auto op) { BlitRegion(pixels, sourceWidth, originX, originY, target, region, op); };
    if (opacity == 255)
    {
        switch (mode)
        {
        case kBlit_Whole:
            // memmove: an image may be drawn onto itself.
            std::memmove(target->pixels, pixels, size_t(sourceWidth * sourceHeight) * sizeof(Color32));
            break;
        case kBlit_Rows:
            for (int64_t row = region.top; row < region.bottom; ++row)
                std::memmove(target->pixels + row * target->width + region.left,
                             pixels + (row - originY) * sourceWidth + (region.left - originX),
                             size_t(region.right - region.left) * sizeof(Color32));
            break;
        case kBlit_Keyed:
            blit([](uint32_t s, uint32_t d) { return (s >> 24) != 0 ? s : d; });
            break;
        case kBlit_Alpha:
            blit([](uint32_t s, uint32_t d) {
                uint32_t const a = s >> 24;
                if (a <= 15)
                    return d;
                if (a >= 240)
                    return s;
                return Mix(s, d, a + 1, 8);
            });
            break;
        case kBlit_Tint:
            blit([&](uint32_t s, uint32_t) { return tint.Apply(s); });
            break;
        case kBlit_TintKeyed:
            blit([&](uint32_t s, uint32_t d) { return (s >> 24) != 0 ? tint.Apply(s) : d; });
            break;
        case kBlit_TintAlpha:
            blit([&](uint32_t s, uint32_t d) {
                uint32_t const a = s >> 24;
                if (a == 0)
                    return d;
                if (a == 255)
                    return tint.Apply(s);
                return Mix(tint.Apply(s), d, a + 1, 8);
            });
            break;
        }
        return kDrawn;
    }

    int64_t const o = int64_t(opacity) + 1;
    switch (mode)
    {
    case kBlit_Whole:
    case kBlit_Rows:
        blit([&](uint32_t s, uint32_t d) { return Mix(s, d, o, 8); });
        break;
    case kBlit_Keyed:
        blit([&](uint32_t s, uint32_t d) { return (s >> 24) != 0 ? Mix(s, d, o, 8) : d; });
        break;
    case kBlit_Alpha:
        blit([&](uint32_t s, uint32_t d) {
            uint32_t const a = s >> 24;
            return a != 0 ? Mix(s, d, int64_t(a + 1) * o, 16) : d;
        });
        break;
    case kBlit_Tint:
        blit([&](uint32_t s, uint32_t d) { return Mix(tint.Apply(s), d, o, 8); });
        break;
    case kBlit_TintKeyed:
        blit([&](uint32_t s, uint32_t d) { return (s >> 24) != 0 ? Mix(tint.Apply(s), d, o, 8) : d; });
        break;
    case kBlit_TintAlpha:
        blit([&](uint32_t s, uint32_t d) {
            uint32_t const a = s >> 24;
            return a != 0 ? Mix(tint.Apply(s), d, int64_t(a + 1) * o, 16) : d;
        });
        break;
    }
    return kDrawn;
}

int BlitStretchedImage(Image const* source, Rect<int> const& dest, BLIT_TARGET* target, sDrawState const& state)
{
    if (!source || !target || !target->pixels)
        return kNothingToDraw;
    Rect<int> part(0, 0, source->GetWidth(), source->GetHeight());
    if (state.flags & DRAW_FLAG_SOURCE_RECT)
        part = state.sourceRect;
    bool const flipH = (state.flags & DRAW_FLAG_FLIP_H) != 0;
    bool const flipV = (state.flags & DRAW_FLAG_FLIP_V) != 0;
    if (!flipH && !flipV && dest.width == part.width && dest.height == part.height)
        return BlitImage(source, dest.x, dest.y, target, state);

    sEdges const area = sEdges::Of(dest.x, dest.y, dest.width, dest.height)
                            .Intersect(sEdges::Of(0, 0, target->width, target->height))
                            .Intersect(sEdges::Of(state.clip.x, state.clip.y, state.clip.width, state.clip.height));
    Color32 const tint = state.tint.ToColor32();
    // An empty destination has no pixel to map, which also keeps the divisions below safe.
    if (tint.value == 0 || area.IsEmpty() || dest.width <= 0 || dest.height <= 0)
        return kNothingToDraw;
    bool const useAlpha = source->HasAlpha() && (state.flags & DRAW_FLAG_ALPHA);

    for (int64_t py = area.top; py < area.bottom; ++py)
    {
        int64_t const ly = ((py - dest.y) * part.height) / dest.height;
        int64_t const v = flipV ? int64_t(part.y) + part.height - 1 - ly : int64_t(part.y) + ly;
        Color32* const row = target->pixels + py * int64_t(target->width);
        for (int64_t px = area.left; px < area.right; ++px)
        {
            int64_t const lx = ((px - dest.x) * part.width) / dest.width;
            int64_t const u = flipH ? int64_t(part.x) + part.width - 1 - lx : int64_t(part.x) + lx;
            bool const inside = u >= 0 && v >= 0 && u < source->GetWidth() && v < source->GetHeight();
            Color32 pixel = inside ? source->GetPixel(int(u), int(v)) : Color32(0);
            pixel = ApplyTintToPixel(tint, pixel);
            if (useAlpha)
                pixel = BlendColors(pixel, row[px]);
            row[px] = pixel;
        }
    }
    return kDrawn;
}

} // namespace Graphics
} // namespace Corvane
