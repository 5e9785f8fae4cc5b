#pragma once

// Test doubles shared by the resource tests: manifests served from memory, a small resource
// type with its factory, and a fixture that gives each test a fresh resource manager.

#include <atomic>
#include <map>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "Core/Source/FileAddress.h"
#include "Core/Source/MemoryStream.h"
#include "Core/Source/Singleton.h"
#include "Core/Source/StringUtils.h"
#include "Core/Source/XMLReader.h"
#include "2DEngine/Source/Framework/FileSource.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Framework/ResourceManager.h"

namespace ResourceTesting
{
    using namespace Corvane;

    // Serves files from memory by name and extension; counts every opening.
    class MemoryFileSource : public IFileSource
    {
    public:
        IStream* OpenFileStream(FileAddress const& address) const override
        {
            std::lock_guard<std::mutex> lock(mLock);
            std::wstring const key = address.GetName() + address.GetExtension();
            ++mOpenCounts[key];
            auto found = mFiles.find(key);
            if (found == mFiles.end())
                return nullptr;
            MemoryStream* stream = new MemoryStream(key);
            std::string const bytes = ConvertStringWideToUTF8String(found->second);
            stream->Write(bytes.data(), bytes.size());
            stream->Seek(kSeekBegin, 0);
            return stream;
        }

        bool Cleanup() override { return false; }

        void SetFile(std::wstring const& name, std::wstring const& text)
        {
            std::lock_guard<std::mutex> lock(mLock);
            mFiles[name] = text;
        }

        int GetOpenCount(std::wstring const& name) const
        {
            std::lock_guard<std::mutex> lock(mLock);
            auto found = mOpenCounts.find(name);
            return found == mOpenCounts.end() ? 0 : found->second;
        }

        void Clear()
        {
            std::lock_guard<std::mutex> lock(mLock);
            mFiles.clear();
            mOpenCounts.clear();
        }

    private:
        mutable std::mutex mLock;
        std::map<std::wstring, std::wstring> mFiles;
        mutable std::map<std::wstring, int> mOpenCounts;
    };

    inline MemoryFileSource& GetMemoryFileSource()
    {
        static MemoryFileSource source;
        return source;
    }

    // A resource value with a payload read from the "value" attribute.
    class Thing
    {
    public:
        virtual ~Thing() {}
        std::wstring value;
        std::thread::id madeOn;
    };

    // A value of an unrelated kind, to see handles of the wrong type come back empty.
    class Gadget
    {
    public:
        virtual ~Gadget() {}
    };

    // Makes a Thing from "thing" elements. A "fail" attribute makes it throw: "runtime" a
    // RuntimeError, "memory" an allocation failure. "refuse" makes it return null.
    class ThingFactory : public IResourceFactory
    {
    public:
        IResourceDescriptor* CreateResource(std::wstring const& manifest, Label name,
                                            IAttributeContainer const& attributes, IXMLReader&) const override
        {
            std::wstring const fail = attributes.GetAttribute(L"fail");
            if (fail == L"runtime")
                CORVANE_THROW("The thing factory was told to fail.");
            if (fail == L"memory")
                throw std::bad_alloc();
            if (attributes.GetAttribute(L"refuse", false))
                return nullptr;
            ResourceWrapper<Thing>* thing = new ResourceWrapper<Thing>(manifest, name, attributes);
            thing->value = attributes.GetAttribute(L"value");
            thing->madeOn = std::this_thread::get_id();
            return thing;
        }
    };

    class GadgetFactory : public IResourceFactory
    {
    public:
        IResourceDescriptor* CreateResource(std::wstring const& manifest, Label name,
                                            IAttributeContainer const& attributes, IXMLReader&) const override
        {
            return new ResourceWrapper<Gadget>(manifest, name, attributes);
        }
    };

    // A manifest document around the given elements.
    inline std::wstring Manifest(std::wstring const& body)
    {
        return L"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<resources>\n" + body + L"\n</resources>\n";
    }

    inline Label L8(char const* name)
    {
        return Label::GetUniqueString(name);
    }

    // Each test starts with no singleton, the memory file source and a new manager serving
    // "thing" and "gadget" elements; the manager's thread is joined at the end.
    class ResourceFixture : public ::testing::Test
    {
    protected:
        void SetUp() override
        {
            Internal::DeleteAllSingletons();
            GetMemoryFileSource().Clear();
            RegisterSingleton(static_cast<IFileSource*>(&GetMemoryFileSource()));
            manager = GetResourceManager();
            manager->AddResourceFactory(L"thing", new ThingFactory());
            manager->AddResourceFactory(L"gadget", new GadgetFactory());
        }

        void TearDown() override
        {
            manager->Cleanup();
            Internal::DeleteAllSingletons();
            // The memory source is a static: leaving it registered would let a later
            // test adopt it as the default source and delete it.
            if (GetFileSource() == &GetMemoryFileSource())
                RegisterSingleton(static_cast<IFileSource*>(nullptr));
        }

        MemoryFileSource& Files() { return GetMemoryFileSource(); }

        Thing* FindThing(char const* name) { return AutoResource<Thing>(name).Get(); }

        ResourceManager* manager = nullptr;
    };
}
