#ifndef CORVANE_EXTENSIONS_SCROLLBARNODE_H
#define CORVANE_EXTENSIONS_SCROLLBARNODE_H

// A vertical channel with an up-arrow and a down-arrow button as children. The
// arrows are ordinary buttons that send "ButtonClick" with their own IDs; the bar
// itself takes no input. Made from the "scrollbarnode" tag.

#include "CorvaneExtensions/Source/NodeFactory.h"
#include "CorvaneExtensions/Source/SceneNode.h"

namespace Corvane
{
class IImageList;
}

class ButtonNode;

class ScrollBarNode : public SceneNode
{
public:
    // The arrows are named after the bar: its name followed by "ScrollUp" and
    // "ScrollDown" (just those for a bar without a name). They join the bar's
    // object database with it.
    ScrollBarNode(Corvane::Label name, Corvane::Vector2<float> const& location, Corvane::IImageList const* channel,
                  Corvane::IImageList const* thumb, Corvane::IImageList const* upArrow,
                  Corvane::IImageList const* downArrow, float height);

    void ReceiveMessage(Corvane::ObjectMessage const& message) override;
    void DrawAt(Corvane::Vector2<float> const& offset) override;
    void ChildNodeDetached(SceneNode* child) override;

    // Null once the button has been destroyed.
    ButtonNode* GetUpButton() const { return mUpButton; }
    ButtonNode* GetDownButton() const { return mDownButton; }
    Corvane::IImageList const* GetChannelImages() const { return mChannelImages; }

private:
    Corvane::IImageList const* mChannelImages;
    // Kept for the thumb that the bar does not draw yet.
    Corvane::Vector2<float> mThumbPosition;
    Corvane::IImageList const* mThumbImages;
    float mThumbValue;
    ButtonNode* mUpButton;
    ButtonNode* mDownButton;
};

class ScrollBarNodeDescriptor : public SceneNodeDescriptor
{
public:
    ScrollBarNodeDescriptor() : height(0.0f) {}

    Corvane::Label channelImages;
    Corvane::Label thumbImages;
    Corvane::Label upArrowImages;
    Corvane::Label downArrowImages;
    float height;
};

// "scrollbarnode": "channelImages", "thumbImages", "upArrowImages",
// "downArrowImages", "height" (0).
class ScrollBarNodeFactory : public SceneNodeFactory
{
public:
    SceneNodeDescriptor* CreateDescriptor(Corvane::IAttributeContainer const& attributes) const override;
    SceneNode* CreateNode(SceneNodeDescriptor const* descriptor) const override;
};

#endif
