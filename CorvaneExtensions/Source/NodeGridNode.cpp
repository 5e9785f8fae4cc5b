#include "CorvaneExtensions/Source/NodeGridNode.h"

#include "2DEngine/Source/Framework/ContentNumbers.h"

#include <algorithm>

using namespace Corvane;

int ParseGridGrowBehavior(std::wstring const& text)
{
    if (text == L"verticalFirst")
        return NodeGridNode::kVerticalFirst;
    return NodeGridNode::kHorizontalFirst;
}

NodeGridNode::NodeGridNode(float hSpacing, float vSpacing, float maxWidth, float maxHeight, int growBehavior,
                           Label name)
    : SceneNode(name),
      mHSpacing(hSpacing),
      mVSpacing(vSpacing),
      mMaxWidth(maxWidth),
      mMaxHeight(maxHeight),
      mGrowBehavior(growBehavior)
{
    SetWidth(0.0f);
    SetHeight(0.0f);
}

void NodeGridNode::ChildNodeAttached(SceneNode*)
{
    rebuildGrid();
}

void NodeGridNode::ChildNodeDetached(SceneNode*)
{
    rebuildGrid();
}

void NodeGridNode::rebuildGrid()
{
    if (mGrowBehavior == kHorizontalFirst)
        LayOutHorizontally();
    else if (mGrowBehavior == kVerticalFirst)
        LayOutVertically();
}

void NodeGridNode::LayOutHorizontally()
{
    float x = 0.0f;
    float y = 0.0f;
    // The tallest child placed so far, over all rows.
    float rowHeight = 0.0f;
    float lastRight = 0.0f;
    float width = 0.0f;
    float height = 0.0f;
    for (SceneNode* child : GetChildren())
    {
        Rect<float> const composite = child->GetCompositeBounds();
        Vector2<float> const& scale = child->LocalGetScale();
        float const childWidth = composite.width * scale.x;
        float const childHeight = composite.height * scale.y;
        if (mMaxWidth >= 0.0f && x + childWidth > mMaxWidth)
        {
            y += rowHeight + mVSpacing;
            height += rowHeight + mVSpacing;
            width = std::max(width, lastRight);
            x = 0.0f;
        }
        child->LocalSetLocation(x, y);
        lastRight = x + childWidth;
        rowHeight = std::max(rowHeight, childHeight);
        x += childWidth + mHSpacing;
    }
    width = std::max(width, lastRight);
    height += rowHeight;
    SetWidth(width);
    SetHeight(height);
}

void NodeGridNode::LayOutVertically()
{
    float x = 0.0f;
    float y = 0.0f;
    float columnWidth = 0.0f;
    float lastBottom = 0.0f;
    float width = 0.0f;
    float height = 0.0f;
    for (SceneNode* child : GetChildren())
    {
        Rect<float> const composite = child->GetCompositeBounds();
        if (mMaxHeight >= 0.0f && y + composite.height > mMaxHeight)
        {
            x += columnWidth + mHSpacing;
            width += columnWidth + mHSpacing;
            height = std::max(height, lastBottom);
            y = 0.0f;
        }
        child->LocalSetLocation(x, y);
        lastBottom = y + composite.height;
        columnWidth = std::max(columnWidth, composite.width);
        y += composite.height + mVSpacing;
    }
    height = std::max(height, lastBottom);
    SetWidth(width + columnWidth);
    SetHeight(height);
}

SceneNodeDescriptor* NodeGridNodeFactory::CreateDescriptor(IAttributeContainer const& attributes) const
{
    NodeGridNodeDescriptor* d = new NodeGridNodeDescriptor();
    d->growBehavior = ParseGridGrowBehavior(attributes.GetAttribute(std::wstring(L"gridGrowBehavior")));
    d->hSpacing = ReadNumber(attributes, L"hSpacing", 0.0f, NumberRanges::kFinite);
    d->vSpacing = ReadNumber(attributes, L"vSpacing", 0.0f, NumberRanges::kFinite);
    d->maxWidth = ReadNumber(attributes, L"maxWidth", -1.0f, NumberRanges::kFinite);
    d->maxHeight = ReadNumber(attributes, L"maxHeight", -1.0f, NumberRanges::kFinite);
    return d;
}

SceneNode* NodeGridNodeFactory::CreateNode(SceneNodeDescriptor const* descriptor) const
{
    NodeGridNodeDescriptor const* d = dynamic_cast<NodeGridNodeDescriptor const*>(descriptor);
    if (!d)
        return nullptr;
    return new NodeGridNode(d->hSpacing, d->vSpacing, d->maxWidth, d->maxHeight, d->growBehavior, Label());
}
