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
    : ToggleNode(name, images, width, text, font), mGroup(group)
{
    UpdateBounds();
    LocalSetColor(color);
    LocalSetLocation(location);
}

Label RadioButtonNode::GetRole() const
{
    return RadioButtonRole();
}

void RadioButtonNode::SetImages(IImageList const* images, float width)
{
    mImages = images;
    mWidth = width;
    UpdateBounds();
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
