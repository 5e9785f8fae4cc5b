#include "2DEngine/Source/Platform/MacOSX/MacOSXPlatform.h"

#include <cstdlib>
#include <cstring>

#include <SDL2/SDL.h>

#include "Core/Source/DiskPartition.h"
#include "Core/Source/Error.h"
#include "Core/Source/FileSystem.h"
#include "Core/Source/Log.h"
#include "Core/Source/MacOSX/FolderWalk.h"
#include "Core/Source/MacOSX/MacOSXError.h"
#include "Core/Source/Singleton.h"
#include "Core/Source/StringUtils.h"
#include "2DEngine/Source/Framework/Application.h"
#include "2DEngine/Source/Framework/ResourceManager.h"
#include "2DEngine/Source/Framework/SystemServices.h"
#include "2DEngine/Source/Framework/Window.h"
#include "2DEngine/Source/Graphics/Image.h"
#include "2DEngine/Source/Graphics/ImageList.h"
#include "2DEngine/Source/Platform/MacOSX/DesktopEngineSetup.h"
#include "2DEngine/Source/Platform/MacOSX/DesktopServices.h"
#include "2DEngine/Source/Platform/MacOSX/LauncherPlatform.h"
#include "2DEngine/Source/Platform/MacOSX/OpenGLContextLayer.h"
#include "2DEngine/Source/Platform/MacOSX/TerminationSignals.h"
#include "2DEngine/Source/Platform/MacOSX/WindowManagerQuery.h"

namespace MacOSX
{

namespace
{

// Longest folder name handed to the file system, in UTF-16 code units.
constexpr size_t kMaxFolderNameUnits = 1024;
constexpr int kMaxEventsPerCall = 16;
constexpr int kWaitSliceMilliseconds = 50;
// How long after its creation a window that never had the focus asks for it again.
constexpr uint32_t kFocusRetryPeriod = 2000;
constexpr uint32_t kFocusRetryInterval = 200;
// How often, and how far apart, an X display that does not answer is asked again.
constexpr int kDisplayAttempts = 30;
constexpr uint32_t kDisplayRetryMilliseconds = 100;

struct sBundleState
{
    bool overridden = false;
    sBundle bundle;
};

sBundleState& BundleState()
{
    static sBundleState state;
    return state;
}

sBundle const* FindBundle()
{
    sBundleState& state = BundleState();
    if (!state.overridden)
    {
        std::wstring const folder = GetApplicationFolder();
        // The executable's folder could not be read.
        if (folder.empty() || folder == L".")
            return nullptr;
        state.bundle.folder = folder;
        state.bundle.resourcesFolder = Corvane::CombinePath(folder, L"Resources");
    }
    return &state.bundle;
}

// A name that makes exactly one child folder: nothing that climbs out of the
// parent or reaches into a deeper one.
bool IsUsableFolderName(wchar_t const* name)
{
    if (!name || !name[0])
        return false;
    std::wstring const text(name);
    if (text == L"." || text == L"..")
        return false;
    if (text.find_first_of(L"/\\") != std::wstring::npos)
        return false;
    // The units needed include the terminator.
    return Corvane::ConvertStringWideToUTF16(name, nullptr, 0) <= kMaxFolderNameUnits + 1;
}

// The per-user folder of the company and product, made when missing; empty
// when it cannot be had.
std::wstring MakeUserFolder()
{
    Corvane::IApplication const* const application = Corvane::GetApplication();
    if (!application)
        return std::wstring();
    Corvane::sApplicationDescriptor const& descriptor = application->GetDescriptor();
    if (!IsUsableFolderName(descriptor.companyName) || !IsUsableFolderName(descriptor.productName))
        return std::wstring();
    std::wstring const folder = GetUserDataFolder(descriptor.companyName, descriptor.productName);
    try
    {
        Corvane::CreateDirectory(folder);
    }
    catch (Corvane::RuntimeError const&)
    {
        return std::wstring();
    }
    return IsHostFolder(folder) ? folder : std::wstring();
}

} // namespace

Platform::Platform() : mWindow(nullptr), mSink(nullptr), mState(0), mStopBatch(false), mFocusSeen(false), mWindowManager(true), mWindowMadeAt(0), mFocusAskedAt(0)
{
    forceLauncherEntryPointToLink();
    forceLauncherPlatformToLink();
    Corvane::RegisterSingleton(this);
}

Platform::~Platform()
{
    DestroyWindow();
    // The display stays open: SDL's OpenGL drivers lose memory each time they
    // are unloaded, and a later platform of the same process opens it again.
    Corvane::UnregisterSingleton(this);
}

void Platform::Setup()
{
    // Our handlers, not SDL's: SDL turns the signals into a quit request, which
    // a quit handler (the loading screen's) may refuse.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    InstallTerminationHandlers();
    MountPartitions();
    RegisterResourceFactories();
    if (Internal::GetPlatformSetupHooks().createNetworkPlatform)
        Internal::GetPlatformSetupHooks().createNetworkPlatform();
}

void Platform::MountPartitions()
{
    Corvane::FileSystem* const fileSystem = new Corvane::FileSystem();
    if (sBundle const* const bundle = static_cast<sBundle const*>(GetBundle()))
    {
        if (IsHostFolder(bundle->folder))
            fileSystem->AddFileSystemPartition(Corvane::kFileSystemPartition_Application,
                                               new FileSystemPartition(bundle->folder));
        if (IsHostFolder(bundle->resourcesFolder))
            fileSystem->AddFileSystemPartition(Corvane::kFileSystemPartition_Resources,
                                               new FileSystemPartition(bundle->resourcesFolder));
    }
    std::wstring const userFolder = MakeUserFolder();
    if (!userFolder.empty())
        fileSystem->AddFileSystemPartition(Corvane::kFileSystemPartition_UserData, new FileSystemPartition(userFolder));
    fileSystem->Setup();
}

void Platform::RegisterResourceFactories()
{
    Corvane::ResourceManager* const manager = Corvane::GetResourceManager();
    manager->AddResourceFactory(L"image", new Corvane::ImageResourceFactory());
    manager->AddResourceFactory(L"imagelist", new Corvane::ImageListResourceFactory());
    manager->AddResourceFactory(L"filmstrip", new Corvane::FilmStripResourceFactory());
    if (Internal::GetPlatformSetupHooks().registerFontFactory)
        Internal::GetPlatformSetupHooks().registerFontFactory();
}

bool Platform::StartVideo()
{
    if (SDL_WasInit(SDL_INIT_VIDEO) != 0)
        return true;
    // Closing the window is a quit request of its own; SDL must not add a second one.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    // Mesa only honours the request before the display is opened.
    if (Corvane::GetCommandLine().find(L"-software") != std::wstring::npos)
        RequestSoftwareRenderer();
    // When the X display does not answer at once (many programs opening it
    // together), SDL falls back to a driver without windows that nobody sees
    // and nobody gives the focus; the display is asked again for a while first.
    char const* const display = std::getenv("DISPLAY");
    bool const namedDisplay = display && *display && !std::getenv("SDL_VIDEODRIVER");
    for (int attempt = 1;; ++attempt)
    {
        bool const started = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
        char const* const driver = started ? SDL_GetCurrentVideoDriver() : nullptr;
        bool const onDisplay = started && (!namedDisplay || (driver && std::strcmp(driver, "x11") == 0));
        if (onDisplay || attempt >= kDisplayAttempts)
        {
            if (!started)
            {
                Corvane::Internal::LogWrite("The display could not be opened: %s\n", SDL_GetError());
                return false;
            }
            if (!onDisplay)
                Corvane::Internal::LogWrite("The display \"%s\" did not answer; the \"%s\" video driver draws instead.\n",
                                            display, driver ? driver : "");
            break;
        }
        if (started)
            SDL_QuitSubSystem(SDL_INIT_VIDEO);
        SDL_Delay(kDisplayRetryMilliseconds);
    }
    // Loaded once for the process rather than with every window.
    if (SDL_GL_LoadLibrary(nullptr) != 0)
        Corvane::Internal::LogWrite("The OpenGL library could not be loaded: %s\n", SDL_GetError());
    return true;
}

void Platform::CreateWindow(Corvane::sWindowConfig const& config)
{
    DestroyWindow();
    if (!StartVideo())
        MACOSX_THROW(-1, "Could not create a window.");
    if (config.width <= 0 || config.height <= 0)
    {
        Corvane::Internal::LogWrite("A window of %d x %d pixels cannot be made.\n", int(config.width),
                                    int(config.height));
        MACOSX_THROW(-1, "Could not create a window.");
    }

    bool const fullScreen = config.mode == Corvane::kWindowMode_FullScreen;
    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN;
    if (config.aspectLock < 2)
        flags |= SDL_WINDOW_RESIZABLE;
    int x = SDL_WINDOWPOS_CENTERED;
    int y = SDL_WINDOWPOS_CENTERED;
    int width = config.width;
    int height = config.height;
    // The desktop keeps its own mode; the picture is scaled into it. Without a
    // window manager (a virtual display) nobody applies the full-screen state,
    // so the window's own place and size already cover the display.
    if (fullScreen)
    {
        flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
        SDL_Rect bounds;
        if (SDL_GetDisplayBounds(0, &bounds) == 0 && bounds.w > 0 && bounds.h > 0)
        {
            flags |= SDL_WINDOW_BORDERLESS;
            x = bounds.x;
            y = bounds.y;
            width = bounds.w;
            height = bounds.h;
        }
    }

    SDL_Window* const window = SDL_CreateWindow("", x, y, width, height, flags);
    if (!window)
    {
        Corvane::Internal::LogWrite("SDL_CreateWindow: %s\n", SDL_GetError());
        MACOSX_THROW(-1, "Could not create a window.");
    }
    mWindow = window;
    SetRenderWindow(window);

    if (Corvane::IApplication const* const application = Corvane::GetApplication())
        SetApplicationTitle(Corvane::GetApplicationWindowTitle(application->GetDescriptor()));

    SDL_ShowWindow(window);
    // Without a window manager (a virtual display) nobody else gives the new
    // window the keyboard focus, and without it the window never becomes active.
    SDL_RaiseWindow(window);
    SDL_SetWindowInputFocus(window);
    mFocusSeen = false;
    mWindowManager = QueryWindowManager(window);
    mWindowMadeAt = SDL_GetTicks();
    mFocusAskedAt = mWindowMadeAt;

    if (fullScreen)
    {
        SDL_GetWindowSize(window, &width, &height);
        SDL_WarpMouseInWindow(window, width / 2, height / 2);
    }
}

void Platform::DestroyWindow()
{
    if (!mWindow)
        return;
    if (GetRenderWindow() == mWindow)
        SetRenderWindow(nullptr);
    SDL_DestroyWindow(mWindow);
    mWindow = nullptr;
}

bool Platform::IsEventPending() const
{
    if (SDL_WasInit(SDL_INIT_EVENTS) == 0)
        return false;
    return SDL_PollEvent(nullptr) == 1;
}

void Platform::HandleEvents(Corvane::IInputEventSink* sink)
{
    if (SDL_WasInit(SDL_INIT_EVENTS) == 0)
        return;

    struct SinkScope
    {
        Platform* platform;
        ~SinkScope()
        {
            platform->mSink = nullptr;
            platform->mStopBatch = false;
        }
    } scope{this};
    mSink = sink;
    mStopBatch = false;

    for (int count = 0; count < kMaxEventsPerCall && !mStopBatch; ++count)
    {
        SDL_Event event;
        if (SDL_PollEvent(&event) != 1)
            break;
        DispatchEvent(event);
    }
}

void Platform::WaitForEvent()
{
    if (SDL_WasInit(SDL_INIT_EVENTS) == 0)
        MACOSX_THROW(-1, "An infinite wait for an event failed.");
    // SDL holds some window-system news back (a focus change is delivered a
    // moment after it happens) and only releases it while pumping: waiting
    // in slices keeps pumping, so held-back news still wakes the loop.
    while (SDL_WaitEventTimeout(nullptr, kWaitSliceMilliseconds) != 1)
    {
        if (IsTerminationRequested())
            return;
        if (SDL_WasInit(SDL_INIT_EVENTS) == 0)
            MACOSX_THROW(-1, "An infinite wait for an event failed.");
        RetryFocus();
    }
}

// A display without a window manager can drop the first request for the
// focus (the window was not yet viewable); the window then would never become
// active. So a new window that has not had the focus asks again, for a while.
void Platform::RetryFocus()
{
    if (!mWindow || mFocusSeen)
        return;
    uint32_t const now = SDL_GetTicks();
    if (now - mWindowMadeAt > kFocusRetryPeriod || now - mFocusAskedAt < kFocusRetryInterval)
        return;
    mFocusAskedAt = now;
    SDL_SetWindowInputFocus(mWindow);
}

bool Platform::IsQuitPending() const
{
    return (mState & kState_QuitPending) != 0 || IsTerminationRequested();
}

void Platform::SetApplicationTitle(wchar_t const* title)
{
    if (!mWindow)
        return;
    std::string const utf8 = Corvane::ConvertStringWideToUTF8String(title ? title : L"");
    SDL_SetWindowTitle(mWindow, utf8.c_str());
}

void* Platform::GetBundle() const
{
    return const_cast<sBundle*>(FindBundle());
}

Corvane::sPlatformRect Platform::GetRenderRect() const
{
    Corvane::sWindowConfig const& config = Corvane::Window::GetConfig();
    if (!mWindow)
        return Corvane::sPlatformRect{0, 0, config.height, config.width};
    int width = 0;
    int height = 0;
    SDL_GL_GetDrawableSize(mWindow, &width, &height);
    return ComputeLetterbox(width, height, config.width, config.height);
}

void Platform::SendEvent(Corvane::sInputEvent const& event)
{
    if (mSink)
        mSink->HandleEvent(event);
}

void Platform::SetStateBit(uint8_t bit, bool set)
{
    if (set)
        mState |= bit;
    else
        mState &= uint8_t(~bit);
}

bool Platform::IsOwnWindow(uint32_t windowID) const
{
    return mWindow && windowID != 0 && SDL_GetWindowID(mWindow) == windowID;
}

int Platform::ToKeyCode(char character, unsigned long virtualKey)
{
    struct sKeyRow
    {
        char character;
        unsigned long virtualKey;
        int keyCode;
    };
    // Virtual key 0 matches any key typing the character.
    static sKeyRow const kRows[] = {
        {8, 0, 8},      {9, 0, 9},      {13, 0, 13},    {27, 0, 27},    {32, 0, 32},    {28, 0, 37},
        {30, 0, 38},    {29, 0, 39},    {31, 0, 40},    {11, 0, 33},    {12, 0, 34},    {1, 0, 36},
        {4, 0, 35},     {16, 122, 112}, {16, 120, 113}, {16, 99, 114},  {16, 118, 115}, {16, 96, 116},
        {16, 97, 117},  {16, 98, 118},  {16, 100, 119}, {16, 101, 120}, {16, 109, 121}, {16, 103, 122},
        {16, 111, 123}, {'-', 0, 189},  {'=', 0, 187},  {'[', 0, 219},  {']', 0, 221},  {'\\', 0, 220},
        {';', 0, 186},  {'\'', 0, 222}, {',', 0, 188},  {'.', 0, 190},  {'/', 0, 191},  {'`', 0, 192},
        // The keyboard adjust-mode keys of sliders and lists, beyond the named keys: the help key
        // (Insert on a PC keyboard) enters and leaves adjust mode, F15 (Pause) only leaves it.
        {5, 114, 512},  {16, 113, 513},
    };
    static_assert(sizeof(kRows) / sizeof(kRows[0]) == 38, "the keyboard mapping has 38 rows");

    if (character >= 'a' && character <= 'z')
        return character - 'a' + 'A';
    if ((character >= 'A' && character <= 'Z') || (character >= '0' && character <= '9'))
        return character;
    for (sKeyRow const& row : kRows)
    {
        if (row.character == character && (row.virtualKey == 0 || row.virtualKey == virtualKey))
            return row.keyCode;
    }
    return 0;
}

Platform* GetPlatform()
{
    return dynamic_cast<Platform*>(Corvane::GetPlatform());
}

namespace Internal
{

void SetBundleFolders(std::wstring const& folder, std::wstring const& resourcesFolder)
{
    sBundleState& state = BundleState();
    state.overridden = !folder.empty() || !resourcesFolder.empty();
    state.bundle.folder = folder;
    state.bundle.resourcesFolder = resourcesFolder;
}

} // namespace Internal
} // namespace MacOSX
