// The twelve mini-games played over a content copy in which every Hard level
// of the game has lost its content (only its name and difficulty are left):
// no game may leave the child unable to finish. A level that is not offered
// is told as not found; a game whose win comes when nothing is left to place
// then ends the level; every other game keeps Help and Quit, and Quit leads out.

#include <ostream>
#include <string>

#include <gtest/gtest.h>

#include "Core/Source/Label.h"
#include "qdl/Source/Game/GameMakers.h"
#include "qdl/Source/Game/QuarrydaleGameMode.h"
#include "qdl/Tests/Driver/FreePlayRoute.h"
#include "qdl/Tests/Driver/GameDriver.h"
#include "qdl/Tests/Driver/MiniGamePlay.h"

namespace
{

using GameDriver::Child;

enum eEmptyLevelEnd
{
    // "Difficulty Level Not Found", then Help and Quit until the child leaves.
    kToldNotFound,
    // "Difficulty Level Not Found", then the level ends: a sticker, then free play.
    kToldAndEnded,
    // Nothing to place is a win at once.
    kEnded,
};

struct sEmptyLevelGame
{
    GameModeType type;
    char const* mode;
    char const* levelTag;
    eEmptyLevelEnd end;
};

// The test's name carries the printed game: by name, not by its bytes, which hold the names' addresses.
void PrintTo(sEmptyLevelGame const& game, std::ostream* out)
{
    *out << game.mode;
}

// Every <tag ... difficulty="Hard" ...>...</tag> of the text becomes <tag name="..." difficulty="Hard"/>.
void EmptyHardLevels(std::string& text, std::string const& tag)
{
    std::string const open = "<" + tag + " ";
    for (std::size_t at = text.find(open); at != std::string::npos; at = text.find(open, at + 1))
    {
        std::size_t const startEnd = text.find('>', at);
        ASSERT_NE(std::string::npos, startEnd);
        std::string const start = text.substr(at, startEnd - at);
        if (start.find("difficulty=\"Hard\"") == std::string::npos)
            continue;
        std::size_t const nameAt = start.find("name=\"");
        ASSERT_NE(std::string::npos, nameAt);
        std::string const name = start.substr(nameAt, start.find('"', nameAt + 6) + 1 - nameAt);
        std::size_t end = startEnd + 1;
        if (text[startEnd - 1] != '/')
        {
            std::size_t const close = text.find("</" + tag + ">", startEnd);
            ASSERT_NE(std::string::npos, close);
            end = close + tag.size() + 3;
        }
        text.replace(at, end - at, open + name + " difficulty=\"Hard\"/>");
    }
}

// Past an instruction overlay, if the game pushed one, back to the game.
bool BackToTheGame(Child& child, std::string const& mode)
{
    if (!child.WaitForScreen(mode) || !child.Wait(2.0f))
        return false;
    if (child.TopScreen() == "FennInstructionMode" && child.IsShown("OkButton") && !child.Click("OkButton"))
        return false;
    return child.WaitForScreen(mode, 1500);
}

class EmptyLevels : public GameDriver::PlayTest, public ::testing::WithParamInterface<sEmptyLevelGame>
{
};

TEST_P(EmptyLevels, TheChildIsToldOrTheLevelEndsAndTheChildIsNeverStuck)
{
    sEmptyLevelGame const game = GetParam();
    std::string const mode = game.mode;
    std::string const manifest = mode + ".xml";
    driver.UseContentCopy([&manifest, &game](std::string const& folder) {
        ASSERT_TRUE(GameDriver::EditTextFile(folder + "/" + manifest,
                                             [&game](std::string& text) { EmptyHardLevels(text, game.levelTag); }));
    });
    GameModeType const type = game.type;
    GameDriver::StartMiniGame(driver, kGameModeDifficulty_Hard,
                              [type] { return createGameModeOfType(type, Corvane::Label()); });
    driver.Play([&game, &mode](Child& child) {
        ASSERT_TRUE(child.WaitForScreen(mode));
        int const stickers = GameDriver::StickerCount(child);
        if (game.end != kToldNotFound)
        {
            GameDriver::ExpectStickerThenFreePlay(child, stickers);
            return;
        }
        ASSERT_TRUE(BackToTheGame(child, mode));
        EXPECT_EQ(std::vector<std::string>{mode}, child.Screens());
        EXPECT_FALSE(child.Look([] { return GameDriver::Top<QuarrydaleGameMode>()->isOutroStarted(); }));
        EXPECT_TRUE(child.IsShown("QuitButton"));
        EXPECT_TRUE(GameDriver::LeaveThroughQuit(child));
        EXPECT_EQ(stickers, GameDriver::StickerCount(child));
    });
    if (game.end == kEnded)
        EXPECT_TRUE(driver.Notifications().empty());
    else
        EXPECT_TRUE(GameDriver::IsOnlyLevelNotFound(driver.Notifications(), driver.Log(), mode, "Hard"));
}

INSTANTIATE_TEST_SUITE_P(
    TwelveGames, EmptyLevels,
    ::testing::Values(sEmptyLevelGame{kGameModeType_CountTheMaterials, "CountTheMaterialsMode", "CountTheMaterialsLevel",
                                      kToldNotFound},
                      sEmptyLevelGame{kGameModeType_HammerTheNail, "HammerTheNailMode", "HammerTheNailLevel", kToldNotFound},
                      sEmptyLevelGame{kGameModeType_HereToThere, "HereToThereMode", "HereToThereLevel", kToldNotFound},
                      sEmptyLevelGame{kGameModeType_HideAndSeek, "HideAndSeekMode", "HideAndSeekLevel", kToldNotFound},
                      sEmptyLevelGame{kGameModeType_TollerStacker, "TollerStackerMode", "TollerStackerLevel", kToldNotFound},
                      sEmptyLevelGame{kGameModeType_TrundelsDelivery, "TrundelsDeliveryMode", "TrundelsDeliveryLevel",
                                      kToldNotFound},
                      sEmptyLevelGame{kGameModeType_PaintIt, "PaintTheHouseMode", "PaintItLevel", kToldNotFound},
                      sEmptyLevelGame{kGameModeType_PileOfLeaves, "PileOfLeavesMode", "PileOfLeavesLevel", kToldNotFound},
                      sEmptyLevelGame{kGameModeType_StreetSigns, "StreetSignsMode", "StreetSignLevel", kToldNotFound},
                      sEmptyLevelGame{kGameModeType_PlanAJob, "PlanAJobMode", "PlanAJobLevel", kToldAndEnded},
                      sEmptyLevelGame{kGameModeType_ScarrowPuzzle, "ScarrowPuzzleMode", "ScarrowPuzzleLevel", kToldAndEnded},
                      sEmptyLevelGame{kGameModeType_ToolShed, "ToolShedMode", "ToolShedLevel", kEnded}),
    [](::testing::TestParamInfo<sEmptyLevelGame> const& info) { return std::string(info.param.mode); });

} // namespace
