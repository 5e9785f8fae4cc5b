#pragma once

// What the plays of the mini-games share: the fixture that skips without a
// display, the game started alone as the difficulty selection starts it, the
// top screen by class and the game's live objects of a role, the way past the
// instruction overlay, clicks at points of the screen, the sounds heard since
// a mark, pictures kept when QDL_GAME_SCREENSHOT_DIR names a folder, the
// sticker earned in free play, leaving a game through the quit question, and
// content without the levels of one difficulty (a copy whose manifest lacks
// them, or a level list naming an undeclared level).

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Core/Source/Vector2.h"
#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/ObjectDatabase.h"
#include "CorvaneExtensions/Source/SceneNode.h"
#include "qdl/Source/Game/FrontEnd/StickerUnlockMode.h"
#include "qdl/Source/Game/GameModeTypes.h"
#include "qdl/Source/Game/LevelManager.h"
#include "qdl/Source/Game/StickerManager.h"
#include "qdl/Tests/Driver/FreePlayRoute.h"
#include "qdl/Tests/Driver/GameDriver.h"

namespace GameDriver
{

// The top screen as that class, or null; on the loop's thread.
template <class T>
T* Top()
{
    return dynamic_cast<T*>(Corvane::MainLoop::GetTopMostMode(0));
}

// The live objects of that role while a game of class Mode is on top; on the loop's thread.
template <class Mode, class T>
std::vector<T*> LiveObjects(char const* role)
{
    std::vector<T*> found;
    Corvane::ObjectDatabase* const database = Corvane::GetObjectDatabase();
    if (!database || !Top<Mode>())
        return found;
    for (Corvane::ObjectID id : database->GetObjectsWithRole(Corvane::Label::GetUniqueString(role)))
        if (T* const object = dynamic_cast<T*>(database->GetObject(id)))
            found.push_back(object);
    return found;
}

// Through the intro and the instruction overlay (OK where it shows one; else
// it closes itself once the description has been said), until the game of
// that class is on top and the named click mask has hidden.
inline bool PassTheInstructions(Child& child, std::string const& game, std::string const& mask)
{
    // Loading takes as many frames as the machine makes it; an intro then takes about 500.
    if (!child.WaitForScreen("FennInstructionMode"))
        return false;
    child.Wait(0.5f);
    if (child.IsShown("OkButton") && !child.Click("OkButton"))
        return false;
    return child.WaitForScreen(game) && child.WaitUntil(
                                            [mask] {
                                                SceneNode const* const node = Child::FindNode(mask);
                                                return node && !node->LocalIsVisible();
                                            },
                                            "the click mask to hide");
}

// Moves to the point, presses and releases, a frame apart.
inline bool ClickAt(Child& child, int x, int y)
{
    return child.MoveMouseTo(x, y) && child.PressMouse() && child.ReleaseMouse();
}

template <class T>
bool ClickAt(Child& child, Corvane::Vector2<T> const& point)
{
    return ClickAt(child, static_cast<int>(point.x), static_cast<int>(point.y));
}

// The names of the sounds asked for from the play numbered `from` on.
inline std::vector<std::string> SoundsSince(Child& child, std::size_t from)
{
    std::vector<std::string> names;
    std::vector<sSoundPlay> const plays = child.Sounds();
    for (std::size_t i = from; i < plays.size(); ++i)
        names.push_back(plays[i].sound);
    return names;
}

inline int CountOf(std::vector<std::string> const& sounds, std::string const& name)
{
    return static_cast<int>(std::count(sounds.begin(), sounds.end(), name));
}

// How often the sound was asked for from the play numbered `from` on.
inline int CountPlays(std::vector<sSoundPlay> const& plays, std::string const& sound, std::size_t from = 0)
{
    int count = 0;
    for (std::size_t i = from; i < plays.size(); ++i)
        count += plays[i].sound == sound;
    return count;
}

inline int CountPlays(Child& child, std::string const& sound, std::size_t from = 0)
{
    return CountPlays(child.Sounds(), sound, from);
}

// Keeps a picture as <folder>/<name>.png when QDL_GAME_SCREENSHOT_DIR names a folder.
inline void SaveGameScreenshot(Child& child, std::string const& name)
{
    if (char const* const folder = std::getenv("QDL_GAME_SCREENSHOT_DIR"))
    {
        EXPECT_TRUE(child.SaveScreenshot(std::string(folder) + "/" + name + ".png"));
    }
}

// The game alone on the stack at that difficulty in free play, for the
// profile of that button with its stickers loaded, as the difficulty
// selection starts it.
inline void StartMiniGame(Driver& driver, GameModeDifficulty difficulty,
                          std::function<Corvane::ApplicationMode*()> const& makeGame,
                          std::string const& profile = "PondoButton")
{
    driver.SetAccountValue("AccountID", profile);
    driver.StartWith([difficulty, makeGame]() -> Corvane::ApplicationMode* {
        GetStickerManager()->loadUnlockedStickerData();
        GetLevelManager()->setDifficulty(difficulty);
        GetLevelManager()->setFreePlay(true);
        return makeGame();
    });
}

inline int StickerCount(Child& child)
{
    return child.Look([] { return GetStickerManager()->getStickerCount(); });
}

// After a game won in free play: the sticker screen with a sticker newly
// unlocked, the profile's count one up in memory and on disk, then free play
// alone on the stack.
inline void ExpectStickerThenFreePlay(Child& child, int stickersBefore, std::string const& profile = "PondoButton")
{
    ASSERT_TRUE(child.WaitForScreen("StickerUnlockMode"));
    int const sticker = child.Look([] { return Top<StickerUnlockMode>()->getStickerIndex(); });
    ASSERT_GE(sticker, 0);
    EXPECT_TRUE(child.Look([sticker] { return GetStickerManager()->isUnlocked(sticker); }));
    EXPECT_EQ(stickersBefore + 1, StickerCount(child));
    EXPECT_EQ(std::to_string(stickersBefore + 1), AccountRecord(child.AccountFile(), profile + "_StickerCount"));
    ASSERT_TRUE(child.WaitForScreen("FreePlaySelectMode"));
    EXPECT_EQ(std::vector<std::string>{"FreePlaySelectMode"}, child.Screens());
}

// Plays over a content copy in which the game's manifest ("ToolShedMode.xml")
// names its levels of that difficulty in other letters, so that none is found.
inline void WithoutLevelsOf(Driver& driver, std::string const& manifest, std::string const& difficulty = "Hard")
{
    driver.UseContentCopy([manifest, difficulty](std::string const& folder) {
        ASSERT_TRUE(
            ReplaceInTextFile(folder + "/" + manifest, "difficulty=\"" + difficulty + "\"", "difficulty=\"Gone\""));
    });
}

// Plays over a content copy whose game manifest ("PlanAJobMode.xml") renames the
// layout node nodeName; start starts the game and reachPlay brings the child into
// it. The game "<mode>: the node \"<path>..." logs what it misses, tells the child
// nothing, changes no account record, and Quit still leads out.
inline void ExpectMissingLayoutNodeLoggedAndQuitLeaves(Driver& driver, std::string const& mode,
                                                       std::string const& nodeName, std::string const& path,
                                                       std::function<void()> const& start,
                                                       std::function<bool(Child&)> const& reachPlay)
{
    driver.UseContentCopy([mode, nodeName](std::string const& folder) {
        ASSERT_TRUE(ReplaceInTextFile(folder + "/" + mode + ".xml", "nodeName=\"" + nodeName + "\"",
                                      "nodeName=\"" + nodeName + "Gone\""));
    });
    start();
    driver.Play([mode, reachPlay](Child& child) {
        ASSERT_TRUE(reachPlay(child));
        std::string const account = child.AccountFile();
        child.Wait(1.0f);
        EXPECT_EQ(mode, child.TopScreen());
        EXPECT_TRUE(LeaveThroughQuit(child));
        EXPECT_EQ(account, child.AccountFile());
    });
    EXPECT_NE(std::string::npos, driver.Log().find(mode + ": the node \"" + path)) << driver.Log();
    EXPECT_TRUE(driver.Notifications().empty());
}

// The game's level list at one difficulty naming only a level that no
// manifest declares, from the game's start until this goes.
class UndeclaredLevelList
{
public:
    UndeclaredLevelList(GameModeType type, GameModeDifficulty difficulty) : mType(type), mDifficulty(difficulty) {}
    UndeclaredLevelList(UndeclaredLevelList const&) = delete;
    UndeclaredLevelList& operator=(UndeclaredLevelList const&) = delete;
    ~UndeclaredLevelList()
    {
        if (mReplaced)
            list() = mKept;
    }

    // Starts the game as StartMiniGame does, over the replaced list.
    void startGame(Driver& driver, std::function<Corvane::ApplicationMode*()> const& makeGame,
                   std::string const& profile = "PondoButton")
    {
        StartMiniGame(driver, mDifficulty,
                      [this, makeGame] {
                          mKept = list();
                          mReplaced = true;
                          list().assign(1, Corvane::Label::GetUniqueString("Level_NotDeclared"));
                          return makeGame();
                      },
                      profile);
    }

private:
    std::vector<Corvane::Label>& list()
    {
        return const_cast<std::vector<Corvane::Label>&>(GetLevelManager()->getLevels(mType, mDifficulty));
    }

    GameModeType mType;
    GameModeDifficulty mDifficulty;
    std::vector<Corvane::Label> mKept;
    bool mReplaced = false;
};

// Plays over a content copy whose manifest ("ToolShedMode.xml") lacks every
// level record <tag name="<prefix>…">…</tag>.
inline void WithoutLevelRecords(Driver& driver, std::string const& manifest, std::string const& tag,
                                std::string const& namePrefix)
{
    driver.UseContentCopy([manifest, tag, namePrefix](std::string const& folder) {
        ASSERT_TRUE(EditTextFile(folder + "/" + manifest, [&tag, &namePrefix](std::string& text) {
            std::string const open = "<" + tag + " name=\"" + namePrefix;
            std::string const close = "</" + tag + ">";
            for (std::size_t start; (start = text.find(open)) != std::string::npos;)
            {
                std::size_t const end = text.find(close, start);
                ASSERT_NE(std::string::npos, end) << open;
                text.erase(start, end + close.size() - start);
            }
        }));
    });
}

// Whether the notes are the one message the child is told when the game has no
// level to play at the difficulty, word for word, and the log names on a line
// of its own the game's manifest "<modeClass>.xml" and the level asked for or,
// where the game found none, the difficulty. (A level manager that outlived an
// earlier play may still name a level that the content copy lacks.)
inline ::testing::AssertionResult IsOnlyLevelNotFound(std::vector<std::string> const& notes, std::string const& log,
                                                      std::string const& modeClass, std::string const& difficulty)
{
    // A notification is kept as "<title>: <message>"; this one has no title.
    std::string const message =
        ": Difficulty Level Not Found for " + modeClass + ". Fix the problem and press F5 to reload";
    if (notes != std::vector<std::string>{message})
    {
        ::testing::AssertionResult failure = ::testing::AssertionFailure();
        failure << notes.size() << " notifications instead of \"" << message << "\":";
        for (std::string const& note : notes)
            failure << "\n  " << note;
        return failure;
    }
    std::string const manifest = modeClass + ".xml";
    std::string const noLevel = modeClass + ": " + manifest + " has no " + difficulty + " level that could be read";
    std::string const namedStart = modeClass + ": the level \"";
    std::string const namedEnd = "\" is missing from " + manifest + " or could not be read";
    std::istringstream lines(log);
    for (std::string line; std::getline(lines, line);)
    {
        bool const named = line.size() > namedStart.size() + namedEnd.size() &&
                           line.compare(0, namedStart.size(), namedStart) == 0 &&
                           line.compare(line.size() - namedEnd.size(), namedEnd.size(), namedEnd) == 0;
        if (line == noLevel || named)
            return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "no log line names the level or the difficulty and " << manifest;
}

// A play of the real game; skipped where the test display cannot be opened.
// The level manager lives for the whole test program, so each test first puts
// it back as the program starts it.
class PlayTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::string reason;
        if (!driver.HasDisplay(&reason))
            GTEST_SKIP() << "no display: " << reason;
        GetLevelManager()->setDifficulty(kGameModeDifficulty_Medium);
        GetLevelManager()->setFreePlay(true);
        SetUpPlay();
    }

    // What a test's own fixture prepares once the display is there.
    virtual void SetUpPlay() {}

    Driver driver;
};

// The same for a test run once per difficulty.
class DifficultyPlayTest : public PlayTest, public ::testing::WithParamInterface<GameModeDifficulty>
{
};

// Names the instances of a DifficultyPlayTest "Easy", "Medium" and "Hard".
#define PLAY_AT_EVERY_DIFFICULTY(Fixture)                                                            \
    INSTANTIATE_TEST_SUITE_P(EveryDifficulty, Fixture,                                               \
                             ::testing::Values(kGameModeDifficulty_Easy, kGameModeDifficulty_Medium, \
                                               kGameModeDifficulty_Hard),                            \
                             [](::testing::TestParamInfo<GameModeDifficulty> const& info) {          \
                                 return std::string(kGameModeDifficultyNames[info.param]);           \
                             })

} // namespace GameDriver
