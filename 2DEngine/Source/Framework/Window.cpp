#include "2DEngine/Source/Framework/Window.h"

#include <cxxabi.h>

#include <cstdlib>
#include <exception>
#include <string>
#include <typeinfo>

#include "Core/Source/Error.h"
#include "Core/Source/Log.h"
#include "Core/Source/Singleton.h"
#include "2DEngine/Source/Framework/Account.h"
#include "2DEngine/Source/Framework/Application.h"
#include "2DEngine/Source/Framework/SystemServices.h"

namespace Corvane
{
namespace Window
{

wchar_t const* const kModeKey = L"Corvane::Window::Mode";
wchar_t const* const kIsCustomCursorEnabledKey = L"Corvane::Window::IsCustomCursorEnabled";

namespace
{

struct sFallback
{
    unsigned long caps;
    eWindowMode mode;
};

// Hardware before software, full screen before windowed; the walk starts at
// the first entry of the requested mode.
sFallback const kFallbacks[] = {
    {kGraphicsPlatformCaps_Hardware, kWindowMode_FullScreen},
    {kGraphicsPlatformCaps_Software, kWindowMode_FullScreen},
    {kGraphicsPlatformCaps_Hardware, kWindowMode_Windowed},
    {kGraphicsPlatformCaps_Software, kWindowMode_Windowed},
};
constexpr int kFallbackCount = int(sizeof(kFallbacks) / sizeof(kFallbacks[0]));

sWindowConfig const kInitialConfig = {kWindowMode_None, 1, 800, 600};

struct sWindowState
{
    bool customCursorEnabled = false;
    sWindowConfig config = kInitialConfig;
    IImage const* cursorImage = nullptr;
    Vector2<int> cursorHotSpot = Vector2<int>(0, 0);
    Internal::GraphicsPlatformFactory factory;
};

sWindowState& State()
{
    static sWindowState state;
    return state;
}

std::string TypeName(std::type_info const& type)
{
    int status = 0;
    char* const demangled = abi::__cxa_demangle(type.name(), nullptr, nullptr, &status);
    std::string name = (status == 0 && demangled) ? demangled : type.name();
    std::free(demangled);
    return name;
}

void LogFailure(RuntimeError const& error)
{
    Corvane::Internal::LogWrite("Error initializing IGraphicsPlatform: ");
    Corvane::Internal::LogWrite("%s\n", TypeName(typeid(error)).c_str());
    Corvane::Internal::LogWrite("\tFunction:\t%s\n", error.GetFunction().c_str());
    Corvane::Internal::LogWrite("\tFile:\t%s\n", error.GetFile().c_str());
    Corvane::Internal::LogWrite("\tLine:\t%d\n", error.GetLine());
    Corvane::Internal::LogWrite("\tMessage:\t%s\n", error.what());
}

void LogFailure(std::exception const& error)
{
    Corvane::Internal::LogWrite("Error initializing IGraphicsPlatform: ");
    Corvane::Internal::LogWrite("%s\n", TypeName(typeid(error)).c_str());
    Corvane::Internal::LogWrite("\tMessage:\t%s\n", error.what());
}

unsigned long GetCandidateCaps(unsigned long entryCaps)
{
    IApplication const* const application = GetApplication();
    unsigned long caps = (application ? application->GetDefaultGraphicsPlatformCaps() : 0) | entryCaps;
    if (caps & kGraphicsPlatformCaps_Software)
        caps &= ~static_cast<unsigned long>(kGraphicsPlatformCaps_Hardware);
    return caps;
}

void DestroyGraphicsPlatform()
{
    if (!IsGraphicsPlatformRegistered())
        return;
    IGraphicsPlatform* const graphics = GetGraphicsPlatform();
    graphics->Cleanup();
    UnregisterSingleton(graphics);
    delete graphics;
}

// One fallback entry: tear down what exists, then make the graphics platform
// and the window for the request.
void TryCandidate(sWindowConfig request, unsigned long caps)
{
    IPlatform* const platform = GetPlatform();
    if (!platform)
        CORVANE_THROW("No platform is registered.");

    DestroyGraphicsPlatform();
    platform->DestroyWindow();

    Internal::GraphicsPlatformFactory const& factory = State().factory;
    if (!factory)
        CORVANE_THROW("No graphics platform can be made.");
    IGraphicsPlatform* const graphics = factory(caps);
    if (!graphics)
        CORVANE_THROW("The graphics platform could not be made.");
    if (GetGraphicsPlatform() != graphics)
        RegisterSingleton(graphics);

    platform->GetSupportedWindowConfig(&request);
    graphics->GetSupportedWindowConfig(&request);
    // Current before the window exists: the platform and the graphics
    // platform read it while they set up.
    State().config = request;
    platform->CreateWindow(State().config);
    graphics->Setup(State().config);
}

bool IsRealMode(int mode)
{
    return mode == kWindowMode_Windowed || mode == kWindowMode_FullScreen;
}

void ApplyWindowConfig(sWindowConfig request)
{
    // A mode of no fallback entry would leave the program without a window and say nothing.
    if (!IsRealMode(request.mode))
    {
        Corvane::Internal::LogWrite("Corvane::Window: the window mode %d is not known; a window is opened instead.\n",
                                    static_cast<int>(request.mode));
        request.mode = kWindowMode_Windowed;
    }
    sWindowConfig const& current = State().config;
    if (request.mode == current.mode && request.width == current.width && request.height == current.height)
        return;

    bool const software = GetCommandLine().find(L"-software") != std::wstring::npos;
    bool started = false;
    for (int entry = 0; entry < kFallbackCount; ++entry)
    {
        sFallback const& fallback = kFallbacks[entry];
        if (!started && fallback.mode != request.mode)
            continue;
        started = true;
        if (software && (fallback.caps & kGraphicsPlatformCaps_Hardware))
            continue;

        request.mode = fallback.mode;
        try
        {
            TryCandidate(request, GetCandidateCaps(fallback.caps));
            return;
        }
        catch (RuntimeError const& error)
        {
            LogFailure(error);
            if (entry == kFallbackCount - 1)
            {
                // Nothing is up: the next request must be applied, even the same one.
                State().config.mode = kWindowMode_None;
                throw;
            }
        }
        catch (std::exception const& error)
        {
            LogFailure(error);
            if (entry == kFallbackCount - 1)
            {
                State().config.mode = kWindowMode_None;
                throw;
            }
        }
    }
}

} // namespace

sWindowConfig const& GetConfig()
{
    return State().config;
}

void SetConfig(sWindowConfig const& config)
{
    ApplyWindowConfig(config);
}

void SetMode(eWindowMode mode)
{
    sWindowConfig config = State().config;
    config.mode = mode;
    ApplyWindowConfig(config);
}

void ToggleMode()
{
    SetMode(State().config.mode == kWindowMode_Windowed ? kWindowMode_FullScreen : kWindowMode_Windowed);
}

void EnableCustomCursor(bool enable)
{
    State().customCursorEnabled = enable;
    if (IPlatform* const platform = GetPlatform())
        platform->EnableHardwareCursor(!enable);
}

bool IsCustomCursorEnabled()
{
    return State().customCursorEnabled;
}

void SetCustomCursor(IImage const* image, Vector2<int> const& hotSpot)
{
    State().cursorImage = image;
    State().cursorHotSpot = hotSpot;
}

IImage const* GetCustomCursorImage()
{
    return State().cursorImage;
}

Vector2<int> GetCustomCursorHotSpot()
{
    return State().cursorHotSpot;
}

void SetCursor(eCursor cursor)
{
    IPlatform* const platform = GetPlatform();
    if (!platform)
    {
        SetCustomCursor(nullptr, Vector2<int>(0, 0));
        return;
    }
    SetCustomCursor(platform->GetCustomCursorImage(cursor), platform->GetCustomCursorHotSpot(cursor));
    platform->SetHardwareCursor(cursor);
}

void SaveAccountSettings()
{
    Account* const account = GetAccountManager()->GetCurrentAccount();
    if (!account)
        return;
    // Without a window (none could be made) there is no mode worth keeping for the next start.
    if (IsRealMode(State().config.mode))
        account->WriteValue(kModeKey, static_cast<int>(State().config.mode));
    account->WriteValue(kIsCustomCursorEnabledKey, State().customCursorEnabled);
}

void LoadAccountSettings()
{
    Account* const account = GetAccountManager()->GetCurrentAccount();
    if (!account)
        return;
    int const current = static_cast<int>(State().config.mode);
    int const stored = account->ReadValue(kModeKey, current, kWindowMode_Windowed, kWindowMode_FullScreen);
    if (IsRealMode(stored))
        SetMode(static_cast<eWindowMode>(stored));
    EnableCustomCursor(account->ReadCheckedValue(kIsCustomCursorEnabledKey, State().customCursorEnabled));
}

namespace Internal
{

GraphicsPlatformFactory SetGraphicsPlatformFactory(GraphicsPlatformFactory factory)
{
    GraphicsPlatformFactory previous = State().factory;
    State().factory = std::move(factory);
    return previous;
}

bool GetCustomCursorDrawPosition(int mouseX, int mouseY, float* x, float* y)
{
    sWindowState const& state = State();
    if (!state.customCursorEnabled || !state.cursorImage || mouseX < 0 || mouseY < 0)
        return false;
    *x = static_cast<float>(mouseX - state.cursorHotSpot.x);
    *y = static_cast<float>(mouseY - state.cursorHotSpot.y);
    return true;
}

void Reset()
{
    sWindowState& state = State();
    state.customCursorEnabled = false;
    state.config = kInitialConfig;
    state.cursorImage = nullptr;
    state.cursorHotSpot = Vector2<int>(0, 0);
}

} // namespace Internal

} // namespace Window
} // namespace Corvane
