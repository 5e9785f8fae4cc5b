#include "qdl/Tests/Driver/GameDriver.h"

#include <cxxabi.h>
#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <sstream>
#include <thread>
#include <typeinfo>

#include <SDL2/SDL.h>
#include <SDL2/SDL_opengl.h>
#include <gtest/gtest.h>
#include <stb/stb_image_write.h>

#include "Core/Source/Label.h"
#include "Core/Source/Singleton.h"
#include "Core/Source/StringUtils.h"
#include "Core/Tests/FileTestSupport.h"
#include "2DEngine/Source/Framework/ApplicationMode.h"
#include "2DEngine/Source/Framework/EngineHooks.h"
#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/SystemServices.h"
#include "2DEngine/Source/Framework/Window.h"
#include "2DEngine/Source/Platform/MacOSX/DesktopServices.h"
#include "2DEngine/Source/Platform/MacOSX/MacOSXPlatform.h"
#include "2DEngine/Source/Platform/MacOSX/OpenGLContextLayer.h"
#include "2DEngine/Source/Platform/MacOSX/OpenGLPlatform.h"
#include "CorvaneExtensions/Source/SceneApplicationMode.h"
#include "CorvaneExtensions/Source/SceneNode.h"
#include "qdl/Source/Game/Application.h"
#include "qdl/Source/Game/DesktopEngine.h"
#include "qdl/Source/Game/GameAudioManager.h"
#include "qdl/Source/Game/GameScreenHooks.h"
#include "qdl/Tests/Driver/RecordingAudioPlatform.h"

namespace GameDriver
{

namespace
{

// A step the loop does not reach in this much real time is a hung game.
std::chrono::seconds const kStepTimeout(120);

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

std::string ReadFile(std::string const& path)
{
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
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

// Everything one play needs; the loop's side runs on the test's thread, the
// script's on its own, and they meet only under mLock.
class Session : public Corvane::ISystemServices, public Corvane::IQuitHandler
{
public:
    Session()
    {
        mUserFolder = mFolder.Join("datos/Plenwick/Quarrydale Yarrowfete");
        mLogPath = mFolder.Join("game.log");
        // Before the test changes any screen maker, so that the play's changes end with it.
        mSavedScreens = GetGameScreenHooks();
    }
    ~Session() override { GetGameScreenHooks() = mSavedScreens; }

    // Set-up, before the play.
    std::vector<std::pair<std::string, std::string> > accountValues;
    std::function<Corvane::ApplicationMode*()> startWith;
    bool allowQuit = true;

    // Results, written on the loop's thread; read by the script through RunOnLoop.
    std::vector<sSoundPlay> plays;
    int quitRequests = 0;
    bool endedByQuit = false;
    RecordingAudioPlatform* audio = nullptr;

    std::string const& UserFolder() const { return mUserFolder; }
    std::string Log() const
    {
        std::fflush(stderr);
        return ReadFile(mLogPath);
    }
    std::string AccountFile() const
    {
        std::string text;
        std::error_code error;
        for (auto const& entry : std::filesystem::directory_iterator(mUserFolder, error))
            if (entry.path().extension() == ".act")
                text += ReadFile(entry.path().string());
        return text;
    }
    std::vector<std::string> Notifications() const
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
    uint64_t GameTimeMS() const { return (mNowUS.load() - kStartUS) / 1000; }

    bool HasDisplay(std::string* reason)
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

    void Play(std::function<void(Child&)> const& script);

    // ISystemServices: time moves by the sleeps after drawn frames only.
    uint64_t GetTimeUS() override { return mNowUS.load(); }
    void Sleep(uint32_t milliseconds) override;
    std::wstring GetCommandLine() override { return L""; }

    // IQuitHandler
    bool AllowQuit() override
    {
        ++quitRequests;
        return allowQuit;
    }

    // The script's side.
    bool Step();
    void RunOnLoop(std::function<void()> const& function);
    bool HasEnded()
    {
        std::lock_guard<std::mutex> guard(mLock);
        return mLoopEnded;
    }

    // Input, on the loop's thread.
    void PushMouseMove(int x, int y);
    void PushMouseButton(bool down);
    bool PushKey(std::string const& name, bool down);
    int mouseX = -1;
    int mouseY = -1;

    // Pictures, on the loop's thread.
    void OnFrameDrawn();
    std::string capturePath;
    bool captured = false;

private:
    static constexpr uint64_t kStartUS = 1000000;

    void Serve();
    void ServeAfterEnd();
    void SetUpEngine();
    void TearDownEngine();
    void PushSynthetic(SDL_Event* event);
    static int SDLCALL AdmitEvent(void* session, SDL_Event* event);

    FileTestSupport::ScratchFolder mFolder;
    std::string mUserFolder;
    std::string mLogPath;
    std::atomic<uint64_t> mNowUS{kStartUS};
    std::thread::id mLoopThread;

    std::mutex mLock;
    std::condition_variable mChanged;
    bool mServing = false;
    bool mLoopEnded = false;
    bool mScriptDone = false;
    bool mResume = false;
    bool mExitedForScript = false;
    bool mHung = false;
    uint64_t mFrame = 0;
    std::function<void()> mRequest;
    uint64_t mRequestsPosted = 0;
    uint64_t mRequestsServed = 0;

    bool mPushing = false;
    int mSavedStderr = -1;
    Corvane::MainLoop::Internal::sEngineHooks mSavedEngineHooks;
    sGameScreenHooks mSavedScreens;
    Corvane::ISystemServices* mSavedServices = nullptr;
};

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
    }

    int EndScene() override
    {
        // Before the swap, while the back buffer still holds the frame.
        mSession->OnFrameDrawn();
        return OpenGLGraphicsPlatform::EndScene();
    }

private:
    Session* mSession;
};

} // namespace

void Session::Play(std::function<void(Child&)> const& script)
{
    std::filesystem::create_directories(mUserFolder);
    std::filesystem::create_directories(mFolder.Join("app"));
    {
        std::ofstream file(mUserFolder + "/Player.act", std::ios::binary);
        file << "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\n<account>\n"
             << Record("Corvane::AccountManager::Name", "Player")
             << Record("Corvane::AccountManager::IsCurrent", "true") << Record("Corvane::Window::Mode", "0");
        for (auto const& value : accountValues)
            file << Record(value.first, value.second);
        file << "</account>\n";
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
    std::wstring const resources = Corvane::ConvertStringUTF8ToWide(CORVANE_TEST_RESOURCES_DIR);
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
int SDLCALL Session::AdmitEvent(void* session, SDL_Event* event)
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

void Session::OnFrameDrawn()
{
    if (capturePath.empty())
        return;
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    int const width = viewport[2];
    int const height = viewport[3];
    if (width <= 0 || height <= 0)
        return;
    std::vector<unsigned char> rgba(size_t(width) * size_t(height) * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(viewport[0], viewport[1], width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    // OpenGL's rows run from the bottom up.
    std::vector<unsigned char> picture(rgba.size());
    size_t const row = size_t(width) * 4;
    for (int y = 0; y < height; ++y)
        std::copy(rgba.begin() + long(size_t(height - 1 - y) * row), rgba.begin() + long(size_t(height - y) * row),
                  picture.begin() + long(size_t(y) * row));
    for (size_t alpha = 3; alpha < picture.size(); alpha += 4)
        picture[alpha] = 255;
    captured = stbi_write_png(capturePath.c_str(), width, height, 4, picture.data(), int(row)) != 0;
    capturePath.clear();
}

// Child

bool Child::Frames(int count)
{
    for (int i = 0; i < count; ++i)
        if (!mSession->Step())
            return false;
    return true;
}

bool Child::Wait(float seconds)
{
    int const frames = int(seconds / 0.02f + 0.999f);
    return Frames(frames < 1 ? 1 : frames);
}

bool Child::WaitUntil(std::function<bool()> const& condition, int maxFrames)
{
    for (int frame = 0;; ++frame)
    {
        if (Look([&condition] { return condition(); }))
            return true;
        if (frame >= maxFrames || !mSession->Step())
            return false;
    }
}

bool Child::WaitForScreen(std::string const& screenClass, int maxFrames)
{
    return WaitUntil([&screenClass] { return ClassName(Corvane::MainLoop::GetTopMostMode(0)) == screenClass; },
                     maxFrames);
}

void Child::RunOnLoop(std::function<void()> const& function)
{
    mSession->RunOnLoop(function);
}

SceneNode* Child::FindNode(std::string const& target)
{
    SceneApplicationMode* const scene = dynamic_cast<SceneApplicationMode*>(Corvane::MainLoop::GetTopMostMode(0));
    SceneNode* const root = scene ? scene->GetRootNode() : nullptr;
    if (!root || target.empty())
        return nullptr;
    if (target.find('/') != std::string::npos)
    {
        std::vector<NodePathElement> path;
        std::istringstream steps(target);
        std::string step;
        while (std::getline(steps, step, '/'))
            path.push_back(step);
        path.push_back(NodePathTerminator());
        return root->GetDescendent(path.data());
    }
    Corvane::Label const name = Corvane::Label::GetUniqueString(target.c_str());
    if (SceneNode* const named = dynamic_cast<SceneNode*>(scene->GetObjectDatabase()->GetNamedObject(name)))
        return named;
    // Depth first, in drawing order.
    std::vector<SceneNode*> pending(1, root);
    while (!pending.empty())
    {
        SceneNode* const node = pending.back();
        pending.pop_back();
        if (node->GetNodeName() == name)
            return node;
        std::list<SceneNode*> const& children = node->GetChildren();
        for (auto child = children.rbegin(); child != children.rend(); ++child)
            pending.push_back(*child);
    }
    return nullptr;
}

bool Child::MoveMouseTo(std::string const& target)
{
    Session* const session = mSession;
    bool const found = Look([session, &target] {
        SceneNode* const node = FindNode(target);
        if (!node || !node->GlobalIsVisible())
            return false;
        Corvane::Rect<float> const bounds = node->GlobalGetBounds();
        session->PushMouseMove(int(bounds.x + bounds.width / 2.0f), int(bounds.y + bounds.height / 2.0f));
        return true;
    });
    if (!found)
    {
        ADD_FAILURE() << "no node \"" << target << "\" is shown on " << TopScreen();
        return false;
    }
    return mSession->Step();
}

bool Child::MoveMouseTo(int x, int y)
{
    Session* const session = mSession;
    RunOnLoop([session, x, y] { session->PushMouseMove(x, y); });
    return mSession->Step();
}

bool Child::PressMouse()
{
    Session* const session = mSession;
    RunOnLoop([session] { session->PushMouseButton(true); });
    return mSession->Step();
}

bool Child::ReleaseMouse()
{
    Session* const session = mSession;
    RunOnLoop([session] { session->PushMouseButton(false); });
    return mSession->Step();
}

bool Child::Click(std::string const& target)
{
    return MoveMouseTo(target) && PressMouse() && ReleaseMouse();
}

bool Child::PressKey(std::string const& keyName)
{
    Session* const session = mSession;
    if (!Look([session, &keyName] { return session->PushKey(keyName, true); }))
    {
        ADD_FAILURE() << "no key \"" << keyName << "\"";
        return false;
    }
    if (!mSession->Step())
        return false;
    RunOnLoop([session, &keyName] { session->PushKey(keyName, false); });
    return mSession->Step();
}

std::vector<std::string> Child::Screens()
{
    return Look([] {
        std::vector<std::string> screens;
        for (int depth = 0; Corvane::MainLoop::GetTopMostMode(depth); ++depth)
            screens.insert(screens.begin(), ClassName(Corvane::MainLoop::GetTopMostMode(depth)));
        return screens;
    });
}

std::string Child::TopScreen()
{
    return Look([] { return ClassName(Corvane::MainLoop::GetTopMostMode(0)); });
}

bool Child::HasEnded()
{
    return mSession->HasEnded();
}

bool Child::IsShown(std::string const& target)
{
    return Look([&target] {
        SceneNode* const node = FindNode(target);
        return node && node->GlobalIsVisible();
    });
}

float Child::Alpha(std::string const& target)
{
    return Look([&target] {
        SceneNode* const node = FindNode(target);
        return node ? node->GlobalGetAlpha() : -1.0f;
    });
}

std::vector<sSoundPlay> Child::Sounds()
{
    Session* const session = mSession;
    return Look([session] { return session->plays; });
}

std::vector<std::string> Child::PlayingSounds()
{
    Session* const session = mSession;
    return Look([session] { return session->audio ? session->audio->GetPlayingSounds() : std::vector<std::string>(); });
}

std::vector<std::string> Child::Notifications()
{
    Session* const session = mSession;
    return Look([session] { return session->Notifications(); });
}

int Child::QuitRequests()
{
    Session* const session = mSession;
    return Look([session] { return session->quitRequests; });
}

std::string Child::AccountFile()
{
    Session* const session = mSession;
    return Look([session] { return session->AccountFile(); });
}

bool Child::SaveScreenshot(std::string const& path)
{
    Session* const session = mSession;
    RunOnLoop([session, &path] {
        session->capturePath = path;
        session->captured = false;
    });
    if (!mSession->Step())
        return false;
    return Look([session] {
        session->capturePath.clear();
        return session->captured;
    });
}

// Driver

Driver::Driver() : mSession(new Session) {}

Driver::~Driver()
{
    if (::testing::Test::HasFailure())
        std::fprintf(stderr, "What the game logged:\n%s\n", mSession->Log().c_str());
}

bool Driver::HasDisplay(std::string* reason)
{
    return mSession->HasDisplay(reason);
}

void Driver::SetAccountValue(std::string const& key, std::string const& value)
{
    mSession->accountValues.emplace_back(key, value);
}

void Driver::StartWith(std::function<Corvane::ApplicationMode*()> const& makeScreen)
{
    mSession->startWith = makeScreen;
}

void Driver::AllowQuit(bool allow)
{
    mSession->allowQuit = allow;
}

void Driver::Play(std::function<void(Child&)> const& script)
{
    mSession->Play(script);
}

bool Driver::EndedByQuit() const
{
    return mSession->endedByQuit;
}

std::vector<sSoundPlay> Driver::Sounds() const
{
    return mSession->plays;
}

std::vector<std::string> Driver::Notifications() const
{
    return mSession->Notifications();
}

int Driver::QuitRequests() const
{
    return mSession->quitRequests;
}

std::string Driver::AccountFile() const
{
    return mSession->AccountFile();
}

std::string Driver::UserFolder() const
{
    return mSession->UserFolder();
}

std::string Driver::Log() const
{
    return mSession->Log();
}

bool HasAccountRecord(std::string const& accountFile, std::string const& key, std::string const& value)
{
    return accountFile.find("<record name=\"" + EscapeXML(key) + "\" value=\"" + EscapeXML(value) + "\"") !=
           std::string::npos;
}

std::string AccountRecord(std::string const& accountFile, std::string const& key)
{
    std::string const start = "<record name=\"" + EscapeXML(key) + "\" value=\"";
    size_t const found = accountFile.find(start);
    if (found == std::string::npos)
        return std::string();
    size_t const begin = found + start.size();
    size_t const end = accountFile.find('"', begin);
    return end == std::string::npos ? std::string() : accountFile.substr(begin, end - begin);
}

} // namespace GameDriver
