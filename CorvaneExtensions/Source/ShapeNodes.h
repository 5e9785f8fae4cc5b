#ifndef CORVANE_EXTENSIONS_SHAPENODES_H
#define CORVANE_EXTENSIONS_SHAPENODES_H

// Nodes that draw without images of their own (rectangles and ellipses, filled or
// outlined, in the node's colour) or with a nine-part framed background, and their
// scene-layout factories ("rectnode", "ellipsenode", "backgroundnode").

#include "CorvaneExtensions/Source/NodeFactory.h"
#include "CorvaneExtensions/Source/SceneNode.h"

namespace Corvane
{
class IImageList;
}

class RectNode : public SceneNode
{
public:
    RectNode(float width, float height, bool filled);

    void DrawAt(Corvane::Vector2<float> const& offset) override;

    bool IsFilled() const { return mFilled; }
    void SetFilled(bool filled) { mFilled = filled; }

private:
    bool mFilled;
};

// The ellipse fits the node's box.
class EllipseNode : public SceneNode
{
public:
    EllipseNode(float width, float height, bool filled);

    void DrawAt(Corvane::Vector2<float> const& offset) override;

    bool IsFilled() const { return mFilled; }
    void SetFilled(bool filled) { mFilled = filled; }

private:
    bool mFilled;
};

// The first nine images of the list drawn as corners, edges and a tiled middle
// stretched over the node's box. A missing list draws nothing.
class BackgroundNode : public SceneNode
{
public:
    BackgroundNode(Corvane::Label name, Corvane::Vector2<float> const& location, Corvane::IImageList const* images,
                   float width, float height);

    bool CanFocus() const override { return false; }
    void DrawAt(Corvane::Vector2<float> const& offset) override;

    Corvane::IImageList const* GetImages() const { return mImages; }
    void SetImages(Corvane::IImageList const* images) { mImages = images; }

private:
    Corvane::IImageList const* mImages;
};

class RectNodeDescriptor : public SceneNodeDescriptor
{
public:
    RectNodeDescriptor() : width(0.0f), height(0.0f), filled(true) {}

    float width;
    float height;
    bool filled;
};

class EllipseNodeDescriptor : public SceneNodeDescriptor
{
public:
    EllipseNodeDescriptor() : width(0.0f), height(0.0f), filled(true) {}

    float width;
    float height;
    bool filled;
};

class BackgroundNodeDescriptor : public SceneNodeDescriptor
{
public:
    BackgroundNodeDescriptor() : width(0.0f), height(0.0f) {}

    Corvane::Label images;
    float width;
    float height;
};

// "rectnode": "width", "height" (0), "filled" (true).
class RectNodeFactory : public SceneNodeFactory
{
public:
    SceneNodeDescriptor* CreateDescriptor(Corvane::IAttributeContainer const& attributes) const override;
    SceneNode* CreateNode(SceneNodeDescriptor const* descriptor) const override;
};

// "ellipsenode": "width", "height" (0), "filled" (true).
class EllipseNodeFactory : public SceneNodeFactory
{
public:
    SceneNodeDescriptor* CreateDescriptor(Corvane::IAttributeContainer const& attributes) const override;
    SceneNode* CreateNode(SceneNodeDescriptor const* descriptor) const override;
};

// "backgroundnode": "images" (an image-list resource), "width", "height" (0).
class BackgroundNodeFactory : public SceneNodeFactory
{
public:
    SceneNodeDescriptor* CreateDescriptor(Corvane::IAttributeContainer const& attributes) const override;
    SceneNode* CreateNode(SceneNodeDescriptor const* descriptor) const override;
};

#endif
