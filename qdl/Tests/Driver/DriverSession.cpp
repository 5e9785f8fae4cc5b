#include "qdl/Tests/Driver/DriverSession.h"

#include <cxxabi.h>
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <typeinfo>

#include <SDL2/SDL.h>
#include <SDL2/SDL_opengl.h>
#include <gtest/gtest.h>
#include <stb/stb_image_write.h>

#include "Core/Source/Singleton.h"
#include "Core/Source/StringUtils.h"
#include "2DEngine/Source/Framework/ApplicationMode.h"
#include "2DEngine/Source/Framework/Window.h"
#include "2DEngine/Source/Platform/MacOSX/DesktopServices.h"
#include "2DEngine/Source/Platform/MacOSX/MacOSXPlatform.h"
#include "2DEngine/Source/Platform/MacOSX/OpenGLContextLayer.h"
#include "2DEngine/Source/Platform/MacOSX/OpenGLPlatform.h"
#include "2DEngine/Source/Platform/MacOSX/OpenGLSubBuffer.h"
#include "2DEngine/Source/Widgets/LoadingMode.h"
#include "qdl/Source/Game/Application.h"
#include "qdl/Source/Game/DesktopEngine.h"
#include "qdl/Source/Game/GameAudioManager.h"
#include "qdl/Tests/Driver/RecordingAudioPlatform.h"

namespace GameDriver
{

std::string ClassName(Corvane::ApplicationMode const* mode)
{
    if (!mode)
        return std::string();
    char const* const mangled = typeid(*mode).name();
    int status = 0;
    char* const demangled = abi::__cxa_demangle(mangled, nullptr, nullptr, &status);
    std::string const name = status == 0 && demangled ? demangled : mangled;
    std::free(demangled);
    return name;
}

std::string EscapeXML(std::string const& text)
{
    std::string escaped;
    for (char c : text)
    {
        switch (c)
        {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

namespace
{

// A step the loop does not reach in this much real time is a hung game.
std::chrono::seconds const kStepTimeout(120);

std::string ReadFile(std::string const& path)
{
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

std::string Record(std::string const& key, std::string const& value)
{
    return "<record name=\"" + EscapeXML(key) + "\" value=\"" + EscapeXML(value) + "\"/>\n";
}

SDL_Window* GameWindow()
{
    MacOSX::Platform* const platform = MacOSX::GetPlatform();
    return platform ? platform->GetWindowRef() : nullptr;
}

} // namespace

// Present only in a build with a sanitizer.
extern "C" void __sanitizer_set_report_fd(void* fd) __attribute__((weak));

namespace
{

void SetSanitizerReportFile(int fd)
{
    if (__sanitizer_set_report_fd)
        __sanitizer_set_report_fd(reinterpret_cast<void*>(static_cast<intptr_t>(fd)));
}

} // namespace

Session::Session()
{
    mUserFolder = mFolder.Join("datos/Plenwick/Quarrydale Yarrowfete");
    mLogPath = mFolder.Join("game.log");
    // Before the test changes any screen maker, so that the play's changes end with it.
    mSavedScreens = GetGameScreenHooks();
}

Session::~Session()
{
    GetGameScreenHooks() = mSavedScreens;
}

std::string Session::Log() const
{
    std::fflush(stderr);
    return ReadFile(mLogPath);
}

std::string Session::AccountFile() const
{
    std::string text;
    std::error_code error;
    for (auto const& entry : std::filesystem::directory_iterator(mUserFolder, error))
        if (entry.path().extension() == ".act")
            text += ReadFile(entry.path().string());
    return text;
}

std::vector<std::string> Session::Notifications() const
{
    std::vector<std::string> found;
    std::istringstream lines(Log());
    std::string line;
    std::string const prefix = "Message box: ";
    while (std::getline(lines, line))
        if (line.compare(0, prefix.size(), prefix) == 0)
            found.push_back(line.substr(prefix.size()));
    return found;
}

bool Session::HasDisplay(std::string* reason)
{
    MacOSX::RequestSoftwareRenderer();
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
    {
        if (reason)
            *reason = SDL_GetError();
        return false;
    }
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    return true;
}

namespace
{

// The game's application, with the audio platform that records its plays.
class DrivenApplication : public Application
{
public:
    explicit DrivenApplication(Session* session) : mSession(session) {}

    void RegisterSingletons() override
    {
        Session* const session = mSession;
        RecordingAudioPlatform* const platform =
            new RecordingAudioPlatform(&session->plays, [session] { return session->GameTimeMS(); });
        Corvane::AutoDeleteSingleton(platform);
        session->audio = platform;
    }

    void Cleanup() override
    {
        Application::Cleanup();
        // The manager outlives the platform; its channels go while the platform is still there.
        GetAudioManager()->reset();
    }

private:
    Session* mSession;
};

class CapturingGraphicsPlatform : public MacOSX::OpenGLGraphicsPlatform
{
public:
    CapturingGraphicsPlatform(unsigned long caps, Session* session) : OpenGLGraphicsPlatform(caps), mSession(session)
    {
        // The program's own platform keeps its frames; a play draws as the program does.
        SetRetainedFrames(true);
    }

protected:
    void OnFramePresented() override { mSession->OnFramePresented(); }

private:
    Session* mSession;
};

} // namespace

void Session::Play(std::function<void(Child&)> const& script)
{
    std::filesystem::create_directories(mUserFolder);
    std::filesystem::create_directories(mFolder.Join("app"));
    if (!accountsFrom.empty())
    {
        std::error_code error;
        for (auto const& entry : std::filesystem::directory_iterator(accountsFrom, error))
            if (entry.path().extension() == ".act")
                std::filesystem::copy_file(entry.path(), mUserFolder + "/" + entry.path().filename().string(),
                                           std::filesystem::copy_options::overwrite_existing, error);
        if (error)
            ADD_FAILURE() << "the accounts of " << accountsFrom << " could not be copied: " << error.message();
    }
    else
    {
        std::ofstream file(mUserFolder + "/Player.act", std::ios::binary);
        file << "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\n<account>\n"
             << Record("Corvane::AccountManager::Name", "Player")
             << Record("Corvane::AccountManager::IsCurrent", "true") << Record("Corvane::Window::Mode", "0");
        for (auto const& value : accountValues)
            file << Record(value.first, value.second);
        file << "</account>\n";
    }
    for (sAccountFile const& extra : accountFiles)
    {
        std::string const path = mUserFolder + "/" + extra.name;
        std::ofstream(path, std::ios::binary) << extra.text;
        std::error_code error;
        std::filesystem::last_write_time(
            path, std::filesystem::file_time_type::clock::now() - std::chrono::seconds(extra.secondsAgo), error);
    }

    SetUpEngine();
    mLoopThread = std::this_thread::get_id();
    std::thread scriptThread([this, &script] {
        Child child(this);
        try
        {
            script(child);
        }
        catch (std::exception const& error)
        {
            ADD_FAILURE() << "the script stopped with an exception: " << error.what();
        }
        catch (...)
        {
            ADD_FAILURE() << "the script stopped with an exception";
        }
        std::lock_guard<std::mutex> guard(mLock);
        mScriptDone = true;
        mChanged.notify_all();
    });

    {
        DrivenApplication application(this);
        try
        {
            Corvane::MainLoop::Execute();
        }
        catch (std::exception const& error)
        {
            ADD_FAILURE() << "the game stopped with an exception: " << error.what();
        }
        audio = nullptr;
        endedByQuit = !mExitedForScript;
        ServeAfterEnd();
        scriptThread.join();
    }
    TearDownEngine();
}

void Session::SetUpEngine()
{
    setenv(MacOSX::kLogMessageBoxesVariable, "1", 1);
    setenv("XDG_DATA_HOME", mFolder.Join("datos").c_str(), 1);
    std::wstring const app = Corvane::ConvertStringUTF8ToWide(mFolder.Join("app").c_str());
    std::wstring const resources = Corvane::ConvertStringUTF8ToWide(PrepareContent().c_str());
    MacOSX::Internal::SetBundleFolders(app, resources);
    MacOSX::RequestSoftwareRenderer();

    std::fflush(stderr);
    mSavedStderr = dup(2);
    int const log = open(mLogPath.c_str(), O_CREAT | O_TRUNC | O_WRONLY, 0644);
    if (log >= 0)
    {
        dup2(log, 2);
        close(log);
    }
    // A sanitizer's report ends the process: it must reach the test's own output, not the game log.
    SetSanitizerReportFile(mSavedStderr);

    mSavedEngineHooks = Corvane::MainLoop::Internal::GetEngineHooks();
    installDesktopEngine();
    Corvane::MainLoop::Internal::sEngineHooks& hooks = Corvane::MainLoop::Internal::GetEngineHooks();
    // Labels cached in the game's statics stay valid for the next play in the process.
    hooks.shutdownLabels = nullptr;
    auto const setWindowConfig = hooks.setWindowConfig;
    hooks.setWindowConfig = [this, setWindowConfig](Corvane::sWindowConfig const& config) {
        SDL_SetEventFilter(&Session::AdmitEvent, this);
        if (setWindowConfig)
            setWindowConfig(config);
        SDL_SetEventFilter(&Session::AdmitEvent, this);
        // Other windows on the test display may hold the focus; the game's window is the player's.
        if (SDL_Window* const window = GameWindow())
        {
            SDL_Event focus;
            SDL_zero(focus);
            focus.type = SDL_WINDOWEVENT;
            focus.window.windowID = SDL_GetWindowID(window);
            focus.window.event = SDL_WINDOWEVENT_FOCUS_GAINED;
            PushSynthetic(&focus);
        }
    };
    Corvane::Window::Internal::SetGraphicsPlatformFactory(
        [this](unsigned long caps) -> Corvane::IGraphicsPlatform* { return new CapturingGraphicsPlatform(caps, this); });
    if (startWith)
        GetGameScreenHooks().createTitleMode = startWith;

    RecordingAudioPlatform::UseOfflineOutput(true);
    GetAudioManager()->reset();
    Corvane::MainLoop::AddQuitHandler(this);
    mSavedServices = Corvane::Internal::SetSystemServices(this);
}

std::string Session::PrepareContent()
{
    if (!contentEdit)
        return CORVANE_TEST_RESOURCES_DIR;
    std::string const copy = mFolder.Join("content");
    std::error_code error;
    std::filesystem::create_directories(copy, error);
    for (auto const& entry : std::filesystem::directory_iterator(CORVANE_TEST_RESOURCES_DIR, error))
    {
        std::filesystem::path const target = std::filesystem::path(copy) / entry.path().filename();
        std::string const extension = entry.path().extension().string();
        // Only text is edited; pictures and sounds are shared with the build.
        if (extension == ".xml" || extension == ".tsv" || extension == ".txt")
            std::filesystem::copy_file(entry.path(), target, std::filesystem::copy_options::overwrite_existing,
                                       error);
        else
            std::filesystem::create_symlink(entry.path(), target, error);
    }
    contentEdit(copy);
    return copy;
}

void Session::TearDownEngine()
{
    Corvane::Internal::SetSystemServices(mSavedServices);
    Corvane::MainLoop::RemoveQuitHandler(this);
    RecordingAudioPlatform::UseOfflineOutput(false);
    SDL_SetEventFilter(nullptr, nullptr);
    Corvane::MainLoop::Internal::GetEngineHooks() = mSavedEngineHooks;
    Corvane::Window::Internal::SetGraphicsPlatformFactory(nullptr);
    Corvane::Window::Internal::Reset();
    MacOSX::Internal::SetBundleFolders(L"", L"");
    unsetenv(MacOSX::kLogMessageBoxesVariable);

    std::fflush(stderr);
    if (mSavedStderr >= 0)
    {
        SetSanitizerReportFile(2);
        dup2(mSavedStderr, 2);
        close(mSavedStderr);
        mSavedStderr = -1;
    }
}

void Session::Sleep(uint32_t milliseconds)
{
    // Only the loop's sleeps are frame boundaries; another thread simply sleeps.
    if (std::this_thread::get_id() != mLoopThread)
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
        return;
    }
    // The content loads on a thread of its own in real time, while an unchanged
    // frame costs next to nothing: the loading screen's frames take their real
    // time, so that they leave the loader the machine instead of spinning, and
    // the game's clock keeps pace with the loading a child would watch.
    Corvane::LoadingMode const* const loading =
        dynamic_cast<Corvane::LoadingMode const*>(Corvane::MainLoop::GetTopMostMode(0));
    if (loading && loading->IsLoading())
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    mNowUS += uint64_t(milliseconds) * 1000;
    RecordingAudioPlatform::AdvanceOutput(GameTimeMS());
    Serve();
}

// At a frame boundary: the script may look and act until it lets the loop go on.
void Session::Serve()
{
    std::unique_lock<std::mutex> lock(mLock);
    ++mFrame;
    mServing = true;
    mChanged.notify_all();
    for (;;)
    {
        mChanged.wait(lock, [this] { return mRequest || mResume || mScriptDone; });
        if (!mRequest)
            break;
        std::function<void()> const request = std::move(mRequest);
        mRequest = nullptr;
        lock.unlock();
        request();
        lock.lock();
        ++mRequestsServed;
        mChanged.notify_all();
    }
    mServing = false;
    mResume = false;
    bool const finished = mScriptDone;
    if (finished)
        mExitedForScript = true;
    lock.unlock();
    if (finished)
        Corvane::MainLoop::Exit();
}

// The game has ended; what the script still asks is answered here.
void Session::ServeAfterEnd()
{
    std::unique_lock<std::mutex> lock(mLock);
    mLoopEnded = true;
    mServing = true;
    mChanged.notify_all();
    for (;;)
    {
        mChanged.wait(lock, [this] { return mRequest || mScriptDone; });
        if (!mRequest)
            break;
        std::function<void()> const request = std::move(mRequest);
        mRequest = nullptr;
        lock.unlock();
        request();
        lock.lock();
        ++mRequestsServed;
        mChanged.notify_all();
    }
}

bool Session::Step()
{
    std::unique_lock<std::mutex> lock(mLock);
    if (mHung)
        return false;
    if (!mChanged.wait_for(lock, kStepTimeout, [this] { return mServing || mLoopEnded; }))
    {
        mHung = true;
        ADD_FAILURE() << "the game reached no frame for " << kStepTimeout.count() << " s";
        return false;
    }
    if (mLoopEnded)
        return false;
    uint64_t const next = mFrame + 1;
    mResume = true;
    mChanged.notify_all();
    if (!mChanged.wait_for(lock, kStepTimeout, [this, next] { return (mServing && mFrame >= next) || mLoopEnded; }))
    {
        mHung = true;
        ADD_FAILURE() << "the game reached no frame for " << kStepTimeout.count() << " s";
        return false;
    }
    return !mLoopEnded;
}

void Session::RunOnLoop(std::function<void()> const& function)
{
    std::unique_lock<std::mutex> lock(mLock);
    if (mHung)
        return;
    if (!mChanged.wait_for(lock, kStepTimeout, [this] { return mServing; }))
    {
        mHung = true;
        ADD_FAILURE() << "the game reached no frame for " << kStepTimeout.count() << " s";
        return;
    }
    uint64_t const ticket = ++mRequestsPosted;
    mRequest = [&function] {
        try
        {
            function();
        }
        catch (std::exception const& error)
        {
            ADD_FAILURE() << "a look at the game threw: " << error.what();
        }
    };
    mChanged.notify_all();
    mChanged.wait(lock, [this, ticket] { return mRequestsServed >= ticket; });
}

void Session::PushSynthetic(SDL_Event* event)
{
    mPushing = true;
    SDL_PushEvent(event);
    mPushing = false;
}

// Only what the driver pushes reaches the game: the display's own pointer,
// keyboard and focus changes (other tests' windows) would make runs differ.
int Session::AdmitEvent(void* session, SDL_Event* event)
{
    if (static_cast<Session*>(session)->mPushing)
        return 1;
    switch (event->type)
    {
    case SDL_WINDOWEVENT:
        switch (event->window.event)
        {
        case SDL_WINDOWEVENT_FOCUS_GAINED:
        case SDL_WINDOWEVENT_FOCUS_LOST:
        case SDL_WINDOWEVENT_ENTER:
        case SDL_WINDOWEVENT_LEAVE:
        case SDL_WINDOWEVENT_CLOSE:
        case SDL_WINDOWEVENT_MINIMIZED:
            return 0;
        default:
            return 1;
        }
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

void Session::PushMouseMove(int x, int y)
{
    SDL_Window* const window = GameWindow();
    if (!window)
        return;
    SDL_Event event;
    SDL_zero(event);
    event.type = SDL_MOUSEMOTION;
    event.motion.windowID = SDL_GetWindowID(window);
    event.motion.x = x;
    event.motion.y = y;
    event.motion.xrel = mouseX < 0 ? 0 : x - mouseX;
    event.motion.yrel = mouseY < 0 ? 0 : y - mouseY;
    mouseX = x;
    mouseY = y;
    PushSynthetic(&event);
}

void Session::PushMouseButton(bool down)
{
    SDL_Window* const window = GameWindow();
    if (!window)
        return;
    SDL_Event event;
    SDL_zero(event);
    event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button.windowID = SDL_GetWindowID(window);
    event.button.button = SDL_BUTTON_LEFT;
    event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.button.clicks = 1;
    event.button.x = mouseX;
    event.button.y = mouseY;
    PushSynthetic(&event);
}

bool Session::PushKey(std::string const& name, bool down)
{
    SDL_Window* const window = GameWindow();
    SDL_Keycode const key = SDL_GetKeyFromName(name.c_str());
    if (!window || key == SDLK_UNKNOWN)
        return false;
    SDL_Event event;
    SDL_zero(event);
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.windowID = SDL_GetWindowID(window);
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.sym = key;
    event.key.keysym.scancode = SDL_GetScancodeFromKey(key);
    PushSynthetic(&event);
    return true;
}

namespace
{

// The game's picture in the back buffer, as the viewport places it.
bool ReadBackBuffer(sPicture* picture)
{
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    int const width = viewport[2];
    int const height = viewport[3];
    if (width <= 0 || height <= 0)
        return false;
    std::vector<unsigned char> rgba(size_t(width) * size_t(height) * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(viewport[0], viewport[1], width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    // OpenGL's rows run from the bottom up.
    picture->width = width;
    picture->height = height;
    picture->rgba.resize(rgba.size());
    size_t const row = size_t(width) * 4;
    for (int y = 0; y < height; ++y)
        std::copy(rgba.begin() + long(size_t(height - 1 - y) * row), rgba.begin() + long(size_t(height - y) * row),
                  picture->rgba.begin() + long(size_t(y) * row));
    for (size_t alpha = 3; alpha < picture->rgba.size(); alpha += 4)
        picture->rgba[alpha] = 255;
    return true;
}

} // namespace

bool Session::ReadWindow(sPicture* picture)
{
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    int drawableWidth = 0;
    int drawableHeight = 0;
    MacOSX::GLLayer::GetDrawableSize(&drawableWidth, &drawableHeight);
    int const width = viewport[2];
    int const height = viewport[3];
    if (width <= 0 || height <= 0)
        return false;
    sPicture read;
    read.width = width;
    read.height = height;
    read.rgba.resize(size_t(width) * size_t(height) * 4);
    // The viewport counts rows from the bottom, the window from the top.
    int const top = drawableHeight - viewport[1] - height;
    if (!MacOSX::GLLayer::ReadWindowPixels(viewport[0], top, width, height, read.rgba.data()))
        return false;
    *picture = std::move(read);
    return true;
}

bool SavePicture(sPicture const& picture, std::string const& path)
{
    if (picture.width <= 0 || picture.height <= 0 || picture.rgba.size() != size_t(picture.width) * picture.height * 4)
        return false;
    return stbi_write_png(path.c_str(), picture.width, picture.height, 4, picture.rgba.data(), picture.width * 4) != 0;
}

void Session::OnFramePresented()
{
    if (capturePath.empty() && !captureInto)
        return;
    sPicture picture;
    bool const read = ReadBackBuffer(&picture);
    if (!capturePath.empty())
    {
        captured = read && SavePicture(picture, capturePath);
        capturePath.clear();
    }
    if (captureInto)
    {
        if (read)
            *captureInto = std::move(picture);
        captureInto = nullptr;
    }
}

} // namespace GameDriver
