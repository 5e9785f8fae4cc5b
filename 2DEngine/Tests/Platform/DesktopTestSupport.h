#ifndef CORVANE_TESTS_PLATFORM_DESKTOPTESTSUPPORT_H
#define CORVANE_TESTS_PLATFORM_DESKTOPTESTSUPPORT_H

// The desktop application platform with a real window on the test display,
// a graphics platform that draws nothing (so that the window's mode changes
// run without OpenGL), and synthetic SDL events pushed into the real queue.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include <SDL2/SDL.h>

#include "Core/Source/Singleton.h"
#include "2DEngine/Source/Framework/Application.h"
#include "2DEngine/Source/Framework/AudioServices.h"
#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/Platform.h"
#include "2DEngine/Source/Framework/Window.h"
#include "2DEngine/Source/Platform/MacOSX/ApplicationPlatform.h"
#include "2DEngine/Source/Platform/MacOSX/DesktopServices.h"

namespace DesktopTesting
{
    using namespace Corvane;

    class TestApplication : public BaseApplication
    {
    public:
        TestApplication()
        {
            mDescriptor.companyName = L"Pruebas Corvane";
            mDescriptor.productName = L"Gr\u00faa Amarilla";
            mDescriptor.fullVersion = L"1.2.3";
            mDescriptor.copyright = L"\u00a9 2026 Obras";
            mDescriptor.windowTitle = nullptr;
        }
    };

    class NullGraphicsPlatform : public IGraphicsPlatform
    {
    public:
        explicit NullGraphicsPlatform(unsigned long caps) : mCaps(caps) { RegisterSingleton(this); }
        ~NullGraphicsPlatform() override { UnregisterSingleton(this); }
        Label GetName() override { return Label(); }
        void GetSupportedWindowConfig(sWindowConfig*) override {}
        unsigned long GetCaps() override { return mCaps; }
        void Setup(sWindowConfig const&) override {}
        void Cleanup() override {}
        int BeginScene() override { return -1; }
        int EndScene() override { return 0; }
        Graphics::ICanvas* GetScreenCanvas() override { return nullptr; }
        ITexture* CreateTexture(Image const*, Rect<int> const*) override { return nullptr; }

    private:
        unsigned long mCaps;
    };

    // Only the activation calls matter here.
    class ActivationRecorder : public IAudioPlatform
    {
    public:
        ActivationRecorder() { RegisterSingleton(this); }
        ~ActivationRecorder() override { UnregisterSingleton(this); }
        Label GetName() override { return Label(); }
        void Setup() override {}
        void Cleanup() override {}
        void Activate(bool active) override { calls.push_back(active); }
        void Update(float) override {}
        boost::intrusive_ptr<IReferenced> CreateSoundData(Label, IStream*) override { return nullptr; }
        boost::intrusive_ptr<ISoundChannel> CreateChannel() override { return nullptr; }
        boost::intrusive_ptr<IAudioControls> GetMasterControls() override { return nullptr; }
        boost::intrusive_ptr<IAudioControls> GetControls(Label) override { return nullptr; }
        boost::intrusive_ptr<IAudioControls> CreateControls(IAudioControls*) override { return nullptr; }
        bool WasSoundPlayedRecently(ISound const*, unsigned int) override { return false; }

        std::vector<bool> calls;
    };

    class QuitRecorder : public IQuitHandler
    {
    public:
        QuitRecorder() { MainLoop::AddQuitHandler(this); }
        ~QuitRecorder() override { MainLoop::RemoveQuitHandler(this); }
        // Refuses, so that the loop's own state stays as it was.
        bool AllowQuit() override
        {
            ++asked;
            return false;
        }
        int asked = 0;
    };

    struct sRecorded
    {
        uint32_t type;
        int x;
        int y;
        int code;
        std::wstring text;
    };

    class RecordingSink : public IInputEventSink
    {
    public:
        void HandleEvent(sInputEvent const& event) override
        {
            sRecorded recorded = {event.type, event.x, event.y, event.code, std::wstring()};
            if (event.type == kInputEvent_TextInput)
                recorded.text = GetInputEventText(event);
            events.push_back(recorded);
        }
        std::vector<sRecorded> events;
    };

    // While a test runs, only the events it pushes reach the queue: what the
    // display adds on its own (pointer crossings, focus moving to another
    // test's window) would make the results depend on the machine.
    inline bool& PushingSyntheticEvents()
    {
        static bool pushing = false;
        return pushing;
    }

    inline int SDLCALL AdmitSyntheticEvents(void*, SDL_Event* event)
    {
        if (PushingSyntheticEvents())
            return 1;
        switch (event->type)
        {
        case SDL_WINDOWEVENT:
        case SDL_KEYDOWN:
        case SDL_KEYUP:
        case SDL_TEXTINPUT:
        case SDL_TEXTEDITING:
        case SDL_MOUSEMOTION:
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
        case SDL_MOUSEWHEEL:
        case SDL_QUIT:
            return 0;
        default:
            return 1;
        }
    }

    inline sWindowConfig Windowed(uint32_t aspectLock = 1)
    {
        return sWindowConfig{kWindowMode_Windowed, aspectLock, 800, 600};
    }

    class DesktopFixture : public ::testing::Test
    {
    protected:
        void SetUp() override
        {
            setenv(MacOSX::kLogMessageBoxesVariable, "1", 1);
            Window::Internal::Reset();
            mPreviousFactory = Window::Internal::SetGraphicsPlatformFactory(
                [](unsigned long caps) -> IGraphicsPlatform* { return new NullGraphicsPlatform(caps); });
            testing::internal::CaptureStderr();
            platform = new MacOSX::ApplicationPlatform();
            constructionLog = testing::internal::GetCapturedStderr();
            if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
                GTEST_SKIP() << "no display: " << SDL_GetError();
            SDL_QuitSubSystem(SDL_INIT_VIDEO);
            Window::SetConfig(Windowed());
            ASSERT_NE(nullptr, platform->GetWindowRef());
            windowID = SDL_GetWindowID(platform->GetWindowRef());
            SDL_SetEventFilter(&AdmitSyntheticEvents, nullptr);
        }

        void TearDown() override
        {
            SDL_SetEventFilter(nullptr, nullptr);
            if (IsGraphicsPlatformRegistered())
                delete GetGraphicsPlatform();
            delete platform;
            platform = nullptr;
            Window::Internal::SetGraphicsPlatformFactory(mPreviousFactory);
            Window::Internal::Reset();
        }

        // Forgets what the window system has queued so far.
        static void Drain()
        {
            SDL_PumpEvents();
            SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
        }

        // Pushes the events and hands them to the platform until none is left.
        std::vector<sRecorded> Run(std::vector<SDL_Event> events)
        {
            Drain();
            PushingSyntheticEvents() = true;
            for (SDL_Event& event : events)
                EXPECT_EQ(1, SDL_PushEvent(&event)) << SDL_GetError();
            PushingSyntheticEvents() = false;
            RecordingSink sink;
            int pass = 0;
            for (; pass < 64 && SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0; ++pass)
                platform->HandleEvents(&sink);
            EXPECT_LT(pass, 64);
            return sink.events;
        }

        SDL_Event Motion(int x, int y) const
        {
            SDL_Event event;
            SDL_zero(event);
            event.type = SDL_MOUSEMOTION;
            event.motion.windowID = windowID;
            event.motion.x = x;
            event.motion.y = y;
            return event;
        }

        SDL_Event Button(bool down, uint8_t button, int x, int y) const
        {
            SDL_Event event;
            SDL_zero(event);
            event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
            event.button.windowID = windowID;
            event.button.button = button;
            event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
            event.button.x = x;
            event.button.y = y;
            return event;
        }

        SDL_Event Key(bool down, SDL_Keycode symbol, uint16_t modifiers = KMOD_NONE, bool repeat = false) const
        {
            SDL_Event event;
            SDL_zero(event);
            event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
            event.key.windowID = windowID;
            event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
            event.key.repeat = repeat ? 1 : 0;
            event.key.keysym.sym = symbol;
            event.key.keysym.mod = modifiers;
            return event;
        }

        SDL_Event Text(char const* utf8) const
        {
            SDL_Event event;
            SDL_zero(event);
            event.type = SDL_TEXTINPUT;
            event.text.windowID = windowID;
            SDL_strlcpy(event.text.text, utf8, sizeof(event.text.text));
            return event;
        }

        SDL_Event WindowEvent(uint8_t kind, int data1 = 0, int data2 = 0) const
        {
            SDL_Event event;
            SDL_zero(event);
            event.type = SDL_WINDOWEVENT;
            event.window.windowID = windowID;
            event.window.event = kind;
            event.window.data1 = data1;
            event.window.data2 = data2;
            return event;
        }

        static SDL_Event Quit()
        {
            SDL_Event event;
            SDL_zero(event);
            event.type = SDL_QUIT;
            return event;
        }

        TestApplication application;
        MacOSX::ApplicationPlatform* platform = nullptr;
        uint32_t windowID = 0;
        std::string constructionLog;

    private:
        Window::Internal::GraphicsPlatformFactory mPreviousFactory;
    };
}

#endif
