// The widget gallery (WidgetGallery.xml, over the generated content) run by the
// engine on the desktop platform: SDL mouse, key and text events go through the
// real platform, main loop and object database, and the test checks the
// messages and their senders, the sounds asked for, and the state images by
// pixels read back before each swap.
//
// Set CORVANE_GALLERY_SCREENSHOT to a file path to keep a picture of the
// gallery at the end of the run (PNG).

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

namespace
{
using namespace Corvane;
using namespace ControlTesting;

struct sPixel
{
    int r;
    int g;
    int b;
};

sPixel ReadPixel(int x, int y)
{
    unsigned char rgba[4] = {0, 0, 0, 0};
    glReadPixels(x, 600 - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return sPixel{rgba[0], rgba[1], rgba[2]};
}

::testing::AssertionResult IsColour(sPixel const& pixel, int r, int g, int b)
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

::testing::AssertionResult IsColour(sPixel const& pixel, int const (&colour)[3])
{
    return IsColour(pixel, colour[0], colour[1], colour[2]);
}

void SaveScreenshot()
{
    char const* path = std::getenv("CORVANE_GALLERY_SCREENSHOT");
    if (!path || !*path)
        return;
    std::vector<unsigned char> rgba(800 * 600 * 4);
    glReadPixels(0, 0, 800, 600, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    std::vector<unsigned char> flipped(rgba.size());
    for (int y = 0; y < 600; ++y)
        std::copy(rgba.begin() + (599 - y) * 3200, rgba.begin() + (600 - y) * 3200, flipped.begin() + y * 3200);
    stbi_write_png(path, 800, 600, 4, flipped.data(), 800 * 4);
}

std::function<void()>& FrameProbe()
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

SDL_Window* Window()
{
    MacOSX::Platform* const platform = MacOSX::GetPlatform();
    return platform ? platform->GetWindowRef() : nullptr;
}

SDL_Event Blank(uint32_t type)
{
    SDL_Event event;
    SDL_zero(event);
    event.type = type;
    return event;
}

void PushMove(int x, int y)
{
    SDL_Event event = Blank(SDL_MOUSEMOTION);
    event.motion.windowID = SDL_GetWindowID(Window());
    event.motion.x = x;
    event.motion.y = y;
    SDL_PushEvent(&event);
}

void PushButton(bool down, int x, int y)
{
    SDL_Event event = Blank(down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP);
    event.button.windowID = SDL_GetWindowID(Window());
    event.button.button = SDL_BUTTON_LEFT;
    event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.button.x = x;
    event.button.y = y;
    SDL_PushEvent(&event);
}

void PushClick(int x, int y)
{
    PushMove(x, y);
    PushButton(true, x, y);
    PushButton(false, x, y);
}

void PushKey(SDL_Keycode key)
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

void PushText(char const* utf8)
{
    SDL_Event event = Blank(SDL_TEXTINPUT);
    event.text.windowID = SDL_GetWindowID(Window());
    SDL_strlcpy(event.text.text, utf8, sizeof(event.text.text));
    SDL_PushEvent(&event);
}

template <class T>
T* Named(char const* name)
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
};

class GalleryMode : public ApplicationMode
{
public:
    explicit GalleryMode(sRun* run) : mRun(run) {}

    void Setup() override
    {
        GetResourceManager()->Load(L"WidgetGallery", nullptr, true);
        Layout* const layout = AutoResource<Layout>("WidgetGallery").Get();
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
std::vector<std::string> Heard(sRun& run)
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

} // namespace

TEST_F(WidgetGalleryTest, TheControlsAnswerTheMouseKeysAndTyping)
{
    sRun run;
    // Deleted with the engine's singletons.
    run.sounds = new SoundRecorder();
    typedef std::vector<std::string> Lines;

    // Buttons: hot, pressed, clicked; the 15-image frame at rest.
    run.steps.push_back({[] { PushMove(200, 70); }, [&] {
                             EXPECT_TRUE(IsColour(ReadPixel(186, 66), kButtonHot));
                             EXPECT_TRUE(IsColour(ReadPixel(330, 66), kButtonNormal));
                             EXPECT_EQ((Names{"Gallery_Hot"}), run.sounds->Take());
                         }});
    run.steps.push_back({[] { PushButton(true, 200, 70); }, [&] {
                             EXPECT_TRUE(IsColour(ReadPixel(186, 66), kButtonPressed));
                             EXPECT_EQ((Names{"Gallery_Down"}), run.sounds->Take());
                             EXPECT_TRUE(Heard(run).empty());
                         }});
    run.steps.push_back({[] { PushButton(false, 200, 70); }, [&] {
                             EXPECT_TRUE(IsColour(ReadPixel(186, 66), kButtonHot));
                             EXPECT_EQ((Lines{"ButtonClick Button5"}), Heard(run));
                         }});

    // The 10-image check box: checked and hot; then the radio group.
    run.steps.push_back({[] { PushClick(50, 142); }, [&] {
                             EXPECT_TRUE(IsColour(ReadPixel(50, 142), kCheckMark));
                             EXPECT_TRUE(IsColour(ReadPixel(43, 135), kBoxHot));
                             EXPECT_EQ((Lines{"CheckBoxClick Check10"}), Heard(run));
                             EXPECT_EQ((Names{"Gallery_Hot", "Gallery_Down", "Gallery_Checked"}),
                                       run.sounds->Take());
                         }});
    run.steps.push_back({[] {
                             PushClick(130, 190);
                             PushClick(220, 190);
                         },
                         [&] {
                             EXPECT_TRUE(IsColour(ReadPixel(130, 190), kBoxNormal));
                             EXPECT_TRUE(IsColour(ReadPixel(220, 190), kCheckMark));
                             EXPECT_FALSE(Named<RadioButtonObject>("RadioB")->IsChecked());
                             EXPECT_EQ((Lines{"RadioButtonClick RadioB", "RadioButtonClick RadioC"}), Heard(run));
                             run.sounds->Take();
                         }});

    // The slider dragged to its right end and back to its left end.
    run.steps.push_back({[] {
                             PushMove(48, 242);
                             PushButton(true, 48, 242);
                             PushMove(400, 242);
                             PushMove(700, 242);
                         },
                         [&] {
                             EXPECT_EQ(1.0f, Named<SliderObject>("Volume")->GetValue());
                             EXPECT_TRUE(IsColour(ReadPixel(272, 242), kButtonPressed));
                             EXPECT_TRUE(IsColour(ReadPixel(48, 236), 120, 144, 156));
                             EXPECT_EQ((Lines{"SliderValueChange Volume", "SliderValueChange Volume"}), Heard(run));
                             EXPECT_EQ((Names{"Gallery_Hot", "Gallery_Down", "Gallery_Snap"}), run.sounds->Take());
                         }});
    run.steps.push_back({[] {
                             PushButton(false, 700, 242);
                             PushButton(true, 272, 242);
                             PushMove(0, 242);
                             PushButton(false, 48, 242);
                         },
                         [&] {
                             EXPECT_EQ(0.0f, Named<SliderObject>("Volume")->GetValue());
                             EXPECT_TRUE(IsColour(ReadPixel(48, 242), kButtonHot));
                             EXPECT_TRUE(IsColour(ReadPixel(272, 236), 120, 144, 156));
                             EXPECT_EQ((Lines{"SliderValueChange Volume", "SliderReleased Volume"}), Heard(run));
                             run.sounds->Take();
                         }});

    // Typing into the text field.
    run.steps.push_back({[] {
                             PushClick(100, 300);
                             PushText("Quarry");
                             PushKey(SDLK_BACKSPACE);
                             PushKey(SDLK_a);
                         },
                         [&] {
                             EXPECT_EQ(L"Quarr", Named<TextEditObject>("Name")->GetValue());
                             EXPECT_EQ(7u, Heard(run).size());
                         }});

    // A row of the list, then the next one by key; the tree; and the Escape
    // key of the first button, which the focused list passes on.
    run.steps.push_back({[] {
                             Font const* font = AutoResource<Font>("Verdana12").Get();
                             int const row = font ? font->GetGlyphHeight() + 2 : 16;
                             PushClick(420, 136 + row * 2 + row / 2);
                             PushKey(SDLK_DOWN);
                             PushClick(640, 136 + row + row / 2);
                             PushKey(SDLK_ESCAPE);
                         },
                         [&] {
                             ListObject* const list = Named<ListObject>("Fruit");
                             EXPECT_EQ(3, list->GetSelectedItem());
                             Rect<float> const row = list->GetItemRect(3);
                             EXPECT_TRUE(IsColour(ReadPixel(int(row.x + row.width) - 4, int(row.y) + 3), 30, 136, 229));
                             TreeNode* const selected = Named<TreeObject>("Parts")->GetSelectedNode();
                             ASSERT_NE(nullptr, selected);
                             EXPECT_EQ(L"Framework", selected->GetText());
                             EXPECT_EQ((Lines{"ListSelectionChange Fruit", "ListSelectionChange Fruit",
                                              "TreeSelectionChange Parts", "ButtonClick Button4"}),
                                       Heard(run));
                             SaveScreenshot();
                         }});

    GalleryApplication application(&run);
    testing::internal::CaptureStderr();
    MainLoop::Execute();
    std::string const log = testing::internal::GetCapturedStderr();

    EXPECT_TRUE(run.finished) << "the script stopped at step " << run.next << " after " << run.frames
                              << " updates\n"
                              << log;
    EXPECT_EQ(std::string::npos, log.find("rror")) << log;
}
