// One frame of the widget gallery (the build's WidgetGallery.xml and its
// generated pictures) with the layout designer open and a button selected:
// the object database's update and draw onto a software canvas of the widened
// window. The goal is under 2 ms.
//
//   BUILD_DIR=build-bench scripts/build -DCORVANE_BENCHMARKS=ON
//   build-bench/2DEngine/designer_benchmarks

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "CorvaneExtensions/AudioPlatform/BASS/SoundList.h"
#include "2DEngine/Source/Framework/Application.h"
#include "2DEngine/Source/Framework/ApplicationMode.h"
#include "2DEngine/Source/Framework/FileSource.h"
#include "2DEngine/Source/Framework/Layout.h"
#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/ResourceManager.h"
#include "2DEngine/Source/Graphics/Context.h"
#include "2DEngine/Source/Graphics/Font.h"
#include "2DEngine/Source/Graphics/Image.h"
#include "2DEngine/Source/Graphics/SoftwareCanvas.h"
#include "2DEngine/Source/Platform/MacOSX/DesktopEngineSetup.h"
#include "2DEngine/Source/Platform/MacOSX/MacOSXPlatform.h"
#include "2DEngine/Source/Platform/MacOSX/ApplicationPlatform.h"
#include "2DEngine/Source/Widgets/DesignerObjects.h"
#include "2DEngine/Source/Widgets/ObjectFactory.h"

using namespace Corvane;

namespace
{

// The gallery's sounds are not played here.
struct Silence
{
};

class SilenceFactory : public IResourceFactory
{
public:
    IResourceDescriptor* CreateResource(std::wstring const& manifest, Label name, IAttributeContainer const& attributes,
                                        IXMLReader&) const override
    {
        return new ResourceWrapper<Silence>(manifest, name, attributes);
    }
};

class BenchApplication : public BaseApplication
{
public:
    BenchApplication()
    {
        mDescriptor.companyName = L"Pruebas Corvane";
        mDescriptor.productName = L"Dise\u00f1ador";
    }
};

class Mode : public ApplicationMode
{
public:
    using ApplicationMode::GetNamedObject;
};

void DesignerFrame(benchmark::State& state)
{
    std::string const home = std::string(std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp") + "/designer-bench";
    setenv("XDG_DATA_HOME", home.c_str(), 1);
    std::string const resources = CORVANE_BENCH_RESOURCES_DIR;
    MacOSX::Internal::SetBundleFolders(std::wstring(home.begin(), home.end()),
                                       std::wstring(resources.begin(), resources.end()));
    BenchApplication application;
    MacOSX::Internal::GetPlatformSetupHooks().registerFontFactory = [] {
        GetResourceManager()->AddResourceFactory(L"font", CreateFontResourceFactory());
    };
    MacOSX::ApplicationPlatform* platform = new MacOSX::ApplicationPlatform();
    platform->Setup();
    RegisterDefaultFileSource();
    InstallWidgetEngineHooks();
    CreateLayoutFactories();
    GetResourceManager()->AddResourceFactory(L"sound", new SilenceFactory());
    GetResourceManager()->AddResourceFactory(L"soundlist", new SoundListResourceFactory());
    GetResourceManager()->Load(L"WidgetGallery");

    {
        Mode mode;
        MainLoop::AutoContext context;
        MainLoop::WithinContext(&mode, context);
        Layout* const layout = AutoResource<Layout>("WidgetGallery").Get();
        if (!layout)
        {
            state.SkipWithError("WidgetGallery did not load");
            return;
        }
        layout->Load(Label());
        OpenLayoutDesigner(layout->GetInstance(Label()));
        ObjectDatabase* const database = mode.GetObjectDatabase();
        database->Update(0.02f);
        // The five-image button selected: its fourteen rows in the column.
        database->OnMouseMove(240, 76);
        database->OnMouseDown(kMouseButtonPrimary, 240, 76);
        database->OnMouseUp(kMouseButtonPrimary, 240, 76);

        Image target(1024, 600);
        Graphics::ICanvas* const canvas = Graphics::CreateImageCanvas(&target);
        Graphics::PushContext(Graphics::Context(canvas, Graphics::sDrawState::GetDefaults()));
        for (auto _ : state)
        {
            mode.Update(0.02f);
            mode.Draw();
        }
        Graphics::PopContext();
        Graphics::DestroyImageCanvas(canvas);
    }
    GetResourceManager()->Cleanup();
    CleanupFileSource();
    Internal::DeleteAllSingletons();
    delete platform;
    MacOSX::Internal::SetBundleFolders(L"", L"");
}

} // namespace

BENCHMARK(DesignerFrame)->Unit(benchmark::kMillisecond);
