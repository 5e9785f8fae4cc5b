// ToolShed played as a child plays it, through the driver over the real
// content: the intro and the overlay, a tool picked up and clicked onto the
// box of the same type and colour until the yard is empty, the wrong boxes'
// answers, the ground putting a tool back, the end with its sticker, quitting
// with a tool held, and a content copy without the level asked for.

#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Graphics/Image.h"
#include "CorvaneExtensions/Source/SceneApplicationMode.h"
#include "CorvaneExtensions/Source/SceneNode.h"
#include "CorvaneExtensions/Source/SpriteNodes.h"
#include "qdl/Source/Game/GameScreenHooks.h"
#include "qdl/Source/Game/LevelManager.h"
#include "qdl/Source/Game/ToolShed/ToolShedElements.h"
#include "qdl/Source/Game/ToolShed/ToolShedLevel.h"
#include "qdl/Source/Game/ToolShed/ToolShedMode.h"
#include "qdl/Tests/Driver/GameDriver.h"
#include "qdl/Tests/Driver/MiniGamePlay.h"

using GameDriver::Child;
using GameDriver::ClickAt;
using GameDriver::CountPlays;

namespace
{

char const* const kAccountID = "GrubbinButton";
// The profile the route through free play chooses.
char const* const kProfileStickerKey = "PondoButton_StickerUnlockArray";

struct sTool
{
    int type;
    int color;
    int x;
    int y;
};

ToolShedMode* Game()
{
    return dynamic_cast<ToolShedMode*>(Corvane::MainLoop::GetTopMostMode(0));
}

// The tools lying in the yard, with the centre of each picture.
std::vector<sTool> LiveTools(Child& child)
{
    return child.Look([] {
        std::vector<sTool> tools;
        if (ToolShedMode* const game = Game())
            for (ToolShedItem* const tool : game->getTools())
            {
                SceneNode* const image = tool->getInputNode();
                Corvane::Rect<float> const bounds = image->GlobalGetBounds();
                tools.push_back(sTool{tool->toolType, tool->color, int(bounds.x + bounds.width / 2),
                                      int(bounds.y + bounds.height / 2)});
            }
        return tools;
    });
}

// The boxes of the level drawn, in place order, read from its record.
std::vector<ToolShedToolData> LevelBoxes(Child& child)
{
    return child.Look([] {
        Corvane::AutoResource<ToolShedLevel> const level(GetLevelManager()->getLastLevel());
        return level ? level->toolBoxes : std::vector<ToolShedToolData>();
    });
}

std::string BoxClickArea(int position)
{
    return "GameScreenRoot/Playfield/ToolBoxesLayer/Target_" + std::to_string(position + 1) +
           "/ToolShedToolBox/animNode/clickRect";
}

// The plate's x on the box at that place.
float SignX(Child& child, int position)
{
    std::string const path = "GameScreenRoot/Playfield/ToolBoxesLayer/Target_" + std::to_string(position + 1) +
                             "/ToolShedToolBox/animNode/signNode";
    return child.Look([&path] {
        SceneNode const* const sign = Child::FindNode(path);
        return sign ? sign->LocalGetLocation().x : -1.0f;
    });
}

bool IsHolding(Child& child)
{
    return child.Look([] { return DragSource<ToolShedItem*>::GetHeldDragSource() != nullptr; });
}

bool FennShows(Child& child, char const* image)
{
    return child.Look([image] {
        StaticSpriteNode const* const fenn =
            dynamic_cast<StaticSpriteNode const*>(Child::FindNode("GameScreenRoot/Playfield/Fenn_InGame"));
        Corvane::AutoResource<Corvane::IImage> const wanted(image);
        return fenn && wanted && fenn->getImage() == wanted.Get();
    });
}

bool PlayedSince(Child& child, std::size_t from, std::string const& sound)
{
    return GameDriver::CountPlays(child, sound, from) > 0;
}

// Through the intro and the overlay, until the input mask has gone.
bool ReachPlay(Child& child)
{
    return GameDriver::PassTheInstructions(child, "ToolShedMode", "GameScreenRoot/Playfield/MouseInput_ClickMask");
}

// Clicks a box whose tool type or colour differs from the held tool's as
// asked; false when the level has no such box.
bool ClickWrongBox(Child& child, sTool const& held, bool sameType, bool sameColor)
{
    std::vector<ToolShedToolData> const boxes = LevelBoxes(child);
    for (std::size_t i = 0; i < boxes.size(); ++i)
        if ((boxes[i].toolType == held.type) == sameType && (boxes[i].color == held.color) == sameColor)
            return child.Click(BoxClickArea(int(i)));
    return false;
}

// The automated player: each live tool onto the box of equal type and colour.
void SortEveryTool(Child& child)
{
    std::vector<ToolShedToolData> const boxes = LevelBoxes(child);
    ASSERT_FALSE(boxes.empty());
    for (int guard = 0; guard < 20; ++guard)
    {
        std::vector<sTool> const tools = LiveTools(child);
        if (tools.empty())
            return;
        ASSERT_TRUE(ClickAt(child, tools.front().x, tools.front().y));
        ASSERT_TRUE(IsHolding(child));
        // Tools may lie over each other: the one picked up is the one on top.
        sTool const tool = child.Look([] {
            ToolShedItem const* const held =
                dynamic_cast<ToolShedItem const*>(DragSource<ToolShedItem*>::GetHeldDragSource());
            return held ? sTool{held->toolType, held->color, 0, 0} : sTool{-1, -1, 0, 0};
        });
        int target = -1;
        for (std::size_t i = 0; i < boxes.size() && target < 0; ++i)
            if (boxes[i].toolType == tool.type && boxes[i].color == tool.color)
                target = int(i);
        ASSERT_GE(target, 0) << "the level has no box for a tool";
        ASSERT_TRUE(child.Click(BoxClickArea(target)));
        child.Frames(2);
        EXPECT_FALSE(IsHolding(child));
    }
    FAIL() << "tools were left in the yard";
}

// Stands for the main menu where the content has none yet.
class MainMenuStandIn : public SceneApplicationMode
{
};

class ToolShedPlay : public GameDriver::PlayTest
{
protected:
    void StartAt(GameModeDifficulty difficulty)
    {
        GameDriver::StartMiniGame(
            driver, difficulty,
            [] {
                if (!GetGameScreenHooks().createMainMenuMode)
                    GetGameScreenHooks().createMainMenuMode = [] { return new MainMenuStandIn(); };
                return new ToolShedMode();
            },
            kAccountID);
    }
};

} // namespace

TEST_F(ToolShedPlay, AChildComesThroughFreePlayAndWinsAtEveryDifficulty)
{
    for (int difficulty = 0; difficulty < 3; ++difficulty)
    {
        SCOPED_TRACE(kGameModeDifficultyNames[difficulty]);
        GameDriver::Driver play;
        play.Play([difficulty](Child& child) {
            ASSERT_TRUE(GameDriver::ComeToGameThroughFreePlay(child, "ToolShed", GameModeDifficulty(difficulty)));
            ASSERT_TRUE(child.WaitForScreen("ToolShedMode"));
            if (difficulty == kGameModeDifficulty_Easy && std::getenv("QDL_GAME_SCREENSHOT_DIR"))
            {
                // The scarecrow throwing its second volley.
                child.Wait(6.1f);
                GameDriver::SaveGameScreenshot(child, "ToolShed_Intro");
            }
            ASSERT_TRUE(ReachPlay(child));
            std::vector<sTool> const tools = LiveTools(child);
            EXPECT_EQ(std::vector<std::size_t>({3, 5, 8})[difficulty], tools.size());
            GameDriver::SaveGameScreenshot(child, std::string("ToolShed_") + kGameModeDifficultyNames[difficulty]);
            if (difficulty == kGameModeDifficulty_Hard)
            {
                // The plates of the outer boxes sit 2 px further out than the layout puts them.
                std::vector<float> plates;
                for (int position = 0; position < 6; ++position)
                    plates.push_back(SignX(child, position));
                EXPECT_EQ((std::vector<float>{31, 33, 35, 31, 33, 35}), plates);
            }
            std::string const stickersBefore = GameDriver::AccountRecord(child.AccountFile(), kProfileStickerKey);
            SortEveryTool(child);
            // 2 s after the last tool: the sticker screen with the sticker saved, then free play again.
            ASSERT_TRUE(child.WaitUntil(
                [] {
                    Corvane::ApplicationMode* const top = Corvane::MainLoop::GetTopMostMode(0);
                    return !dynamic_cast<ToolShedMode*>(top);
                },
                "the game to leave the top"));
            EXPECT_NE(stickersBefore, GameDriver::AccountRecord(child.AccountFile(), kProfileStickerKey));
            ASSERT_TRUE(child.WaitForScreen("FreePlaySelectMode"));
            EXPECT_EQ(std::vector<std::string>{"FreePlaySelectMode"}, child.Screens());
            EXPECT_EQ(1, CountPlays(child, "ToolShed_GameComplete"));
        });
        EXPECT_TRUE(play.Notifications().empty());
    }
}

TEST_F(ToolShedPlay, WrongBoxesAnswerAndTheGroundPutsTheToolBack)
{
    StartAt(kGameModeDifficulty_Medium);
    driver.Play([](Child& child) {
        ASSERT_TRUE(ReachPlay(child));
        std::vector<ToolShedToolData> const boxes = LevelBoxes(child);
        // A tool whose level has a box of its type in another colour, one of its colour for another tool, and one
        // that differs in both (every Medium level has such a tool).
        sTool chosen = {-1, -1, 0, 0};
        for (sTool const& tool : LiveTools(child))
        {
            bool kinds[3] = {false, false, false};
            for (ToolShedToolData const& box : boxes)
            {
                bool const type = box.toolType == tool.type;
                bool const color = box.color == tool.color;
                kinds[0] |= type && !color;
                kinds[1] |= !type && color;
                kinds[2] |= !type && !color;
            }
            if (kinds[0] && kinds[1] && kinds[2])
                chosen = tool;
        }
        ASSERT_GE(chosen.type, 0);

        // One rollover sound per enter, from a place clear of every tool.
        ASSERT_TRUE(child.MoveMouseTo(790, 590));
        child.Frames(2);
        std::size_t const before = child.Sounds().size();
        ASSERT_TRUE(child.MoveMouseTo(chosen.x, chosen.y));
        child.Frames(3);
        EXPECT_EQ(1, CountPlays(child, "SFX_ObjectRollover", before));

        ASSERT_TRUE(ClickAt(child, chosen.x, chosen.y));
        ASSERT_TRUE(IsHolding(child));
        EXPECT_TRUE(PlayedSince(child, before, "SFX_ObjectStick"));
        // The copy's origin is on the pointer.
        ASSERT_TRUE(child.MoveMouseTo(400, 200));
        child.Frames(1);
        EXPECT_TRUE(child.Look([] {
            SceneNode const* const layer = Child::FindNode("GameScreenRoot/FX_Layer");
            return layer && layer->GetChildCount() == 1 &&
                   layer->GetChildren().front()->LocalGetLocation() == Corvane::Vector2<float>(400.0f, 200.0f);
        }));

        struct sWrong
        {
            bool sameType;
            bool sameColor;
            char const* voice;
        };
        for (sWrong const wrong : {sWrong{true, false, "ToolShed_WrongColor"}, sWrong{false, true, "ToolShed_WrongTool"},
                                   sWrong{false, false, "General_IncorrectAnswer"}})
        {
            SCOPED_TRACE(wrong.voice);
            std::size_t const mark = child.Sounds().size();
            ASSERT_TRUE(ClickWrongBox(child, chosen, wrong.sameType, wrong.sameColor));
            child.Frames(2);
            EXPECT_TRUE(PlayedSince(child, mark, wrong.voice));
            EXPECT_FALSE(PlayedSince(child, mark, "General_CorrectAnswer"));
            EXPECT_TRUE(FennShows(child, "ToolShed_Fenn"));
            EXPECT_TRUE(IsHolding(child));
        }

        // The ground, clear of the tools and the boxes: the tool goes back and can be picked up again.
        ASSERT_TRUE(ClickAt(child, 40, 585));
        child.Frames(2);
        EXPECT_FALSE(IsHolding(child));
        EXPECT_TRUE(child.Look([] { return Child::FindNode("GameScreenRoot/FX_Layer")->GetChildCount() == 0; }));
        EXPECT_EQ(5u, LiveTools(child).size());
        ASSERT_TRUE(ClickAt(child, chosen.x, chosen.y));
        EXPECT_TRUE(IsHolding(child));
    });
}

TEST_F(ToolShedPlay, QuittingWithAToolHeldLeadsToTheMainMenuAndKeepsTheAccount)
{
    StartAt(kGameModeDifficulty_Easy);
    driver.Play([](Child& child) {
        ASSERT_TRUE(ReachPlay(child));
        std::string const account = child.AccountFile();
        sTool const tool = LiveTools(child).front();
        ASSERT_TRUE(ClickAt(child, tool.x, tool.y));
        ASSERT_TRUE(IsHolding(child));
        ASSERT_TRUE(child.Click("QuitButton"));
        ASSERT_TRUE(child.WaitForScreen("QuitConfirmMode"));
        child.Wait(1.0f);
        ASSERT_TRUE(child.Click("YesButton"));
        std::string top = child.TopScreen();
        for (int frame = 0; frame < 300 && (top == "ToolShedMode" || top == "QuitConfirmMode"); ++frame)
        {
            child.Frames(1);
            top = child.TopScreen();
        }
        std::vector<std::string> const screens = child.Screens();
        ASSERT_EQ(1u, screens.size());
        EXPECT_TRUE(screens[0] == "MainMenuMode" || screens[0] == "(anonymous namespace)::MainMenuStandIn")
            << screens[0];
        EXPECT_EQ(account, child.AccountFile());
    });
}

TEST_F(ToolShedPlay, ABrokenLayoutIsToldAndTheChildIsBackOnTheMainMenu)
{
    driver.UseContentCopy([](std::string const& folder) {
        ASSERT_TRUE(GameDriver::EditTextFile(folder + "/ToolShedMode.xml", [](std::string& text) {
            std::size_t const at = text.find("name=\"ToolShedModeLayout\"");
            ASSERT_NE(std::string::npos, at);
            text.replace(at, std::string("name=\"ToolShedModeLayout\"").size(), "name=\"ToolShedModeLayoutGone\"");
        }));
    });
    StartAt(kGameModeDifficulty_Easy);
    driver.Play([](Child& child) {
        // Past the loading screen and the game that could not be built.
        auto const onMainMenu = [] {
            return Child::OnTop("MainMenuMode")() || Child::OnTop("(anonymous namespace)::MainMenuStandIn")();
        };
        EXPECT_TRUE(child.WaitUntil(onMainMenu, "the main menu"));
        EXPECT_EQ(1u, child.Screens().size());
    });
    ASSERT_EQ(1u, driver.Notifications().size());
    EXPECT_NE(std::string::npos, driver.Notifications()[0].find("could not be built"));
}

