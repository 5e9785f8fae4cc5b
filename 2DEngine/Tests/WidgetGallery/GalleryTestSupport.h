#ifndef CORVANE_TESTS_WIDGETGALLERY_GALLERYTESTSUPPORT_H
#define CORVANE_TESTS_WIDGETGALLERY_GALLERYTESTSUPPORT_H

// Runs a widget layout over the generated content on the desktop platform:
// a script of steps, each pushing SDL events through the real platform, main
// loop and object database, then looking at the frame (pixels read back)
// before it is swapped.

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include <SDL2/SDL.h>
#include <SDL2/SDL_opengl.h>
#include <stb/stb_image_write.h>

#include "Core/Tests/FileTestSupport.h"
#include "2DEngine/Source/Framework/Application.h"
#include "2DEngine/Source/Framework/ApplicationMode.h"
#include "2DEngine/Source/Framework/EngineHooks.h"
#include "2DEngine/Source/Framework/Layout.h"
#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/ResourceManager.h"
#include "2DEngine/Source/Framework/Window.h"
#include "2DEngine/Source/Graphics/Font.h"
#include "2DEngine/Source/Platform/MacOSX/DesktopEngineSetup.h"
#include "2DEngine/Source/Platform/MacOSX/DesktopServices.h"
#include "2DEngine/Source/Platform/MacOSX/MacOSXPlatform.h"
#include "2DEngine/Source/Platform/MacOSX/OpenGLContextLayer.h"
#include "2DEngine/Source/Platform/MacOSX/OpenGLPlatform.h"
#include "2DEngine/Source/Widgets/ButtonObject.h"
#include "2DEngine/Source/Widgets/CheckBoxObjects.h"
#include "2DEngine/Source/Widgets/ListObjects.h"
#include "2DEngine/Source/Widgets/ObjectFactory.h"
#include "2DEngine/Source/Widgets/SliderObjects.h"
#include "2DEngine/Source/Widgets/TextEditObject.h"
#include "2DEngine/Tests/Widgets/ControlTestSupport.h"

namespace GalleryTesting
{
using namespace Corvane;
using namespace ControlTesting;

struct sPixel
{
    int r;
    int g;
    int b;
};

inline sPixel ReadPixel(int x, int y)
{
    unsigned char rgba[4] = {0, 0, 0, 0};
    glReadPixels(x, 600 - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return sPixel{rgba[0], rgba[1], rgba[2]};
}

inline ::testing::AssertionResult IsColour(sPixel const& pixel, int r, int g, int b)
{
    if (std::abs(pixel.r - r) <= 6 && std::abs(pixel.g - g) <= 6 && std::abs(pixel.b - b) <= 6)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << pixel.r << ", " << pixel.g << ", " << pixel.b << ") is not (" << r
                                         << ", " << g << ", " << b << ")";
}

// The state colours of tools/widgetart.py.
int const kBoxHot[3] = {255, 224, 130};
int const kBoxNormal[3] = {236, 239, 241};
int const kCheckMark[3] = {46, 125, 50};
int const kButtonNormal[3] = {30, 136, 229};
int const kButtonHot[3] = {100, 181, 246};
int const kButtonPressed[3] = {13, 71, 161};

inline ::testing::AssertionResult IsColour(sPixel const& pixel, int const (&colour)[3])
{
    return IsColour(pixel, colour[0], colour[1], colour[2]);
}

// Keeps the frame as a PNG at the path the variable names, when it names one.
inline void SaveScreenshot(char const* variable = "CORVANE_GALLERY_SCREENSHOT")
{
    char const* path = std::getenv(variable);
    if (!path || !*path)
        return;
    int width = 0;
    int height = 0;
    SDL_GL_GetDrawableSize(SDL_GL_GetCurrentWindow(), &width, &height);
    if (width <= 0 || height <= 0)
        return;
    size_t const stride = size_t(width) * 4;
    std::vector<unsigned char> rgba(stride * size_t(height));
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    std::vector<unsigned char> flipped(rgba.size());
    for (int y = 0; y < height; ++y)
        std::copy(rgba.begin() + long(height - 1 - y) * long(stride), rgba.begin() + long(height - y) * long(stride),
                  flipped.begin() + long(y) * long(stride));
    stbi_write_png(path, width, height, 4, flipped.data(), int(stride));
}

inline std::function<void()>& FrameProbe()
{
    static std::function<void()> probe;
    return probe;
}

class ProbingGraphicsPlatform : public MacOSX::OpenGLGraphicsPlatform
{
public:
    explicit ProbingGraphicsPlatform(unsigned long caps) : OpenGLGraphicsPlatform(caps) {}

    int EndScene() override
    {
        if (FrameProbe())
        {
            std::function<void()> const probe = FrameProbe();
            FrameProbe() = nullptr;
            probe();
        }
        return OpenGLGraphicsPlatform::EndScene();
    }
};

inline SDL_Window* Window()
{
    MacOSX::Platform* const platform = MacOSX::GetPlatform();
    return platform ? platform->GetWindowRef() : nullptr;
}

inline SDL_Event Blank(uint32_t type)
{
    SDL_Event event;
    SDL_zero(event);
    event.type = type;
    return event;
}

inline void PushMove(int x, int y)
{
    SDL_Event event = Blank(SDL_MOUSEMOTION);
    event.motion.windowID = SDL_GetWindowID(Window());
    event.motion.x = x;
    event.motion.y = y;
    SDL_PushEvent(&event);
}

inline void PushButton(bool down, int x, int y)
{
    SDL_Event event = Blank(down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP);
    event.button.windowID = SDL_GetWindowID(Window());
    event.button.button = SDL_BUTTON_LEFT;
    event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.button.x = x;
    event.button.y = y;
    SDL_PushEvent(&event);
}

inline void PushClick(int x, int y)
{
    PushMove(x, y);
    PushButton(true, x, y);
    PushButton(false, x, y);
}

inline void PushKey(SDL_Keycode key)
{
    for (bool down : {true, false})
    {
        SDL_Event event = Blank(down ? SDL_KEYDOWN : SDL_KEYUP);
        event.key.windowID = SDL_GetWindowID(Window());
        event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
        event.key.keysym.sym = key;
        SDL_PushEvent(&event);
    }
}

inline void PushText(char const* utf8)
{
    SDL_Event event = Blank(SDL_TEXTINPUT);
    event.text.windowID = SDL_GetWindowID(Window());
    SDL_strlcpy(event.text.text, utf8, sizeof(event.text.text));
    SDL_PushEvent(&event);
}

template <class T>
inline T* Named(char const* name)
{
    return AutoObject<T>(Label::GetUniqueString(name)).Get();
}

// One step of the script: events pushed, then, some frames later, a look at
// the frame before it is swapped.
struct sStep
{
    std::function<void()> act;
    std::function<void()> look;
};

struct sRun
{
    std::vector<sStep> steps;
    size_t next = 0;
    int frames = 0;
    bool finished = false;
    MessageRecorder* messages = nullptr;
    SoundRecorder* sounds = nullptr;
    // Loaded in order; the layout is shown from the last of them.
    std::vector<std::wstring> manifests = {L"WidgetGallery"};
    std::wstring layout = L"WidgetGallery";
};

class GalleryMode : public ApplicationMode
{
public:
    explicit GalleryMode(sRun* run) : mRun(run) {}

    void Setup() override
    {
        for (std::wstring const& manifest : mRun->manifests)
            GetResourceManager()->Load(manifest.c_str(), nullptr, true);
        Layout* const layout = AutoResource<Layout>(Label::FromString(mRun->layout)).Get();
        ASSERT_NE(nullptr, layout);
        layout->Load(Label());
        mRun->messages = new MessageRecorder();
        AddObject(mRun->messages);
        // The program fills the list and the tree.
        if (ListObject* const list = Named<ListObject>("Fruit"))
            for (wchar_t const* fruit : {L"Apple", L"Banana", L"Cherry", L"Damson", L"Elder", L"Fig", L"Grape"})
                list->AddItem(fruit, nullptr);
        if (TreeObject* const tree = Named<TreeObject>("Parts"))
        {
            TreeNode* const engine = tree->AddNode(L"Engine");
            engine->AddNode(L"Framework");
            engine->AddNode(L"Graphics")->AddNode(L"Fonts");
            tree->AddNode(L"Widgets")->AddNode(L"Buttons");
        }
    }

    void Update(float dt) override
    {
        ApplicationMode::Update(dt);
        if (++mRun->frames > 3000)
        {
            MainLoop::Exit();
            return;
        }
        SDL_Window* const window = Window();
        if (!window || mLooking)
            return;
        if (!mSettled)
        {
            int width = 0;
            int height = 0;
            SDL_GL_GetDrawableSize(window, &width, &height);
            mStill = (width == 800 && height == 600) ? mStill + 1 : 0;
            mSettled = mStill >= 10;
            return;
        }
        if (mWait > 0)
        {
            --mWait;
            return;
        }
        if (mRun->next >= mRun->steps.size())
        {
            mRun->finished = true;
            MainLoop::Exit();
            return;
        }
        sStep& step = mRun->steps[mRun->next];
        if (!mActed)
        {
            mActed = true;
            mWait = 3;
            if (step.act)
                step.act();
            return;
        }
        mLooking = true;
        FrameProbe() = [this, &step] {
            if (step.look)
                step.look();
            mLooking = false;
            mActed = false;
            ++mRun->next;
        };
    }

private:
    sRun* mRun;
    bool mSettled = false;
    int mStill = 0;
    int mWait = 0;
    bool mActed = false;
    bool mLooking = false;
};

class GalleryApplication : public BaseApplication
{
public:
    explicit GalleryApplication(sRun* run) : mRun(run)
    {
        mDescriptor.companyName = L"Pruebas Corvane";
        mDescriptor.productName = L"Galer\u00eda";
        mDescriptor.fullVersion = L"1.0";
        mDescriptor.copyright = L"2026";
        mDescriptor.windowTitle = nullptr;
    }

    sApplicationConfig const& GetConfig() const override { return mConfig; }
    sWindowConfig const& GetDefaultWindowConfig() const override { return mWindow; }

    void Setup() override
    {
        GetResourceManager()->AddResourceFactory(L"sound", new NamedSoundFactory());
        GetResourceManager()->AddResourceFactory(L"soundlist", new SoundListResourceFactory());
        MainLoop::ChangeMode(new GalleryMode(mRun));
    }

private:
    sRun* mRun;
    sApplicationConfig mConfig = {false, true};
    sWindowConfig mWindow = {kWindowMode_Windowed, 1, 800, 600};
};

class WidgetGalleryTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        setenv(MacOSX::kLogMessageBoxesVariable, "1", 1);
        setenv("XDG_DATA_HOME", mFolder.Join("datos").c_str(), 1);
        MacOSX::Internal::SetBundleFolders(Wide(mFolder.Join("app")), Wide(CORVANE_TEST_RESOURCES_DIR));
        MacOSX::RequestSoftwareRenderer();
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
            GTEST_SKIP() << "no display: " << SDL_GetError();
        SDL_QuitSubSystem(SDL_INIT_VIDEO);

        mSavedHooks = MainLoop::Internal::GetEngineHooks();
        Window::Internal::Reset();
        MacOSX::InstallEngineHooks();
        InstallWidgetEngineHooks();
        MacOSX::Internal::sPlatformSetupHooks& platformHooks = MacOSX::Internal::GetPlatformSetupHooks();
        mSavedFontHook = platformHooks.registerFontFactory;
        if (!platformHooks.registerFontFactory)
            platformHooks.registerFontFactory = [] {
                GetResourceManager()->AddResourceFactory(L"font", CreateFontResourceFactory());
            };
        Window::Internal::SetGraphicsPlatformFactory(
            [](unsigned long caps) -> IGraphicsPlatform* { return new ProbingGraphicsPlatform(caps); });
    }

    void TearDown() override
    {
        FrameProbe() = nullptr;
        delete GetPlatform();
        MainLoop::Internal::GetEngineHooks() = mSavedHooks;
        MacOSX::Internal::GetPlatformSetupHooks().registerFontFactory = mSavedFontHook;
        Window::Internal::SetGraphicsPlatformFactory(nullptr);
        Window::Internal::Reset();
        MacOSX::Internal::SetBundleFolders(L"", L"");
    }

    static std::wstring Wide(std::string const& utf8) { return std::wstring(utf8.begin(), utf8.end()); }

    FileTestSupport::ScratchFolder mFolder;
    MainLoop::Internal::sEngineHooks mSavedHooks;
    std::function<void()> mSavedFontHook;
};

// The messages heard since the last look, with their senders' names.
inline std::vector<std::string> Heard(sRun& run)
{
    std::vector<std::string> heard;
    for (auto const& entry : run.messages->heard)
    {
        Object* const sender = GetObjectDatabase()->GetObject(entry.second);
        heard.push_back(entry.first + " " + (sender ? sender->GetName().GetString() : "?"));
    }
    run.messages->heard.clear();
    return heard;
}


} // namespace GalleryTesting

#endif
