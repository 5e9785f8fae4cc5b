#include "2DEngine/Source/Widgets/SpriteObjects.h"

#include "2DEngine/Source/Framework/ContentNumbers.h"

#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Graphics/Context.h"
#include "2DEngine/Source/Graphics/Drawing.h"
#include "2DEngine/Source/Graphics/Font.h"
#include "2DEngine/Source/Graphics/Image.h"
#include "2DEngine/Source/Graphics/ImageList.h"

namespace Corvane
{

namespace
{

uint32_t const kFlipBits = Graphics::DRAW_FLAG_FLIP_H | Graphics::DRAW_FLAG_FLIP_V;

// The flip state's bits 0 and 1 become the draw flags' bits 2 and 3.
uint32_t FlipFlags(uint32_t flags, unsigned long flipState)
{
    return (flags & ~kFlipBits) | ((uint32_t(flipState) & 3u) << 2);
}

bool IsUnitScale(Vector2<float> const& scale)
{
    return scale.x == 1.0f && scale.y == 1.0f;
}

// The scale that draws something of the natural size at the requested size;
// an axis without a usable request or size keeps the factor 1.
void ScaleToRequestedSize(IScale* scale, IAttributeContainer const& attributes, int naturalWidth, int naturalHeight)
{
    float const width = ReadNumber(attributes, L"width", 0.0f, NumberRanges::kSize);
    float const height = ReadNumber(attributes, L"height", 0.0f, NumberRanges::kSize);
    float const sx = width > 0.0f && naturalWidth > 0 ? width / float(naturalWidth) : 1.0f;
    float const sy = height > 0.0f && naturalHeight > 0 ? height / float(naturalHeight) : 1.0f;
    scale->SetScale(sx, sy);
}

} // namespace

// ---------------------------------------------------------------------------
// SpriteObject

SpriteObject::SpriteObject(Label name) : mName(name) {}

SpriteObject::SpriteObject(Label name, float layer) : mName(name)
{
    SetLayer(layer);
}

SpriteObject::~SpriteObject() {}

// ---------------------------------------------------------------------------
// TextSpriteObject

TextSpriteObject::TextSpriteObject(Label name)
    : SpriteObject(name), mWrapWidth(0.0f), mEffectColor(0.0f, 0.0f, 0.0f, 0.5f), mEffectOffset(2, 2)
{
}

TextSpriteObject::TextSpriteObject(Label name, float layer)
    : SpriteObject(name, layer), mWrapWidth(0.0f), mEffectColor(0.0f, 0.0f, 0.0f, 0.5f), mEffectOffset(2, 2)
{
}

TextSpriteObject::TextSpriteObject(float layer, Vector2<float> const& location, wchar_t const* text, Font const* font,
                                   ColorF const& color, float wrapWidth)
    : SpriteObject(Label(), layer), TextComponent(text ? text : L""), mWrapWidth(wrapWidth),
      mEffectColor(0.0f, 0.0f, 0.0f, 0.5f), mEffectOffset(2, 2)
{
    LocationComponent::SetLocation(location);
    SetFont(font);
    SetColor(color);
}

int TextSpriteObject::DrawSprite()
{
    if (!IsVisible())
        return Graphics::kNothingToDraw;
    Vector2<float> const position = GetScreenLocation();
    Graphics::sDrawState state = Graphics::GetDrawState();
    state.font = GetFont();
    state.color = GetColor();
    state.effectColor = mEffectColor;
    state.effectOffsetX = mEffectOffset.x;
    state.effectOffsetY = mEffectOffset.y;
    state.textMode = GetTextMode();
    state.hAlign = GetHAlignment();
    state.vAlign = GetVAlignment();
    if (mWrapWidth == 0.0f)
        return Graphics::DrawText(GetText().c_str(), position.x, position.y, state, Graphics::GetCanvas());
    return Graphics::DrawWrappedText(GetText().c_str(), position.x, position.y, mWrapWidth, state,
                                     Graphics::GetCanvas());
}

// ---------------------------------------------------------------------------
// ImageSpriteObject

ImageSpriteObject::ImageSpriteObject(Label name)
    : SpriteObject(name), mImage(nullptr), mUseSourceRect(false), mSourceRect(0, 0, 0, 0), mUseClipRect(false),
      mClipRect(0, 0, 0, 0)
{
}

ImageSpriteObject::ImageSpriteObject(Label name, float layer)
    : SpriteObject(name, layer), mImage(nullptr), mUseSourceRect(false), mSourceRect(0, 0, 0, 0),
      mUseClipRect(false), mClipRect(0, 0, 0, 0)
{
}

int ImageSpriteObject::DrawSprite()
{
    if (!IsVisible() || !mImage)
        return Graphics::kNothingToDraw;
    Vector2<float> const position = GetScreenLocation();
    Graphics::sDrawState state = Graphics::GetDrawState();
    if (mUseSourceRect)
    {
        state.sourceRect = mSourceRect;
        state.flags |= Graphics::DRAW_FLAG_SOURCE_RECT;
    }
    if (mUseClipRect)
        state.clip = mClipRect;
    state.color = GetColor();
    state.tint = GetColor();
    state.flags = FlipFlags(state.flags, GetFlipState());
    state.hAlign = GetHAlignment();
    state.vAlign = GetVAlignment();

    Vector2<float> const& scale = GetScale();
    if (IsUnitScale(scale))
        return Graphics::DrawImage(mImage, position.x, position.y, state, Graphics::GetCanvas());
    Rect<int> const dest(int(position.x), int(position.y), int(float(mImage->GetWidth()) * scale.x),
                         int(float(mImage->GetHeight()) * scale.y));
    return Graphics::DrawStretchedImage(mImage, dest, state, Graphics::GetCanvas());
}

// ---------------------------------------------------------------------------
// AnimationSpriteObject

AnimationSpriteObject::AnimationSpriteObject(Label name) : SpriteObject(name), mElapsed(0.0f) {}

AnimationSpriteObject::AnimationSpriteObject(Label name, float layer) : SpriteObject(name, layer), mElapsed(0.0f) {}

void AnimationSpriteObject::Update(float dt)
{
    mElapsed += dt;
}

int AnimationSpriteObject::DrawSprite()
{
    if (!IsVisible() || !mAnimation.GetImageList())
        return Graphics::kNothingToDraw;
    Vector2<float> const position = GetScreenLocation();
    Graphics::sDrawState state = Graphics::GetDrawState();
    state.color = GetColor();
    state.tint = GetColor();
    state.flags = FlipFlags(state.flags, GetFlipState());
    state.hAlign = GetHAlignment();
    state.vAlign = GetVAlignment();

    Vector2<float> const& scale = GetScale();
    if (IsUnitScale(scale))
        return Graphics::DrawAnimation(&mAnimation, mElapsed, position.x, position.y, state, Graphics::GetCanvas());
    Rect<float> rect(position.x, position.y, float(mAnimation.GetWidth()) * scale.x,
                     float(mAnimation.GetHeight()) * scale.y);
    return Graphics::DrawStretchedAnimation(&mAnimation, mElapsed, rect, state, Graphics::GetCanvas());
}

// ---------------------------------------------------------------------------
// Factories

Object* TextSpriteObjectFactory::CreateObject(Label name, IAttributeContainer const& attributes) const
{
    TextSpriteObject* const sprite = new TextSpriteObject(name);
    if (attributes.HasAttribute(L"width"))
        sprite->SetWrapWidth(ReadNumber(attributes, L"width", 0.0f, NumberRanges::kSize));
    if (attributes.HasAttribute(L"bgcolor"))
        sprite->SetEffectColor(ColorF::FromString(attributes.GetAttribute(L"bgcolor")));
    if (attributes.HasAttribute(L"dropOffset"))
        sprite->SetEffectOffset(Vector2<int>::FromString(attributes.GetAttribute(L"dropOffset")));
    if (attributes.HasAttribute(L"textFormat"))
        sprite->SetTextFormat(attributes.GetAttribute(L"textFormat"));
    return sprite;
}

Object* ImageSpriteObjectFactory::CreateObject(Label name, IAttributeContainer const& attributes) const
{
    ImageSpriteObject* const sprite = new ImageSpriteObject(name);
    if (attributes.HasAttribute(L"src"))
        sprite->SetImage(AutoResource<IImage>(Label::FromString(attributes.GetAttribute(L"src"))).Get());
    IImage const* const image = sprite->GetImage();
    if (image && (attributes.HasAttribute(L"width") || attributes.HasAttribute(L"height")))
        ScaleToRequestedSize(sprite, attributes, image->GetWidth(), image->GetHeight());
    return sprite;
}

Object* AnimationSpriteObjectFactory::CreateObject(Label name, IAttributeContainer const& attributes) const
{
    AnimationSpriteObject* const sprite = new AnimationSpriteObject(name);
    if (attributes.HasAttribute(L"src"))
        sprite->SetAnimation(
            CreateAnimation(Label::FromString(attributes.GetAttribute(L"src")), kAnimationMode_Once, 10.0f));
    Animation const& animation = sprite->GetAnimation();
    if (animation.GetImageList() && (attributes.HasAttribute(L"width") || attributes.HasAttribute(L"height")))
        ScaleToRequestedSize(sprite, attributes, animation.GetWidth(), animation.GetHeight());
    return sprite;
}

} // namespace Corvane
