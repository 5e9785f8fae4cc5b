#include "CorvaneExtensions/Source/RadioButtonNode.h"

#include "CorvaneExtensions/Source/ControlNodeSupport.h"

#include "CorvaneExtensions/AudioPlatform/BASS/SoundList.h"

#include "2DEngine/Source/Framework/ObjectDatabase.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Graphics/Context.h"
#include "2DEngine/Source/Graphics/Font.h"
#include "2DEngine/Source/Graphics/ImageList.h"

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
    // A checked button shows as held down, or focused when the list has focus images.
    if (IsEnabled() && mChecked)
        return HasFocusImages() ? 4 : 2;
    return StateIndex(*this, IsEnabled(), mHot, HasFocusImages());
}

void RadioButtonNode::UpdateBounds()
{
    // Without images the button is 0 x 0: a layout naming a missing list shows nothing.
    SizeToImages(*this, mImages, IsThreeSlice(), mWidth);
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
        // A button of the same name, the null name included, counts as this one.
        if (other->GetName() == name)
            continue;
        other->mChecked = false;
    }
}

void RadioButtonNode::HandleMouseDown()
{
    PressControl(*this, IsEnabled(), mHot, mSounds);
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
    EnterControl(IsEnabled(), mHot, mSounds);
}

void RadioButtonNode::HandleMouseExit()
{
    if (IsEnabled())
        mHot = false;
}

MessageResult RadioButtonNode::OnKeyDown(int key)
{
    if (!HasFocus() || !IsActivationKey(key))
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
    DrawControlImage(*this, mImages, threeSlice, threeSlice ? index * 3 : index, position, state);
    // A frame carries its caption inside, like a button; a round button has it
    // beside it, as a check box does.
    DrawControlCaption(*this, GetText(), GetFont(), position, state, threeSlice);
}

SceneNodeDescriptor* RadioButtonNodeFactory::CreateDescriptor(IAttributeContainer const& attributes) const
{
    RadioButtonNodeDescriptor* descriptor = new RadioButtonNodeDescriptor();
    descriptor->group = ReadResourceLabel(attributes, L"group");
    ReadControlAttributes(attributes, *descriptor);
    return descriptor;
}

SceneNode* RadioButtonNodeFactory::CreateNode(SceneNodeDescriptor const* descriptor) const
{
    RadioButtonNodeDescriptor const* d = dynamic_cast<RadioButtonNodeDescriptor const*>(descriptor);
    if (!d)
        return nullptr;
    sControlResources const resources(*d);
    RadioButtonNode* node =
        new RadioButtonNode(d->group, Label(), Vector2<float>(0.0f, 0.0f), resources.images.Get(), d->width,
                            d->text.c_str(), resources.font.Get(), ColorF::StaticColor<0, 0, 0, 255>());
    ApplyControlSettings(*node, *d, resources);
    return node;
}
