#include "2DEngine/Tests/Platform/DesktopTestSupport.h"

#include "2DEngine/Source/Graphics/KeyNames.h"
#include "2DEngine/Source/Platform/MacOSX/WindowManagerQuery.h"

using namespace DesktopTesting;

namespace
{
using Events = std::vector<sRecorded>;

void ExpectEvent(sRecorded const& event, uint32_t type, int x, int y, int code)
{
    EXPECT_EQ(type, event.type);
    EXPECT_EQ(x, event.x);
    EXPECT_EQ(y, event.y);
    EXPECT_EQ(code, event.code);
}
} // namespace

TEST_F(DesktopFixture, ConstructionLogsTheLinkLines)
{
    EXPECT_EQ("forceLauncherEntryPointToLink\nforceLauncherPlatformToLink\n", constructionLog);
    EXPECT_EQ(platform, GetPlatform());
    EXPECT_EQ(platform, MacOSX::GetPlatform());
}

TEST_F(DesktopFixture, WindowTakesTheProductNameAndSize)
{
    EXPECT_STREQ("Gr\xc3\xba" "a Amarilla", SDL_GetWindowTitle(platform->GetWindowRef()));
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(platform->GetWindowRef(), &width, &height);
    EXPECT_EQ(800, width);
    EXPECT_EQ(600, height);
    Uint32 const flags = SDL_GetWindowFlags(platform->GetWindowRef());
    EXPECT_TRUE(flags & SDL_WINDOW_RESIZABLE);
    EXPECT_FALSE(flags & SDL_WINDOW_FULLSCREEN);
    sPlatformRect const render = platform->GetRenderRect();
    EXPECT_EQ(0, render.left);
    EXPECT_EQ(0, render.top);
    EXPECT_EQ(800, render.right);
    EXPECT_EQ(600, render.bottom);
}

TEST_F(DesktopFixture, FixedAspectLockMakesAFixedSizeWindow)
{
    Window::SetConfig(sWindowConfig{kWindowMode_Windowed, 2, 640, 480});
    EXPECT_FALSE(SDL_GetWindowFlags(platform->GetWindowRef()) & SDL_WINDOW_RESIZABLE);
}

// Moving out sends one mouse-leave; further moves outside send nothing until
// the mouse comes back.
TEST_F(DesktopFixture, MouseLeavesOnce)
{
    Events const events = Run({Motion(10, 20), Motion(-5, 20), Motion(-6, 20), Motion(30, 40),
                               WindowEvent(SDL_WINDOWEVENT_LEAVE), WindowEvent(SDL_WINDOWEVENT_LEAVE)});
    ASSERT_EQ(4u, events.size());
    ExpectEvent(events[0], kInputEvent_MouseMove, 10, 20, 0);
    ExpectEvent(events[1], kInputEvent_MouseLeave, 0, 0, 0);
    ExpectEvent(events[2], kInputEvent_MouseMove, 30, 40, 0);
    ExpectEvent(events[3], kInputEvent_MouseLeave, 0, 0, 0);
}

TEST_F(DesktopFixture, ButtonsAndTheirCodes)
{
    Events const events =
        Run({Button(true, SDL_BUTTON_LEFT, 100, 110), Button(false, SDL_BUTTON_LEFT, 101, 111),
             Button(true, SDL_BUTTON_RIGHT, 5, 6), Button(true, SDL_BUTTON_MIDDLE, 7, 8),
             // Outside the window: no menu bar to click.
             Button(true, SDL_BUTTON_LEFT, 850, 100)});
    ASSERT_EQ(4u, events.size());
    ExpectEvent(events[0], kInputEvent_MouseDown, 100, 110, kMouseButtonPrimary);
    ExpectEvent(events[1], kInputEvent_MouseUp, 101, 111, kMouseButtonPrimary);
    ExpectEvent(events[2], kInputEvent_MouseDown, 5, 6, kMouseButtonSecondary);
    ExpectEvent(events[3], kInputEvent_MouseDown, 7, 8, kMouseButtonTertiary);
}

// A button released outside the window is delivered only while the mouse is captured.
TEST_F(DesktopFixture, ReleaseOutsideNeedsTheCapture)
{
    Events events = Run({Button(false, SDL_BUTTON_LEFT, 850, 100)});
    EXPECT_TRUE(events.empty());
    platform->CaptureMouse();
    events = Run({Button(false, SDL_BUTTON_LEFT, 850, -20)});
    ASSERT_EQ(1u, events.size());
    ExpectEvent(events[0], kInputEvent_MouseUp, 850, -20, kMouseButtonPrimary);
    platform->ReleaseMouse();
    events = Run({Button(false, SDL_BUTTON_LEFT, 850, -20)});
    EXPECT_TRUE(events.empty());
}

TEST_F(DesktopFixture, KeysBecomeKeyCodes)
{
    Events const events = Run({Key(true, SDLK_a), Key(false, SDLK_a), Key(true, SDLK_F5),
                               Key(true, SDLK_RETURN), Key(true, SDLK_SEMICOLON),
                               // No character in the table: nothing.
                               Key(true, SDLK_LSHIFT), Key(true, SDLK_DELETE)});
    ASSERT_EQ(5u, events.size());
    ExpectEvent(events[0], kInputEvent_KeyDown, 0, 0, 65);
    ExpectEvent(events[1], kInputEvent_KeyUp, 0, 0, 65);
    ExpectEvent(events[2], kInputEvent_KeyDown, 0, 0, GetKeyCodeByName(L"F5"));
    ExpectEvent(events[3], kInputEvent_KeyDown, 0, 0, GetKeyCodeByName(L"Enter"));
    ExpectEvent(events[4], kInputEvent_KeyDown, 0, 0, 186);
}

TEST_F(DesktopFixture, HeldKeysAreOnePress)
{
    Events const events =
        Run({Key(true, SDLK_SPACE), Key(true, SDLK_SPACE, KMOD_NONE, true), Key(false, SDLK_SPACE)});
    ASSERT_EQ(2u, events.size());
    ExpectEvent(events[0], kInputEvent_KeyDown, 0, 0, 32);
    ExpectEvent(events[1], kInputEvent_KeyUp, 0, 0, 32);
}

TEST_F(DesktopFixture, TextInputArrivesAsWideText)
{
    Events const events = Run({Text("\xc3\xb1" "and\xc3\xba"), Text("")});
    ASSERT_EQ(1u, events.size());
    EXPECT_EQ(uint32_t(kInputEvent_TextInput), events[0].type);
    EXPECT_EQ(L"\u00f1and\u00fa", events[0].text);
}

// The tests' display (Xvfb) runs no window manager: nobody would hand the
// window the focus, so being shown makes it active, and it stays active when
// another window takes the focus.
TEST_F(DesktopFixture, WithoutAWindowManagerAShownWindowIsActive)
{
    EXPECT_FALSE(platform->HasWindowManager());
    Run({WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST)});
    Run({WindowEvent(SDL_WINDOWEVENT_SHOWN)});
    EXPECT_TRUE(platform->IsActive());
    Run({WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST)});
    EXPECT_TRUE(platform->IsActive());
}

// Drawing off screen (SDL's fallback when no window system answers), nobody
// hands out the focus either.
TEST(WindowManagerQuery, AnOffScreenDriverHasNoWindowManager)
{
    if (SDL_WasInit(SDL_INIT_VIDEO) != 0)
        GTEST_SKIP() << "SDL's video is already started";
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    bool const started = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
    unsetenv("SDL_VIDEODRIVER");
    if (!started)
        GTEST_SKIP() << "no off-screen video driver: " << SDL_GetError();
    SDL_Window* const window = SDL_CreateWindow("", 0, 0, 64, 48, SDL_WINDOW_HIDDEN);
    EXPECT_NE(nullptr, window) << SDL_GetError();
    if (window)
    {
        EXPECT_FALSE(MacOSX::QueryWindowManager(window));
        SDL_DestroyWindow(window);
    }
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

TEST_F(DesktopFixture, FocusFollowsTheWindow)
{
    platform->SetWindowManagerRunning(true);
    ActivationRecorder audio;
    platform->ClearPendingRepaint();
    Run({WindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED)});
    EXPECT_TRUE(platform->IsActive());
    EXPECT_FALSE(platform->IsRepaintPending());
    Run({WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST)});
    EXPECT_FALSE(platform->IsActive());
    EXPECT_TRUE(platform->IsRepaintPending());
    platform->ClearPendingRepaint();
    EXPECT_FALSE(platform->IsRepaintPending());
    EXPECT_EQ((std::vector<bool>{true, false}), audio.calls);
}

TEST_F(DesktopFixture, CloseAndSystemQuitAskForAQuit)
{
    QuitRecorder quit;
    Run({WindowEvent(SDL_WINDOWEVENT_CLOSE)});
    EXPECT_EQ(1, quit.asked);
    Run({Quit()});
    EXPECT_EQ(2, quit.asked);
    EXPECT_FALSE(platform->IsQuitPending());
}

// Invalid input: events of windows that are not the platform's are dropped.
TEST_F(DesktopFixture, OtherWindowsEventsAreIgnored)
{
    ActivationRecorder audio;
    QuitRecorder quit;
    windowID += 1000;
    Events const events = Run({Motion(10, 10), Button(true, SDL_BUTTON_LEFT, 10, 10), Key(true, SDLK_b),
                               Text("x"), WindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED),
                               WindowEvent(SDL_WINDOWEVENT_CLOSE)});
    windowID -= 1000;
    EXPECT_TRUE(events.empty());
    EXPECT_TRUE(audio.calls.empty());
    EXPECT_EQ(0, quit.asked);
}

TEST_F(DesktopFixture, QuitChordIsNotAKey)
{
    QuitRecorder quit;
    Events const events = Run({Key(true, SDLK_q, KMOD_LCTRL), Key(false, SDLK_q, KMOD_LCTRL), Key(true, SDLK_q)});
    EXPECT_EQ(1, quit.asked);
    ASSERT_EQ(1u, events.size());
    ExpectEvent(events[0], kInputEvent_KeyDown, 0, 0, 'Q');
}

// Ctrl+F toggles full screen; Minimize in full screen leaves it instead of
// minimising; Alt+Enter toggles again.
TEST_F(DesktopFixture, FullScreenChords)
{
    Run({Key(true, SDLK_f, KMOD_LCTRL)});
    ASSERT_EQ(kWindowMode_FullScreen, Window::GetConfig().mode);
    ASSERT_NE(nullptr, platform->GetWindowRef());
    EXPECT_EQ(Uint32(SDL_WINDOW_FULLSCREEN_DESKTOP),
              SDL_GetWindowFlags(platform->GetWindowRef()) & SDL_WINDOW_FULLSCREEN_DESKTOP);

    // The chord's key comes up over the new window, and stays a chord.
    windowID = SDL_GetWindowID(platform->GetWindowRef());
    EXPECT_TRUE(Run({Key(false, SDLK_f, KMOD_LCTRL)}).empty());
    Run({Key(true, SDLK_m, KMOD_RCTRL)});
    EXPECT_EQ(kWindowMode_Windowed, Window::GetConfig().mode);
    EXPECT_FALSE(SDL_GetWindowFlags(platform->GetWindowRef()) & SDL_WINDOW_MINIMIZED);

    windowID = SDL_GetWindowID(platform->GetWindowRef());
    Run({Key(true, SDLK_RETURN, KMOD_LALT)});
    EXPECT_EQ(kWindowMode_FullScreen, Window::GetConfig().mode);
}

// In full screen the picture fills the desktop (letterboxed), every position
// counts as inside, and positions reach the engine in picture coordinates.
TEST_F(DesktopFixture, FullScreenPositionsAreInThePicture)
{
    Window::SetMode(kWindowMode_FullScreen);
    windowID = SDL_GetWindowID(platform->GetWindowRef());
    // Whatever size the window system gives the desktop window, its centre
    // is the picture's centre and its corners are the picture's corners.
    // Without a window manager the size can still change as the display
    // answers: wait until it has stayed the same for a while.
    int width = 0;
    int height = 0;
    for (int stable = 0, wait = 0; stable < 20 && wait < 300; ++wait)
    {
        SDL_PumpEvents();
        int nowWidth = 0;
        int nowHeight = 0;
        SDL_GetWindowSize(platform->GetWindowRef(), &nowWidth, &nowHeight);
        stable = (nowWidth == width && nowHeight == height) ? stable + 1 : 0;
        width = nowWidth;
        height = nowHeight;
        SDL_Delay(10);
    }
    ASSERT_GT(width, 0);
    ASSERT_GT(height, 0);

    Events const events = Run({Motion(width / 2, height / 2), Motion(0, 0), Motion(width - 1, height - 1),
                               Motion(-10, height + 10)});
    ASSERT_EQ(4u, events.size());
    EXPECT_EQ(uint32_t(kInputEvent_MouseMove), events[0].type);
    EXPECT_NEAR(400, events[0].x, 1);
    EXPECT_NEAR(300, events[0].y, 1);
    EXPECT_EQ(uint32_t(kInputEvent_MouseMove), events[1].type);
    EXPECT_EQ(0, events[1].x);
    EXPECT_EQ(0, events[1].y);
    EXPECT_EQ(uint32_t(kInputEvent_MouseMove), events[2].type);
    EXPECT_EQ(799, events[2].x);
    EXPECT_EQ(599, events[2].y);
    // Off the window still counts as inside, at the nearest edge.
    ExpectEvent(events[3], kInputEvent_MouseMove, 0, 599, 0);
}

// A window of another size than the picture scales and offsets positions back.
TEST_F(DesktopFixture, ResizedWindowMapsPositionsBack)
{
    SDL_SetWindowSize(platform->GetWindowRef(), 400, 300);
    Events events = Run({Motion(200, 150), Motion(399, 299)});
    ASSERT_EQ(2u, events.size());
    ExpectEvent(events[0], kInputEvent_MouseMove, 400, 300, 0);
    ExpectEvent(events[1], kInputEvent_MouseMove, 798, 598, 0);

    // Twice as wide: bars of 400 pixels left and right.
    SDL_SetWindowSize(platform->GetWindowRef(), 1600, 600);
    events = Run({Motion(400, 0), Motion(1199, 599), Motion(399, 10), Button(true, SDL_BUTTON_LEFT, 100, 10)});
    ASSERT_EQ(3u, events.size());
    ExpectEvent(events[0], kInputEvent_MouseMove, 0, 0, 0);
    ExpectEvent(events[1], kInputEvent_MouseMove, 799, 599, 0);
    ExpectEvent(events[2], kInputEvent_MouseLeave, 0, 0, 0);
    sPlatformRect const render = platform->GetRenderRect();
    EXPECT_EQ(400, render.left);
    EXPECT_EQ(1200, render.right);
}

// With aspect lock 1 and 800 x 600, a window made 400 high becomes 533 wide.
TEST_F(DesktopFixture, AspectLockKeepsTheShape)
{
    SDL_SetWindowSize(platform->GetWindowRef(), 1000, 400);
    Run({WindowEvent(SDL_WINDOWEVENT_RESIZED, 1000, 400)});
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(platform->GetWindowRef(), &width, &height);
    EXPECT_EQ(533, width);
    EXPECT_EQ(400, height);
}

TEST_F(DesktopFixture, FreeAspectIsLeftAlone)
{
    Window::SetConfig(sWindowConfig{kWindowMode_Windowed, 0, 640, 480});
    windowID = SDL_GetWindowID(platform->GetWindowRef());
    SDL_SetWindowSize(platform->GetWindowRef(), 1000, 400);
    Run({WindowEvent(SDL_WINDOWEVENT_RESIZED, 1000, 400)});
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(platform->GetWindowRef(), &width, &height);
    EXPECT_EQ(1000, width);
}

// The system cursor shows unless the custom one is on and the mouse is over the window.
TEST_F(DesktopFixture, HardwareCursorFollowsTheMouse)
{
    Window::EnableCustomCursor(true);
    EXPECT_EQ(SDL_ENABLE, SDL_ShowCursor(SDL_QUERY));
    Run({Motion(50, 50)});
    EXPECT_FALSE(platform->GetCursorState() & MacOSX::ApplicationPlatform::kCursor_HardwareShown);
    EXPECT_EQ(SDL_DISABLE, SDL_ShowCursor(SDL_QUERY));
    Run({WindowEvent(SDL_WINDOWEVENT_LEAVE)});
    EXPECT_TRUE(platform->GetCursorState() & MacOSX::ApplicationPlatform::kCursor_HardwareShown);
    EXPECT_EQ(SDL_ENABLE, SDL_ShowCursor(SDL_QUERY));
    Run({Motion(60, 60)});
    Window::EnableCustomCursor(false);
    EXPECT_EQ(SDL_ENABLE, SDL_ShowCursor(SDL_QUERY));
}

TEST_F(DesktopFixture, ArrowShapeHasASoftwareImage)
{
    EXPECT_NE(nullptr, platform->GetCustomCursorImage(kCursor_Arrow));
    EXPECT_EQ(nullptr, platform->GetCustomCursorImage(kCursor_None));
    EXPECT_EQ(1, platform->GetCustomCursorHotSpot(kCursor_Arrow).x);
    EXPECT_EQ(2, platform->GetCustomCursorHotSpot(kCursor_Arrow).y);
    EXPECT_EQ(0, platform->GetCustomCursorHotSpot(kCursor_None).x);
    Window::SetCursor(kCursor_Arrow);
    EXPECT_EQ(platform->GetCustomCursorImage(kCursor_Arrow), Window::GetCustomCursorImage());
}

TEST_F(DesktopFixture, TheDesignersMoveAndResizeShapesKeepTheSoftwarePointerVisible)
{
    for (eCursor shape : {kCursor_Move, kCursor_SizeHorizontal, kCursor_SizeVertical, kCursor_SizeTopLeft,
                          kCursor_SizeTopRight, kCursor_SizeBottomLeft, kCursor_SizeBottomRight})
    {
        Window::SetCursor(shape);
        EXPECT_EQ(platform->GetCustomCursorImage(kCursor_Arrow), Window::GetCustomCursorImage()) << shape;
        EXPECT_NE(nullptr, SDL_GetCursor());
    }
    Window::SetCursor(kCursor_Arrow);
}

TEST_F(DesktopFixture, AboutChordShowsTheAboutBox)
{
    testing::internal::CaptureStderr();
    Run({Key(true, SDLK_a, KMOD_LCTRL | KMOD_LSHIFT)});
    std::string const log = testing::internal::GetCapturedStderr();
    EXPECT_EQ("Message box: About Gr?a Amarilla: Gr?a Amarilla\nVersion 1.2.3\n? 2026 Obras\n", log);
}

TEST_F(DesktopFixture, UnknownCommandsAreNotHandled)
{
    EXPECT_FALSE(platform->ProcessCommand(MacOSX::MakeCommandID("pref")));
    EXPECT_FALSE(platform->ProcessCommand(0));
    EXPECT_TRUE(platform->ProcessCommand(MacOSX::kCommand_Zoom));
}

// An inactive loop waits for the next event after handling a batch, and only
// then looks for a quit: a quit request ends the batch and leaves an event
// waiting, so that the loop gets round to quitting on a quiet display.
TEST_F(DesktopFixture, QuitRequestLeavesTheLoopSomethingToWakeFor)
{
    QuitRecorder quit;
    Drain();
    PushingSyntheticEvents() = true;
    SDL_Event close = WindowEvent(SDL_WINDOWEVENT_CLOSE);
    SDL_Event key = Key(true, SDLK_b);
    SDL_PushEvent(&close);
    SDL_PushEvent(&key);
    PushingSyntheticEvents() = false;

    RecordingSink sink;
    platform->HandleEvents(&sink);
    EXPECT_EQ(1, quit.asked);
    EXPECT_TRUE(sink.events.empty());
    EXPECT_TRUE(platform->IsEventPending());
    platform->WaitForEvent();

    platform->HandleEvents(&sink);
    platform->HandleEvents(&sink);
    ASSERT_EQ(1u, sink.events.size());
    EXPECT_EQ(int('B'), sink.events[0].code);
}
