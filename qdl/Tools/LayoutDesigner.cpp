// The developer's layout designer, out of a child's reach beside the game:
// `LayoutDesigner [manifest layout]` (by default the widget gallery) loads the
// manifest with the designer's own resources ("WidgetGallery"), shows the
// layout at 800 x 600 and opens the designer over it. F9 closes and opens the
// designer again, Ctrl+Q quits. A manifest that does not load, or a layout it
// does not declare, is named and the program ends with status 1.

#include <chrono>
#include <cstdio>
#include <exception>
#include <string>
#include <thread>

#include "Core/Source/Error.h"
#include "Core/Source/Log.h"
#include "2DEngine/Source/Framework/Application.h"
#include "2DEngine/Source/Framework/ApplicationMode.h"
#include "2DEngine/Source/Framework/Layout.h"
#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/ResourceManager.h"
#include "2DEngine/Source/Widgets/DesignerObjects.h"
#include "2DEngine/Source/Widgets/ListObjects.h"
#include "CorvaneExtensions/AudioPlatform/BASS/Audio.h"
#include "CorvaneExtensions/Source/CorvaneExtensions.h"
#include "qdl/Source/Game/DesktopEngine.h"
#include "qdl/Source/Game/UnhandledException.h"

using namespace Corvane;

namespace
{

wchar_t const* const kDesignerManifest = L"WidgetGallery";
constexpr int kKeyF9 = 120;

struct sRequest
{
    std::wstring manifest = kDesignerManifest;
    std::wstring layout = kDesignerManifest;
    int status = 0;
};

sRequest request;

std::string Narrow(std::wstring const& text)
{
    return std::string(text.begin(), text.end());
}

std::wstring Widen(char const* text)
{
    std::string const narrow(text);
    return std::wstring(narrow.begin(), narrow.end());
}

void Fail(std::string const& message)
{
    Corvane::Internal::LogWrite("%s\n", message.c_str());
    request.status = 1;
    MainLoop::Exit();
}

// Waits for the manifest's job; false when it did not complete.
bool LoadManifest(std::wstring const& manifest)
{
    LoadingJobRef const job = GetResourceManager()->LoadAsync(manifest.c_str());
    while (job && !job->IsComplete())
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    return job && job->GetStatus() == kLoadingJobStatus_Complete;
}

// The gallery's list and tree are filled by the program that shows them.
void FillGallery(ObjectDatabase* database)
{
    if (ListObject* const list = dynamic_cast<ListObject*>(database->GetNamedObject(Label::GetUniqueString("Fruit"))))
        for (wchar_t const* fruit : {L"Apple", L"Banana", L"Cherry", L"Damson", L"Elder", L"Fig", L"Grape"})
            list->AddItem(fruit, nullptr);
    if (TreeObject* const tree = dynamic_cast<TreeObject*>(database->GetNamedObject(Label::GetUniqueString("Parts"))))
    {
        TreeNode* const engine = tree->AddNode(L"Engine");
        engine->AddNode(L"Framework");
        engine->AddNode(L"Graphics")->AddNode(L"Fonts");
        tree->AddNode(L"Widgets")->AddNode(L"Buttons");
    }
}

class DesignMode : public ApplicationMode
{
public:
    void Setup() override
    {
        if (!LoadManifest(kDesignerManifest))
            return Fail("The designer's manifest \"" + Narrow(kDesignerManifest) + "\" could not be loaded.");
        if (request.manifest != kDesignerManifest && !LoadManifest(request.manifest))
            return Fail("The manifest \"" + Narrow(request.manifest) + "\" could not be loaded.");
        Layout* const layout = AutoResource<Layout>(Label::FromString(request.layout)).Get();
        if (!layout)
            return Fail("The manifest \"" + Narrow(request.manifest) + "\" has no layout \"" +
                        Narrow(request.layout) + "\".");
        layout->Load(Label());
        if (LayoutInstance* const instance = layout->GetInstance(Label()))
            mInstance = instance->GetID();
        FillGallery(this);
    }

    void Update(float dt) override
    {
        // Opened once the window exists, so that the designer widens the real one.
        if (!mOpened)
        {
            mOpened = true;
            Open();
        }
        ApplicationMode::Update(dt);
    }

    MessageResult OnKeyDown(int key) override
    {
        if (key == kKeyF9 && !IsLayoutDesignerOpen())
        {
            Open();
            return kMessageHandled;
        }
        return ApplicationMode::OnKeyDown(key);
    }

private:
    void Open()
    {
        if (LayoutInstance* const instance = dynamic_cast<LayoutInstance*>(GetObject(mInstance)))
            OpenLayoutDesigner(instance);
    }

    ObjectID mInstance = kInvalidObjectID;
    bool mOpened = false;
};

class DesignerApplication : public BaseApplication
{
public:
    DesignerApplication()
    {
        mDescriptor.companyName = L"Plenwick";
        mDescriptor.productName = L"Quarrydale Layout Designer";
        mDescriptor.copyright = L"Copyright \u00a9 2026 Plenwick. All rights reserved.";
        mDescriptor.windowTitle = nullptr;
    }

    sApplicationConfig const& GetConfig() const override { return mConfig; }
    sWindowConfig const& GetDefaultWindowConfig() const override { return mWindow; }
    void RegisterSingletons() override { CreateDefaultAudioPlatform(); }

    void Setup() override
    {
        SetupCorvaneExtensions();
        MainLoop::ChangeMode(new DesignMode());
    }

private:
    sApplicationConfig mConfig = {false, true};
    sWindowConfig mWindow = {kWindowMode_Windowed, 1, 800, 600};
};

} // namespace

int main(int argc, char** argv)
{
    if (argc == 2 || argc > 3)
    {
        std::fprintf(stderr, "Usage: %s [manifest layout]\n", argv[0]);
        return 2;
    }
    if (argc == 3)
    {
        request.manifest = Widen(argv[1]);
        request.layout = Widen(argv[2]);
    }
    installDesktopEngine();
    DesignerApplication application;
    try
    {
        MainLoop::Execute();
    }
    catch (RuntimeError const& error)
    {
        reportUnhandledException(error);
        return 1;
    }
    catch (std::exception const& error)
    {
        reportUnhandledException(error);
        return 1;
    }
    return request.status;
}
