#ifndef CORVANE_FRAMEWORK_ROLES_H
#define CORVANE_FRAMEWORK_ROLES_H

// The abilities an object may have, as small interfaces found on an object by a
// cross cast, and the components that store each ability's value.

#include "2DEngine/Source/Framework/Platform.h"
#include "2DEngine/Source/Framework/ReferenceFrame.h"
#include "Core/Source/Angle.h"
#include "Core/Source/Color.h"
#include "Core/Source/Rect.h"
#include "Core/Source/Vector2.h"

#include <cstdint>
#include <string>

namespace Corvane
{

class Font;

// Defined with the draw state; declared here with their storage so that roles do not
// depend on the graphics library. Value 0 is the default of each.
enum TextMode : std::int32_t;
enum HAlignment : std::int32_t;
enum VAlignment : std::int32_t;

// The answer of an input handler.
typedef int MessageResult;
const MessageResult kMessageNotHandled = 0;
const MessageResult kMessageHandled = 1;

class ILocation
{
public:
    virtual Vector2<float> const& GetLocation() const = 0;
    virtual void SetLocation(Vector2<float> const& location) = 0;
};

class IScreenLocation
{
public:
    virtual Vector2<float> GetScreenLocation() const = 0;
};

class IBounds : public ILocation
{
public:
    virtual Rect<float> const& GetBounds() const = 0;
    virtual void SetBounds(Rect<float> const& bounds) = 0;
    virtual bool BoundsContains(float x, float y) const = 0;
};

class IAlpha
{
public:
    virtual float GetAlpha() const = 0;
    virtual void SetAlpha(float alpha) = 0;
};

class IColor : public IAlpha
{
public:
    virtual ColorF const& GetColor() const = 0;
    virtual void SetColor(ColorF const& color) = 0;
};

class IVisible
{
public:
    virtual bool IsVisible() const = 0;
    virtual void SetVisible(bool visible) = 0;
};

class IEnable
{
public:
    virtual bool IsEnabled() const = 0;
    virtual void Enable(bool enable) = 0;
};

class IScale
{
public:
    virtual Vector2<float> const& GetScale() const = 0;
    virtual void SetScale(Vector2<float> const& scale) = 0;
    virtual void SetScale(float x, float y) = 0;
    virtual void SetScale(float scale) = 0;
};

// Larger layers are drawn later (on top) and receive input first.
class IDrawable
{
public:
    virtual float GetLayer() const = 0;
    virtual void SetLayer(float layer) = 0;
    virtual void Draw() = 0;
};

class IAlignment
{
public:
    virtual ~IAlignment() {}
    virtual HAlignment GetHAlignment() const = 0;
    virtual void SetHAlignment(HAlignment alignment) = 0;
    virtual VAlignment GetVAlignment() const = 0;
    virtual void SetVAlignment(VAlignment alignment) = 0;
};

class IFlipState
{
public:
    virtual ~IFlipState() {}
    virtual unsigned long GetFlipState() const = 0;
    virtual void SetFlipState(unsigned long flipState) = 0;
};

// No component: an object offers it by implementing both operations itself.
class IOrientation
{
public:
    virtual Angle GetOrientation() const = 0;
    virtual void SetOrientation(Angle orientation) = 0;
};

class IText
{
public:
    virtual ~IText() {}
    virtual std::wstring const& GetText() const = 0;
    virtual void SetText(std::wstring const& text) = 0;
};

class IFontComponent
{
public:
    virtual bool HasFont() const = 0;
    virtual Font const* GetFont() const = 0;
    virtual void SetFont(Font const* font) = 0;
};

class ITextModeComponent
{
public:
    virtual TextMode GetTextMode() const = 0;
    virtual void SetTextMode(TextMode mode) = 0;
};

// Key codes are the engine's; mouse points are screen pixels.
class IInputHandler
{
public:
    virtual ~IInputHandler() {}
    virtual MessageResult OnKeyDown(int key) = 0;
    virtual MessageResult OnKeyUp(int key) = 0;
    virtual MessageResult OnTextInput(std::wstring const& text) = 0;
    virtual MessageResult OnMouseMove(int x, int y) = 0;
    virtual MessageResult OnMouseDown(MouseButton button, int x, int y) = 0;
    virtual MessageResult OnMouseUp(MouseButton button, int x, int y) = 0;
    virtual MessageResult OnMouseWheel(float delta, int x, int y) = 0;
    virtual bool CanFocus() const = 0;
};

class LocationComponent : public ILocation, public IScreenLocation
{
public:
    LocationComponent() : mLocation(0.0f, 0.0f), mFrame(nullptr) {}
    virtual ~LocationComponent() {}

    Vector2<float> const& GetLocation() const override { return mLocation; }
    void SetLocation(Vector2<float> const& location) override { mLocation = location; }
    // The location converted from the component's frame to the screen.
    Vector2<float> GetScreenLocation() const override
    {
        return ReferenceFrame::Convert(mLocation, mFrame, nullptr);
    }

    ReferenceFrame const* GetReferenceFrame() const { return mFrame; }
    // Not owned.
    void SetReferenceFrame(ReferenceFrame const* frame) { mFrame = frame; }

private:
    Vector2<float> mLocation;
    ReferenceFrame const* mFrame;
};

// Every change of the bounds goes through the virtual SetBounds, so an object that
// overrides it sees moves and resizes too.
class BoundsComponent : public IBounds
{
public:
    BoundsComponent() : mBounds(0.0f, 0.0f, 0.0f, 0.0f), mLocation(0.0f, 0.0f) {}
    BoundsComponent(float x, float y, float width, float height)
        : mBounds(x, y, width, height), mLocation(x, y)
    {
    }
    virtual ~BoundsComponent() {}

    // The top-left corner of the bounds.
    Vector2<float> const& GetLocation() const override;
    void SetLocation(Vector2<float> const& location) override;
    Rect<float> const& GetBounds() const override { return mBounds; }
    void SetBounds(Rect<float> const& bounds) override { mBounds = bounds; }
    // The left and top edges are inside, the right and bottom edges outside.
    bool BoundsContains(float x, float y) const override;

    void SetLocation(float x, float y);
    void SetWidth(float width);
    void SetHeight(float height);

private:
    Rect<float> mBounds;
    // The corner handed out by reference from GetLocation.
    mutable Vector2<float> mLocation;
};

// The alpha is the colour's own alpha component.
class ColorComponent : public IColor
{
public:
    ColorComponent() : mColor(1.0f, 1.0f, 1.0f, 1.0f) {}
    virtual ~ColorComponent() {}

    float GetAlpha() const override { return mColor.a; }
    void SetAlpha(float alpha) override { mColor.a = alpha; }
    ColorF const& GetColor() const override { return mColor; }
    void SetColor(ColorF const& color) override { mColor = color; }

private:
    ColorF mColor;
};

class AlphaComponent : public IAlpha
{
public:
    AlphaComponent() : mAlpha(1.0f) {}
    virtual ~AlphaComponent() {}

    float GetAlpha() const override { return mAlpha; }
    void SetAlpha(float alpha) override { mAlpha = alpha; }

private:
    float mAlpha;
};

class VisibleComponent : public IVisible
{
public:
    VisibleComponent() : mVisible(true) {}
    virtual ~VisibleComponent() {}

    bool IsVisible() const override { return mVisible; }
    void SetVisible(bool visible) override { mVisible = visible; }

private:
    bool mVisible;
};

class EnableComponent : public IEnable
{
public:
    EnableComponent() : mEnabled(true) {}
    virtual ~EnableComponent() {}

    bool IsEnabled() const override { return mEnabled; }
    void Enable(bool enable) override { mEnabled = enable; }

private:
    bool mEnabled;
};

class ScaleComponent : public IScale
{
public:
    ScaleComponent() : mScale(1.0f, 1.0f) {}
    virtual ~ScaleComponent() {}

    Vector2<float> const& GetScale() const override { return mScale; }
    void SetScale(Vector2<float> const& scale) override { mScale = scale; }
    void SetScale(float x, float y) override { mScale = Vector2<float>(x, y); }
    void SetScale(float scale) override { mScale = Vector2<float>(scale, scale); }

private:
    Vector2<float> mScale;
};

// Draws nothing; objects that draw override Draw.
class DrawableComponent : public IDrawable
{
public:
    DrawableComponent() : mLayer(0.0f) {}

    float GetLayer() const override { return mLayer; }
    void SetLayer(float layer) override { mLayer = layer; }
    void Draw() override {}

private:
    float mLayer;
};

class AlignmentComponent : public IAlignment
{
public:
    AlignmentComponent() : mHAlignment(static_cast<HAlignment>(0)), mVAlignment(static_cast<VAlignment>(0)) {}

    HAlignment GetHAlignment() const override { return mHAlignment; }
    void SetHAlignment(HAlignment alignment) override { mHAlignment = alignment; }
    VAlignment GetVAlignment() const override { return mVAlignment; }
    void SetVAlignment(VAlignment alignment) override { mVAlignment = alignment; }

private:
    HAlignment mHAlignment;
    VAlignment mVAlignment;
};

class FlipStateComponent : public IFlipState
{
public:
    FlipStateComponent() : mFlipState(0) {}

    unsigned long GetFlipState() const override { return mFlipState; }
    void SetFlipState(unsigned long flipState) override { mFlipState = flipState; }

private:
    unsigned long mFlipState;
};

class TextComponent : public IText
{
public:
    TextComponent() {}
    explicit TextComponent(std::wstring const& text) : mText(text) {}

    std::wstring const& GetText() const override { return mText; }
    void SetText(std::wstring const& text) override { mText = text; }

private:
    std::wstring mText;
};

class FontComponent : public IFontComponent, public ITextModeComponent
{
public:
    FontComponent() : mFont(nullptr), mTextMode(static_cast<TextMode>(0)) {}
    virtual ~FontComponent() {}

    bool HasFont() const override { return mFont != nullptr; }
    Font const* GetFont() const override { return mFont; }
    // Not owned.
    void SetFont(Font const* font) override { mFont = font; }
    TextMode GetTextMode() const override { return mTextMode; }
    void SetTextMode(TextMode mode) override { mTextMode = mode; }

private:
    Font const* mFont;
    TextMode mTextMode;
};

// Handles nothing and accepts the focus; objects override the events they handle.
class InputHandlerComponent : public IInputHandler
{
public:
    MessageResult OnKeyDown(int) override { return kMessageNotHandled; }
    MessageResult OnKeyUp(int) override { return kMessageNotHandled; }
    MessageResult OnTextInput(std::wstring const&) override { return kMessageNotHandled; }
    MessageResult OnMouseMove(int, int) override { return kMessageNotHandled; }
    MessageResult OnMouseDown(MouseButton, int, int) override { return kMessageNotHandled; }
    MessageResult OnMouseUp(MouseButton, int, int) override { return kMessageNotHandled; }
    MessageResult OnMouseWheel(float, int, int) override { return kMessageNotHandled; }
    bool CanFocus() const override { return true; }
};

} // namespace Corvane

#endif
