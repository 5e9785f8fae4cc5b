#include "2DEngine/Source/Platform/MacOSX/OpenGLScreenCanvas.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <vector>

#include <SDL2/SDL_opengl.h>

#include "2DEngine/Source/Framework/Platform.h"
#include "2DEngine/Source/Graphics/CircleVertices.h"
#include "2DEngine/Source/Graphics/Image.h"
#include "2DEngine/Source/Graphics/ReferenceDrawing.h"
#include "2DEngine/Source/Platform/MacOSX/OpenGLContextLayer.h"
#include "2DEngine/Source/Platform/MacOSX/OpenGLSubBuffer.h"
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
// Separate parts of the window repainted in one frame at most; more are merged.
constexpr std::size_t kMaxRepaintedParts = 16;
// Window pixels around a change that are repainted too: filtering and the
// rasteriser's rules reach that far past a primitive's vertices.
constexpr int kRepaintMargin = 2;
// What one more part costs besides its draws (setting it up, showing it, the
// rasteriser's partly covered tiles along its edges), and each draw of a batch
// in it, as the window pixels repainted in that time: on a software renderer
// a few large parts beat many narrow ones.
constexpr float kPartCostPixels = 6000.0f;
constexpr float kDrawCostPixels = 1500.0f;
// A picture of the layers beneath the changes is taken when the frames like
// the current one would win back its cost within this many frames.
constexpr int kBackdropPayBackFrames = 32;

// Window pixels repainted without clearing them first.
std::atomic<uint64_t> gPixelsUncleared(0);

// The depth buffer too while the depth test is on; not the colour when something opaque replaces it.
GLbitfield ClearedBuffers(bool colour = true)
{
    GLbitfield const buffers = glIsEnabled(GL_DEPTH_TEST) ? GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT : GL_COLOR_BUFFER_BIT;
    return colour ? buffers : buffers & ~GLbitfield(GL_COLOR_BUFFER_BIT);
}

void Clear(GLbitfield buffers)
{
    if (buffers != 0)
        glClear(buffers);
}

// Where the drawing goes: straight to OpenGL, or into the frame being kept.
class Emitter
{
public:
    explicit Emitter(OpenGLFrame* frame) : mFrame(frame) {}

    // The GL name of the texture, or 0 for none (or a texture of another renderer).
    unsigned int BindTexture(ITexture* texture)
    {
        OpenGLTexture* const glTexture = dynamic_cast<OpenGLTexture*>(texture);
        mTexture = glTexture ? glTexture->GetTextureID() : 0;
        mVersion = glTexture ? glTexture->GetVersion() : 0;
        // Reference drawing repaints by the quads' own bounds.
        mInk = glTexture && !Graphics::IsReferenceDrawing() ? &glTexture->GetInk() : nullptr;
        if (!mFrame)
            glBindTexture(GL_TEXTURE_2D, mTexture);
        return mTexture;
    }
    void Color(float r, float g, float b, float a)
    {
        if (mFrame)
            mFrame->Color(r, g, b, a);
        else
            glColor4f(r, g, b, a);
    }
    void Begin(GLenum mode)
    {
        if (mFrame)
            mFrame->Begin(mode, mTexture, mVersion, mInk);
        else
            glBegin(mode);
    }
    void TexCoord(float u, float v)
    {
        if (mFrame)
            mFrame->TexCoord(u, v);
        else
            glTexCoord2f(u, v);
    }
    void Vertex(float x, float y)
    {
        if (mFrame)
            mFrame->Vertex(x, y);
        else
            glVertex2f(x, y);
    }
    void End()
    {
        if (mFrame)
            mFrame->End();
        else
            glEnd();
    }

private:
    OpenGLFrame* mFrame;
    unsigned int mTexture = 0;
    uint64_t mVersion = 0;
    sTextureInk const* mInk = nullptr;
};

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

// Every image draw and every filled rectangle ends here.
int DrawTexturedQuad(Emitter& gl, ITexture* texture, sQuad const& quad, Rect<float> const& source,
                     sDrawState const& state)
{
    if (state.tint.a <= kInvisibleAlpha)
        return kNothingToDraw;

    float uL = 0.0f;
    float uR = 0.0f;
    float vT = 0.0f;
    float vB = 0.0f;
    bool const textured = gl.BindTexture(texture) != 0;
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

    gl.Color(state.tint.r, state.tint.g, state.tint.b, state.tint.a);
    gl.Begin(GL_TRIANGLE_STRIP);
    for (int i = 0; i < 4; ++i)
    {
        if (textured)
            gl.TexCoord(u[i], v[i]);
        gl.Vertex(quad.corner[i].x, quad.corner[i].y);
    }
    gl.End();
    return kDrawn;
}

// The four quadrants of a cached quarter circle, scaled per axis.
void EmitCircle(Emitter& gl, GLenum mode, float cx, float cy, float radius, float sx, float sy, ColorF const& color)
{
    Internal::CircleVerticesCacheF::VertexList const& list = Internal::GetCircleVerticesCacheF().GetCachedVertices(radius);
    gl.BindTexture(nullptr);
    gl.Color(color.r, color.g, color.b, color.a);
    gl.Begin(mode);
    for (Vector2<float> const& p : list)
        gl.Vertex(cx + p.x * sx, cy + p.y * sy);
    for (Vector2<float> const& p : list)
        gl.Vertex(cx - p.y * sx, cy + p.x * sy);
    for (Vector2<float> const& p : list)
        gl.Vertex(cx - p.x * sx, cy - p.y * sy);
    for (Vector2<float> const& p : list)
        gl.Vertex(cx + p.y * sx, cy - p.x * sy);
    gl.End();
}

int DrawEllipse(Emitter& gl, GLenum mode, Rect<float> const& rect, sDrawState const& state)
{
    float const difference = rect.width - rect.height;
    if (!std::isfinite(difference))
        return kNothingToDraw;
    if (std::trunc(difference) == 0.0f)
    {
        float const radius = rect.width * 0.5f;
        if (state.color.a <= kInvisibleAlpha)
            return kNothingToDraw;
        EmitCircle(gl, mode, rect.x + radius, rect.y + radius, radius, 1.0f, 1.0f, state.color);
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
    EmitCircle(gl, mode, rect.x + rect.width * 0.5f, rect.y + rect.height * 0.5f,
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
    mKeeping = KeepsFrames();
    // Every vertex lies at the same depth, so the depth test passes every
    // fragment and only costs the rasteriser a read and a write per pixel.
    if (Graphics::IsReferenceDrawing())
        glEnable(GL_DEPTH_TEST);
    else
        glDisable(GL_DEPTH_TEST);
    if (mKeeping)
    {
        mFrame.Clear();
    }
    else
    {
        // A whole frame drawn between kept ones goes on screen by a swap: what
        // the back buffer then holds is not the kept frame.
        mShownValid = false;
        glClear(ClearedBuffers());
    }
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

void OpenGLScreenCanvas::SetRetained(bool retained)
{
    mBackdrop.Forget();
    mRetained = retained;
    mKeeping = false;
    mFrame.Clear();
    mShown.Clear();
    mShownValid = false;
}

bool OpenGLScreenCanvas::KeepsFrames() const
{
    return mRetained && !Graphics::IsReferenceDrawing();
}

bool OpenGLScreenCanvas::PresentFrame()
{
    if (!mKeeping)
        return true;

    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    bool const moved = !std::equal(viewport, viewport + 4, mShownViewport);
    bool const lost = MacOSX::GLLayer::TakeScreenInvalidated();
    bool const inPlace = MacOSX::GLLayer::CanCopySubBuffer();

    bool swap = false;
    if (!mShownValid || moved || lost)
    {
        RepaintWhole(viewport);
        swap = !inPlace;
    }
    else
    {
        std::vector<Rect<float>> const parts = mFrame.Difference(mShown, RepaintCosts(viewport));
        if (!parts.empty() && !inPlace)
        {
            // After a swap the back buffer holds nothing known: all of it is drawn.
            RepaintWhole(viewport);
            swap = true;
        }
        else if (!parts.empty())
        {
            std::size_t const beneath = mBackdrop.Observe(mFrame.FirstDifference(mShown));
            if (beneath > 0 && BackdropPaysFor(beneath, parts))
                RepaintWholeOverBackdrop(beneath, parts, viewport);
            else
                RepaintParts(parts, viewport);
        }
    }

    mShown.Swap(mFrame);
    mShownValid = true;
    std::copy(viewport, viewport + 4, mShownViewport);
    return swap;
}

void OpenGLScreenCanvas::RepaintWhole(int const viewport[4])
{
    mBackdrop.Forget();
    MacOSX::GLLayer::ClearWholeDrawable();
    bool const unitPixels = UnitPixels(viewport);
    std::size_t first = 0;
    bool const covered = mFrame.FindCover(Rect<float>(mBounds), 0, SIZE_MAX, unitPixels, &first);
    ClearUnlessCovered(covered, viewport);
    mFrame.Replay(nullptr, first, SIZE_MAX, unitPixels);
    if (MacOSX::GLLayer::CanCopySubBuffer())
    {
        int width = 0;
        int height = 0;
        MacOSX::GLLayer::GetDrawableSize(&width, &height);
        MacOSX::GLLayer::CopySubBuffer(0, 0, width, height);
    }
}

void OpenGLScreenCanvas::ClearUnlessCovered(bool covered, int const viewport[4])
{
    // Beside a picture that does not fill the window, with no clip to have cleared them, the
    // bars are cleared by this clear alone.
    int width = 0;
    int height = 0;
    MacOSX::GLLayer::GetDrawableSize(&width, &height);
    bool const fills = viewport[0] <= 0 && viewport[1] <= 0 && viewport[0] + viewport[2] >= width &&
                       viewport[1] + viewport[3] >= height;
    covered = covered && (fills || glIsEnabled(GL_SCISSOR_TEST));
    Clear(ClearedBuffers(!covered));
    if (covered)
        gPixelsUncleared += uint64_t(std::max(viewport[2], 0)) * uint64_t(std::max(viewport[3], 0));
}

bool OpenGLScreenCanvas::UnitPixels(int const viewport[4]) const
{
    return viewport[2] == mBounds.width && viewport[3] == mBounds.height;
}

bool OpenGLScreenCanvas::BackdropPaysFor(std::size_t beneath, std::vector<Rect<float>> const& parts) const
{
    // Taking the picture costs a whole repaint; each later frame like this one
    // is spared the layers beneath its parts, less the copy of the picture.
    std::vector<Rect<float>> const window(1, Rect<float>(mBounds));
    float const whole = mFrame.CoveredArea(0, SIZE_MAX, window);
    float partsArea = 0.0f;
    for (Rect<float> const& part : parts)
        partsArea += part.width * part.height;
    float const spared = mFrame.CoveredArea(0, beneath, parts) - partsArea;
    return spared * float(kBackdropPayBackFrames) >= whole;
}

void OpenGLScreenCanvas::RepaintWholeOverBackdrop(std::size_t beneath, std::vector<Rect<float>> const& parts,
                                                  int const viewport[4])
{
    int width = 0;
    int height = 0;
    MacOSX::GLLayer::GetDrawableSize(&width, &height);
    MacOSX::GLLayer::ClearWholeDrawable();
    bool const unitPixels = UnitPixels(viewport);
    std::size_t first = 0;
    bool const covered = mFrame.FindCover(Rect<float>(mBounds), 0, beneath, unitPixels, &first);
    ClearUnlessCovered(covered, viewport);
    mFrame.Replay(nullptr, first, beneath, unitPixels);
    mBackdrop.Capture(beneath, width, height);
    mFrame.Replay(nullptr, beneath, SIZE_MAX, unitPixels);
    // The back buffer holds the whole frame; only the changed parts need showing.
    for (Rect<float> const& part : parts)
    {
        int box[4] = {0, 0, 0, 0};
        if (PartInWindow(part, viewport, box))
            MacOSX::GLLayer::CopySubBuffer(box[0], box[1], box[2], box[3]);
    }
}

sRepaintCosts OpenGLScreenCanvas::RepaintCosts(int const viewport[4]) const
{
    float const scaleX = mBounds.width > 0 ? float(viewport[2]) / float(mBounds.width) : 1.0f;
    float const scaleY = mBounds.height > 0 ? float(viewport[3]) / float(mBounds.height) : 1.0f;
    float const pixelArea = std::max(scaleX * scaleY, 1e-6f);
    sRepaintCosts costs;
    costs.margin = float(kRepaintMargin) / std::max(std::min(scaleX, scaleY), 0.001f);
    costs.part = kPartCostPixels / pixelArea;
    costs.draw = kDrawCostPixels / pixelArea;
    costs.maxParts = kMaxRepaintedParts;
    return costs;
}

bool OpenGLScreenCanvas::PartInWindow(Rect<float> const& part, int const viewport[4], int box[4]) const
{
    if (mBounds.width <= 0 || mBounds.height <= 0)
        return false;
    float const scaleX = float(viewport[2]) / float(mBounds.width);
    float const scaleY = float(viewport[3]) / float(mBounds.height);
    // In window pixels, rows counted from the bottom as OpenGL counts them.
    int left = int(std::floor(float(viewport[0]) + part.x * scaleX));
    int right = int(std::ceil(float(viewport[0]) + (part.x + part.width) * scaleX));
    int bottom = int(std::floor(float(viewport[1]) + (float(mBounds.height) - part.y - part.height) * scaleY));
    int top = int(std::ceil(float(viewport[1]) + (float(mBounds.height) - part.y) * scaleY));

    int clipX = 0;
    int clipY = 0;
    int clipWidth = 0;
    int clipHeight = 0;
    if (MacOSX::GLLayer::GetClipRect(&clipX, &clipY, &clipWidth, &clipHeight))
    {
        left = std::max(left, clipX);
        bottom = std::max(bottom, clipY);
        right = std::min(right, clipX + clipWidth);
        top = std::min(top, clipY + clipHeight);
    }
    int drawableWidth = 0;
    int drawableHeight = 0;
    MacOSX::GLLayer::GetDrawableSize(&drawableWidth, &drawableHeight);
    left = std::max(left, 0);
    bottom = std::max(bottom, 0);
    right = std::min(right, drawableWidth);
    top = std::min(top, drawableHeight);
    if (right <= left || top <= bottom)
        return false;
    box[0] = left;
    box[1] = bottom;
    box[2] = right - left;
    box[3] = top - bottom;
    return true;
}

void OpenGLScreenCanvas::RepaintParts(std::vector<Rect<float>> const& parts, int const viewport[4])
{
    // Each showing waits for the rasteriser to finish: all parts are drawn first.
    std::vector<std::array<int, 4>> shown;
    for (Rect<float> const& part : parts)
    {
        std::array<int, 4> box = {0, 0, 0, 0};
        if (PartInWindow(part, viewport, box.data()))
        {
            RepaintPart(part, viewport, box.data());
            shown.push_back(box);
        }
    }
    MacOSX::GLLayer::RestoreClipRect();
    for (std::array<int, 4> const& box : shown)
        MacOSX::GLLayer::CopySubBuffer(box[0], box[1], box[2], box[3]);
}

void OpenGLScreenCanvas::RepaintPart(Rect<float> const& part, int const viewport[4], int const box[4])
{
    glScissor(box[0], box[1], box[2], box[3]);
    glEnable(GL_SCISSOR_TEST);
    float const scaleX = float(viewport[2]) / float(mBounds.width);
    float const scaleY = float(viewport[3]) / float(mBounds.height);
    bool const unitPixels = UnitPixels(viewport);
    std::size_t const beneath = mBackdrop.GetCount();
    // The box in the frame's coordinates: an opaque batch over all of it hides every batch before
    // it there, the picture of the layers beneath included.
    Rect<float> const boxInFrame(float(box[0] - viewport[0]) / scaleX,
                                 float(mBounds.height) - float(box[1] + box[3] - viewport[1]) / scaleY,
                                 float(box[2]) / scaleX, float(box[3]) / scaleY);
    std::size_t first = beneath;
    bool const covered = mFrame.FindCover(boxInFrame, beneath, SIZE_MAX, unitPixels, &first);
    // What replaces every pixel of the box makes clearing their colour first (a pass over the
    // box, as a software renderer clears part of the window) wasted work.
    bool const replaced = covered || beneath > 0;
    Clear(ClearedBuffers(!replaced));
    if (replaced)
        gPixelsUncleared += uint64_t(box[2]) * uint64_t(box[3]);
    if (beneath > 0 && !covered)
        mBackdrop.Draw(box[0], box[1], box[2], box[3]);
    // Whatever can reach a pixel of the repainted rectangle meets this area.
    float const reachX = float(kRepaintMargin + 2) / std::max(scaleX, 0.001f);
    float const reachY = float(kRepaintMargin + 2) / std::max(scaleY, 0.001f);
    Rect<float> const area(part.x - reachX, part.y - reachY, part.width + 2.0f * reachX, part.height + 2.0f * reachY);
    mFrame.Replay(&area, first, SIZE_MAX, unitPixels);
}

uint64_t OpenGLScreenCanvas::PixelsRepaintedUncleared()
{
    return gPixelsUncleared.load();
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
    Emitter gl(Recording());
    gl.BindTexture(nullptr);
    gl.Color(state.color.r, state.color.g, state.color.b, state.color.a);
    // A line through pixel edges lands on either neighbour, whichever the driver
    // picks: through the centres of the pixels that hold its end points it lands
    // on those pixels, as the software canvas draws it.
    auto const centre = [](float value) { return std::floor(value) + 0.5f; };
    gl.Begin(GL_LINES);
    gl.Vertex(centre(x0), centre(y0));
    gl.Vertex(centre(x1), centre(y1));
    gl.End();
    return kDrawn;
}

int OpenGLScreenCanvas::DrawLineCircle(float cx, float cy, float radius, sDrawState const& state)
{
    if (state.color.a <= kInvisibleAlpha)
        return kNothingToDraw;
    Emitter gl(Recording());
    EmitCircle(gl, GL_LINE_LOOP, cx, cy, radius, 1.0f, 1.0f, state.color);
    return kDrawn;
}

int OpenGLScreenCanvas::DrawFilledCircle(float cx, float cy, float radius, sDrawState const& state)
{
    if (state.color.a <= kInvisibleAlpha)
        return kNothingToDraw;
    Emitter gl(Recording());
    EmitCircle(gl, GL_POLYGON, cx, cy, radius, 1.0f, 1.0f, state.color);
    return kDrawn;
}

int OpenGLScreenCanvas::DrawLineEllipse(Rect<float> const& rect, sDrawState const& state)
{
    Emitter gl(Recording());
    return DrawEllipse(gl, GL_LINE_LOOP, rect, state);
}

int OpenGLScreenCanvas::DrawFilledEllipse(Rect<float> const& rect, sDrawState const& state)
{
    Emitter gl(Recording());
    return DrawEllipse(gl, GL_POLYGON, rect, state);
}

int OpenGLScreenCanvas::DrawFilledRect(Rect<int> const& rect, sDrawState const& state)
{
    return DrawFilledRect(Rect<float>(rect), state);
}

int OpenGLScreenCanvas::DrawFilledRect(Rect<float> const& rect, sDrawState const& state)
{
    sDrawState fill = state;
    fill.tint = state.color;
    Emitter gl(Recording());
    return DrawTexturedQuad(gl, nullptr, AxisAlignedQuad(rect), Rect<float>(), fill);
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
    Emitter gl(Recording());
    return DrawTexturedQuad(gl, GetTextureOfImage(image), AxisAlignedQuad(visible), source, state);
}

int OpenGLScreenCanvas::DrawStretchedImage(IImage const* image, Rect<int> const& dest, sDrawState const& state)
{
    if (!image)
        return kNothingToDraw;
    Rect<float> const source = GetSourceRect(image, state);
    if (source.width < 1.0f && source.height < 1.0f)
        return kNothingToDraw;
    Emitter gl(Recording());
    return DrawTexturedQuad(gl, GetTextureOfImage(image), AxisAlignedQuad(Rect<float>(dest)), source, state);
}

int OpenGLScreenCanvas::DrawRotatedImage(IImage const* image, float x, float y, Angle angle, sDrawState const& state)
{
    if (!image)
        return kNothingToDraw;
    Rect<float> const source = GetSourceRect(image, state);
    if (source.width < 1.0f && source.height < 1.0f)
        return kNothingToDraw;
    if (!angle.IsEquivalent(Angle(0.0f)))
    {
        Emitter gl(Recording());
        return DrawTexturedQuad(gl, GetTextureOfImage(image), RotatedQuad(x, y, source.width, source.height, angle),
                                source, state);
    }
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
    {
        Emitter gl(Recording());
        return DrawTexturedQuad(gl, GetTextureOfImage(image),
                                RotatedQuad(float(dest.x), float(dest.y), float(dest.width), float(dest.height), angle),
                                source, state);
    }
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
    Emitter gl(Recording());
    bool const textured = gl.BindTexture(texture) != 0;
    float maxU = 1.0f;
    float maxV = 1.0f;
    if (textured)
    {
        maxU = texture->GetDescriptor().maxU;
        maxV = texture->GetDescriptor().maxV;
    }
    gl.Begin(mode);
    for (int i = 0; i < count; ++i)
    {
        Graphics::sPrimitiveVertex const& vertex = vertices[i];
        gl.Color(vertex.red, vertex.green, vertex.blue, vertex.alpha);
        gl.TexCoord(vertex.u * maxU, vertex.v * maxV);
        gl.Vertex(vertex.x, vertex.y);
    }
    gl.End();
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
