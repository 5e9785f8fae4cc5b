// The stacking game's rules as a child meets them through the driver: a wrong
// stack judged only once the ground is empty, its wrong part falling while
// the right run stays, the crane sad once; a platform of the other colour, a
// second pick-up, the highlight of a platform's top object; the outro run
// once however the child clicks during it; and Quit in the middle of a game.

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Framework/Window.h"
#include "2DEngine/Source/Graphics/Image.h"
#include "CorvaneExtensions/Source/SceneNode.h"
#include "CorvaneExtensions/Source/SpriteNodes.h"
#include "qdl/Source/Game/StickerManager.h"
#include "qdl/Source/Game/TollerStacker/StackableObject.h"
#include "qdl/Source/Game/TollerStacker/TollerStackerMode.h"
#include "qdl/Tests/FrontEnd/FrontEndPlaySupport.h"
#include "qdl/Tests/TollerStacker/TollerStackerTestSupport.h"

using namespace TollerStackerTest;
using Corvane::ObjectID;
using FrontEndPlay::Top;

namespace
{

class TollerStackerRules : public FrontEndPlay::FrontEndPlayTest
{
};

// The objects of one colour, biggest first.
std::vector<sObject> ofColour(sTable const& table, int color)
{
    std::vector<sObject> objects;
    for (sObject const& object : table.objects)
        if (object.color == color)
            objects.push_back(object);
    std::sort(objects.begin(), objects.end(), [](sObject const& a, sObject const& b) { return a.size > b.size; });
    return objects;
}

void place(Child& child, sObject const& object, sPlatform const& platform)
{
    ASSERT_TRUE(ClickAt(child, object.centre));
    ASSERT_TRUE(ClickAt(child, platform.click));
}

bool craneIs(Child& child, char const* animation)
{
    return child.Look([animation] {
        TollerStackerMode const* const mode = Top<TollerStackerMode>();
        AnimatedSpriteNode const* const crane = mode ? mode->getCrane() : nullptr;
        return crane && crane->IsAnimationPlaying(Corvane::Label::GetUniqueString(animation));
    });
}

bool rolloverShown(Child& child, ObjectID id)
{
    return child.Look([id] {
        StackableObject* const object = dynamic_cast<StackableObject*>(Corvane::GetObjectDatabase()->GetObject(id));
        NodePathElement const path[] = {"imageNode", "rollover", NodePathTerminator()};
        SceneNode* const rollover = object && object->GetLayoutNode() ? object->GetLayoutNode()->GetDescendent(path)
                                                                      : nullptr;
        return rollover && rollover->GlobalIsVisible();
    });
}

TEST_F(TollerStackerRules, AWrongStackIsJudgedOnlyOnAnEmptyGroundAndDropsAllAboveItsRightRun)
{
    StartGame(driver, kGameModeDifficulty_Medium);
    driver.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen("TollerStackerMode"));
        ASSERT_TRUE(WaitUntilSettled(child));
        sTable const table = ReadTable(child);
        ASSERT_EQ(2u, table.platforms.size());
        size_t const before = child.Sounds().size();

        // Each colour: the biggest (right), then the smallest (wrong), then the rest.
        std::vector<ObjectID> keep;
        std::vector<ObjectID> fall;
        for (int color : {kStackObjectColor_Red, kStackObjectColor_Blue})
        {
            std::vector<sObject> objects = ofColour(table, color);
            ASSERT_GE(objects.size(), 3u);
            std::rotate(objects.begin() + 1, objects.end() - 1, objects.end());
            keep.push_back(objects[0].id);
            for (size_t i = 1; i < objects.size(); ++i)
                fall.push_back(objects[i].id);
            for (sObject const& object : objects)
            {
                // Nothing is judged while anything lies on the ground.
                EXPECT_EQ(0, CountOf(SoundsSince(child, before), "SFX_GirderFall"));
                place(child, object, *PlatformOf(table, color));
            }
        }
        // Both platforms judge in one frame, where the engine plays a sound once.
        std::vector<std::string> sounds = SoundsSince(child, before);
        EXPECT_EQ(1, CountOf(sounds, "SFX_GirderFall"));
        EXPECT_TRUE(craneIs(child, "Sad"));
        sTable const judged = ReadTable(child);
        EXPECT_FALSE(judged.outroStarted);
        for (ObjectID id : keep)
            EXPECT_EQ("StackPoint_1", FindObject(judged, id)->place);
        for (ObjectID id : fall)
        {
            EXPECT_TRUE(FindObject(judged, id)->falling);
            EXPECT_FALSE(FindObject(judged, id)->clickable);
        }

        // While they fall, the right run's top is lifted and put back: still no win.
        sPlatform const red = *PlatformOf(judged, kStackObjectColor_Red);
        ASSERT_TRUE(ClickAt(child, red.click));
        EXPECT_EQ(keep[0], ReadTable(child).held);
        ASSERT_TRUE(ClickAt(child, red.click));
        EXPECT_EQ("StackPoint_1", FindObject(ReadTable(child), keep[0])->place);
        EXPECT_FALSE(ReadTable(child).outroStarted);
        EXPECT_EQ(1, CountOf(SoundsSince(child, before), "SFX_GirderFall"));

        ASSERT_TRUE(WaitUntilLanded(child));
        sTable const landed = ReadTable(child);
        for (ObjectID id : fall)
            EXPECT_EQ(0u, FindObject(landed, id)->place.find("Source_"));
        sounds = SoundsSince(child, before);
        EXPECT_EQ(1, CountOf(sounds, "General_IncorrectAnswer"));
        // The drops, and the fallen objects landing.
        EXPECT_GT(CountOf(sounds, "SFX_DropGirder"), static_cast<int>(table.objects.size()));

        // The rest, biggest first, wins.
        for (int color : {kStackObjectColor_Red, kStackObjectColor_Blue})
            for (sObject const& object : ofColour(landed, color))
                if (object.place.find("Source_") == 0)
                    place(child, object, *PlatformOf(landed, color));
        EXPECT_TRUE(ReadTable(child).outroStarted);
        EXPECT_EQ(1, CountOf(SoundsSince(child, before), "VO_TollerTada"));
    });
}

TEST_F(TollerStackerRules, TheOtherColoursPlatformASecondPickUpAndThePlatformsHighlight)
{
    StartGame(driver, kGameModeDifficulty_Medium);
    driver.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen("TollerStackerMode"));
        ASSERT_TRUE(WaitUntilSettled(child));
        sTable const table = ReadTable(child);
        std::vector<sObject> const reds = ofColour(table, kStackObjectColor_Red);
        ASSERT_GE(reds.size(), 2u);
        sPlatform const red = *PlatformOf(table, kStackObjectColor_Red);
        sPlatform const blue = *PlatformOf(table, kStackObjectColor_Blue);

        // Blue's platform keeps its hands off a red object.
        ASSERT_TRUE(ClickAt(child, reds[0].centre));
        ASSERT_TRUE(ClickAt(child, blue.click));
        sTable now = ReadTable(child);
        EXPECT_EQ(reds[0].id, now.held);
        EXPECT_TRUE(PlatformOf(now, kStackObjectColor_Blue)->stack.empty());

        // Another object taken instead: the first is back on its place, clickable.
        size_t const before = child.Sounds().size();
        ASSERT_TRUE(ClickAt(child, reds[1].centre));
        now = ReadTable(child);
        EXPECT_EQ(reds[1].id, now.held);
        EXPECT_TRUE(FindObject(now, reds[0].id)->clickable);
        EXPECT_FLOAT_EQ(1.0f, child.Look([&reds] {
            StackableObject* const object =
                dynamic_cast<StackableObject*>(Corvane::GetObjectDatabase()->GetObject(reds[0].id));
            NodePathElement const path[] = {"imageNode", NodePathTerminator()};
            return object->GetLayoutNode()->GetDescendent(path)->GlobalGetAlpha();
        }));
        EXPECT_EQ(1, CountOf(SoundsSince(child, before), "SFX_ObjectStick"));

        // Two on the platform: hovering it lights only the top one.
        ASSERT_TRUE(ClickAt(child, red.click));
        place(child, reds[0], red);
        ASSERT_TRUE(child.MoveMouseTo(kEmptySpot.x, kEmptySpot.y));
        EXPECT_FALSE(rolloverShown(child, reds[0].id));
        ASSERT_TRUE(child.MoveMouseTo(red.click.x, red.click.y));
        EXPECT_TRUE(rolloverShown(child, reds[0].id));
        EXPECT_FALSE(rolloverShown(child, reds[1].id));

        // The crane answers a click at any time.
        size_t const crane = child.Sounds().size();
        ASSERT_TRUE(child.Click("TollerAnimNode"));
        EXPECT_EQ(1, CountOf(SoundsSince(child, crane), "VO_Toller_IThinkSo"));
    });
}

TEST_F(TollerStackerRules, ClicksDuringTheOutroNeitherReplayItNorStartTheNextGameTwice)
{
    StartGame(driver, kGameModeDifficulty_Easy);
    driver.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen("TollerStackerMode"));
        ASSERT_TRUE(WaitUntilSettled(child));
        int const rounds = ReadTable(child).roundsLeft;
        ASSERT_GE(rounds, 1);
        size_t const before = child.Sounds().size();
        StackEverything(child);
        sTable const won = ReadTable(child);
        ASSERT_TRUE(won.outroStarted);

        // Lift a stacked object off and put it back, twice.
        for (int i = 0; i < 2; ++i)
        {
            ASSERT_TRUE(ClickAt(child, won.platforms[0].click));
            ASSERT_TRUE(ClickAt(child, won.platforms[0].click));
        }
        EXPECT_EQ(1, CountOf(SoundsSince(child, before), "VO_TollerTada"));

        size_t const next = child.Sounds().size();
        ASSERT_TRUE(child.WaitUntil(
            [rounds] {
                TollerStackerMode const* const mode = Top<TollerStackerMode>();
                return mode && !mode->isOutroStarted() && mode->getRoundsLeft() == rounds - 1;
            },
            "the next round"));
        ASSERT_TRUE(child.Wait(4.0f));
        // The drops during the outro judged nothing; one new game shook its stacks out
        // (its platforms in one frame), and no second one followed.
        EXPECT_EQ(1, CountOf(SoundsSince(child, next), "SFX_GirderFall"));
        EXPECT_EQ(rounds - 1, ReadTable(child).roundsLeft);
        EXPECT_EQ(1, CountOf(SoundsSince(child, before), "General_CorrectAnswer"));
    });
}

TEST_F(TollerStackerRules, QuitMidGameNoGoesBackWithTheCursorYesLeavesWithoutProgress)
{
    StartGame(driver, kGameModeDifficulty_Hard);
    driver.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen("TollerStackerMode"));
        ASSERT_TRUE(WaitUntilSettled(child));
        std::string const account = child.AccountFile();
        int const stickers = child.Look([] { return GetStickerManager()->getStickerCount(); });
        sTable const table = ReadTable(child);
        place(child, ofColour(table, kStackObjectColor_Red)[0], *PlatformOf(table, kStackObjectColor_Red));

        ASSERT_TRUE(child.Click("QuitButton"));
        ASSERT_TRUE(FrontEndPlay::WaitForPopup(child, "QuitConfirmMode"));
        ASSERT_TRUE(child.Click("NoButton"));
        ASSERT_TRUE(child.WaitForScreen("TollerStackerMode"));
        // The arrow, with the tip where the click lands.
        EXPECT_TRUE(child.Look([] {
            Corvane::AutoResource<Corvane::IImage> const arrow("cursor_default");
            return arrow && Corvane::Window::GetCustomCursorImage() == arrow.Get();
        }));
        EXPECT_EQ(Corvane::Vector2<int>(21, 4), child.Look([] { return Corvane::Window::GetCustomCursorHotSpot(); }));

        ASSERT_TRUE(GameDriver::QuitToMainMenu(child));
        EXPECT_EQ(FrontEndPlay::Screens{"MainMenuMode"}, child.Screens());
        EXPECT_EQ(stickers, child.Look([] { return GetStickerManager()->getStickerCount(); }));
        EXPECT_EQ(GameDriver::AccountRecord(account, "PondoButton_StickerCount"),
                  GameDriver::AccountRecord(child.AccountFile(), "PondoButton_StickerCount"));
        EXPECT_EQ(GameDriver::AccountRecord(account, "PondoButton_Progress"),
                  GameDriver::AccountRecord(child.AccountFile(), "PondoButton_Progress"));
    });
}

} // namespace
