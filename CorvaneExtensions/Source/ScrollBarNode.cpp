#include "CorvaneExtensions/Source/ScrollBarNode.h"

#include "2DEngine/Source/Framework/ContentNumbers.h"

#include "CorvaneExtensions/Source/ButtonNode.h"
#include "CorvaneExtensions/Source/ControlNodeSupport.h"

#include "2DEngine/Source/Framework/ObjectDatabase.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Graphics/Brush.h"
#include "2DEngine/Source/Graphics/Context.h"
#include "2DEngine/Source/Graphics/ImageList.h"

#include <string>

using namespace Corvane;
using namespace ControlNodes;

namespace
{

Label ArrowName(Label barName, char const* suffix)
{
    return Label::FromString(std::string(barName.GetString()) + suffix);
}

} // namespace

ScrollBarNode::ScrollBarNode(Label name, Vector2<float> const& location, IImageList const* channel,
                             IImageList const* thumb, IImageList const* upArrow, IImageList const* downArrow,
                             float height)
    : SceneNode(name),
      mChannelImages(channel),
      mThumbPosition(location),
      mThumbImages(thumb),
      mThumbValue(0.0f),
      mUpButton(nullptr),
      mDownButton(nullptr)
{
    LocalSetLocation(location);
    SetWidth(channel ? static_cast<float>(channel->GetImageWidth(0)) : 0.0f);
    SetHeight(height);

    ColorF const& black = ColorF::StaticColor<0, 0, 0, 255>();
    mUpButton = new ButtonNode(ArrowName(name, "ScrollUp"), upArrow, 0.0f, nullptr, nullptr, black);
    mDownButton = new ButtonNode(ArrowName(name, "ScrollDown"), downArrow, 0.0f, nullptr, nullptr, black);
    mUpButton->LocalSetLocation(0.0f, 0.0f);
    float const downHeight = downArrow ? static_cast<float>(downArrow->GetImageHeight(0)) : 0.0f;
    mDownButton->LocalSetLocation(0.0f, height - downHeight);
    AttachChild(mUpButton);
    AttachChild(mDownButton);
}

void ScrollBarNode::ReceiveMessage(ObjectMessage const& message)
{
    // The arrows join the database the bar joins. A bar added with its subtree has
    // them added already; one added on its own brings them along here.
    if (message.message == ObjectDatabase::GetAddMessageName())
    {
        if (ObjectDatabase* database = GetDatabase())
        {
            if (mUpButton && !mUpButton->GetDatabase())
                database->AddObject(mUpButton);
            if (mDownButton && !mDownButton->GetDatabase())
                database->AddObject(mDownButton);
        }
    }
    SceneNode::ReceiveMessage(message);
}

void ScrollBarNode::ChildNodeDetached(SceneNode* child)
{
    if (child == mUpButton)
        mUpButton = nullptr;
    if (child == mDownButton)
        mDownButton = nullptr;
}

void ScrollBarNode::DrawAt(Vector2<float> const& offset)
{
    if (!GlobalIsVisible())
        return;
    Graphics::sDrawState const state = NodeDrawState(*this);
    Vector2<float> const position = NodeDrawPosition(*this, offset);
    Graphics::DrawThreeBrushVertical(mChannelImages, 0, position.x, position.y, GetHeight(), state,
                                     Graphics::GetCanvas());
}

SceneNodeDescriptor* ScrollBarNodeFactory::CreateDescriptor(IAttributeContainer const& attributes) const
{
    ScrollBarNodeDescriptor* descriptor = new ScrollBarNodeDescriptor();
    descriptor->channelImages = ReadResourceLabel(attributes, L"channelImages");
    descriptor->thumbImages = ReadResourceLabel(attributes, L"thumbImages");
    descriptor->upArrowImages = ReadResourceLabel(attributes, L"upArrowImages");
    descriptor->downArrowImages = ReadResourceLabel(attributes, L"downArrowImages");
    descriptor->height = ReadNumber(attributes, L"height", 0.0f, NumberRanges::kSize);
    return descriptor;
}

SceneNode* ScrollBarNodeFactory::CreateNode(SceneNodeDescriptor const* descriptor) const
{
    ScrollBarNodeDescriptor const* d = dynamic_cast<ScrollBarNodeDescriptor const*>(descriptor);
    if (!d)
        return nullptr;
    AutoResource<IImageList> const channel(d->channelImages);
    AutoResource<IImageList> const thumb(d->thumbImages);
    AutoResource<IImageList> const up(d->upArrowImages);
    AutoResource<IImageList> const down(d->downArrowImages);
    return new ScrollBarNode(Label(), Vector2<float>(0.0f, 0.0f), channel.Get(), thumb.Get(), up.Get(), down.Get(),
                             d->height);
}
