#include "CorvaneExtensions/Source/RadioButtonNode.h"

#include "CorvaneExtensions/Source/ControlNodeSupport.h"

#include "CorvaneExtensions/AudioPlatform/BASS/SoundList.h"

#include "2DEngine/Source/Framework/ObjectDatabase.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Graphics/Brush.h"
#include "2DEngine/Source/Graphics/Context.h"
#include "2DEngine/Source/Graphics/Drawing.h"
#include "2DEngine/Source/Graphics/Font.h"
#include "2DEngine/Source/Graphics/ImageList.h"

#include <cmath>

using namespace Corvane;
using namespace ControlNodes;

namespace
{

Label RadioButtonRole()
{
    static Label const label = Label::GetUniqueString("RadioButton");
    return label;
}

Label RadioButtonClickMessage()
{
    static Label const label = Label::GetUniqueString("RadioButtonClick");
    return label;
}

int ImageCount(IImageList const* images)
{
    return images ? images->GetNumImages() : 0;
}

constexpr float kCaptionGap = 5.0f;

} // namespace

RadioButtonNode::RadioButtonNode(Label group, Label name, Vector2<float> const& location, IImageList const* images,
                                 float width, wchar_t const* text, Font const* font, ColorF const& color)
    : SceneNode(name),
      TextComponent(text ? std::wstring(text) : std::wstring()),
      mGroup(group),
      mChecked(false),
      mHot(false),
      mImages(images),
      mWidth(width),
      mAlphaSensitivity(25),
      mSounds(nullptr)
{
    FontComponent::SetFont(font);
    UpdateBounds();
    LocalSetColor(color);
    LocalSetLocation(location);
    SetHitTest(true);
    mouseDownSignal.connect([this](SceneNode*, MouseButton, int, int) { HandleMouseDown(); });
    mouseUpSignal.connect([this](SceneNode*, MouseButton, int, int) { HandleMouseUp(); });
    capturedMouseUpSignal.connect([this](SceneNode*, MouseButton, int, int) { ReleaseCapture(); });
    mouseEnterSignal.connect([this](SceneNode*) { HandleMouseEnter(); });
    mouseExitSignal.connect([this](SceneNode*) { HandleMouseExit(); });
}

Label RadioButtonNode::GetRole() const
{
    return RadioButtonRole();
}

void RadioButtonNode::SetText(std::wstring const& text)
{
    TextComponent::SetText(text);
    UpdateBounds();
}

void RadioButtonNode::SetFont(Font const* font)
{
    FontComponent::SetFont(font);
    UpdateBounds();
}

void RadioButtonNode::SetImages(IImageList const* images, float width)
{
    mImages = images;
    mWidth = width;
    UpdateBounds();
}

bool RadioButtonNode::IsThreeSlice() const
{
    return ImageCount(mImages) >= 11;
}

bool RadioButtonNode::HasFocusImages() const
{
    int const count = ImageCount(mImages);
    return count == 5 || count == 15;
}

int RadioButtonNode::GetImageIndex() const
{
    if (!IsEnabled())
        return 3;
    if (mChecked && HasFocusImages())
        return 4;
    if (mChecked || (HasCapture() && mHot))
        return 2;
    if (mHot)
        return 1;
    if (HasFocus())
        return HasFocusImages() ? 4 : 1;
    return 0;
}

void RadioButtonNode::UpdateBounds()
{
    // Without images the button is 0 x 0: a layout naming a missing list shows nothing.
    int const count = ImageCount(mImages);
    SetWidth(count == 0 ? 0.0f : count <= 10 ? static_cast<float>(mImages->GetImageWidth(0)) : mWidth);
    SetHeight(count == 0 ? 0.0f : static_cast<float>(mImages->GetImageHeight(0)));
}

void RadioButtonNode::Click()
{
    SetCheck(true);
    SendNodeMessage(*this, RadioButtonClickMessage());
}

void RadioButtonNode::SetCheck(bool checked)
{
    mChecked = checked;
    if (!checked)
        return;
    ObjectDatabase* database = GetObjectDatabase();
    if (!database)
        return;
    Label const name = GetName();
    for (ObjectID const id : database->GetObjectsWithRole(RadioButtonRole()))
    {
        RadioButtonNode* other = dynamic_cast<RadioButtonNode*>(database->GetObject(id));
        if (!other || other == this || other->GetGroup() != mGroup)
            continue;
        // Unnamed buttons are told apart by themselves: a null name names nothing,
        // so two of them never count as the same button.
        if (name.IsValid() && other->GetName() == name)
            continue;
        other->mChecked = false;
    }
}

void RadioButtonNode::HandleMouseDown()
{
    if (!IsEnabled())
        return;
    mHot = true;
    Capture();
    PlayNodeSound(mSounds, DownEvent());
}

void RadioButtonNode::HandleMouseUp()
{
    // Disabled while held down: let go of the capture and nothing more.
    if (!IsEnabled())
    {
        ReleaseCapture();
        return;
    }
    Click();
    ReleaseCapture();
}

void RadioButtonNode::HandleMouseEnter()
{
    if (!IsEnabled())
        return;
    mHot = true;
    PlayNodeSound(mSounds, HotEvent());
}

void RadioButtonNode::HandleMouseExit()
{
    if (IsEnabled())
        mHot = false;
}

MessageResult RadioButtonNode::OnKeyDown(int key)
{
    if (!GlobalIsVisible() || !HasFocus() || !IsActivationKey(key))
        return kMessageNotHandled;
    Click();
    return kMessageHandled;
}

bool RadioButtonNode::GlobalPointIntersects(Vector2<float> const& point) const
{
    return GlobalBoundsContains(point.x, point.y) &&
           AlphaContains(*this, mImages, IsThreeSlice(), mAlphaSensitivity, point);
}

void RadioButtonNode::DrawAt(Vector2<float> const& offset)
{
    if (!GlobalIsVisible())
        return;
    Graphics::sDrawState const state = NodeDrawState(*this);
    Vector2<float> const position = NodeDrawPosition(*this, offset);
    int const index = GetImageIndex();
    bool const threeSlice = IsThreeSlice();
    if (threeSlice)
        Graphics::DrawThreeBrush(mImages, index * 3, position.x, position.y, GetWidth(), state,
                                 Graphics::GetCanvas());
    else if (mImages)
        Graphics::DrawImageList(mImages, index, position.x, position.y, state, Graphics::GetCanvas());

    Font const* font = GetFont();
    if (GetText().empty() || !font)
        return;
    Graphics::sDrawState caption = state;
    caption.font = font;
    caption.color = GlobalGetColor();
    caption.vAlign = kVAlignment_Middle;
    float const middle = std::floor(position.y + GetHeight() / 2.0f + 0.5f);
    if (threeSlice)
    {
        // A frame carries its caption inside, like a button.
        caption.hAlign = kHAlignment_Center;
        Graphics::DrawText(GetText().c_str(), std::floor(position.x + GetWidth() / 2.0f + 0.5f), middle, caption,
                           Graphics::GetCanvas());
    }
    else
    {
        // A round button has its caption beside it, as a check box does.
        caption.hAlign = kHAlignment_Left;
        Graphics::DrawText(GetText().c_str(), position.x + GetWidth() + kCaptionGap, middle, caption,
                           Graphics::GetCanvas());
    }
}

SceneNodeDescriptor* RadioButtonNodeFactory::CreateDescriptor(IAttributeContainer const& attributes) const
{
    RadioButtonNodeDescriptor* descriptor = new RadioButtonNodeDescriptor();
    descriptor->group = ReadResourceLabel(attributes, L"group");
    descriptor->images = ReadResourceLabel(attributes, L"images");
    descriptor->width = attributes.GetAttribute(L"width", 0.0f);
    descriptor->text = attributes.GetAttribute(std::wstring(L"text"));
    descriptor->font = ReadResourceLabel(attributes, L"font");
    descriptor->alphaSensitivity = attributes.GetAttribute(L"alphaSensitivity", 25);
    descriptor->sounds = ReadResourceLabel(attributes, L"sounds");
    if (attributes.HasAttribute(L"textResource"))
        descriptor->textResource = ReadResourceLabel(attributes, L"textResource");
    return descriptor;
}

SceneNode* RadioButtonNodeFactory::CreateNode(SceneNodeDescriptor const* descriptor) const
{
    RadioButtonNodeDescriptor const* d = dynamic_cast<RadioButtonNodeDescriptor const*>(descriptor);
    if (!d)
        return nullptr;
    AutoResource<IImageList> const images(d->images);
    AutoResource<Font> const font(d->font);
    AutoResource<SoundList> const sounds(d->sounds);
    RadioButtonNode* node =
        new RadioButtonNode(d->group, Label(), Vector2<float>(0.0f, 0.0f), images.Get(), d->width, d->text.c_str(),
                            font.Get(), ColorF::StaticColor<0, 0, 0, 255>());
    node->SetAlphaSensitivity(d->alphaSensitivity);
    node->SetSoundList(sounds.Get());
    if (d->textResource.IsValid())
        node->SetTextFromResource(d->textResource);
    return node;
}
