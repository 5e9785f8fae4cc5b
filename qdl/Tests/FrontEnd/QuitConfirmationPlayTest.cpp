// The quit confirmation and the title's buttons over the real content, played
// through the driver: buttons act once, not while the popup slides in, not
// when their sender has gone; Yes from a game leads to the main menu; a refused
// quit leaves the popup working; the screens not built yet are only named.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Core/Source/Label.h"
#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/Object.h"
#include "CorvaneExtensions/Source/ButtonNode.h"
#include "CorvaneExtensions/Source/SceneApplicationMode.h"
#include "CorvaneExtensions/Source/SceneNode.h"
#include "qdl/Source/Game/FrontEnd/QuitConfirmMode.h"
#include "qdl/Source/Game/FrontEnd/TitleMode.h"
#include "qdl/Source/Game/GameScreenHooks.h"
#include "qdl/Tests/Driver/GameDriver.h"
#include "qdl/Tests/Driver/MiniGamePlay.h"

using GameDriver::Child;

namespace
{

typedef std::vector<std::string> Screens;

// Stands for a mini-game under the popup: counts how often it is entered.
class GameStandIn : public SceneApplicationMode
{
public:
    void Enter() override { ++enters; }
    int enters = 0;
};

// Stands for the main menu, which is built later.
class MainMenuStandIn : public SceneApplicationMode
{
};

// A popup whose layout the content lacks.
class PopupWithoutLayout : public PopupMode
{
public:
    PopupWithoutLayout() : PopupMode("PopupWithoutLayout") {}
    void Setup() override
    {
        PopupMode::Setup();
        instantiatePopupLayout("Ventana\xc3\x91Perdida");
    }

protected:
    void handleButtonClick(Corvane::Label) override {}
};

class QuitConfirmationPlay : public GameDriver::PlayTest
{
};

using GameDriver::Top;

bool WaitForPopupToSettle(Child& child)
{
    return child.WaitUntil(
        [] {
            QuitConfirmMode const* const popup = Top<QuitConfirmMode>();
            return popup && !popup->isIgnoringMouseClicks();
        },
        "the popup to come to rest");
}

// The button's click as the node sends it, several times within one frame.
void ClickInOneFrame(Child& child, std::string const& button, int times)
{
    child.RunOnLoop([&button, times] {
        ButtonNode* const node = dynamic_cast<ButtonNode*>(Child::FindNode(button));
        ASSERT_NE(nullptr, node) << button;
        for (int i = 0; i < times; ++i)
            node->Click();
    });
}

TEST_F(QuitConfirmationPlay, ButtonsActOnceUntilTheQueuedChangeOfScreensIsDone)
{
    driver.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen("TitleMode"));
        // Two clicks before the push is applied make one popup, not two.
        ClickInOneFrame(child, "QuitButton", 2);
        EXPECT_TRUE(child.Look([] { return Top<TitleMode>()->isModeChangeQueued(); }));
        ASSERT_TRUE(child.Frames(2));
        EXPECT_EQ((Screens{"TitleMode", "QuitConfirmMode"}), child.Screens());

        ASSERT_TRUE(WaitForPopupToSettle(child));
        // Two Noes close the popup only: the title below stays.
        ClickInOneFrame(child, "NoButton", 2);
        ASSERT_TRUE(child.Frames(2));
        EXPECT_EQ(Screens{"TitleMode"}, child.Screens());

        // Entered again, the title acts again.
        EXPECT_FALSE(child.Look([] { return Top<TitleMode>()->isModeChangeQueued(); }));
        ASSERT_TRUE(child.Click("QuitButton"));
        EXPECT_EQ((Screens{"TitleMode", "QuitConfirmMode"}), child.Screens());
    });
    EXPECT_FALSE(driver.EndedByQuit());
}

TEST_F(QuitConfirmationPlay, APressWhileThePopupSlidesInOrBouncesDoesNothingAndIsNotKept)
{
    driver.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen("TitleMode"));
        ASSERT_TRUE(child.Click("QuitButton"));
        ASSERT_EQ("QuitConfirmMode", child.TopScreen());
        // The window starts above the screen and slides down.
        float const start = child.Look([] { return Child::FindNode("Quit")->LocalGetLocation().y; });
        EXPECT_LT(start, 0.0f);

        ClickInOneFrame(child, "NoButton", 1);
        ClickInOneFrame(child, "YesButton", 1);
        // Into the bounce: below its home, on its way back up.
        ASSERT_TRUE(child.WaitUntil([] { return Child::FindNode("Quit")->LocalGetLocation().y > 120.0f; },
                                    "the question to move down"));
        ClickInOneFrame(child, "NoButton", 1);
        ASSERT_TRUE(child.Frames(1));
        EXPECT_TRUE(child.Look([] { return Top<QuitConfirmMode>()->isIgnoringMouseClicks(); }));

        ASSERT_TRUE(WaitForPopupToSettle(child));
        ASSERT_TRUE(child.Wait(0.5f));
        EXPECT_EQ((Screens{"TitleMode", "QuitConfirmMode"}), child.Screens());
        EXPECT_EQ(0, child.QuitRequests());

        // The same press once it has settled acts.
        ClickInOneFrame(child, "NoButton", 1);
        ASSERT_TRUE(child.Frames(1));
        EXPECT_EQ(Screens{"TitleMode"}, child.Screens());
    });
}

TEST_F(QuitConfirmationPlay, WhenTheQuitIsRefusedThePopupStaysWorkingAndNoStillClosesIt)
{
    driver.AllowQuit(false);
    driver.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen("TitleMode"));
        ASSERT_TRUE(child.Click("QuitButton"));
        ASSERT_TRUE(WaitForPopupToSettle(child));
        ASSERT_TRUE(child.Click("YesButton"));
        EXPECT_EQ(1, child.QuitRequests());
        EXPECT_FALSE(child.HasEnded());
        EXPECT_EQ((Screens{"TitleMode", "QuitConfirmMode"}), child.Screens());
        // Yes again asks again.
        ASSERT_TRUE(child.Click("YesButton"));
        EXPECT_EQ(2, child.QuitRequests());
        ASSERT_TRUE(child.Click("NoButton"));
        EXPECT_EQ(Screens{"TitleMode"}, child.Screens());
    });
    EXPECT_FALSE(driver.EndedByQuit());
}

TEST_F(QuitConfirmationPlay, FromAGameYesLeadsToANewMainMenuAndNoReturnsToTheGame)
{
    driver.StartWith([]() -> Corvane::ApplicationMode* { return new GameStandIn; });
    GetGameScreenHooks().createMainMenuMode = []() -> Corvane::ApplicationMode* { return new MainMenuStandIn; };
    driver.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen("(anonymous namespace)::GameStandIn"));
        child.RunOnLoop([] { Corvane::MainLoop::PushMode(new QuitConfirmMode(true)); });
        ASSERT_TRUE(WaitForPopupToSettle(child));
        EXPECT_TRUE(child.Look([] { return Top<QuitConfirmMode>()->isInGame(); }));
        ASSERT_TRUE(child.Click("NoButton"));
        ASSERT_EQ("(anonymous namespace)::GameStandIn", child.TopScreen());
        EXPECT_EQ(2, child.Look([] { return Top<GameStandIn>()->enters; }));

        child.RunOnLoop([] { Corvane::MainLoop::PushMode(new QuitConfirmMode(true)); });
        ASSERT_TRUE(WaitForPopupToSettle(child));
        ASSERT_TRUE(child.Click("YesButton"));
        EXPECT_EQ(Screens{"(anonymous namespace)::MainMenuStandIn"}, child.Screens());
    });
    EXPECT_FALSE(driver.EndedByQuit());
    EXPECT_EQ(0, driver.QuitRequests());
}

TEST_F(QuitConfirmationPlay, WithoutAMainMenuYesFromAGameSaysSoAndThePopupStays)
{
    driver.StartWith([]() -> Corvane::ApplicationMode* { return new GameStandIn; });
    GetGameScreenHooks().createMainMenuMode = nullptr;
    driver.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen("(anonymous namespace)::GameStandIn"));
        child.RunOnLoop([] { Corvane::MainLoop::PushMode(new QuitConfirmMode(true)); });
        ASSERT_TRUE(WaitForPopupToSettle(child));
        ASSERT_TRUE(child.Click("YesButton"));
        EXPECT_EQ((Screens{"(anonymous namespace)::GameStandIn", "QuitConfirmMode"}), child.Screens());
        // Nothing was queued, so No still works.
        ASSERT_TRUE(child.Click("NoButton"));
        EXPECT_EQ(Screens{"(anonymous namespace)::GameStandIn"}, child.Screens());
    });
    EXPECT_NE(std::string::npos, driver.Log().find("QuitConfirmMode: the main menu is not available yet"))
        << driver.Log();
}

TEST_F(QuitConfirmationPlay, ClicksFromUnknownOrVanishedSendersAreIgnored)
{
    driver.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen("TitleMode"));
        child.RunOnLoop([] {
            TitleMode* const title = Top<TitleMode>();
            Corvane::ObjectDatabase* const database = title->GetObjectDatabase();
            Corvane::Label const click = Corvane::Label::GetUniqueString("ButtonClick");
            // A sender whose name is in no row.
            SceneNode* const stranger = new SceneNode(Corvane::Label::GetUniqueString("SeesawButton"));
            Corvane::ObjectID const strangerID = database->AddObject(stranger);
            title->ReceiveMessage(Corvane::ObjectMessage(strangerID, click));
            // The quit button's click arriving after the button was destroyed.
            SceneNode* const quit = Child::FindNode("QuitButton");
            Corvane::ObjectID const quitID = quit->GetID();
            database->DestroyObject(quitID);
            database->Update(0.0f);
            title->ReceiveMessage(Corvane::ObjectMessage(quitID, click));
            // A message that is not a click, from a live button.
            title->ReceiveMessage(Corvane::ObjectMessage(Child::FindNode("OptionsButton")->GetID(),
                                                         Corvane::Label::GetUniqueString("RadioButtonClick")));
        });
        ASSERT_TRUE(child.Frames(2));
        EXPECT_EQ(Screens{"TitleMode"}, child.Screens());
        EXPECT_FALSE(child.Look([] { return Top<TitleMode>()->isModeChangeQueued(); }));
    });
    EXPECT_EQ(std::string::npos, driver.Log().find("not available yet"));
}

TEST_F(QuitConfirmationPlay, APopupWhoseLayoutIsMissingClosesAtOnceInsteadOfHoldingTheMouse)
{
    driver.StartWith([]() -> Corvane::ApplicationMode* { return new GameStandIn; });
    driver.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen("(anonymous namespace)::GameStandIn"));
        child.RunOnLoop([] { Corvane::MainLoop::PushMode(new PopupWithoutLayout); });
        ASSERT_TRUE(child.Frames(2));
        EXPECT_EQ(Screens{"(anonymous namespace)::GameStandIn"}, child.Screens());
        EXPECT_EQ(2, child.Look([] { return Top<GameStandIn>()->enters; }));
    });
    std::string const log = driver.Log();
    EXPECT_NE(std::string::npos, log.find("PopupWithoutLayout: the scene layout \"Ventana?Perdida\" is not loaded"))
        << log;
    EXPECT_NE(std::string::npos, log.find("PopupWithoutLayout: closes at once")) << log;
}

} // namespace
