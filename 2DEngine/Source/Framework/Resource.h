#pragma once

#include <list>
#include <string>

#include "Core/Source/Label.h"
#include "2DEngine/Source/Framework/AttributeContainer.h"

namespace Corvane
{
    class IXMLReader;
    class IResourceLoadProgress;

    // What every loaded resource is: the manager keeps each as a shared pointer to this.
    class IResourceDescriptor
    {
    public:
        virtual ~IResourceDescriptor() {}
        // The name of the manifest that declared the resource.
        virtual std::wstring GetManifest() const = 0;
        // The null label for a resource made without a name.
        virtual Label GetName() const = 0;
    };

    // A descriptor that also answers attribute queries about the element that declared it.
    class ResourceDescriptor : public IResourceDescriptor, public AttributeContainer
    {
    public:
        // The attributes must be an AttributeContainer (any manifest element is);
        // another class throws std::bad_cast.
        ResourceDescriptor(std::wstring const& manifest, Label name, IAttributeContainer const& attributes);
        ~ResourceDescriptor() override;

        std::wstring GetManifest() const override;
        Label GetName() const override;

    private:
        std::wstring mManifest;
        Label mName;
    };

    // One file that a resource needs, with its candidate extensions in order of preference.
    struct FileVariant
    {
        // With any folder part, without extension.
        std::wstring name;
        // Each with its leading dot, e.g. ".jpg".
        std::list<std::wstring> extensions;
    };

    // Makes the resources of one manifest element tag. Owned by the resource manager once
    // registered; runs on whichever thread reads the manifest.
    class IResourceFactory
    {
    public:
        virtual ~IResourceFactory() {}

        // The reader is confined to the element: its first read yields the element itself.
        // Returns a new descriptor owned by the caller, or null to pass the element over.
        virtual IResourceDescriptor* CreateResource(std::wstring const& manifest, Label name,
                                                    IAttributeContainer const& attributes,
                                                    IXMLReader& reader) const = 0;

        // Appends the files that CreateResource will read. A resource without files adds none.
        virtual void GetFileListForResource(std::list<FileVariant>* files, std::wstring const& manifest,
                                            Label name, IAttributeContainer const& attributes,
                                            IXMLReader& reader) const;
    };

    // A descriptor and a value in one object: the usual product of a factory, which builds
    // the wrapper (the value default-constructed) and then fills the value.
    template <class T>
    class ResourceWrapper : public ResourceDescriptor, public T
    {
    public:
        ResourceWrapper(std::wstring const& manifest, Label name, IAttributeContainer const& attributes)
            : ResourceDescriptor(manifest, name, attributes), T()
        {
        }
        ~ResourceWrapper() override {}
    };

    namespace Internal
    {
        // The descriptor bound to the name in the resource manager, or null. Takes the
        // manager's lock for the look-up only.
        IResourceDescriptor* FindResource(Label name);
    }

    // Finds a loaded resource by name. Holds no reference: valid while the declaring
    // manifest stays loaded, and a snapshot that does not follow a later reload.
    template <class T>
    class AutoResource
    {
    public:
        explicit AutoResource(Label const& name) { Bind(name); }
        explicit AutoResource(std::string const& name) { Bind(Label::GetUniqueString(name.c_str())); }
        explicit AutoResource(char const* name) { Bind(Label::GetUniqueString(name)); }

        // Null when the name is not bound.
        IResourceDescriptor* GetDescriptor() const { return mDescriptor; }
        // Null when the name is not bound or its resource is not a T.
        T* Get() const { return mValue; }
        T* operator->() const { return mValue; }
        T& operator*() const { return *mValue; }
        explicit operator bool() const { return mValue != nullptr; }

    private:
        void Bind(Label name)
        {
            mDescriptor = Internal::FindResource(name);
            mValue = dynamic_cast<T*>(mDescriptor);
        }

        IResourceDescriptor* mDescriptor = nullptr;
        T* mValue = nullptr;
    };

    namespace ResourceUtils
    {
        // Reloads one manifest in place on the caller's thread, keeping its load count: unloads
        // it as often as it is loaded, then reads the file again (a manifest not loaded is
        // loaded once). A duplicate name with another manifest throws to the caller.
        void Reload(wchar_t const* manifest, IResourceLoadProgress* progress, bool lockFileSystem);
    }
}
