#include "2DEngine/Source/Platform/MacOSX/ApplicationPlatform.h"
#include "2DEngine/Source/Platform/MacOSX/OpenGLContextLayer.h"

#include <SDL2/SDL.h>

#include "Core/Source/DiskPartition.h"
#include "Core/Source/Error.h"
#include "Core/Source/MacOSX/FolderWalk.h"
#include "Core/Source/MacOSX/MacOSXError.h"
#include "Core/Source/Singleton.h"
#include "Core/Source/StringUtils.h"
#include "2DEngine/Source/Framework/Application.h"
#include "2DEngine/Source/Framework/AudioServices.h"
#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/Window.h"
#include "2DEngine/Source/Graphics/Image.h"
#include "2DEngine/Source/Platform/MacOSX/ArrowCursor.h"
#include "2DEngine/Source/Platform/MacOSX/DesktopServices.h"
#include "2DEngine/Source/Platform/MacOSX/OpenGLPlatform.h"
#include "2DEngine/Source/Platform/MacOSX/PlatformServices.h"

namespace MacOSX
{

namespace
{

// The system's button numbers: 1 primary, 2 secondary, 3 tertiary.
int ToSystemButton(uint8_t sdlButton)
{
    switch (sdlButton)
    {
    case SDL_BUTTON_LEFT:
        return 1;
    case SDL_BUTTON_RIGHT:
        return 2;
    case SDL_BUTTON_MIDDLE:
        return 3;
    default:
        return int(sdlButton);
    }
}

// The software cursor has the arrow alone: the designer's move and resize
// shapes show it too, or the pointer would vanish over every frame.
bool HasSoftwareImage(Corvane::eCursor cursor)
{
    return cursor >= Corvane::kCursor_Arrow && cursor <= Corvane::kCursor_SizeBottomRight;
}

} // namespace

ApplicationPlatform::ApplicationPlatform()
    : mCursor(kCursor_HardwareEnabled | kCursor_HardwareShown), mSystemCursors{}, mSwallowedKeyUp(0), mLastWidth(0),
      mLastHeight(0)
{
}

ApplicationPlatform::~ApplicationPlatform()
{
    DestroyWindow();
    for (SDL_Cursor* cursor : mSystemCursors)
        if (cursor)
            SDL_FreeCursor(cursor);
}

void ApplicationPlatform::Setup()
{
    Platform::Setup();
    if (!StartVideo())
        MACOSX_THROW(-1, "Could not install application event handler.");
    SDL_StartTextInput();
}

void ApplicationPlatform::CreateWindow(Corvane::sWindowConfig const& config)
{
    Platform::CreateWindow(config);
    SDL_GetWindowSize(GetWindowRef(), &mLastWidth, &mLastHeight);
    mCursor &= uint8_t(~kCursor_MouseInside);
    UpdateHardwareCursor();
}

void ApplicationPlatform::DestroyWindow()
{
    Platform::DestroyWindow();
    mCursor &= uint8_t(~kCursor_MouseInside);
    // The swallowed release is kept: a chord that switches the mode replaces
    // the window, and its key comes up over the new one.
    mLastWidth = 0;
    mLastHeight = 0;
}

void ApplicationPlatform::EnsureWindowVisible()
{
    if (SDL_Window* const window = GetWindowRef())
    {
        SDL_RestoreWindow(window);
        SDL_RaiseWindow(window);
    }
}

void ApplicationPlatform::EnableHardwareCursor(bool enable)
{
    if (enable)
        mCursor |= kCursor_HardwareEnabled;
    else
        mCursor &= uint8_t(~kCursor_HardwareEnabled);
    UpdateHardwareCursor();
}

void ApplicationPlatform::SetHardwareCursor(Corvane::eCursor cursor)
{
    static SDL_SystemCursor const kShapes[] = {
        SDL_SYSTEM_CURSOR_ARROW,    SDL_SYSTEM_CURSOR_ARROW,    SDL_SYSTEM_CURSOR_SIZEALL,
        SDL_SYSTEM_CURSOR_SIZEWE,   SDL_SYSTEM_CURSOR_SIZENS,   SDL_SYSTEM_CURSOR_SIZENWSE,
        SDL_SYSTEM_CURSOR_SIZENESW, SDL_SYSTEM_CURSOR_SIZENESW, SDL_SYSTEM_CURSOR_SIZENWSE};
    if (cursor < Corvane::kCursor_Arrow || cursor > Corvane::kCursor_SizeBottomRight ||
        SDL_WasInit(SDL_INIT_VIDEO) == 0)
        return;
    SDL_Cursor*& shape = mSystemCursors[cursor];
    if (!shape)
        shape = SDL_CreateSystemCursor(kShapes[cursor]);
    if (shape)
        SDL_SetCursor(shape);
}

Corvane::IImage const* ApplicationPlatform::GetCustomCursorImage(Corvane::eCursor cursor) const
{
    return HasSoftwareImage(cursor) ? GetArrowCursorImage() : nullptr;
}

Corvane::Vector2<int> ApplicationPlatform::GetCustomCursorHotSpot(Corvane::eCursor cursor) const
{
    return HasSoftwareImage(cursor) ? GetArrowCursorHotSpot() : Corvane::Vector2<int>(0, 0);
}

void ApplicationPlatform::RequestQuitAndWake()
{
    Corvane::MainLoop::RequestQuit();
    // The loop looks for a quit before it handles events; an inactive loop
    // then waits for the next event, which on a quiet display never comes.
    // So the batch ends here and an event is left waiting to wake it.
    SDL_Event wake;
    SDL_zero(wake);
    wake.type = SDL_USEREVENT;
    if (SDL_PushEvent(&wake) == 1)
        StopEventBatch();
}

void ApplicationPlatform::UpdateHardwareCursor()
{
    bool const wanted = (mCursor & kCursor_HardwareEnabled) || !(mCursor & kCursor_MouseInside);
    bool const shown = (mCursor & kCursor_HardwareShown) != 0;
    if (wanted == shown)
        return;
    if (wanted)
        mCursor |= kCursor_HardwareShown;
    else
        mCursor &= uint8_t(~kCursor_HardwareShown);
    if (SDL_WasInit(SDL_INIT_VIDEO) != 0)
        SDL_ShowCursor(wanted ? SDL_ENABLE : SDL_DISABLE);
}

void ApplicationPlatform::DispatchEvent(SDL_Event const& event)
{
    switch (event.type)
    {
    case SDL_QUIT:
        RequestQuitAndWake();
        break;
    case SDL_WINDOWEVENT:
        if (IsOwnWindow(event.window.windowID))
            OnWindowEvent(event);
        break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        if (IsOwnWindow(event.key.windowID))
            OnKey(event, event.type == SDL_KEYDOWN);
        break;
    case SDL_TEXTINPUT:
        if (IsOwnWindow(event.text.windowID))
            OnTextInput(event);
        break;
    case SDL_MOUSEMOTION:
        if (IsOwnWindow(event.motion.windowID))
        {
            int x = 0;
            int y = 0;
            bool const inside = ToPicture(event.motion.x, event.motion.y, &x, &y);
            OnMouseMoved(x, y, inside);
        }
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        if (IsOwnWindow(event.button.windowID))
            OnMouseButton(event, event.type == SDL_MOUSEBUTTONDOWN);
        break;
    default:
        break;
    }
}

void ApplicationPlatform::OnWindowEvent(SDL_Event const& event)
{
    switch (event.window.event)
    {
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        Activate(true);
        break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
        // Without a window manager another window (another copy of the game)
        // may take the focus at any time; the game goes on regardless.
        if (HasWindowManager())
            Activate(false);
        break;
    case SDL_WINDOWEVENT_SHOWN:
        if (!HasWindowManager())
            Activate(true);
        break;
    case SDL_WINDOWEVENT_CLOSE:
        RequestQuitAndWake();
        break;
    case SDL_WINDOWEVENT_LEAVE:
        OnMouseMoved(0, 0, false);
        break;
    case SDL_WINDOWEVENT_EXPOSED:
        // The window system lost what was drawn; an inactive window draws only on request.
        SetStateBit(kState_RepaintPending, true);
        GLLayer::InvalidateScreen();
        break;
    case SDL_WINDOWEVENT_RESIZED:
        OnResized(event.window.data1, event.window.data2);
        break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        OnSizeChanged(event.window.data1, event.window.data2);
        break;
    default:
        break;
    }
}

void ApplicationPlatform::Activate(bool active)
{
    SetStateBit(kState_Active, active);
    if (active)
        NoteFocusGained();
    if (!active)
        SetStateBit(kState_RepaintPending, true);
    if (Corvane::IsAudioPlatformRegistered())
        Corvane::GetAudioPlatform()->Activate(active);
}

void ApplicationPlatform::OnResized(int width, int height)
{
    Corvane::sWindowConfig const& config = Corvane::Window::GetConfig();
    if (config.aspectLock != 1 || config.mode != Corvane::kWindowMode_Windowed || height <= 0)
        return;
    int const keptWidth = KeepAspectWidth(config.width, config.height, height);
    if (keptWidth > 0 && keptWidth != width)
        SDL_SetWindowSize(GetWindowRef(), keptWidth, height);
}

void ApplicationPlatform::OnSizeChanged(int width, int height)
{
    if (width == mLastWidth && height == mLastHeight)
        return;
    mLastWidth = width;
    mLastHeight = height;
    auto* const graphics = dynamic_cast<OpenGLGraphicsPlatform*>(Corvane::GetGraphicsPlatform());
    if (!graphics)
        return;
    try
    {
        graphics->UpdateRenderContext(Corvane::Window::GetConfig());
    }
    catch (Corvane::RuntimeError const& error)
    {
        // The old viewport stays; the game runs on in it.
        Corvane::LogRuntimeError(error);
    }
}

void ApplicationPlatform::OnKey(SDL_Event const& event, bool down)
{
    SDL_Keysym const& key = event.key.keysym;
    if (down)
    {
        // Held keys repeat in the window system; the engine sees one press.
        if (event.key.repeat)
            return;
        uint32_t const command = GetMenuCommandForKey(key.sym, key.mod);
        if (command != kCommand_None)
        {
            mSwallowedKeyUp = key.sym;
            ProcessCommand(command);
            return;
        }
    }
    else if (mSwallowedKeyUp != 0 && key.sym == mSwallowedKeyUp)
    {
        mSwallowedKeyUp = 0;
        return;
    }

    sKeyCharacter const typed = TranslateKey(key.sym);
    int const code = ToKeyCode(typed.character, typed.virtualKey);
    if (code == 0)
        return;
    Corvane::sInputEvent const input = {down ? Corvane::kInputEvent_KeyDown : Corvane::kInputEvent_KeyUp, 0, 0, code,
                                        0};
    SendEvent(input);
}

void ApplicationPlatform::OnTextInput(SDL_Event const& event)
{
    std::wstring const text = Corvane::ConvertStringUTF8ToWide(event.text.text);
    if (text.empty())
        return;
    SendEvent(Corvane::MakeTextInputEvent(text.c_str()));
}

void ApplicationPlatform::OnMouseButton(SDL_Event const& event, bool down)
{
    int x = 0;
    int y = 0;
    bool const inside = ToPicture(event.button.x, event.button.y, &x, &y);
    int const code = ToSystemButton(event.button.button) - 1;
    if (down)
    {
        // Outside the picture there is no menu bar to track.
        if (inside)
            SendEvent(Corvane::sInputEvent{Corvane::kInputEvent_MouseDown, x, y, code, 0});
        return;
    }
    if (inside || (mCursor & kCursor_MouseCaptured))
        SendEvent(Corvane::sInputEvent{Corvane::kInputEvent_MouseUp, x, y, code, 0});
}

void ApplicationPlatform::OnMouseMoved(int x, int y, bool inside)
{
    bool const wasInside = (mCursor & kCursor_MouseInside) != 0;
    if (inside)
        SendEvent(Corvane::sInputEvent{Corvane::kInputEvent_MouseMove, x, y, 0, 0});
    else if (wasInside)
        SendEvent(Corvane::sInputEvent{Corvane::kInputEvent_MouseLeave, 0, 0, 0, 0});
    if (inside)
        mCursor |= kCursor_MouseInside;
    else
        mCursor &= uint8_t(~kCursor_MouseInside);
    UpdateHardwareCursor();
}

bool ApplicationPlatform::ToPicture(int windowX, int windowY, int* x, int* y) const
{
    *x = windowX;
    *y = windowY;
    SDL_Window* const window = GetWindowRef();
    if (!window)
        return false;
    Corvane::sWindowConfig const& config = Corvane::Window::GetConfig();
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(window, &width, &height);
    Corvane::sPlatformRect const picture = ComputeLetterbox(width, height, config.width, config.height);
    // Full screen has nowhere else for the mouse to be: it always counts as inside.
    bool const fullScreen = config.mode == Corvane::kWindowMode_FullScreen;
    bool const inside = MapWindowToPicture(picture, config.width, config.height, windowX, windowY, fullScreen, x, y);
    return inside || fullScreen;
}

bool ApplicationPlatform::ProcessCommand(uint32_t command)
{
    SDL_Window* const window = GetWindowRef();
    bool const fullScreen = Corvane::Window::GetConfig().mode == Corvane::kWindowMode_FullScreen;
    switch (command)
    {
    case kCommand_Quit:
        RequestQuitAndWake();
        return true;
    case kCommand_About:
        ShowAboutBox();
        return true;
    case kCommand_License:
        LaunchDocument(L"license.txt");
        return true;
    case kCommand_Readme:
        LaunchDocument(L"readme.txt");
        return true;
    case kCommand_Minimize:
        // A full-screen window cannot be minimised: leave full screen instead.
        if (fullScreen)
            Corvane::Window::SetMode(Corvane::kWindowMode_Windowed);
        else if (window)
            SDL_MinimizeWindow(window);
        return true;
    case kCommand_Zoom:
        if (window && !fullScreen && Corvane::Window::GetConfig().aspectLock < 2)
        {
            if (SDL_GetWindowFlags(window) & SDL_WINDOW_MAXIMIZED)
                SDL_RestoreWindow(window);
            else
                SDL_MaximizeWindow(window);
        }
        return true;
    case kCommand_FullScreen:
        Corvane::Window::ToggleMode();
        return true;
    default:
        return false;
    }
}

void ApplicationPlatform::ShowAboutBox()
{
    std::wstring product;
    std::wstring version;
    std::wstring copyright;
    if (Corvane::IApplication const* const application = Corvane::GetApplication())
    {
        Corvane::sApplicationDescriptor const& descriptor = application->GetDescriptor();
        product = descriptor.productName ? descriptor.productName : L"";
        version = descriptor.fullVersion ? descriptor.fullVersion : L"";
        copyright = descriptor.copyright ? descriptor.copyright : L"";
    }
    ShowMessageBox(kMessageBox_Information, L"About " + product,
                   product + L"\nVersion " + version + L"\n" + copyright, GetWindowRef());
}

void ApplicationPlatform::LaunchDocument(std::wstring const& name)
{
    sBundle const* const bundle = static_cast<sBundle const*>(GetBundle());
    if (!bundle || bundle->resourcesFolder.empty())
        return;
    std::wstring const redist = Corvane::CombinePath(bundle->resourcesFolder, L"redist");
    std::wstring const folder = IsHostFolder(redist) ? redist : bundle->resourcesFolder;
    std::wstring const path = Corvane::CombinePath(folder, name);
    if (!HostFileExists(Corvane::ConvertStringWideToUTF8String(path)))
        return;
    Corvane::Window::SetMode(Corvane::kWindowMode_Windowed);
    Corvane::LaunchDocument(path);
}

} // namespace MacOSX

namespace Corvane
{

IPlatform* IPlatform::Create()
{
    return new MacOSX::ApplicationPlatform();
}

} // namespace Corvane
