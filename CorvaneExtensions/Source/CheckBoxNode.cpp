#include "CorvaneExtensions/Source/CheckBoxNode.h"

#include "CorvaneExtensions/Source/ControlNodeSupport.h"

#include "CorvaneExtensions/AudioPlatform/BASS/SoundList.h"

#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Graphics/Context.h"
#include "2DEngine/Source/Graphics/Font.h"
#include "2DEngine/Source/Graphics/ImageList.h"

#include <cmath>

using namespace Corvane;
using namespace ControlNodes;

namespace
{

Label CheckBoxClickMessage()
{
    static Label const label = Label::GetUniqueString("CheckBoxClick");
    return label;
}

} // namespace

CheckBoxNode::CheckBoxNode(Label name, Vector2<float> const& location, IImageList const* images, float width,
                           wchar_t const* text, Font const* font, ColorF const& color)
    : ToggleNode(name, images, width, text, font), mCaptionSize(0.0f, 0.0f)
{
    UpdateBounds();
    LocalSetColor(color);
    LocalSetLocation(location);
    LocalSetVisible(true);
}

bool CheckBoxNode::HasFocusImages() const
{
    int const count = ImageCount(mImages);
    return count == 10 || count == 30;
}

int CheckBoxNode::GetStateIndex() const
{
    return StateIndex(*this, IsEnabled(), mHot, HasFocusImages());
}

int CheckBoxNode::GetImageIndex() const
{
    int const checkedBase = mChecked ? ImageCount(mImages) / 2 : 0;
    int const state = GetStateIndex();
    return checkedBase + (IsThreeSlice() ? state * 3 : state);
}

void CheckBoxNode::UpdateBounds()
{
    ToggleNode::UpdateBounds();
    if (Font const* font = GetFont())
        mCaptionSize = Vector2<float>(static_cast<float>(font->GetStringWidth(GetText().c_str())),
                                      static_cast<float>(font->GetGlyphHeight()));
    else
        mCaptionSize = Vector2<float>(0.0f, 0.0f);
}

Rect<float> CheckBoxNode::GetCaptionRect() const
{
    Font const* font = GetFont();
    if (!font)
        return Rect<float>(0.0f, 0.0f, 0.0f, 0.0f);
    Vector2<float> const location = GlobalGetLocation();
    float const halfGlyph = static_cast<float>(font->GetGlyphHeight() / 2);
    return Rect<float>(location.x + GetWidth() + kCaptionGap,
                       std::floor(location.y + GetHeight() / 2.0f - halfGlyph + 0.5f), mCaptionSize.x,
                       mCaptionSize.y);
}

void CheckBoxNode::Click()
{
    mChecked = !mChecked;
    PlayNodeSound(mSounds, mChecked ? CheckedEvent() : UncheckedEvent());
    SendNodeMessage(*this, CheckBoxClickMessage());
}

bool CheckBoxNode::GlobalPointIntersects(Vector2<float> const& point) const
{
    if (ToggleNode::GlobalPointIntersects(point))
        return true;
    if (!GetFont())
        return false;
    Rect<float> const caption = GetCaptionRect();
    return point.x >= caption.x && point.x < caption.x + caption.width && point.y >= caption.y &&
           point.y < caption.y + caption.height;
}

void CheckBoxNode::DrawAt(Vector2<float> const& offset)
{
    if (!GlobalIsVisible())
        return;
    Graphics::sDrawState const state = NodeDrawState(*this);
    Vector2<float> const position = NodeDrawPosition(*this, offset);
    DrawControlImage(*this, mImages, IsThreeSlice(), GetImageIndex(), position, state);
    DrawControlCaption(*this, GetText(), GetFont(), position, state, false);
}

SceneNodeDescriptor* CheckBoxNodeFactory::CreateDescriptor(IAttributeContainer const& attributes) const
{
    CheckBoxNodeDescriptor* descriptor = new CheckBoxNodeDescriptor();
    ReadControlAttributes(attributes, *descriptor);
    return descriptor;
}

SceneNode* CheckBoxNodeFactory::CreateNode(SceneNodeDescriptor const* descriptor) const
{
    CheckBoxNodeDescriptor const* d = dynamic_cast<CheckBoxNodeDescriptor const*>(descriptor);
    if (!d)
        return nullptr;
    sControlResources const resources(*d);
    CheckBoxNode* node = new CheckBoxNode(Label(), Vector2<float>(0.0f, 0.0f), resources.images.Get(), d->width,
                                          d->text.c_str(), resources.font.Get(), ColorF::StaticColor<0, 0, 0, 255>());
    ApplyControlSettings(*node, *d, resources);
    return node;
}
