#include "CorvaneExtensions/Source/SpriteType.h"

#include "Core/Source/StringUtils.h"
#include "Core/Source/XMLReader.h"

#include <memory>

using namespace Corvane;

SpriteType::SpriteType()
{
}

SpriteType::SpriteType(Label name, Label images) : mName(name), mImages(images)
{
}

SpriteType::~SpriteType()
{
}

SpriteType::SpriteType(SpriteType const& other)
    : mName(other.mName), mImages(other.mImages), mAnimations(other.mAnimations)
{
    ResolveLinkedAnimations();
}

SpriteType& SpriteType::operator=(SpriteType const& other)
{
    if (this != &other)
    {
        mName = other.mName;
        mImages = other.mImages;
        mAnimations = other.mAnimations;
        ResolveLinkedAnimations();
    }
    return *this;
}

SpriteAnimation const* SpriteType::GetAnimation(Label name) const
{
    SpriteAnimationMap::const_iterator found = mAnimations.find(name);
    return found == mAnimations.end() ? nullptr : &found->second;
}

void SpriteType::AddAnimation(SpriteAnimation const& animation)
{
    mAnimations[animation.GetName()] = animation;
    ResolveLinkedAnimations();
}

void SpriteType::AddAnimations(SpriteAnimationMap const& animations)
{
    for (SpriteAnimationMap::value_type const& entry : animations)
        AddAnimation(entry.second);
}

void SpriteType::ResolveLinkedAnimations()
{
    for (SpriteAnimationMap::value_type& entry : mAnimations)
    {
        Label const linked = entry.second.GetLinkedAnimationName();
        entry.second.SetLinkedAnimation(linked.IsNull() ? nullptr : GetAnimation(linked));
    }
}

IResourceDescriptor* SpriteTypeResourceFactory::CreateResource(std::wstring const& manifest, Label name,
                                                               IAttributeContainer const& attributes,
                                                               IXMLReader& reader) const
{
    using SpriteAnimationReading::ReadLabel;

    std::unique_ptr<ResourceWrapper<SpriteType> > resource(new ResourceWrapper<SpriteType>(manifest, name, attributes));
    SpriteType* const type = resource.get();
    type->SetName(ReadLabel(attributes, L"name"));
    type->SetImages(ReadLabel(attributes, L"images"));
    Label const listName = ReadLabel(attributes, L"animationList");
    if (!listName.IsNull())
    {
        AutoResource<SpriteAnimationList> list(listName);
        if (list)
            type->AddAnimations(list->GetAnimations());
    }
    try
    {
        SpriteAnimationReading::ReadAnimations(
            reader, [type](SpriteAnimation const& animation) { type->AddAnimation(animation); });
    }
    catch (AnimationParseError& error)
    {
        error.setSpriteTypeName(type->GetName().GetString());
        throw;
    }
    return resource.release();
}
