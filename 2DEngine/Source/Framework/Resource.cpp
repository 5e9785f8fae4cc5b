#include "2DEngine/Source/Framework/Resource.h"

namespace Corvane
{
    namespace
    {
        // Every manifest element is an AttributeContainer; anything else is refused with
        // std::bad_cast rather than copied partially.
        AttributeContainer const& AsAttributeContainer(IAttributeContainer const& attributes)
        {
            return dynamic_cast<AttributeContainer const&>(attributes);
        }
    }

    ResourceDescriptor::ResourceDescriptor(std::wstring const& manifest, Label name,
                                           IAttributeContainer const& attributes)
        : mManifest(manifest), mName(name)
    {
        SetAttributes(AsAttributeContainer(attributes).GetAttributes());
    }

    ResourceDescriptor::~ResourceDescriptor()
    {
    }

    std::wstring ResourceDescriptor::GetManifest() const
    {
        return mManifest;
    }

    Label ResourceDescriptor::GetName() const
    {
        return mName;
    }

    void IResourceFactory::GetFileListForResource(std::list<FileVariant>*, std::wstring const&, Label,
                                                  IAttributeContainer const&, IXMLReader&) const
    {
    }
}
