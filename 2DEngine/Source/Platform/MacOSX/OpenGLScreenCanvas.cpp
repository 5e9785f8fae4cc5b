#include "2DEngine/Source/Platform/MacOSX/OpenGLScreenCanvas.h"

#include <algorithm>
#include <cmath>

#include <SDL2/SDL_opengl.h>

#include "2DEngine/Source/Framework/Platform.h"
#include "2DEngine/Source/Graphics/CircleVertices.h"
#include "2DEngine/Source/Graphics/Image.h"
#include "2DEngine/Source/Platform/MacOSX/OpenGLTexture.h"

namespace Corvane
{

using Graphics::kDrawn;
using Graphics::kNothingToDraw;
using Graphics::sDrawState;

namespace
{

// Alpha at or below this draws nothing.
constexpr float kInvisibleAlpha = 0.001f;

// Corners in strip order: top-left, bottom-left, top-right, bottom-right.
struct sQuad
{
    Vector2<float> corner[4];
};

sQuad AxisAlignedQuad(Rect<float> const& r)
{
    sQuad quad;
    quad.corner[0] = Vector2<float>(r.x, r.y);
    quad.corner[1] = Vector2<float>(r.x, r.y + r.height);
    quad.corner[2] = Vector2<float>(r.x + r.width, r.y);
    quad.corner[3] = Vector2<float>(r.x + r.width, r.y + r.height);
    return quad;
}

sQuad RotatedQuad(float cx, float cy, float width, float height, Angle angle)
{
    float const c = std::cos(angle.GetRadians());
    float const s = std::sin(angle.GetRadians());
    float const hw = width * 0.5f;
    float const hh = height * 0.5f;
    float const local[4][2] = {{-hw, -hh}, {-hw, hh}, {hw, -hh}, {hw, hh}};
    sQuad quad;
    for (int i = 0; i < 4; ++i)
    {
        float const x = local[i][0];
        float const y = local[i][1];
        quad.corner[i] = Vector2<float>(x * c - y * s + cx, x * s + y * c + cy);
    }
    return quad;
}

// The part of the image to draw, in image pixels.
Rect<float> GetSourceRect(IImage const* image, sDrawState const& state)
{
    if (state.flags & Graphics::DRAW_FLAG_SOURCE_RECT)
        return Rect<float>(state.sourceRect);
    return Rect<float>(0.0f, 0.0f, float(image->GetWidth()), float(image->GetHeight()));
}

// The GL name of the texture, or 0 for none (or a texture of another renderer).
unsigned int BindTexture(ITexture* texture)
{
    OpenGLTexture* const glTexture = dynamic_cast<OpenGLTexture*>(texture);
    unsigned int const name = glTexture ? glTexture->GetTextureID() : 0;
    glBindTexture(GL_TEXTURE_2D, name);
    return name;
}

// Every image draw and every filled rectangle ends here.
int DrawTexturedQuad(ITexture* texture, sQuad const& quad, Rect<float> const& source, sDrawState const& state)
{
    if (state.tint.a <= kInvisibleAlpha)
        return kNothingToDraw;

    float uL = 0.0f;
    float uR = 0.0f;
    float vT = 0.0f;
    float vB = 0.0f;
    bool const textured = BindTexture(texture) != 0;
    if (textured)
    {
        sTextureDescriptor const& d = texture->GetDescriptor();
        float const uPerPixel = d.width > 0 ? d.maxU / float(d.width) : 0.0f;
        float const vPerPixel = d.height > 0 ? d.maxV / float(d.height) : 0.0f;
        uL = source.x * uPerPixel;
        vT = source.y * vPerPixel;
        uR = uL + source.width * uPerPixel;
        vB = vT + source.height * vPerPixel;
        if (state.flags & Graphics::DRAW_FLAG_FLIP_H)
            std::swap(uL, uR);
        if (state.flags & Graphics::DRAW_FLAG_FLIP_V)
            std::swap(vT, vB);
    }
    float const u[4] = {uL, uL, uR, uR};
    float const v[4] = {vT, vB, vT, vB};

    glColor4f(state.tint.r, state.tint.g, state.tint.b, state.tint.a);
    glBegin(GL_TRIANGLE_STRIP);
    for (int i = 0; i < 4; ++i)
    {
        if (textured)
            glTexCoord2f(u[i], v[i]);
        glVertex2f(quad.corner[i].x, quad.corner[i].y);
    }
    glEnd();
    return kDrawn;
}

// The four quadrants of a cached quarter circle, scaled per axis.
void EmitCircle(GLenum mode, float cx, float cy, float radius, float sx, float sy, ColorF const& color)
{
    Internal::CircleVerticesCacheF::VertexList const& list = Internal::GetCircleVerticesCacheF().GetCachedVertices(radius);
    glBindTexture(GL_TEXTURE_2D, 0);
    glColor4f(color.r, color.g, color.b, color.a);
    glBegin(mode);
    for (Vector2<float> const& p : list)
        glVertex2f(cx + p.x * sx, cy + p.y * sy);
    for (Vector2<float> const& p : list)
        glVertex2f(cx - p.y * sx, cy + p.x * sy);
    for (Vector2<float> const& p : list)
        glVertex2f(cx - p.x * sx, cy - p.y * sy);
    for (Vector2<float> const& p : list)
        glVertex2f(cx + p.y * sx, cy - p.x * sy);
    glEnd();
}

int DrawEllipse(GLenum mode, Rect<float> const& rect, sDrawState const& state)
{
    float const difference = rect.width - rect.height;
    if (!std::isfinite(difference))
        return kNothingToDraw;
    if (std::trunc(difference) == 0.0f)
    {
        float const radius = rect.width * 0.5f;
        if (state.color.a <= kInvisibleAlpha)
            return kNothingToDraw;
        EmitCircle(mode, rect.x + radius, rect.y + radius, radius, 1.0f, 1.0f, state.color);
        return kDrawn;
    }
    if (state.color.a <= kInvisibleAlpha)
        return kNothingToDraw;
    float sx = 1.0f;
    float sy = 1.0f;
    if (rect.height >= rect.width)
        sx = rect.width / rect.height;
    else
        sy = rect.height / rect.width;
    EmitCircle(mode, rect.x + rect.width * 0.5f, rect.y + rect.height * 0.5f,
               std::max(rect.width, rect.height) * 0.5f, sx, sy, state.color);
    return kDrawn;
}

} // namespace

OpenGLScreenCanvas::OpenGLScreenCanvas(Rect<int> const& bounds) : mBounds(bounds)
{
}

OpenGLScreenCanvas::~OpenGLScreenCanvas()
{
}

int OpenGLScreenCanvas::BeginFrame()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, double(mBounds.width), double(mBounds.height), 0.0, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    return 0;
}

int OpenGLScreenCanvas::EndFrame()
{
    return 0;
}

Label OpenGLScreenCanvas::GetKind()
{
    static Label const kind = Label::GetUniqueString("OpenGLScreenCanvas");
    return kind;
}

bool OpenGLScreenCanvas::QueryInterface(Label name, void** out)
{
    if (name == Graphics::IQuadDrawingCanvas::InterfaceLabel())
        *out = static_cast<Graphics::IQuadDrawingCanvas*>(this);
    else if (name == Graphics::IEllipseDrawingCanvas::InterfaceLabel())
        *out = static_cast<Graphics::IEllipseDrawingCanvas*>(this);
    else if (name == Graphics::ILineDrawingCanvas::InterfaceLabel())
        *out = static_cast<Graphics::ILineDrawingCanvas*>(this);
    else if (name == Graphics::ICanvas::InterfaceLabel())
        *out = static_cast<Graphics::ICanvas*>(this);
    else if (name == Graphics::IScreen::InterfaceLabel())
        *out = static_cast<Graphics::IScreen*>(this);
    else
        return false;
    return true;
}

int OpenGLScreenCanvas::DrawLine(float x0, float y0, float x1, float y1, sDrawState const& state)
{
    if (state.color.a <= kInvisibleAlpha)
        return kNothingToDraw;
    glBindTexture(GL_TEXTURE_2D, 0);
    glColor4f(state.color.r, state.color.g, state.color.b, state.color.a);
    glBegin(GL_LINES);
    glVertex2f(x0, y0);
    glVertex2f(x1, y1);
    glEnd();
    return kDrawn;
}

int OpenGLScreenCanvas::DrawLineCircle(float cx, float cy, float radius, sDrawState const& state)
{
    if (state.color.a <= kInvisibleAlpha)
        return kNothingToDraw;
    EmitCircle(GL_LINE_LOOP, cx, cy, radius, 1.0f, 1.0f, state.color);
    return kDrawn;
}

int OpenGLScreenCanvas::DrawFilledCircle(float cx, float cy, float radius, sDrawState const& state)
{
    if (state.color.a <= kInvisibleAlpha)
        return kNothingToDraw;
    EmitCircle(GL_POLYGON, cx, cy, radius, 1.0f, 1.0f, state.color);
    return kDrawn;
}

int OpenGLScreenCanvas::DrawLineEllipse(Rect<float> const& rect, sDrawState const& state)
{
    return DrawEllipse(GL_LINE_LOOP, rect, state);
}

int OpenGLScreenCanvas::DrawFilledEllipse(Rect<float> const& rect, sDrawState const& state)
{
    return DrawEllipse(GL_POLYGON, rect, state);
}

int OpenGLScreenCanvas::DrawFilledRect(Rect<int> const& rect, sDrawState const& state)
{
    return DrawFilledRect(Rect<float>(rect), state);
}

int OpenGLScreenCanvas::DrawFilledRect(Rect<float> const& rect, sDrawState const& state)
{
    sDrawState fill = state;
    fill.tint = state.color;
    return DrawTexturedQuad(nullptr, AxisAlignedQuad(rect), Rect<float>(), fill);
}

int OpenGLScreenCanvas::DrawImage(IImage const* image, float x, float y, sDrawState const& state)
{
    if (!image)
        return kNothingToDraw;
    Rect<float> source = GetSourceRect(image, state);
    Rect<float> const dest(x, y, source.width, source.height);
    Rect<float> const visible = dest.getIntersection(Rect<float>(state.clip));
    if (visible.width <= 0.0f && visible.height <= 0.0f)
        return kNothingToDraw;
    // A mirrored image shows its far side at the near edge, so the cut comes
    // off the other side of the source.
    if (state.flags & Graphics::DRAW_FLAG_FLIP_H)
        source.x += dest.getRight() - visible.getRight();
    else
        source.x += visible.x - dest.x;
    if (state.flags & Graphics::DRAW_FLAG_FLIP_V)
        source.y += dest.getBottom() - visible.getBottom();
    else
        source.y += visible.y - dest.y;
    source.width = visible.width;
    source.height = visible.height;
    return DrawTexturedQuad(GetTextureOfImage(image), AxisAlignedQuad(visible), source, state);
}

int OpenGLScreenCanvas::DrawStretchedImage(IImage const* image, Rect<int> const& dest, sDrawState const& state)
{
    if (!image)
        return kNothingToDraw;
    Rect<float> const source = GetSourceRect(image, state);
    if (source.width < 1.0f && source.height < 1.0f)
        return kNothingToDraw;
    return DrawTexturedQuad(GetTextureOfImage(image), AxisAlignedQuad(Rect<float>(dest)), source, state);
}

int OpenGLScreenCanvas::DrawRotatedImage(IImage const* image, float x, float y, Angle angle, sDrawState const& state)
{
    if (!image)
        return kNothingToDraw;
    Rect<float> const source = GetSourceRect(image, state);
    if (source.width < 1.0f && source.height < 1.0f)
        return kNothingToDraw;
    if (!angle.IsEquivalent(Angle(0.0f)))
        return DrawTexturedQuad(GetTextureOfImage(image), RotatedQuad(x, y, source.width, source.height, angle),
                                source, state);
    return DrawImage(image, x - source.width * 0.5f, y - source.height * 0.5f, state);
}

int OpenGLScreenCanvas::DrawStretchedRotatedImage(IImage const* image, Rect<int> const& dest, Angle angle,
                                                  sDrawState const& state)
{
    if (!image)
        return kNothingToDraw;
    Rect<float> const source = GetSourceRect(image, state);
    if (source.width < 1.0f && source.height < 1.0f)
        return kNothingToDraw;
    if (!angle.IsEquivalent(Angle(0.0f)))
        return DrawTexturedQuad(GetTextureOfImage(image),
                                RotatedQuad(float(dest.x), float(dest.y), float(dest.width), float(dest.height), angle),
                                source, state);
    return DrawStretchedImage(image, Rect<int>(dest.x - dest.width / 2, dest.y - dest.height / 2, dest.width, dest.height),
                              state);
}

int OpenGLScreenCanvas::DrawPrimitive(PrimitiveKind kind, IImage const* image, int count,
                                      Graphics::sPrimitiveVertex const* vertices, sDrawState const&)
{
    GLenum mode = GL_TRIANGLES;
    switch (kind)
    {
    case kPrimitive_TriangleStrip:
        mode = GL_TRIANGLE_STRIP;
        break;
    case kPrimitive_TriangleFan:
        mode = GL_TRIANGLE_FAN;
        break;
    case kPrimitive_TriangleList:
        mode = GL_TRIANGLES;
        break;
    default:
        return kNothingToDraw;
    }
    if (!vertices || count <= 0)
        return kNothingToDraw;

    ITexture* const texture = GetTextureOfImage(image);
    bool const textured = BindTexture(texture) != 0;
    float maxU = 1.0f;
    float maxV = 1.0f;
    if (textured)
    {
        maxU = texture->GetDescriptor().maxU;
        maxV = texture->GetDescriptor().maxV;
    }
    glBegin(mode);
    for (int i = 0; i < count; ++i)
    {
        Graphics::sPrimitiveVertex const& vertex = vertices[i];
        glColor4f(vertex.red, vertex.green, vertex.blue, vertex.alpha);
        glTexCoord2f(vertex.u * maxU, vertex.v * maxV);
        glVertex2f(vertex.x, vertex.y);
    }
    glEnd();
    return kDrawn;
}

ITexture* OpenGLScreenCanvas::GetTextureOfImage(IImage const* image)
{
    if (!image)
        return nullptr;
    if (ITexture* const texture = image->GetTexture())
        return texture;
    Image const* const pixelImage = dynamic_cast<Image const*>(image);
    IGraphicsPlatform* const platform = GetGraphicsPlatform();
    if (!pixelImage || !platform)
        return nullptr;
    ITexture* const created = platform->CreateTexture(pixelImage, nullptr);
    if (!created)
        return nullptr;
    // The image keeps the texture alive from here on and releases it when it
    // is destroyed; the creator's reference is not needed.
    ITexture* const attached = image->GetTexture();
    created->Release();
    return attached;
}

} // namespace Corvane
