// The twelve mini-games played over a content copy in which every Hard level
// of the game has lost its content (only its name and difficulty are left):
// no game may leave the child unable to finish. A level that is not offered
// is told as not found; a game whose win comes when nothing is left to place
// then ends the level; every other game keeps Help and Quit, and Quit leads out.
// A level whose counts its pictures cannot show is told as not found the same way.

#include <functional>
#include <ostream>
#include <regex>
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

// Every <tag ... difficulty="Hard" ...>...</tag> of the text becomes what the edit makes of it.
void EditHardLevels(std::string& text, std::string const& tag, std::function<std::string(std::string const&)> const& edit)
{
    std::string const open = "<" + tag + " ";
    for (std::size_t at = text.find(open); at != std::string::npos; at = text.find(open, at + 1))
    {
        std::size_t const startEnd = text.find('>', at);
        ASSERT_NE(std::string::npos, startEnd);
        if (text.substr(at, startEnd - at).find("difficulty=\"Hard\"") == std::string::npos)
            continue;
        std::size_t end = startEnd + 1;
        if (text[startEnd - 1] != '/')
        {
            std::size_t const close = text.find("</" + tag + ">", startEnd);
            ASSERT_NE(std::string::npos, close);
            end = close + tag.size() + 3;
        }
        text.replace(at, end - at, edit(text.substr(at, end - at)));
    }
}

// Only the level's name and difficulty are left.
void EmptyHardLevels(std::string& text, std::string const& tag)
{
    EditHardLevels(text, tag, [&tag](std::string const& level) {
        std::size_t const nameAt = level.find("name=\"");
        std::string const name = level.substr(nameAt, level.find('"', nameAt + 6) + 1 - nameAt);
        return "<" + tag + " " + name + " difficulty=\"Hard\"/>";
    });
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

// Plays the game at Hard over the content with its Hard levels damaged.
void PlayDamagedHardLevels(GameDriver::Driver& driver, sEmptyLevelGame const& game,
                           std::function<void(std::string&, std::string const&)> const& damage)
{
    std::string const mode = game.mode;
    std::string const manifest = mode + ".xml";
    driver.UseContentCopy([&manifest, &game, &damage](std::string const& folder) {
        ASSERT_TRUE(GameDriver::EditTextFile(folder + "/" + manifest,
                                             [&game, &damage](std::string& text) { damage(text, game.levelTag); }));
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

class EmptyLevels : public GameDriver::PlayTest, public ::testing::WithParamInterface<sEmptyLevelGame>
{
};

TEST_P(EmptyLevels, TheChildIsToldOrTheLevelEndsAndTheChildIsNeverStuck)
{
    PlayDamagedHardLevels(driver, GetParam(), EmptyHardLevels);
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

using CountsPastThePictures = GameDriver::PlayTest;

// Every Hard level asks for, and lays out, 99 of its materials, whose piles have six pictures: a pile
// of 99 would draw nothing and take no click, so the reader refuses the levels and none is offered.
TEST_F(CountsPastThePictures, AHardCountTheMaterialsLevelOf99IsNotOfferedAndTheChildIsTold)
{
    PlayDamagedHardLevels(
        driver, {kGameModeType_CountTheMaterials, "CountTheMaterialsMode", "CountTheMaterialsLevel", kToldNotFound},
        [](std::string& text, std::string const& tag) {
            EditHardLevels(text, tag, [](std::string const& level) {
                return std::regex_replace(level, std::regex("number=\"[^\"]*\""), "number=\"99\"");
            });
        });
    EXPECT_NE(std::string::npos, driver.Log().find("CountTheMaterialsMode.xml, level CountTheMaterials_Hard_1: Material "
                                                   "\"number\" of 99 has no picture in"))
        << driver.Log();
}

} // namespace
