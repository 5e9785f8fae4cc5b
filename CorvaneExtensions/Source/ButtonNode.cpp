#include "CorvaneExtensions/Source/ButtonNode.h"

#include "CorvaneExtensions/Source/ControlNodeSupport.h"

#include "CorvaneExtensions/AudioPlatform/BASS/SoundList.h"

#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Graphics/Context.h"
#include "2DEngine/Source/Graphics/Font.h"
#include "2DEngine/Source/Graphics/ImageList.h"
#include "2DEngine/Source/Graphics/KeyNames.h"

using namespace Corvane;
using namespace ControlNodes;

namespace
{

Label ButtonClickMessage()
{
    static Label const label = Label::GetUniqueString("ButtonClick");
    return label;
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
    return StateIndex(*this, IsEnabled(), mHot, HasFocusImages());
}

void ButtonNode::UpdateBounds()
{
    if (ImageCount(mImages) >= 1)
        SizeToImages(*this, mImages, IsThreeSlice(), mWidth);
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
    PressControl(*this, IsEnabled(), mHot, mSounds);
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
    EnterControl(IsEnabled(), mHot, mSounds);
}

void ButtonNode::HandleMouseExit()
{
    mHot = false;
}

MessageResult ButtonNode::OnKeyDown(int key)
{
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
    bool const threeSlice = IsThreeSlice();
    int const index = GetImageIndex();
    DrawControlImage(*this, mImages, threeSlice, threeSlice ? index * 3 : index, position, state);
    DrawControlCaption(*this, GetText(), GetFont(), position, state, true);
}

SceneNodeDescriptor* ButtonNodeFactory::CreateDescriptor(IAttributeContainer const& attributes) const
{
    ButtonNodeDescriptor* descriptor = new ButtonNodeDescriptor();
    ReadControlAttributes(attributes, *descriptor);
    descriptor->keyCode =
        static_cast<std::uint16_t>(GetKeyCodeByName(attributes.GetAttribute(std::wstring(L"keyCode")).c_str()));
    return descriptor;
}

SceneNode* ButtonNodeFactory::CreateNode(SceneNodeDescriptor const* descriptor) const
{
    ButtonNodeDescriptor const* d = dynamic_cast<ButtonNodeDescriptor const*>(descriptor);
    if (!d)
        return nullptr;
    sControlResources const resources(*d);
    ButtonNode* node = new ButtonNode(Label(), resources.images.Get(), d->width, d->text.c_str(),
                                      resources.font.Get(), ColorF::StaticColor<0, 0, 0, 255>());
    node->SetKeyCode(d->keyCode);
    ApplyControlSettings(*node, *d, resources);
    return node;
}
