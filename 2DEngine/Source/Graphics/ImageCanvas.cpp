#include <algorithm>
#include <cmath>
#include <cstdint>

#include "2DEngine/Source/Graphics/CircleVertices.h"
#include "2DEngine/Source/Graphics/Drawing.h"
#include "2DEngine/Source/Graphics/Image.h"
#include "2DEngine/Source/Graphics/PixelMath.h"
#include "2DEngine/Source/Graphics/SoftwareCanvas.h"

namespace Corvane
{
namespace Graphics
{

namespace
{

// The drawable area with inclusive right and bottom edges.
struct sArea
{
    int64_t left;
    int64_t top;
    int64_t right;
    int64_t bottom;

    bool Contains(int64_t x, int64_t y) const { return x >= left && x <= right && y >= top && y <= bottom; }
    bool Overlaps(int64_t l, int64_t t, int64_t r, int64_t b) const
    {
        return r >= left && l <= right && b >= top && t <= bottom;
    }
};

// A vertex list where the coordinate along the smaller half-axis is scaled.
typedef Internal::CircleVerticesCacheI::VertexList VertexList;

class cImageCanvas : public ICanvas, public IQuadDrawingCanvas, public IPixelSettingCanvas, public IEllipseDrawingCanvas
{
public:
    explicit cImageCanvas(Image* image)
        : mImage(image), mBounds(0, 0, image ? image->GetWidth() : 0, image ? image->GetHeight() : 0)
    {
    }

    // ICanvas
    Label GetKind() override
    {
        static Label const kind = Label::GetUniqueString("ImageCanvas");
        return kind;
    }

    Rect<int> const& GetBounds() override { return mBounds; }

    bool QueryInterface(Label name, void** out) override
    {
        void* found = nullptr;
        if (name == ICanvas::InterfaceLabel())
            found = static_cast<ICanvas*>(this);
        else if (name == IQuadDrawingCanvas::InterfaceLabel())
            found = static_cast<IQuadDrawingCanvas*>(this);
        else if (name == IPixelSettingCanvas::InterfaceLabel())
            found = static_cast<IPixelSettingCanvas*>(this);
        else if (name == IEllipseDrawingCanvas::InterfaceLabel())
            found = static_cast<IEllipseDrawingCanvas*>(this);
        if (!found)
            return false;
        if (out)
            *out = found;
        return true;
    }

    // IQuadDrawingCanvas
    int DrawFilledRect(Rect<int> const& rect, sDrawState const& state) override
    {
        if (!mImage || !mImage->GetPixels())
            return kNothingToDraw;
        int64_t const left = std::max<int64_t>({rect.x, 0, state.clip.x});
        int64_t const top = std::max<int64_t>({rect.y, 0, state.clip.y});
        int64_t const right = std::min<int64_t>({int64_t(rect.x) + rect.width, DrawableWidth(),
                                                 int64_t(state.clip.x) + state.clip.width});
        int64_t const bottom = std::min<int64_t>({int64_t(rect.y) + rect.height, DrawableHeight(),
                                                  int64_t(state.clip.y) + state.clip.height});
        if (right <= left || bottom <= top)
            return kNothingToDraw;
        Color32 const color = state.color.ToColor32();
        bool const blend = (state.flags & DRAW_FLAG_ALPHA) != 0;
        Color32* const pixels = mImage->GetPixels();
        for (int64_t y = top; y < bottom; ++y)
        {
            Color32* const row = pixels + y * int64_t(mImage->GetWidth());
            for (int64_t x = left; x < right; ++x)
                row[x] = blend ? BlendColors(color, row[x]) : color;
        }
        mImage->MarkDirty();
        return kDrawn;
    }

    int DrawFilledRect(Rect<float> const& rect, sDrawState const& state) override
    {
        return DrawFilledRect(Rect<int>(Internal::TruncToInt(rect.x), Internal::TruncToInt(rect.y),
                                        Internal::TruncToInt(rect.width), Internal::TruncToInt(rect.height)),
                              state);
    }

    int DrawImage(IImage const* image, float x, float y, sDrawState const& state) override
    {
        Image const* const source = dynamic_cast<Image const*>(image);
        if (!source || !mImage)
            return kNothingToDraw;
        BLIT_TARGET target = GetTarget();
        int const result = BlitImage(source, Internal::TruncToInt(x), Internal::TruncToInt(y), &target, state);
        if (result == kDrawn)
            mImage->MarkDirty();
        return result;
    }

    int DrawStretchedImage(IImage const* image, Rect<int> const& dest, sDrawState const& state) override
    {
        Image const* const source = dynamic_cast<Image const*>(image);
        if (!source || !mImage)
            return kNothingToDraw;
        BLIT_TARGET target = GetTarget();
        int const result = BlitStretchedImage(source, dest, &target, state);
        if (result == kDrawn)
            mImage->MarkDirty();
        return result;
    }

    int DrawRotatedImage(IImage const* image, float x, float y, Angle angle, sDrawState const& state) override
    {
        Image const* const source = dynamic_cast<Image const*>(image);
        if (!source)
            return kNothingToDraw;
        Image const* const rotated = source->GetCachedRotation(angle);
        if (!rotated)
            return kMissingInterface;
        return DrawImage(rotated, x - float(rotated->GetWidth()) * 0.5f, y - float(rotated->GetHeight()) * 0.5f,
                         state);
    }

    int DrawStretchedRotatedImage(IImage const* image, Rect<int> const& dest, Angle angle,
                                  sDrawState const& state) override
    {
        Image const* const source = dynamic_cast<Image const*>(image);
        if (!source)
            return kNothingToDraw;
        Image const* const rotated = source->GetCachedRotation(angle);
        if (!rotated)
            return kMissingInterface;
        Rect<int> const centred(Internal::TruncToInt(float(dest.x) - float(rotated->GetWidth()) * 0.5f),
                                Internal::TruncToInt(float(dest.y) - float(rotated->GetHeight()) * 0.5f), dest.width,
                                dest.height);
        return DrawStretchedImage(rotated, centred, state);
    }

    int DrawPrimitive(PrimitiveKind, IImage const*, int, sPrimitiveVertex const*, sDrawState const&) override
    {
        return kMissingInterface;
    }

    // IPixelSettingCanvas
    int SetPixel(float x, float y, Color32 color) override
    {
        if (mImage)
            mImage->SetPixel(Internal::TruncToInt(x), Internal::TruncToInt(y), color);
        return kDrawn;
    }

    Color32 GetPixel(float x, float y) override
    {
        return mImage ? mImage->GetPixel(Internal::TruncToInt(x), Internal::TruncToInt(y)) : Color32(0);
    }

    // IEllipseDrawingCanvas
    int DrawFilledCircle(float cx, float cy, float radius, sDrawState const& state) override
    {
        return DrawCircle(cx, cy, radius, state, true);
    }

    int DrawLineCircle(float cx, float cy, float radius, sDrawState const& state) override
    {
        return DrawCircle(cx, cy, radius, state, false);
    }

    int DrawFilledEllipse(Rect<float> const& rect, sDrawState const& state) override
    {
        return DrawEllipse(rect, state, true);
    }

    int DrawLineEllipse(Rect<float> const& rect, sDrawState const& state) override
    {
        return DrawEllipse(rect, state, false);
    }

private:
    BLIT_TARGET GetTarget() const
    {
        BLIT_TARGET target;
        target.pixels = mImage->GetPixels();
        target.width = mImage->GetWidth();
        target.height = mImage->GetHeight();
        return target;
    }

    // The bounds are fixed when the canvas is made; an image filled again at a
    // smaller size since is never written beyond its own pixels.
    int64_t DrawableWidth() const { return std::min<int64_t>(mBounds.width, mImage->GetWidth()); }
    int64_t DrawableHeight() const { return std::min<int64_t>(mBounds.height, mImage->GetHeight()); }

    sArea GetArea(sDrawState const& state) const
    {
        sArea area;
        area.left = std::max<int64_t>(0, state.clip.x);
        area.top = std::max<int64_t>(0, state.clip.y);
        area.right = std::min<int64_t>(DrawableWidth(), int64_t(state.clip.x) + state.clip.width) - 1;
        area.bottom = std::min<int64_t>(DrawableHeight(), int64_t(state.clip.y) + state.clip.height) - 1;
        return area;
    }

    void FillSpan(int64_t y, int64_t from, int64_t to, sArea const& area, Color32 color)
    {
        if (y < area.top || y > area.bottom)
            return;
        from = std::max(from, area.left);
        to = std::min(to, area.right);
        Color32* const row = mImage->GetPixels() + y * int64_t(mImage->GetWidth());
        for (int64_t x = from; x <= to; ++x)
            row[x] = color;
    }

    void Plot(int64_t x, int64_t y, sArea const& area, Color32 color)
    {
        if (area.Contains(x, y))
            mImage->GetPixels()[y * int64_t(mImage->GetWidth()) + x] = color;
    }

    // The two rows (filled) or four points (outline) of one quarter vertex.
    void DrawVertex(int64_t cx, int64_t cy, int64_t vx, int64_t vy, sArea const& area, Color32 color, bool filled)
    {
        if (filled)
        {
            FillSpan(cy + vy, cx - vx, cx + vx, area, color);
            FillSpan(cy - vy, cx - vx, cx + vx, area, color);
            return;
        }
        Plot(cx + vx, cy + vy, area, color);
        Plot(cx - vx, cy + vy, area, color);
        Plot(cx + vx, cy - vy, area, color);
        Plot(cx - vx, cy - vy, area, color);
    }

    int DrawCircle(float cx, float cy, float radius, sDrawState const& state, bool filled)
    {
        if (!mImage || !mImage->GetPixels() || !std::isfinite(cx) || !std::isfinite(cy) || !std::isfinite(radius))
            return kNothingToDraw;
        if (state.color.a < 0.5f)
            return kNothingToDraw;
        sArea const area = GetArea(state);
        int64_t const icx = Internal::TruncToInt64(cx);
        int64_t const icy = Internal::TruncToInt64(cy);
        int64_t const ir = Internal::TruncToInt64(std::floor(radius + 0.5f));
        if (ir < 0 || !area.Overlaps(icx - ir, icy - ir, icx + ir, icy + ir))
            return kNothingToDraw;
        Color32 const color = state.color.ToColor32();
        if (radius == 0.5f)
        {
            mImage->SetPixel(Internal::TruncToInt(cx), Internal::TruncToInt(cy), color);
            return kDrawn;
        }
        if (ir == 1)
        {
            // The 2 x 2 pixels from the centre, right and down.
            return DrawFilledRect(Rect<int>(Internal::ClampToInt(icx), Internal::ClampToInt(icy), 2, 2), state);
        }
        for (Vector2<int> const& vertex : Internal::GetCircleVerticesCacheI().GetCachedVertices(radius))
            DrawVertex(icx, icy, vertex.x, vertex.y, area, color, filled);
        mImage->MarkDirty();
        return kDrawn;
    }

    int DrawEllipse(Rect<float> const& rect, sDrawState const& state, bool filled)
    {
        if (!std::isfinite(rect.x) || !std::isfinite(rect.y) || !std::isfinite(rect.width) ||
            !std::isfinite(rect.height))
            return kNothingToDraw;
        if (std::fabs(std::trunc(rect.width - rect.height)) < 0.5f)
            return DrawCircle(rect.x + rect.width * 0.5f, rect.y + rect.width * 0.5f, rect.width * 0.5f, state,
                              filled);
        if (!mImage || !mImage->GetPixels() || state.color.a < 0.5f)
            return kNothingToDraw;
        sArea const area = GetArea(state);
        int64_t const cx = Internal::TruncToInt64(rect.x + rect.width * 0.5f);
        int64_t const cy = Internal::TruncToInt64(rect.y + rect.height * 0.5f);
        int64_t const halfWidth = Internal::TruncToInt64(std::fabs(rect.width) * 0.5f) + 1;
        int64_t const halfHeight = Internal::TruncToInt64(std::fabs(rect.height) * 0.5f) + 1;
        if (!area.Overlaps(cx - halfWidth, cy - halfHeight, cx + halfWidth, cy + halfHeight))
            return kNothingToDraw;

        bool const wide = rect.width > rect.height;
        float const larger = wide ? rect.width : rect.height;
        float const smaller = wide ? rect.height : rect.width;
        float const scale = larger != 0.0f ? smaller / larger : 0.0f;
        Color32 const color = state.color.ToColor32();
        int64_t previousX = 0;
        int64_t previousY = 0;
        for (Vector2<int> const& vertex : Internal::GetCircleVerticesCacheI().GetCachedVertices(larger * 0.5f))
        {
            int64_t vx = vertex.x;
            int64_t vy = vertex.y;
            if (wide)
                vy = Internal::TruncToInt64(float(vy) * scale);
            else
                vx = Internal::TruncToInt64(float(vx) * scale);
            if (vx == previousX && vy == previousY)
                continue;
            previousX = vx;
            previousY = vy;
            DrawVertex(cx, cy, vx, vy, area, color, filled);
        }
        mImage->MarkDirty();
        return kDrawn;
    }

    Image* mImage;
    Rect<int> mBounds;
};

} // namespace

ICanvas* CreateImageCanvas(Image* image)
{
    return new cImageCanvas(image);
}

void DestroyImageCanvas(ICanvas* canvas)
{
    delete dynamic_cast<cImageCanvas*>(canvas);
}

} // namespace Graphics
} // namespace Corvane
