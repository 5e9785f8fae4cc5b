#ifndef CORVANE_EXTENSIONS_SPRITENODES_H
#define CORVANE_EXTENSIONS_SPRITENODES_H

// Nodes that show images: one image at its own size, one image tiled over a given
// size, and the frames of a sprite type played by an animation controller; with
// their scene-layout factories ("staticspritenode", "tiledspritenode",
// "animatedspritenode") and an optional hit test by pixel alpha.

#include "CorvaneExtensions/Source/NodeFactory.h"
#include "CorvaneExtensions/Source/SceneNode.h"

#include "2DEngine/Source/Framework/Object.h"

namespace Corvane
{
class IImage;
class ImageList;
class ObjectDatabase;
}

class AnimationController;
class SpriteType;

class StaticSpriteNode : public SceneNode
{
public:
    explicit StaticSpriteNode(Corvane::IImage const* image = nullptr);

    bool GlobalPointIntersects(Corvane::Vector2<float> const& point) const override;
    void DrawAt(Corvane::Vector2<float> const& offset) override;

    // The node takes the image's size; no image makes it 0 x 0.
    void setImage(Corvane::IImage const* image);
    // Image i of the list; a missing list or an index outside it gives no image.
    void setImage(Corvane::ImageList const* list, int index);
    // An image resource, or image i of an image-list resource, by name.
    void setImage(Corvane::Label image);
    void setImage(Corvane::Label imageList, int index);
    Corvane::IImage const* getImage() const { return mImage; }

    // 0 tests the bounds only; otherwise a point hits where the pixel's alpha is
    // greater than the sensitivity.
    void SetAlphaSensitivity(int sensitivity) { mAlphaSensitivity = sensitivity; }
    int GetAlphaSensitivity() const { return mAlphaSensitivity; }
    // Snaps the drawing position to whole pixels.
    void SetNoBlur(bool noBlur) { mNoBlur = noBlur; }
    bool GetNoBlur() const { return mNoBlur; }

private:
    Corvane::IImage const* mImage;
    int mAlphaSensitivity;
    bool mNoBlur;
};

// Repeats one image over the node's box; scale, rotation and flips do not apply.
class TiledSpriteNode : public SceneNode
{
public:
    TiledSpriteNode(Corvane::IImage const* image, Corvane::Vector2<float> const& size);

    bool GlobalPointIntersects(Corvane::Vector2<float> const& point) const override;
    void DrawAt(Corvane::Vector2<float> const& offset) override;

    // The node keeps its size whatever the image.
    void SetImage(Corvane::IImage const* image) { mImage = image; }
    void SetImage(Corvane::ImageList const* list, int index);
    void SetImage(Corvane::Label image);
    void SetImage(Corvane::Label imageList, int index);
    Corvane::IImage const* GetImage() const { return mImage; }

    // The pixel of the image that lies at the node's top-left corner.
    void SetTileOffset(Corvane::Vector2<int> const& offset) { mTileOffset = offset; }
    Corvane::Vector2<int> const& GetTileOffset() const { return mTileOffset; }
    // Above 254 the node is never hit.
    void SetAlphaSensitivity(int sensitivity) { mAlphaSensitivity = sensitivity; }
    int GetAlphaSensitivity() const { return mAlphaSensitivity; }

private:
    Corvane::IImage const* mImage;
    Corvane::Vector2<int> mTileOffset;
    int mAlphaSensitivity;
};

// Shows the image of its sprite type's list that its animation controller names.
// The controller is an object of the database that was current when the type was
// set, and is destroyed with the node. Without a controller (no database at the
// time) the sprite shows its first image.
class AnimatedSpriteNode : public SceneNode
{
public:
    // Looks the sprite type resource up by name; a missing type leaves the node empty.
    explicit AnimatedSpriteNode(Corvane::Label spriteType = Corvane::Label());
    ~AnimatedSpriteNode() override;

    void Update(float dt) override;
    bool GlobalPointIntersects(Corvane::Vector2<float> const& point) const override;
    void DrawAt(Corvane::Vector2<float> const& offset) override;
    void NodeDestroyed() override;

    // A new type replaces the controller with a fresh one showing image 0.
    void SetSpriteType(SpriteType const* type);
    void SetSpriteType(Corvane::Label type);
    SpriteType const* GetSpriteType() const { return mSpriteType; }
    Corvane::ImageList const* GetImageList() const { return mImageList; }

    // A name the type lacks stops the animation and shows image 0.
    void SetAnimation(Corvane::Label animation, bool restart);
    // Stops the animation and shows the image.
    void SetFrameIndex(int index);
    // Null when stopped or without a type.
    Corvane::Label GetCurAnimationName() const;
    bool IsAnimationPlaying(Corvane::Label animation) const;
    // Null without a type or once the controller has gone.
    AnimationController* GetAnimationController() const;
    Corvane::ObjectID GetAnimationControllerID() const { return mControllerID; }
    // The image shown now: the controller's, or 0 without one.
    int GetImageIndex() const;

    void SetAlphaSensitivity(int sensitivity) { mAlphaSensitivity = sensitivity; }
    int GetAlphaSensitivity() const { return mAlphaSensitivity; }
    void SetNoBlur(bool noBlur) { mNoBlur = noBlur; }
    bool GetNoBlur() const { return mNoBlur; }

    // The node takes the size of the image shown, or 0 x 0 when it shows none.
    void UpdateDimensions();

private:
    bool HasShownImage(int index) const;
    void DestroyController();

    SpriteType const* mSpriteType;
    Corvane::ImageList const* mImageList;
    Corvane::ObjectID mControllerID;
    // Where the controller lives, compared but never followed: an ID means something
    // only in its own database.
    Corvane::ObjectDatabase const* mControllerDatabase;
    int mAlphaSensitivity;
    bool mNoBlur;
};

class StaticSpriteNodeDescriptor : public SceneNodeDescriptor
{
public:
    StaticSpriteNodeDescriptor() : alphaSensitivity(0), noBlur(false) {}

    Corvane::Label image;
    int alphaSensitivity;
    bool noBlur;
};

class TiledSpriteNodeDescriptor : public SceneNodeDescriptor
{
public:
    TiledSpriteNodeDescriptor() : size(0.0f, 0.0f), sourceOffset(0, 0), alphaSensitivity(0) {}

    Corvane::Label image;
    Corvane::Vector2<float> size;
    Corvane::Vector2<int> sourceOffset;
    int alphaSensitivity;
};

class AnimatedSpriteNodeDescriptor : public SceneNodeDescriptor
{
public:
    AnimatedSpriteNodeDescriptor() : alphaSensitivity(0), noBlur(false) {}

    Corvane::Label spriteType;
    // Null when the layout names none.
    Corvane::Label initialAnimation;
    int alphaSensitivity;
    bool noBlur;
};

// "staticspritenode": "src" (an image resource), "alphaSensitivity" (0), "noBlur" (false).
class StaticSpriteNodeFactory : public SceneNodeFactory
{
public:
    SceneNodeDescriptor* CreateDescriptor(Corvane::IAttributeContainer const& attributes) const override;
    SceneNode* CreateNode(SceneNodeDescriptor const* descriptor) const override;
};

// "tiledspritenode": "src", "width", "height" (0), "srcOffsetX", "srcOffsetY" (0),
// "alphaSensitivity" (0).
class TiledSpriteNodeFactory : public SceneNodeFactory
{
public:
    SceneNodeDescriptor* CreateDescriptor(Corvane::IAttributeContainer const& attributes) const override;
    SceneNode* CreateNode(SceneNodeDescriptor const* descriptor) const override;
};

// "animatedspritenode": "spriteType", "initialAnimation" (none), "alphaSensitivity"
// (0), "noBlur" (false).
class AnimatedSpriteNodeFactory : public SceneNodeFactory
{
public:
    SceneNodeDescriptor* CreateDescriptor(Corvane::IAttributeContainer const& attributes) const override;
    SceneNode* CreateNode(SceneNodeDescriptor const* descriptor) const override;
};

#endif
