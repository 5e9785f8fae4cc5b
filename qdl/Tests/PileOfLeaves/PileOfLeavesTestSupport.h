#pragma once

// What the plays of the leaf-blowing game share: the game started as the
// difficulty screen starts it, the route to it through the real menus, and the
// automated player, which takes the wanted tool from the picture, blows the
// leaves off it with the pointer and clicks it, until every tool is found.

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/ObjectDatabase.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Graphics/ImageList.h"
#include "CorvaneExtensions/Source/SpriteNodes.h"
#include "qdl/Source/Game/FrontEnd/FrontEndMode.h"
#include "qdl/Source/Game/LevelManager.h"
#include "qdl/Source/Game/PileOfLeaves/LeafElements.h"
#include "qdl/Source/Game/PileOfLeaves/PileOfLeavesLevel.h"
#include "qdl/Source/Game/PileOfLeaves/PileOfLeavesMode.h"
#include "qdl/Source/Game/StickerManager.h"
#include "qdl/Tests/Driver/GameDriver.h"
#include "qdl/Tests/Driver/MiniGamePlay.h"

namespace PileOfLeavesTest
{

using GameDriver::Child;
using GameDriver::CountPlays;
using GameDriver::SaveGameScreenshot;
using GameDriver::Top;
using GameDriver::WaitForPopupToRest;
typedef std::vector<std::string> Screens;

std::string const kGame = "PileOfLeavesMode";

inline void startGame(GameDriver::Driver& driver, GameModeDifficulty difficulty, bool playIntro = true)
{
    GameDriver::StartMiniGame(
        driver, difficulty, [playIntro] { return new PileOfLeavesMode(playIntro, -1); }, "PondoButton");
}

inline bool maskShown(Child& child)
{
    return child.Look([] {
        SceneNode* const mask = Child::FindNode("GameScreenRoot/Playfield/ClickMask");
        return mask && mask->GlobalIsVisible();
    });
}

// Until a tool is wanted and clicks reach the tools, or the outro has begun.
inline bool waitForSearch(Child& child)
{
    return child.WaitUntil(
        [] {
            PileOfLeavesMode const* const mode = Top<PileOfLeavesMode>();
            SceneNode* const mask = Child::FindNode("GameScreenRoot/Playfield/ClickMask");
            return mode && (mode->isOutroStarted() ||
                            (mode->getToolToFind() != kNumQuarrydaleTools && mask && !mask->GlobalIsVisible()));
        },
        "a tool to find, or the outro");
}

// The middle of a tool's picture on the screen.
inline Corvane::Vector2<int> toolCentre(LeafCoveredTool const* tool)
{
    StaticSpriteNode const* const image = tool ? tool->getImageNode() : nullptr;
    if (!image)
        return Corvane::Vector2<int>(-1, -1);
    Corvane::Rect<float> const bounds = image->GlobalGetBounds();
    return Corvane::Vector2<int>(static_cast<int>(bounds.x + bounds.width / 2), static_cast<int>(bounds.y + bounds.height / 2));
}

struct sWanted
{
    int index = -1;
    Corvane::Vector2<int> centre;
    bool pictureShowsIt = false;
    int leavesOnIt = 0;
};

// The tool the picture asks for: its place among the tools in play, found by
// its type and colour, and how many leaves rest within 80 pixels of it.
inline sWanted findWanted()
{
    sWanted wanted;
    PileOfLeavesMode const* const mode = Top<PileOfLeavesMode>();
    if (!mode)
        return wanted;
    std::vector<LeafCoveredTool*> const tools = mode->getTools();
    for (size_t i = 0; i < tools.size() && wanted.index < 0; ++i)
        if (tools[i]->getToolType() == mode->getToolToFind() && tools[i]->getColor() == mode->getColorToFind())
            wanted.index = static_cast<int>(i);
    if (wanted.index < 0)
        return wanted;
    LeafCoveredTool const* const tool = tools[static_cast<size_t>(wanted.index)];
    wanted.centre = toolCentre(tool);
    StaticSpriteNode const* const picture = dynamic_cast<StaticSpriteNode*>(Child::FindNode("GameScreenRoot/UI_attach/ToolToPick"));
    Corvane::AutoResource<Corvane::ImageList> const images(generalToolImages(mode->getToolToFind()));
    wanted.pictureShowsIt = picture && images && picture->getImage() == images->GetImage(mode->getColorToFind());
    Corvane::Vector2<float> const at = tool->getLayoutNode()->LocalGetLocation();
    for (Leaf const* const leaf : mode->getLeaves())
        if (std::abs(leaf->getStablePosition().x - static_cast<int>(at.x)) <= 80 &&
            std::abs(leaf->getStablePosition().y - static_cast<int>(at.y)) <= 80)
            ++wanted.leavesOnIt;
    return wanted;
}

// Leaves that rest within the pointer's circle but are not at its edge (more
// than a pixel off), and those outside it that were moved.
inline int leavesOutOfPlace(int mouseX, int mouseY)
{
    PileOfLeavesMode const* const mode = Top<PileOfLeavesMode>();
    int wrong = 0;
    for (Leaf const* const leaf : mode ? mode->getLeaves() : std::vector<Leaf*>())
    {
        Corvane::Vector2<int> expected;
        if (!Leaf::pushedPosition(leaf->getStablePosition(), leaf->getCursorRadius(), mouseX, mouseY, &expected))
            continue;
        Corvane::Vector2<float> const at = const_cast<Leaf*>(leaf)->getLayoutNode()->LocalGetLocation();
        if (std::abs(at.x - static_cast<float>(expected.x)) > 1.0f || std::abs(at.y - static_cast<float>(expected.y)) > 1.0f)
            ++wrong;
    }
    return wrong;
}

// Leaves of the game under the top screen not resting where they should: at
// their place, or pushed by the pointer when it is near.
inline int leavesNotLanded()
{
    PileOfLeavesMode const* const mode = dynamic_cast<PileOfLeavesMode*>(Corvane::MainLoop::GetTopMostMode(1));
    std::pair<int, int> const mouse = Corvane::MainLoop::GetLastMousePos();
    int wrong = 0;
    for (Leaf const* const leaf : mode ? mode->getLeaves() : std::vector<Leaf*>())
    {
        Corvane::Vector2<int> expected = leaf->getStablePosition();
        Leaf::pushedPosition(leaf->getStablePosition(), leaf->getCursorRadius(), mouse.first, mouse.second, &expected);
        Corvane::Vector2<float> const at = const_cast<Leaf*>(leaf)->getLayoutNode()->LocalGetLocation();
        if (std::abs(at.x - static_cast<float>(expected.x)) > 1.0f || std::abs(at.y - static_cast<float>(expected.y)) > 1.0f)
            ++wrong;
    }
    return wrong;
}

// Blows the leaves off the wanted tool, checks that they moved to the circle's
// edge and that it lights up, clicks it and waits for the next tool or the outro.
inline void findWantedTool(Child& child)
{
    sWanted const wanted = child.Look([] { return findWanted(); });
    ASSERT_EQ(0, wanted.index) << "the wanted tool is the earliest still in play";
    EXPECT_TRUE(wanted.pictureShowsIt);
    int const toolCover = child.Look([] {
        Corvane::AutoResource<PileOfLeavesLevel> const level(Top<PileOfLeavesMode>()->getLevelName());
        return level ? level->toolCover : -1;
    });
    EXPECT_GE(wanted.leavesOnIt, toolCover);
    ASSERT_TRUE(child.MoveMouseTo(wanted.centre.x, wanted.centre.y));
    ASSERT_TRUE(child.Frames(2));
    EXPECT_EQ(0, child.Look([wanted] { return leavesOutOfPlace(wanted.centre.x, wanted.centre.y); }));
    EXPECT_TRUE(child.Look([] {
        std::vector<LeafCoveredTool*> const tools = Top<PileOfLeavesMode>()->getTools();
        return !tools.empty() && tools.front()->isHighlighted();
    }));
    int const found = child.Look([] { return static_cast<int>(Top<PileOfLeavesMode>()->getTools().size()); });
    ASSERT_TRUE(child.PressMouse());
    ASSERT_TRUE(child.ReleaseMouse());
    EXPECT_TRUE(maskShown(child));
    ASSERT_TRUE(child.WaitUntil(
        [found] {
            PileOfLeavesMode const* const mode = Top<PileOfLeavesMode>();
            return !mode || static_cast<int>(mode->getTools().size()) == found - 1;
        },
        "the found tool to leave the list"));
}

// Every tool the game asks for, until its outro.
inline void findEveryTool(Child& child)
{
    for (int n = 0; n < 30; ++n)
    {
        ASSERT_TRUE(waitForSearch(child));
        if (child.Look([] { return Top<PileOfLeavesMode>()->isOutroStarted(); }))
            return;
        findWantedTool(child);
        ASSERT_TRUE(child.Frames(1));
    }
    FAIL() << "the game asked for more tools than it made";
}

} // namespace PileOfLeavesTest
