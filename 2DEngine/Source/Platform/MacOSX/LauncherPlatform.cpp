#include "2DEngine/Source/Platform/MacOSX/LauncherPlatform.h"

#include <SDL2/SDL.h>

#include "Core/Source/Log.h"
#include "Core/Source/Singleton.h"
#include "2DEngine/Source/Framework/AudioServices.h"
#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/Window.h"
#include "2DEngine/Source/Graphics/Image.h"
#include "2DEngine/Source/Platform/MacOSX/ArrowCursor.h"
#include "2DEngine/Source/Platform/MacOSX/OpenGLContextLayer.h"
#include "2DEngine/Source/Platform/MacOSX/OpenGLPlatform.h"

namespace MacOSX
{

namespace
{

char const* ToText(bool value)
{
    return value ? "true" : "false";
}

Corvane::sPlatformRect ToPlatformRect(int x, int y, int width, int height)
{
    return Corvane::sPlatformRect{y, x, y + height, x + width};
}

} // namespace

void forceLauncherPlatformToLink()
{
    Corvane::Internal::LogWrite("forceLauncherPlatformToLink\n");
}

void forceLauncherEntryPointToLink()
{
    Corvane::Internal::LogWrite("forceLauncherEntryPointToLink\n");
}

LauncherPlatform::LauncherPlatform(Corvane::ILauncherHost* host, Corvane::IInputEventSink* sink)
    : mHost(host),
      mActivity(kActivity_HostActive | kActivity_WindowActive | kActivity_Focus | kActivity_ReportPending),
      mInputSink(sink ? sink : Corvane::MainLoop::Internal::GetInputEventSink()), mHostWindow(nullptr)
{
}

LauncherPlatform::~LauncherPlatform()
{
    LauncherPlatform::DestroyWindow();
}

void LauncherPlatform::CreateWindow(Corvane::sWindowConfig const&)
{
    mHostWindow = mHost ? mHost->CreateWindow() : nullptr;
    if (mHostWindow)
        SetRenderWindow(mHostWindow);
}

void LauncherPlatform::DestroyWindow()
{
    if (mHostWindow && GetRenderWindow() == mHostWindow)
        SetRenderWindow(nullptr);
    mHostWindow = nullptr;
}

void LauncherPlatform::SetHardwareCursor(Corvane::eCursor cursor)
{
    if (cursor != Corvane::kCursor_Arrow || SDL_WasInit(SDL_INIT_VIDEO) == 0)
        return;
    if (SDL_Cursor* const arrow = SDL_GetDefaultCursor())
        SDL_SetCursor(arrow);
}

Corvane::IImage const* LauncherPlatform::GetCustomCursorImage(Corvane::eCursor cursor) const
{
    return cursor == Corvane::kCursor_Arrow ? GetArrowCursorImage() : nullptr;
}

Corvane::Vector2<int> LauncherPlatform::GetCustomCursorHotSpot(Corvane::eCursor cursor) const
{
    return cursor == Corvane::kCursor_Arrow ? GetArrowCursorHotSpot() : Corvane::Vector2<int>(0, 0);
}

void LauncherPlatform::GetSupportedWindowConfig(Corvane::sWindowConfig* config)
{
    if (!config)
        return;
    config->mode = Corvane::kWindowMode_Windowed;
    config->aspectLock = 2;
}

void* LauncherPlatform::GetBundle() const
{
    return mHost ? mHost->GetBundle() : nullptr;
}

Corvane::sPlatformRect LauncherPlatform::GetRenderRect() const
{
    int x = 0, y = 0, width = 0, height = 0;
    if (mHost)
        mHost->GetRenderRect(&x, &y, &width, &height);
    return ToPlatformRect(x, y, width, height);
}

Corvane::sPlatformRect LauncherPlatform::GetRenderClipRect() const
{
    int x = 0, y = 0, width = 0, height = 0;
    if (mHost)
        mHost->GetRenderClipRect(&x, &y, &width, &height);
    return ToPlatformRect(x, y, width, height);
}

bool LauncherPlatform::OnEvent(EventRecord* event)
{
    if (!event)
        return false;
    switch (event->what)
    {
    case kEvent_MouseDown:
        OnMouseDown(event->where, Corvane::kMouseButtonPrimary);
        return false;
    case kEvent_MouseUp:
        OnMouseUp(event->where, Corvane::kMouseButtonPrimary);
        return false;
    case kEvent_KeyDown:
    case kEvent_KeyUp:
    {
        char const character = char(event->message & 0xFF);
        char const virtualKey = char((event->message >> 8) & 0xFF);
        if (event->what == kEvent_KeyDown)
            OnKeyDown(character, virtualKey);
        else
            OnKeyUp(character, virtualKey);
        return false;
    }
    case kEvent_Update:
        if (OpenGLGraphicsPlatform* const graphics = dynamic_cast<OpenGLGraphicsPlatform*>(Corvane::GetGraphicsPlatform()))
            graphics->UpdateRenderContext(Corvane::Window::GetConfig());
        return false;
    case kEvent_Activate:
        SetActivityBit(kActivity_HostActive, (event->modifiers & kActivationFlag) != 0);
        UpdateActive("activateEvt");
        return false;
    case kEvent_GetFocus:
        SetActivityBit(kActivity_Focus, true);
        UpdateActive("getFocusEvent");
        return true;
    case kEvent_LoseFocus:
        SetActivityBit(kActivity_Focus, false);
        UpdateActive("loseFocusEvent");
        return false;
    case kEvent_Consumed:
        return true;
    default:
        return false;
    }
}

bool LauncherPlatform::IsWindowActive() const
{
    if (!mHostWindow)
        return false;
    Uint32 const flags = SDL_GetWindowFlags(mHostWindow);
    return (flags & SDL_WINDOW_INPUT_FOCUS) != 0 && (flags & SDL_WINDOW_MINIMIZED) == 0;
}

void LauncherPlatform::OnUpdate()
{
    SetActivityBit(kActivity_WindowActive, IsWindowActive());
    UpdateActive("OnUpdate");
    if (!mHostWindow)
        return;
    int mouseX = 0, mouseY = 0, windowX = 0, windowY = 0;
    SDL_GetGlobalMouseState(&mouseX, &mouseY);
    SDL_GetWindowPosition(mHostWindow, &windowX, &windowY);
    OnMouseMove(Point{int16_t(mouseY - windowY), int16_t(mouseX - windowX)});
}

void LauncherPlatform::OnMouseDown(Point point, Corvane::MouseButton button)
{
    Corvane::Vector2<int> const position = ScreenToWindow(point);
    Send(Corvane::sInputEvent{Corvane::kInputEvent_MouseDown, position.x, position.y, button, 0});
}

void LauncherPlatform::OnMouseUp(Point point, Corvane::MouseButton button)
{
    Corvane::Vector2<int> const position = ScreenToWindow(point);
    Send(Corvane::sInputEvent{Corvane::kInputEvent_MouseUp, position.x, position.y, button, 0});
}

void LauncherPlatform::OnMouseMove(Point point)
{
    Corvane::Vector2<int> const position = WindowToGameWindow(point);
    Send(Corvane::sInputEvent{Corvane::kInputEvent_MouseMove, position.x, position.y, 0, 0});
}

void LauncherPlatform::OnKeyDown(char character, char virtualKey)
{
    SendKey(Corvane::kInputEvent_KeyDown, character, virtualKey);
}

void LauncherPlatform::OnKeyUp(char character, char virtualKey)
{
    SendKey(Corvane::kInputEvent_KeyUp, character, virtualKey);
}

void LauncherPlatform::SendKey(uint32_t type, char character, char virtualKey)
{
    int const key = ToKeyCode(character, static_cast<unsigned char>(virtualKey));
    if (key != 0)
        Send(Corvane::sInputEvent{type, 0, 0, key, 0});
}

Corvane::Vector2<int> LauncherPlatform::ScreenToWindow(Point point) const
{
    int contentLeft = 0, contentTop = 0;
    if (mHostWindow)
        SDL_GetWindowPosition(mHostWindow, &contentLeft, &contentTop);
    Corvane::sPlatformRect const render = GetRenderRect();
    return Corvane::Vector2<int>(point.h - contentLeft - render.left, point.v - contentTop - render.top);
}

Corvane::Vector2<int> LauncherPlatform::WindowToGameWindow(Point point) const
{
    Corvane::sPlatformRect const render = GetRenderRect();
    return Corvane::Vector2<int>(point.h - render.left, point.v - render.top);
}

void LauncherPlatform::UpdateActive(char const* source)
{
    bool const hostActive = (mActivity & kActivity_HostActive) != 0;
    bool const windowActive = (mActivity & kActivity_WindowActive) != 0;
    bool const focus = (mActivity & kActivity_Focus) != 0;
    bool const active = hostActive && windowActive && focus;
    if (active == IsActive() && !(mActivity & kActivity_ReportPending))
        return;
    SetActivityBit(kActivity_ReportPending, false);
    SetStateBit(kState_Active, active);
    Corvane::Internal::LogWrite("mActive = %s - mHostActive = %s - mUpdateActive = %s - mFocus = %s - From %s\n",
                                ToText(active), ToText(hostActive), ToText(windowActive), ToText(focus), source);
    if (Corvane::IsAudioPlatformRegistered())
        Corvane::GetAudioPlatform()->Activate(active);
    Send(Corvane::sInputEvent{active ? uint32_t(Corvane::kInputEvent_Activate) : uint32_t(Corvane::kInputEvent_Deactivate),
                              0, 0, 0, 0});
}

void LauncherPlatform::SetActivityBit(uint8_t bit, bool set)
{
    if (set)
        mActivity |= bit;
    else
        mActivity &= uint8_t(~bit);
}

void LauncherPlatform::Send(Corvane::sInputEvent const& event)
{
    if (mInputSink)
        mInputSink->HandleEvent(event);
}

} // namespace MacOSX
