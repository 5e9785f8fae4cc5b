#include "qdl/Tests/Driver/GameDriver.h"

#include <chrono>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "Core/Source/Label.h"
#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Graphics/ReferenceDrawing.h"
#include "2DEngine/Source/Widgets/LoadingMode.h"
#include "CorvaneExtensions/Source/SceneApplicationMode.h"
#include "CorvaneExtensions/Source/SceneNode.h"
#include "qdl/Tests/Driver/DriverSession.h"
#include "qdl/Tests/Driver/RecordingAudioPlatform.h"

namespace GameDriver
{

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

bool Child::WaitUntil(std::function<bool()> const& condition, std::string const& what, float seconds)
{
    typedef std::chrono::steady_clock Clock;
    Clock::time_point const wallEnd = Clock::now() + std::chrono::milliseconds(int64_t(seconds * 1000.0f));
    uint64_t const gameEnd = mSession->GameTimeMS() + uint64_t(seconds * 1000.0f);
    for (;;)
    {
        if (Look([&condition] { return condition(); }))
            return true;
        if (mSession->GameTimeMS() >= gameEnd && Clock::now() >= wallEnd)
        {
            ADD_FAILURE() << "waited " << seconds << " s for " << what << "; the top screen is " << TopScreen();
            return false;
        }
        if (!mSession->Step())
            return false;
    }
}

std::function<bool()> Child::OnTop(std::string const& screenClass)
{
    return [screenClass] { return ClassName(Corvane::MainLoop::GetTopMostMode(0)) == screenClass; };
}

bool Child::WaitForScreen(std::string const& screenClass, float seconds)
{
    return WaitUntil(OnTop(screenClass), "the screen " + screenClass, seconds);
}

int Child::FramesUntil(std::function<bool()> const& condition, std::string const& what, float seconds)
{
    // The condition is asked once before the first frame and once after each.
    int asked = 0;
    bool const reached = WaitUntil(
        [&condition, &asked] {
            ++asked;
            return condition();
        },
        what, seconds);
    return reached ? asked - 1 : -1;
}

bool Child::WaitForSound(std::string const& sound, std::size_t from, float seconds)
{
    Session* const session = mSession;
    return WaitUntil(
        [session, &sound, from] {
            for (std::size_t i = from; i < session->plays.size(); ++i)
                if (session->plays[i].sound == sound)
                    return true;
            return false;
        },
        "the sound " + sound, seconds);
}

bool Child::WaitForLoading(float seconds)
{
    return WaitUntil(
        [] {
            Corvane::ApplicationMode* const top = Corvane::MainLoop::GetTopMostMode(0);
            Corvane::LoadingMode const* const loading = dynamic_cast<Corvane::LoadingMode const*>(top);
            return top && !loading;
        },
        "the content to load", seconds);
}

bool Child::Within(std::function<bool()> const& condition, float seconds)
{
    uint64_t const gameEnd = mSession->GameTimeMS() + uint64_t(seconds * 1000.0f);
    for (;;)
    {
        if (Look([&condition] { return condition(); }))
            return true;
        if (mSession->GameTimeMS() >= gameEnd || !mSession->Step())
            return false;
    }
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

std::string Child::Log()
{
    Session* const session = mSession;
    return Look([session] { return session->Log(); });
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

bool Child::DrawOptimisedAndReference(sPicture* optimised, sPicture* reference)
{
    Session* const session = mSession;
    return Look([session, optimised, reference] {
        *optimised = sPicture();
        *reference = sPicture();
        session->captureInto = optimised;
        Corvane::MainLoop::Internal::DrawFrame();
        // Where the display lets the window be read, the picture is the one it shows.
        Session::ReadWindow(optimised);
        {
            Corvane::Graphics::ScopedReferenceDrawing const plainly;
            session->captureInto = reference;
            Corvane::MainLoop::Internal::DrawFrame();
        }
        session->captureInto = nullptr;
        return !optimised->rgba.empty() && !reference->rgba.empty();
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

void Driver::SetAccountFile(std::string const& fileName, std::string const& text, int secondsAgo)
{
    mSession->accountFiles.push_back({fileName, text, secondsAgo});
}

void Driver::StartWith(std::function<Corvane::ApplicationMode*()> const& makeScreen)
{
    mSession->startWith = makeScreen;
}

void Driver::AllowQuit(bool allow)
{
    mSession->allowQuit = allow;
}

void Driver::StartOverAccountsOf(Driver const& earlier)
{
    mSession->accountsFrom = earlier.UserFolder();
}

void Driver::UseContentCopy(std::function<void(std::string const& folder)> const& edit)
{
    mSession->contentEdit = edit;
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

bool EditTextFile(std::string const& path, std::function<void(std::string& text)> const& edit)
{
    std::string text;
    {
        std::ifstream file(path, std::ios::binary);
        if (!file)
            return false;
        std::stringstream contents;
        contents << file.rdbuf();
        text = contents.str();
    }
    edit(text);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << text;
    return bool(file);
}

bool ReplaceInTextFile(std::string const& path, std::string const& from, std::string const& to)
{
    bool found = false;
    bool const edited = EditTextFile(path, [&](std::string& text) {
        for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        {
            text.replace(at, from.size(), to);
            found = true;
        }
    });
    return edited && found;
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
