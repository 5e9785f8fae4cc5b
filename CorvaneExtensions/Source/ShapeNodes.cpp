#include "CorvaneExtensions/Source/ShapeNodes.h"

#include "2DEngine/Source/Framework/ContentNumbers.h"

#include "2DEngine/Source/Graphics/Brush.h"
#include "2DEngine/Source/Graphics/Context.h"
#include "2DEngine/Source/Graphics/Drawing.h"
#include "2DEngine/Source/Graphics/ImageList.h"
#include "Core/Source/StringUtils.h"

using namespace Corvane;

namespace
{

// A copy of the current draw state with the node's clip when it has one.
Graphics::sDrawState NodeDrawState(SceneNode const& node)
{
    Graphics::sDrawState state = Graphics::GetDrawState();
    if (node.GetUseClipRect())
        state.clip = node.GetClipRect();
    return state;
}

// Canvases fill and outline shapes in the state's colour and leave the tint to
// images, so the node's colour and opacity go into both.
Graphics::sDrawState ShapeDrawState(SceneNode const& node)
{
    Graphics::sDrawState state = NodeDrawState(node);
    ColorF const color = node.GlobalGetColor();
    state.tint = color;
    state.color = ColorF(state.color.r * color.r, state.color.g * color.g, state.color.b * color.b,
                         state.color.a * color.a);
    return state;
}

Rect<float> NodeDestination(SceneNode const& node, Vector2<float> const& offset)
{
    Vector2<float> const location = node.GlobalGetLocation();
    return Rect<float>(location.x + offset.x, location.y + offset.y, node.GetWidth(), node.GetHeight());
}

} // namespace

RectNode::RectNode(float width, float height, bool filled) : SceneNode(Label()), mFilled(filled)
{
    SetWidth(width);
    SetHeight(height);
}

void RectNode::DrawAt(Vector2<float> const& offset)
{
    if (!GlobalIsVisible())
        return;
    Graphics::sDrawState const state = ShapeDrawState(*this);
    Rect<float> const destination = NodeDestination(*this, offset);
    if (mFilled)
        Graphics::DrawFilledRect(destination, state, Graphics::GetCanvas());
    else
        Graphics::DrawLineRect(destination, state, Graphics::GetCanvas());
}

EllipseNode::EllipseNode(float width, float height, bool filled) : SceneNode(Label()), mFilled(filled)
{
    SetWidth(width);
    SetHeight(height);
}

void EllipseNode::DrawAt(Vector2<float> const& offset)
{
    if (!GlobalIsVisible())
        return;
    Graphics::sDrawState const state = ShapeDrawState(*this);
    Rect<float> const destination = NodeDestination(*this, offset);
    if (mFilled)
        Graphics::DrawFilledEllipse(destination, state, Graphics::GetCanvas());
    else
        Graphics::DrawLineEllipse(destination, state, Graphics::GetCanvas());
}

BackgroundNode::BackgroundNode(Label name, Vector2<float> const& location, IImageList const* images, float width,
                               float height)
    : SceneNode(name), mImages(images)
{
    LocalSetLocation(location);
    SetWidth(width);
    SetHeight(height);
}

void BackgroundNode::DrawAt(Vector2<float> const& offset)
{
    if (!GlobalIsVisible() || !mImages)
        return;
    Graphics::sDrawState state = NodeDrawState(*this);
    // Only the opacity is the node's: the frame keeps the colours of its images.
    state.tint.a = GlobalGetAlpha();
    Rect<float> const destination = NodeDestination(*this, offset);
    Graphics::DrawNineBrush(mImages, 0, destination.x, destination.y, destination.width, destination.height, state,
                            Graphics::GetCanvas());
}

SceneNodeDescriptor* RectNodeFactory::CreateDescriptor(IAttributeContainer const& attributes) const
{
    RectNodeDescriptor* descriptor = new RectNodeDescriptor();
    descriptor->width = ReadNumber(attributes, L"width", 0.0f, NumberRanges::kSize);
    descriptor->height = ReadNumber(attributes, L"height", 0.0f, NumberRanges::kSize);
    descriptor->filled = attributes.GetAttribute(L"filled", true);
    return descriptor;
}

SceneNode* RectNodeFactory::CreateNode(SceneNodeDescriptor const* descriptor) const
{
    RectNodeDescriptor const* d = dynamic_cast<RectNodeDescriptor const*>(descriptor);
    if (!d)
        return nullptr;
    return new RectNode(d->width, d->height, d->filled);
}

SceneNodeDescriptor* EllipseNodeFactory::CreateDescriptor(IAttributeContainer const& attributes) const
{
    EllipseNodeDescriptor* descriptor = new EllipseNodeDescriptor();
    descriptor->width = ReadNumber(attributes, L"width", 0.0f, NumberRanges::kSize);
    descriptor->height = ReadNumber(attributes, L"height", 0.0f, NumberRanges::kSize);
    descriptor->filled = attributes.GetAttribute(L"filled", true);
    return descriptor;
}

SceneNode* EllipseNodeFactory::CreateNode(SceneNodeDescriptor const* descriptor) const
{
    EllipseNodeDescriptor const* d = dynamic_cast<EllipseNodeDescriptor const*>(descriptor);
    if (!d)
        return nullptr;
    return new EllipseNode(d->width, d->height, d->filled);
}

SceneNodeDescriptor* BackgroundNodeFactory::CreateDescriptor(IAttributeContainer const& attributes) const
{
    BackgroundNodeDescriptor* descriptor = new BackgroundNodeDescriptor();
    std::wstring const images = attributes.GetAttribute(std::wstring(L"images"));
    if (!images.empty())
        descriptor->images = Label::FromString(TruncateStringWideToASCII(images));
    descriptor->width = ReadNumber(attributes, L"width", 0.0f, NumberRanges::kSize);
    descriptor->height = ReadNumber(attributes, L"height", 0.0f, NumberRanges::kSize);
    return descriptor;
}

SceneNode* BackgroundNodeFactory::CreateNode(SceneNodeDescriptor const* descriptor) const
{
    BackgroundNodeDescriptor const* d = dynamic_cast<BackgroundNodeDescriptor const*>(descriptor);
    if (!d)
        return nullptr;
    AutoResource<IImageList> images(d->images);
    return new BackgroundNode(Label(), Vector2<float>(0.0f, 0.0f), images.Get(), d->width, d->height);
}
