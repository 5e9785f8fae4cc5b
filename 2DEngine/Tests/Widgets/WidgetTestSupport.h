#ifndef CORVANE_TESTS_WIDGETS_WIDGETTESTSUPPORT_H
#define CORVANE_TESTS_WIDGETS_WIDGETTESTSUPPORT_H

// Fixtures for the widget tests: a window of a chosen size without a display,
// a mode that serves as the context mode, manifests and images from memory,
// and the widget hooks installed.

#include "2DEngine/Tests/Support/QuietPlatform.h"
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

#include "Core/Source/FileAddress.h"
#include "Core/Source/MemoryStream.h"
#include "2DEngine/Source/Framework/FileSource.h"
#include "Core/Source/Singleton.h"
#include "Core/Source/StringUtils.h"
#include "2DEngine/Source/Framework/ApplicationMode.h"
#include "2DEngine/Source/Framework/Layout.h"
#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/Platform.h"
#include "2DEngine/Source/Framework/ResourceManager.h"
#include "2DEngine/Source/Framework/Tasks.h"
#include "2DEngine/Source/Framework/Window.h"
#include "2DEngine/Source/Graphics/Image.h"
#include "2DEngine/Source/Widgets/ObjectFactory.h"
#include "2DEngine/Tests/Graphics/FontTestSupport.h"

namespace WidgetTesting
{
using namespace Corvane;

// A platform that opens no window.
using HeadlessPlatform = Testing::QuietPlatform;

class HeadlessGraphicsPlatform : public IGraphicsPlatform
{
public:
    HeadlessGraphicsPlatform() { RegisterSingleton(static_cast<IGraphicsPlatform*>(this)); }
    ~HeadlessGraphicsPlatform() override { UnregisterSingleton(static_cast<IGraphicsPlatform*>(this)); }

    Label GetName() override { return Label::GetUniqueString("Headless"); }
    void GetSupportedWindowConfig(sWindowConfig*) override {}
    unsigned long GetCaps() override { return 2; }
    void Setup(sWindowConfig const&) override {}
    void Cleanup() override {}
    int BeginScene() override { return 0; }
    int EndScene() override { return 0; }
    Graphics::ICanvas* GetScreenCanvas() override { return nullptr; }
    ITexture* CreateTexture(Image const*, Rect<int> const*) override { return nullptr; }
};

// The window configured to a size for the life of the object.
class WindowOfSize
{
public:
    WindowOfSize(int width, int height)
    {
        mSaved = Window::Internal::SetGraphicsPlatformFactory(
            [](unsigned long) -> IGraphicsPlatform* { return new HeadlessGraphicsPlatform(); });
        Window::SetConfig(sWindowConfig{kWindowMode_Windowed, 1, width, height});
    }
    ~WindowOfSize()
    {
        if (IGraphicsPlatform* graphics = GetGraphicsPlatform())
            delete graphics;
        Window::Internal::SetGraphicsPlatformFactory(mSaved);
        Window::Internal::Reset();
    }

private:
    HeadlessPlatform mPlatform;
    Window::Internal::GraphicsPlatformFactory mSaved;
};

class TestMode : public ApplicationMode
{
public:
    using ApplicationMode::GetNamedObject;
    using ApplicationMode::GetObject;
    using ApplicationMode::GetNextObject;
    using ApplicationMode::Update;
    using ApplicationMode::DestroyObject;
    using ApplicationMode::AddObject;
};

// "testimage" elements: an image of "width" x "height" transparent pixels.
class SizedImageFactory : public IResourceFactory
{
public:
    IResourceDescriptor* CreateResource(std::wstring const& manifest, Label name, IAttributeContainer const& attributes,
                                        IXMLReader&) const override
    {
        ResourceWrapper<Image>* image = new ResourceWrapper<Image>(manifest, name, attributes);
        int const width = attributes.GetAttribute(L"width", 1);
        int const height = attributes.GetAttribute(L"height", 1);
        image->Init(new Color32[size_t(width * height)](), width, height, true, false);
        return image;
    }
};

// Serves files from memory by name and extension, as UTF-8.
class TextFileSource : public IFileSource
{
public:
    IStream* OpenFileStream(FileAddress const& address) const override
    {
        auto const found = files.find(address.GetName() + address.GetExtension());
        if (found == files.end())
            return nullptr;
        MemoryStream* stream = new MemoryStream(found->first);
        std::string const bytes = ConvertStringWideToUTF8String(found->second);
        stream->Write(bytes.data(), bytes.size());
        stream->Seek(kSeekBegin, 0);
        return stream;
    }
    bool Cleanup() override { return false; }

    // Set before loading starts; the loader thread only reads.
    std::map<std::wstring, std::wstring> files;
};

// A fresh resource manager with the layout, test font and test image factories,
// the widget hooks and object factories, a window of 800 x 600 unless a test
// makes another, and a mode that is the context mode.
class WidgetFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Internal::DeleteAllSingletons();
        RegisterSingleton(static_cast<IFileSource*>(&files));
        InstallWidgetEngineHooks();
        GetResourceManager()->AddResourceFactory(L"testfont", new FontTesting::AdvanceFontFactory());
        GetResourceManager()->AddResourceFactory(L"testimage", new SizedImageFactory());
        CreateLayoutFactories();
        mode.reset(new TestMode());
        context.reset(new MainLoop::AutoContext());
        MainLoop::WithinContext(mode.get(), *context);
    }

    void TearDown() override
    {
        context.reset();
        mode.reset();
        GetResourceManager()->Cleanup();
        Internal::DeleteAllSingletons();
        RegisterSingleton(static_cast<IFileSource*>(nullptr));
    }

    void Load(std::wstring const& manifest, std::wstring const& body)
    {
        FontTesting::LoadManifestText(manifest, body);
    }

    Layout* FindLayout(char const* name) { return AutoResource<Layout>(name).Get(); }

    template <class T>
    T* Named(char const* name)
    {
        return dynamic_cast<T*>(mode->GetNamedObject(Label::GetUniqueString(name)));
    }

    TextFileSource files;
    std::unique_ptr<TestMode> mode;
    std::unique_ptr<MainLoop::AutoContext> context;
};

} // namespace WidgetTesting

#endif
