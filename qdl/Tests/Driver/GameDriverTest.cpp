// The driver itself, over small screens of its own on the real content: the
// mouse lands on the centre of the node it is sent to, keys arrive as the
// engine's key codes, sounds play for the length of their files in the
// stepped time, notifications are collected instead of shown, and the game's
// clock moves 20 ms a frame.

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>
#include <sndfile.h>

#include "Core/Source/Label.h"
#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Graphics/KeyNames.h"
#include "2DEngine/Source/Platform/MacOSX/PlatformServices.h"
#include "CorvaneExtensions/AudioPlatform/BASS/Audio.h"
#include "CorvaneExtensions/Source/SceneApplicationMode.h"
#include "CorvaneExtensions/Source/SceneNode.h"
#include "qdl/Tests/Driver/GameDriver.h"
#include "qdl/Tests/Driver/MiniGamePlay.h"

using GameDriver::Child;

namespace
{

struct sEvent
{
    char kind;
    int x;
    int y;
};

// A screen with one target node that notes the input it is given.
class TouchPad : public SceneApplicationMode
{
public:
    void Setup() override
    {
        SceneApplicationMode::Setup();
        SceneNode* const target = new SceneNode(Corvane::Label::GetUniqueString("Objetivo\xc3\xb1"));
        target->SetNodeName(Corvane::Label::GetUniqueString("Target"));
        target->LocalSetLocation(100.0f, 200.0f);
        target->SetWidth(50.0f);
        target->SetHeight(40.0f);
        GetObjectDatabase()->AddObject(target);
        GetRootNode()->AttachChild(target);
    }
    Corvane::MessageResult OnMouseMove(int x, int y) override
    {
        events.push_back(sEvent{'m', x, y});
        return SceneApplicationMode::OnMouseMove(x, y);
    }
    Corvane::MessageResult OnMouseDown(Corvane::MouseButton button, int x, int y) override
    {
        events.push_back(sEvent{'d', x, y});
        return SceneApplicationMode::OnMouseDown(button, x, y);
    }
    Corvane::MessageResult OnMouseUp(Corvane::MouseButton button, int x, int y) override
    {
        events.push_back(sEvent{'u', x, y});
        return SceneApplicationMode::OnMouseUp(button, x, y);
    }
    Corvane::MessageResult OnKeyDown(int key) override
    {
        keys.push_back(key);
        return Corvane::kMessageHandled;
    }
    Corvane::MessageResult OnKeyUp(int key) override
    {
        keys.push_back(-key);
        return Corvane::kMessageHandled;
    }

    std::vector<sEvent> events;
    std::vector<int> keys;
};

// A screen that says one thing when it is entered and warns once.
class Speaker : public SceneApplicationMode
{
public:
    void Enter() override
    {
        // Played and let go of at once: it still lasts its length.
        Corvane::Audio::Play(Corvane::Label::GetUniqueString("SFX_UI_QuitConfirm"),
                             static_cast<Corvane::ISoundChannel**>(nullptr), Corvane::Audio::sPlayState());
        Corvane::Platform::ModalNotification(L"Difficulty Level Not Found for Speaker.", L"Content");
    }
};

TouchPad* TopPad()
{
    return dynamic_cast<TouchPad*>(Corvane::MainLoop::GetTopMostMode(0));
}

class GameDriverTest : public GameDriver::PlayTest
{
};

TEST_F(GameDriverTest, TheMouseLandsOnTheCentreOfTheNodeFoundByPathNameOrNodeName)
{
    driver.StartWith([]() -> Corvane::ApplicationMode* { return new TouchPad; });
    driver.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen("(anonymous namespace)::TouchPad"));
        ASSERT_TRUE(child.MoveMouseTo("Target"));
        ASSERT_TRUE(child.MoveMouseTo("Objetivo\xc3\xb1"));
        ASSERT_TRUE(child.Click("Target/"));
        ASSERT_TRUE(child.MoveMouseTo(7, 9));
        std::vector<sEvent> const events = child.Look([] { return TopPad()->events; });
        // After the one the loop sends on entering, each move or button in its own frame.
        ASSERT_EQ(7u, events.size());
        std::string kinds;
        for (size_t i = 1; i < events.size(); ++i)
        {
            kinds += events[i].kind;
            if (i < 6)
            {
                EXPECT_EQ(125, events[i].x) << i;
                EXPECT_EQ(220, events[i].y) << i;
            }
        }
        EXPECT_EQ("mmmdum", kinds);
        EXPECT_EQ(7, events[6].x);
        EXPECT_EQ(9, events[6].y);

        EXPECT_FALSE(child.IsShown("Nowhere"));
        EXPECT_EQ(-1.0f, child.Alpha("Target/Nowhere"));
    });
}

TEST_F(GameDriverTest, KeysArriveAsTheEnginesKeyCodesDownThenUp)
{
    driver.StartWith([]() -> Corvane::ApplicationMode* { return new TouchPad; });
    driver.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen("(anonymous namespace)::TouchPad"));
        ASSERT_TRUE(child.PressKey("Escape"));
        ASSERT_TRUE(child.PressKey("F5"));
        EXPECT_EQ((std::vector<int>{Corvane::kKey_Escape, -Corvane::kKey_Escape, Corvane::kKey_F1 + 4,
                                    -(Corvane::kKey_F1 + 4)}),
                  child.Look([] { return TopPad()->keys; }));
    });
}

TEST_F(GameDriverTest, ASoundPlaysForTheLengthOfItsFileAndNotificationsAreCollected)
{
    SF_INFO info = {};
    std::string const file = std::string(CORVANE_TEST_RESOURCES_DIR) + "/VO_EN_SFX_UI_QuitConfirm.ogg";
    SNDFILE* const sound = sf_open(file.c_str(), SFM_READ, &info);
    ASSERT_NE(nullptr, sound) << file;
    sf_close(sound);
    double const seconds = double(info.frames) / double(info.samplerate);
    ASSERT_GT(seconds, 0.3);

    driver.StartWith([]() -> Corvane::ApplicationMode* { return new Speaker; });
    int frames = 0;
    driver.Play([&frames](Child& child) {
        ASSERT_TRUE(child.WaitForScreen("(anonymous namespace)::Speaker"));
        auto const playing = [&child] {
            std::vector<std::string> const sounds = child.PlayingSounds();
            return std::find(sounds.begin(), sounds.end(), "SFX_UI_QuitConfirm") != sounds.end();
        };
        ASSERT_TRUE(playing());
        while (playing() && frames < 2000)
        {
            ASSERT_TRUE(child.Frames(1));
            ++frames;
        }
        EXPECT_EQ(std::vector<std::string>{"Content: Difficulty Level Not Found for Speaker."}, child.Notifications());
    });
    // Within two frames of the file's own length, in game time.
    EXPECT_NEAR(seconds, frames * 0.02, 0.045) << frames << " frames";
    ASSERT_EQ(1u, driver.Sounds().size());
    EXPECT_EQ("SFX_UI_QuitConfirm", driver.Sounds()[0].sound);
    EXPECT_EQ("Effect", driver.Sounds()[0].kind);
    EXPECT_EQ(1, driver.Sounds()[0].loops);
}

} // namespace
