#ifndef CORVANE_EXTENSIONS_NODEGRIDNODE_H
#define CORVANE_EXTENSIONS_NODEGRIDNODE_H

// A container that places its children in rows that wrap at a maximum width (or
// columns that wrap at a maximum height), with fixed gaps, and takes the size of
// the result. It lays its children out again whenever one is attached or detached.
// Made from the "nodegridnode" layout tag.

#include "CorvaneExtensions/Source/NodeFactory.h"
#include "CorvaneExtensions/Source/SceneNode.h"

#include <string>

class NodeGridNode : public SceneNode
{
public:
    enum GridGrowBehavior
    {
        // Rows filled left to right, wrapping downwards.
        kHorizontalFirst = 0,
        // Columns filled top to bottom, wrapping to the right.
        kVerticalFirst = 1
    };

    // A negative maximum means no limit. The grid starts 0 by 0.
    NodeGridNode(float hSpacing, float vSpacing, float maxWidth, float maxHeight, int growBehavior,
                 Corvane::Label name = Corvane::Label());

    void ChildNodeAttached(SceneNode* child) override;
    void ChildNodeDetached(SceneNode* child) override;

    // Places the children in list order from their composite bounds. Children that
    // change size later keep their places until the next attach or detach.
    void rebuildGrid();

    float GetHSpacing() const { return mHSpacing; }
    float GetVSpacing() const { return mVSpacing; }
    float GetMaxWidth() const { return mMaxWidth; }
    float GetMaxHeight() const { return mMaxHeight; }
    int GetGrowBehavior() const { return mGrowBehavior; }

private:
    void LayOutHorizontally();
    void LayOutVertically();

    float mHSpacing;
    float mVSpacing;
    float mMaxWidth;
    float mMaxHeight;
    int mGrowBehavior;
};

// "horizontalFirst" 0, "verticalFirst" 1 (exact); anything else 0.
int ParseGridGrowBehavior(std::wstring const& text);

class NodeGridNodeDescriptor : public SceneNodeDescriptor
{
public:
    NodeGridNodeDescriptor()
        : hSpacing(0.0f), vSpacing(0.0f), maxWidth(-1.0f), maxHeight(-1.0f),
          growBehavior(NodeGridNode::kHorizontalFirst)
    {
    }

    float hSpacing;
    float vSpacing;
    float maxWidth;
    float maxHeight;
    int growBehavior;
};

// "nodegridnode": "gridGrowBehavior", "hSpacing" (0), "vSpacing" (0), "maxWidth" (-1),
// "maxHeight" (-1).
class NodeGridNodeFactory : public SceneNodeFactory
{
public:
    SceneNodeDescriptor* CreateDescriptor(Corvane::IAttributeContainer const& attributes) const override;
    SceneNode* CreateNode(SceneNodeDescriptor const* descriptor) const override;
};

#endif
