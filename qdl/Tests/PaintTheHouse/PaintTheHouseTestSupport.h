#pragma once

// What the plays of the fence-painting game share: the game started as the
// difficulty screen starts it, the route to it through the real menus, what
// the fence shows, and the automated player, which reads the painted stripes,
// finds the level's pattern they spell and paints the bare ones to continue it.

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/ObjectDatabase.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Framework/Window.h"
#include "2DEngine/Source/Graphics/Image.h"
#include "CorvaneExtensions/Source/SpriteNodes.h"
#include "CorvaneExtensions/Source/SpriteType.h"
#include "qdl/Source/Game/LevelManager.h"
#include "qdl/Source/Game/PaintTheHouse/HousePaintElements.h"
#include "qdl/Source/Game/PaintTheHouse/PaintItLevel.h"
#include "qdl/Source/Game/PaintTheHouse/PaintTheHouseMode.h"
#include "qdl/Source/Game/StickerManager.h"
#include "qdl/Tests/Driver/GameDriver.h"
#include "qdl/Tests/Driver/MiniGamePlay.h"

namespace PaintTheHouseTest
{

using GameDriver::Child;
using GameDriver::CountPlays;
using GameDriver::SaveGameScreenshot;
using GameDriver::Top;
using GameDriver::WaitForPopupToRest;
typedef std::vector<std::string> Screens;

std::string const kGame = "PaintTheHouseMode";
std::string const kFence = "GameScreenRoot/Playfield/FenceClickRect";

inline std::string bucketPath(int k)
{
    return "GameScreenRoot/Playfield/Bucket" + std::to_string(k) + "/HousePaintBucket/imageNode";
}

// The game alone, as the difficulty screen starts it, for the profile "PondoButton".
inline void startGame(GameDriver::Driver& driver, GameModeDifficulty difficulty, bool playIntro = false)
{
    GameDriver::StartMiniGame(
        driver, difficulty, [playIntro] { return new PaintTheHouseMode(playIntro, -1); }, "PondoButton");
}

// The colour each stripe's picture shows, left to right (-1 for none), on the loop's thread.
inline std::vector<int> shownStripeColors()
{
    std::vector<int> colors;
    Corvane::ObjectDatabase* const database = Corvane::GetObjectDatabase();
    if (!database)
        return colors;
    for (Corvane::ObjectID const id : database->GetObjectsWithRole(HousePaintStripe::role()))
    {
        HousePaintStripe const* const stripe = dynamic_cast<HousePaintStripe*>(database->GetObject(id));
        AnimatedSpriteNode const* const image = stripe ? stripe->getImageNode() : nullptr;
        int shown = -1;
        for (int color = 0; image && image->GetSpriteType() && color < kNumHousePaintColors; ++color)
            if (image->GetSpriteType()->GetName() == kHousePaintFenceSpriteTypes[color])
                shown = color;
        colors.push_back(shown);
    }
    return colors;
}

// The colours the bare stripes need, read from the level: the pattern whose
// first six stripes are the ones painted at the start. Empty when none fits.
inline std::vector<int> plannedColors()
{
    PaintTheHouseMode const* const mode = Top<PaintTheHouseMode>();
    if (!mode)
        return std::vector<int>();
    Corvane::AutoResource<PaintItLevel> const level(mode->getLevelName());
    std::vector<int> const shown = shownStripeColors();
    if (!level || shown.size() != static_cast<size_t>(kNumFenceStripes))
        return std::vector<int>();
    for (std::vector<int> const& pattern : level->patterns)
    {
        std::vector<int> const colors = PaintTheHouseMode::stripeColors(pattern, mode->getPatternIndexMapping());
        if (colors.size() == shown.size() && std::equal(colors.begin(), colors.begin() + kNumPaintedStripes, shown.begin()))
            return std::vector<int>(colors.begin() + kNumPaintedStripes, colors.end());
    }
    return std::vector<int>();
}

// The bucket (1 to 3) offering the colour, 0 when none does.
inline int bucketOfColor(Child& child, int color)
{
    return child.Look([color] {
        for (int k = 1; k <= 3; ++k)
        {
            SceneNode* const node = Child::FindNode("GameScreenRoot/Playfield/Bucket" + std::to_string(k) + "/HousePaintBucket");
            HousePaintBucket const* const bucket = dynamic_cast<HousePaintBucket*>(node ? node->getLayoutController() : nullptr);
            if (bucket && bucket->getColor() == color)
                return k;
        }
        return 0;
    });
}

inline bool maskShown(Child& child)
{
    return child.Look([] {
        SceneNode* const mask = Child::FindNode("GameScreenRoot/Playfield/MouseInput_ClickMask");
        return mask && mask->GlobalIsVisible();
    });
}

inline int stripesLeft(Child& child)
{
    return child.Look([] {
        PaintTheHouseMode const* const mode = Top<PaintTheHouseMode>();
        return mode ? static_cast<int>(mode->getStripesToPaint().size()) : -1;
    });
}

// The brush shown is the colour's, its tip at (20, 15).
inline bool brushCursorIs(Child& child, std::string const& image)
{
    return child.Look([image] {
        Corvane::AutoResource<Corvane::IImage> const expected(image.c_str());
        return expected && Corvane::Window::GetCustomCursorImage() == expected.Get() &&
               Corvane::Window::GetCustomCursorHotSpot() == Corvane::Vector2<int>(20, 15);
    });
}

inline char const* brushName(int color)
{
    static char const* const names[] = {"cursor_brush_red", "cursor_brush_green", "cursor_brush_blue",
                                        "cursor_brush_yellow"};
    return color >= 0 && color < kNumHousePaintColors ? names[color] : "cursor_brush_clean";
}

// Loads the brush with the colour and paints the next bare stripe with it,
// then waits until input opens again (or the round's outro has begun).
inline void paintNextStripe(Child& child, int color)
{
    int const bucket = bucketOfColor(child, color);
    ASSERT_NE(0, bucket) << "no bucket of colour " << color;
    ASSERT_TRUE(child.Click(bucketPath(bucket)));
    EXPECT_TRUE(brushCursorIs(child, brushName(color)));
    ASSERT_TRUE(child.Click(kFence));
    ASSERT_TRUE(child.WaitUntil(
        [] {
            PaintTheHouseMode const* const mode = Top<PaintTheHouseMode>();
            SceneNode* const mask = Child::FindNode("GameScreenRoot/Playfield/MouseInput_ClickMask");
            return !mode || mode->isOutroStarted() || (mask && !mask->GlobalIsVisible());
        },
        "the game to take clicks or end"));
}

// Paints the round's four bare stripes as the level says; the fence then
// spells the pattern all along.
inline void paintRound(Child& child)
{
    std::vector<int> const planned = child.Look([] { return plannedColors(); });
    ASSERT_EQ(4u, planned.size()) << "the painted stripes spell none of the level's patterns";
    std::vector<int> const needed = child.Look([] {
        std::vector<int> colors;
        PaintTheHouseMode const* const mode = Top<PaintTheHouseMode>();
        for (HousePaintStripe const* stripe : mode ? mode->getStripesToPaint() : std::vector<HousePaintStripe*>())
            colors.push_back(stripe->getColor());
        return colors;
    });
    EXPECT_EQ(planned, needed);
    for (int const color : planned)
        paintNextStripe(child, color);
    EXPECT_TRUE(child.Look([] { return Top<PaintTheHouseMode>() && Top<PaintTheHouseMode>()->isOutroStarted(); }));
}

// Every round from the current one on, until the last one's outro.
inline void winEveryRound(Child& child)
{
    PaintTheHouseMode const* previous = nullptr;
    while (true)
    {
        ASSERT_TRUE(child.WaitUntil(
            [previous] {
                PaintTheHouseMode const* const mode = Top<PaintTheHouseMode>();
                return mode && mode != previous && !mode->isOutroStarted();
            },
            "the next loop's game"));
        previous = child.Look([] { return Top<PaintTheHouseMode>(); });
        int const loopsLeft = child.Look([] { return Top<PaintTheHouseMode>()->getLoopsLeft(); });
        int const keepGoing = CountPlays(child, "VO_KeepGoing");
        paintRound(child);
        ASSERT_TRUE(child.Frames(2));
        if (loopsLeft == 0)
        {
            EXPECT_EQ(1, CountPlays(child, "PaintIt_GameComplete"));
            return;
        }
        EXPECT_EQ(keepGoing + 1, CountPlays(child, "VO_KeepGoing"));
    }
}

} // namespace PaintTheHouseTest
