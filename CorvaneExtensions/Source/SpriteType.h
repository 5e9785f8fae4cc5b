#ifndef CORVANE_EXTENSIONS_SPRITETYPE_H
#define CORVANE_EXTENSIONS_SPRITETYPE_H

// The "spritetype" resource: the image list of an animated sprite and its named
// animations, some copied in from a shared animation list.

#include "CorvaneExtensions/Source/SpriteAnimation.h"

#include "2DEngine/Source/Framework/Resource.h"
#include "Core/Source/Label.h"

class SpriteType
{
public:
    SpriteType();
    SpriteType(Corvane::Label name, Corvane::Label images);
    virtual ~SpriteType();

    // Copies keep their own animations and resolve their links among them.
    SpriteType(SpriteType const& other);
    SpriteType& operator=(SpriteType const& other);

    Corvane::Label GetName() const { return mName; }
    void SetName(Corvane::Label name) { mName = name; }
    // The image-list resource whose images the frames index.
    Corvane::Label GetImages() const { return mImages; }
    void SetImages(Corvane::Label images) { mImages = images; }

    // Null for a name the type lacks.
    SpriteAnimation const* GetAnimation(Corvane::Label name) const;
    SpriteAnimationMap const& GetAnimations() const { return mAnimations; }

    // Stores or replaces by name, then resolves every animation's link again.
    void AddAnimation(SpriteAnimation const& animation);
    // Adds each animation of a list, in name order.
    void AddAnimations(SpriteAnimationMap const& animations);

private:
    void ResolveLinkedAnimations();

    Corvane::Label mName;
    Corvane::Label mImages;
    SpriteAnimationMap mAnimations;
};

// Reads a "spritetype" manifest element: "name", "images", the optional
// "animationList" whose animations come first, then its "animation" elements.
class SpriteTypeResourceFactory : public Corvane::IResourceFactory
{
public:
    Corvane::IResourceDescriptor* CreateResource(std::wstring const& manifest, Corvane::Label name,
                                                 Corvane::IAttributeContainer const& attributes,
                                                 Corvane::IXMLReader& reader) const override;
};

#endif
