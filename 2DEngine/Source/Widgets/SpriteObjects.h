#ifndef CORVANE_WIDGETS_SPRITEOBJECTS_H
#define CORVANE_WIDGETS_SPRITEOBJECTS_H

// The passive widget objects: a text, an image or a frame animation drawn at a
// point, made from the layout keys "textsprite", "imagesprite" and
// "animsprite". A sprite owns none of its resources.

#include <string>

#include "Core/Source/Color.h"
#include "Core/Source/Label.h"
#include "Core/Source/Rect.h"
#include "Core/Source/Vector2.h"
#include "2DEngine/Source/Framework/Object.h"
#include "2DEngine/Source/Framework/Roles.h"
#include "2DEngine/Source/Graphics/Animation.h"
#include "2DEngine/Source/Widgets/ObjectFactory.h"

namespace Corvane
{

class Font;
class IImage;

// Layer 0, at (0, 0), opaque white (its alpha is the colour's), visible, aligned
// left and top, not flipped.
class SpriteObject : public Object,
                     public DrawableComponent,
                     public LocationComponent,
                     public ColorComponent,
                     public VisibleComponent,
                     public AlignmentComponent,
                     public FlipStateComponent
{
public:
    explicit SpriteObject(Label name);
    SpriteObject(Label name, float layer);
    ~SpriteObject() override;

    Label GetName() const override { return mName; }
    // The null label: sprites have no role.
    Label GetRole() const override { return mRole; }

    void Draw() override { DrawSprite(); }
    // The result of the drawing call; 1 when there is nothing to draw.
    virtual int DrawSprite() = 0;

private:
    Label mName;
    Label mRole;
};

class TextSpriteObject : public SpriteObject, public FontComponent, public TextComponent
{
public:
    explicit TextSpriteObject(Label name);
    TextSpriteObject(Label name, float layer);
    // For code that builds a caption: a null text is empty; the name is null.
    TextSpriteObject(float layer, Vector2<float> const& location, wchar_t const* text, Font const* font,
                     ColorF const& color, float wrapWidth);

    // Stored for editors; drawing never uses it.
    virtual std::wstring const& GetTextFormat() const { return mTextFormat; }
    virtual void SetTextFormat(std::wstring const& format) { mTextFormat = format; }

    // On one line when the wrap width is 0, otherwise wrapped to it. Flips are not used.
    int DrawSprite() override;

    float GetWrapWidth() const { return mWrapWidth; }
    void SetWrapWidth(float width) { mWrapWidth = width; }
    // The outline or drop-shadow colour: black at half alpha unless set.
    ColorF const& GetEffectColor() const { return mEffectColor; }
    void SetEffectColor(ColorF const& color) { mEffectColor = color; }
    Vector2<int> const& GetEffectOffset() const { return mEffectOffset; }
    void SetEffectOffset(Vector2<int> const& offset) { mEffectOffset = offset; }

private:
    float mWrapWidth;
    ColorF mEffectColor;
    Vector2<int> mEffectOffset;
    std::wstring mTextFormat;
};

class ImageSpriteObject : public SpriteObject, public ScaleComponent
{
public:
    explicit ImageSpriteObject(Label name);
    ImageSpriteObject(Label name, float layer);

    // At its size when the scale is (1, 1), else stretched by the scale. The
    // colour tints the image, so fading the alpha fades the picture.
    int DrawSprite() override;

    // Not owned; null draws nothing.
    IImage* GetImage() const { return mImage; }
    void SetImage(IImage* image) { mImage = image; }

    // Draws only this part of the image while enabled.
    void SetSourceRect(Rect<int> const& rect) { mSourceRect = rect; }
    Rect<int> const& GetSourceRect() const { return mSourceRect; }
    void EnableSourceRect(bool enable) { mUseSourceRect = enable; }
    bool IsSourceRectEnabled() const { return mUseSourceRect; }

    void SetClipRect(Rect<int> const& rect) { mClipRect = rect; }
    Rect<int> const& GetClipRect() const { return mClipRect; }
    void EnableClipRect(bool enable) { mUseClipRect = enable; }
    bool IsClipRectEnabled() const { return mUseClipRect; }

private:
    IImage* mImage;
    bool mUseSourceRect;
    Rect<int> mSourceRect;
    bool mUseClipRect;
    Rect<int> mClipRect;
};

class AnimationSpriteObject : public SpriteObject, public ScaleComponent
{
public:
    explicit AnimationSpriteObject(Label name);
    AnimationSpriteObject(Label name, float layer);

    // Advances the animation clock.
    void Update(float dt) override;
    // The frame due at the elapsed time; stretched unless the scale is (1, 1).
    int DrawSprite() override;

    Animation const& GetAnimation() const { return mAnimation; }
    void SetAnimation(Animation const& animation) { mAnimation = animation; }
    float GetElapsed() const { return mElapsed; }

private:
    Animation mAnimation;
    float mElapsed;
};

// "width" (wrap width), "bgcolor" (effect colour), "dropOffset" ("x,y"),
// "textFormat".
class TextSpriteObjectFactory : public IObjectFactory
{
public:
    Object* CreateObject(Label name, IAttributeContainer const& attributes) const override;
};

// "src" (an image resource); "width" and "height" scale the image to that size.
class ImageSpriteObjectFactory : public IObjectFactory
{
public:
    Object* CreateObject(Label name, IAttributeContainer const& attributes) const override;
};

// "src" (an image-list resource, played once at 10 frames per second unless
// its own "mode" and "fps" say otherwise); "width" and "height" as for images.
class AnimationSpriteObjectFactory : public IObjectFactory
{
public:
    Object* CreateObject(Label name, IAttributeContainer const& attributes) const override;
};

} // namespace Corvane

#endif
