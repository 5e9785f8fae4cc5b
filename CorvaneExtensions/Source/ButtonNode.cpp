#include "CorvaneExtensions/Source/ButtonNode.h"

#include "CorvaneExtensions/Source/ControlNodeSupport.h"

#include "CorvaneExtensions/AudioPlatform/BASS/SoundList.h"

#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Graphics/Brush.h"
#include "2DEngine/Source/Graphics/Context.h"
#include "2DEngine/Source/Graphics/Drawing.h"
#include "2DEngine/Source/Graphics/Font.h"
#include "2DEngine/Source/Graphics/ImageList.h"
#include "2DEngine/Source/Graphics/KeyNames.h"

#include <cmath>

using namespace Corvane;
using namespace ControlNodes;

namespace
{

Label ButtonClickMessage()
{
    static Label const label = Label::GetUniqueString("ButtonClick");
    return label;
}

int ImageCount(IImageList const* images)
{
    return images ? images->GetNumImages() : 0;
}

} // namespace

ButtonNode::ButtonNode(Label name, IImageList const* images, float width, wchar_t const* text, Font const* font,
                       ColorF const& color)
    : SceneNode(name),
      TextComponent(text ? std::wstring(text) : std::wstring()),
      mKeyCode(0),
      mImages(images),
      mAlphaSensitivity(25),
      mSounds(nullptr),
      mWidth(width),
      mHot(false)
{
    FontComponent::SetFont(font);
    SetHitTest(true);
    UpdateBounds();
    LocalSetColor(color);
    LocalSetVisible(true);
    mouseDownSignal.connect([this](SceneNode*, MouseButton, int, int) { HandleMouseDown(); });
    mouseUpSignal.connect([this](SceneNode*, MouseButton, int, int) { HandleMouseUp(); });
    capturedMouseUpSignal.connect([this](SceneNode*, MouseButton, int, int) { HandleCapturedMouseUp(); });
    mouseEnterSignal.connect([this](SceneNode*) { HandleMouseEnter(); });
    mouseExitSignal.connect([this](SceneNode*) { HandleMouseExit(); });
}

void ButtonNode::SetText(std::wstring const& text)
{
    TextComponent::SetText(text);
    UpdateBounds();
}

void ButtonNode::SetFont(Font const* font)
{
    FontComponent::SetFont(font);
    UpdateBounds();
}

void ButtonNode::SetImages(IImageList const* images, float width)
{
    mImages = images;
    mWidth = width;
    UpdateBounds();
}

bool ButtonNode::IsThreeSlice() const
{
    return ImageCount(mImages) >= 6;
}

bool ButtonNode::HasFocusImages() const
{
    int const count = ImageCount(mImages);
    return count == 5 || count == 15;
}

int ButtonNode::GetImageIndex() const
{
    if (!IsEnabled())
        return 3;
    if (HasCapture() && mHot)
        return 2;
    if (mHot)
        return 1;
    if (HasFocus())
        return HasFocusImages() ? 4 : 1;
    return 0;
}

void ButtonNode::UpdateBounds()
{
    int const count = ImageCount(mImages);
    if (count >= 1)
    {
        SetWidth(count <= 5 ? static_cast<float>(mImages->GetImageWidth(0)) : mWidth);
        SetHeight(static_cast<float>(mImages->GetImageHeight(0)));
    }
    else if (Font const* font = GetFont())
    {
        SetWidth(static_cast<float>(font->GetStringWidth(GetText().c_str())));
        SetHeight(static_cast<float>(font->GetGlyphHeight()));
    }
}

void ButtonNode::Click()
{
    SendNodeMessage(*this, ButtonClickMessage());
    clickSignal(this);
}

void ButtonNode::HandleMouseDown()
{
    if (!IsEnabled())
        return;
    mHot = true;
    Capture();
    PlayNodeSound(mSounds, DownEvent());
}

void ButtonNode::HandleMouseUp()
{
    // A button disabled while the mouse was held down must still let go of the
    // capture, or every later press would go to it and nothing else could be clicked.
    if (!IsEnabled())
    {
        ReleaseCapture();
        return;
    }
    if (HasCapture())
    {
        Click();
        PlayNodeSound(mSounds, ReleaseEvent());
    }
    ReleaseCapture();
}

void ButtonNode::HandleCapturedMouseUp()
{
    ReleaseCapture();
}

void ButtonNode::HandleMouseEnter()
{
    if (!IsEnabled())
        return;
    mHot = true;
    PlayNodeSound(mSounds, HotEvent());
}

void ButtonNode::HandleMouseExit()
{
    mHot = false;
}

MessageResult ButtonNode::OnKeyDown(int key)
{
    // A hidden button is not on screen to be pressed.
    if (!GlobalIsVisible())
        return kMessageNotHandled;
    bool const activates = (HasFocus() && IsActivationKey(key)) || (mKeyCode != 0 && key == mKeyCode);
    if (!activates)
        return kMessageNotHandled;
    Click();
    return kMessageHandled;
}

bool ButtonNode::GlobalPointIntersects(Vector2<float> const& point) const
{
    return GlobalBoundsContains(point.x, point.y) &&
           AlphaContains(*this, mImages, IsThreeSlice(), mAlphaSensitivity, point);
}

void ButtonNode::DrawAt(Vector2<float> const& offset)
{
    if (!GlobalIsVisible())
        return;
    Graphics::sDrawState const state = NodeDrawState(*this);
    Vector2<float> const position = NodeDrawPosition(*this, offset);
    int const index = GetImageIndex();
    if (IsThreeSlice())
        Graphics::DrawThreeBrush(mImages, index * 3, position.x, position.y, GetWidth(), state, Graphics::GetCanvas());
    else if (mImages)
        Graphics::DrawImageList(mImages, index, position.x, position.y, state, Graphics::GetCanvas());

    Font const* font = GetFont();
    if (GetText().empty() || !font)
        return;
    Graphics::sDrawState caption = state;
    caption.font = font;
    caption.color = GlobalGetColor();
    caption.hAlign = kHAlignment_Center;
    caption.vAlign = kVAlignment_Middle;
    Graphics::DrawText(GetText().c_str(), std::floor(position.x + GetWidth() / 2.0f + 0.5f),
                       std::floor(position.y + GetHeight() / 2.0f + 0.5f), caption, Graphics::GetCanvas());
}

SceneNodeDescriptor* ButtonNodeFactory::CreateDescriptor(IAttributeContainer const& attributes) const
{
    ButtonNodeDescriptor* descriptor = new ButtonNodeDescriptor();
    descriptor->images = ReadResourceLabel(attributes, L"images");
    descriptor->width = attributes.GetAttribute(L"width", 0.0f);
    descriptor->text = attributes.GetAttribute(std::wstring(L"text"));
    descriptor->font = ReadResourceLabel(attributes, L"font");
    descriptor->keyCode =
        static_cast<std::uint16_t>(GetKeyCodeByName(attributes.GetAttribute(std::wstring(L"keyCode")).c_str()));
    descriptor->alphaSensitivity = attributes.GetAttribute(L"alphaSensitivity", 25);
    descriptor->sounds = ReadResourceLabel(attributes, L"sounds");
    if (attributes.HasAttribute(L"textResource"))
        descriptor->textResource = ReadResourceLabel(attributes, L"textResource");
    return descriptor;
}

SceneNode* ButtonNodeFactory::CreateNode(SceneNodeDescriptor const* descriptor) const
{
    ButtonNodeDescriptor const* d = dynamic_cast<ButtonNodeDescriptor const*>(descriptor);
    if (!d)
        return nullptr;
    AutoResource<IImageList> const images(d->images);
    AutoResource<Font> const font(d->font);
    AutoResource<SoundList> const sounds(d->sounds);
    ButtonNode* node = new ButtonNode(Label(), images.Get(), d->width, d->text.c_str(), font.Get(),
                                      ColorF::StaticColor<0, 0, 0, 255>());
    node->SetKeyCode(d->keyCode);
    node->SetAlphaSensitivity(d->alphaSensitivity);
    node->SetSoundList(sounds.Get());
    if (d->textResource.IsValid())
        node->SetTextFromResource(d->textResource);
    return node;
}
