#ifndef CORVANE_GRAPHICS_CANVAS_H
#define CORVANE_GRAPHICS_CANVAS_H

// A canvas is any drawing target (the screen, an image in memory). It offers
// the small root interface ICanvas; the drawing interfaces are optional and
// asked for by name through QueryInterface. Every drawing operation returns 0
// when it drew, 1 when there was nothing to draw.

#include <cstdint>

#include "Core/Source/Angle.h"
#include "Core/Source/Color.h"
#include "Core/Source/Label.h"
#include "Core/Source/Rect.h"
#include "2DEngine/Source/Graphics/DrawState.h"

namespace Corvane
{

class IImage;

enum PrimitiveKind : int32_t
{
    kPrimitive_TriangleStrip = 0,
    kPrimitive_TriangleFan = 1,
    kPrimitive_TriangleList = 2
};

namespace Graphics
{

// Draw results.
constexpr int kDrawn = 0;
constexpr int kNothingToDraw = 1;
constexpr int kMissingInterface = -2;

struct sPrimitiveVertex
{
    float x;
    float y;
    float red;
    float green;
    float blue;
    float alpha;
    float u;
    float v;
};

class ICanvas
{
public:
    // The label "ICanvas", interned once.
    static Label InterfaceLabel();

    // Canvases are destroyed by whoever made them; the destructor is virtual so
    // that one reached through this interface is destroyed whole.
    virtual ~ICanvas() {}

    virtual Label GetKind() = 0;
    virtual Rect<int> const& GetBounds() = 0;
    // True, with the interface stored through out, when the canvas offers the
    // interface of that name; false, with out untouched, otherwise.
    virtual bool QueryInterface(Label name, void** out) = 0;
};

class ILineDrawingCanvas
{
public:
    static Label InterfaceLabel();

    virtual int DrawLine(float x0, float y0, float x1, float y1, sDrawState const& state) = 0;

protected:
    ~ILineDrawingCanvas() {}
};

class IPixelSettingCanvas
{
public:
    static Label InterfaceLabel();

    virtual int SetPixel(float x, float y, Color32 color) = 0;
    virtual Color32 GetPixel(float x, float y) = 0;

protected:
    ~IPixelSettingCanvas() {}
};

class IEllipseDrawingCanvas
{
public:
    static Label InterfaceLabel();

    virtual int DrawLineCircle(float cx, float cy, float radius, sDrawState const& state) = 0;
    virtual int DrawFilledCircle(float cx, float cy, float radius, sDrawState const& state) = 0;
    virtual int DrawLineEllipse(Rect<float> const& rect, sDrawState const& state) = 0;
    virtual int DrawFilledEllipse(Rect<float> const& rect, sDrawState const& state) = 0;

protected:
    ~IEllipseDrawingCanvas() {}
};

class IQuadDrawingCanvas
{
public:
    static Label InterfaceLabel();

    virtual int DrawFilledRect(Rect<int> const& rect, sDrawState const& state) = 0;
    virtual int DrawFilledRect(Rect<float> const& rect, sDrawState const& state) = 0;
    virtual int DrawImage(IImage const* image, float x, float y, sDrawState const& state) = 0;
    virtual int DrawStretchedImage(IImage const* image, Rect<int> const& dest, sDrawState const& state) = 0;
    // The image is centred on (x, y).
    virtual int DrawRotatedImage(IImage const* image, float x, float y, Angle angle, sDrawState const& state) = 0;
    // dest's x and y are the centre.
    virtual int DrawStretchedRotatedImage(IImage const* image, Rect<int> const& dest, Angle angle,
                                          sDrawState const& state) = 0;
    virtual int DrawPrimitive(PrimitiveKind kind, IImage const* image, int count,
                              sPrimitiveVertex const* vertices, sDrawState const& state) = 0;

protected:
    ~IQuadDrawingCanvas() {}
};

class IScreen
{
public:
    static Label InterfaceLabel();

    virtual int BeginFrame() = 0;
    virtual int EndFrame() = 0;
    virtual ~IScreen() {}
};

// Draws a whole text run; the facade asks for it before drawing glyph by glyph.
class ITextDrawingCanvas
{
public:
    static Label InterfaceLabel();

    virtual int DrawText(wchar_t const* text, float x, float y, sDrawState const& state) = 0;

protected:
    ~ITextDrawingCanvas() {}
};

// The canvas's interface I, or null when it offers none (or there is no canvas).
template <class I>
I* QueryCanvasInterface(ICanvas* canvas)
{
    if (!canvas)
        return nullptr;
    void* out = nullptr;
    if (!canvas->QueryInterface(I::InterfaceLabel(), &out))
        return nullptr;
    return static_cast<I*>(out);
}

} // namespace Graphics
} // namespace Corvane

#endif
