#pragma once

// The catalogue of levels and the keeper of the story. Every mini-game level
// registers here by game and difficulty while the manifests load; a mini-game
// asks for a level when it sets itself up; the story is walked one entry at a
// time, its position saved in the current player account under the profile's
// "<AccountID>_Progress". Main thread only.

#include <map>
#include <string>
#include <vector>

#include "Core/Source/Label.h"
#include "qdl/Source/Game/GameModeTypes.h"

class LevelProgressionData;

class LevelManager
{
public:
    LevelManager();

    // Appends the level to the game's list at that difficulty. A difficulty
    // outside Easy..Hard is refused (logged), and so is a level already in the
    // list, which a manifest loaded again would otherwise add twice.
    void addLevelForGameModeType(GameModeType type, Corvane::Label level, GameModeDifficulty difficulty);
    // Takes the level off the game's lists at every difficulty (a record of
    // that name read again may belong elsewhere, or nowhere).
    void removeLevelForGameModeType(GameModeType type, Corvane::Label level);
    // A random level of the game at the current difficulty, never the level
    // last returned unless it is the only one; the null label when the game
    // has none (the last level is then left as it was).
    Corvane::Label getLevelForGameModeType(GameModeType type);
    // The levels registered for the game at the difficulty, in order.
    std::vector<Corvane::Label> const& getLevels(GameModeType type, GameModeDifficulty difficulty);

    // Chooses the story resource by name and reads the profile's position in it.
    void setLevelProgression(Corvane::Label name);
    void loadLevelProgressionDataFromAccount();
    // Back to the first entry, saved at once.
    void resetLevelProgress();

    // Makes the game's mode the only one; a label of no game, or a game that
    // cannot be started, does nothing. True when the mode change is queued.
    bool pushGameModeOfType(Corvane::Label game, Corvane::Label level);
    // Runs the next story entry. Without a story resource it returns to the
    // main menu and leaves the saved position alone. One step per change of
    // screens: while the change a step queued is not applied yet, a second
    // call (a skip as the narration ends, two OKs in one frame) does nothing.
    // True when a change of screens was queued; false leaves the caller on
    // screen (an entry that started nothing is still passed). A game whose
    // content did not load whole is told of in the load failure box and not
    // passed: the story waits at it, and the child goes back to the main menu.
    bool beginNextLevelProgressionMode();

    GameModeDifficulty getDifficulty() const { return difficulty; }
    // Values outside Easy..Hard are refused.
    void setDifficulty(GameModeDifficulty value);
    bool isFreePlay() const { return freePlay; }
    void setFreePlay(bool value) { freePlay = value; }
    int getProgressIndex() const { return progressIndex; }
    Corvane::Label getLastLevel() const { return lastLevel; }
    Corvane::Label getLevelProgressionName() const { return progressionName; }
    // The story resource now loaded under the chosen name, or null.
    LevelProgressionData const* getLevelProgression() const;

private:
    // "<AccountID>_Progress" of the current account; empty without an account.
    std::wstring progressKey() const;
    void saveProgress(int value);
    // The step itself, unguarded.
    bool beginNextStep();
    bool endStory();
    bool startCutscene(Corvane::Label cutscene);
    // Keeps the current entry as the saved position and returns to the main menu.
    bool waitAtGameOnMainMenu();

    std::vector<std::map<GameModeType, std::vector<Corvane::Label> > > levels;
    // Looked up again at every step, so a reloaded story is never read through a stale pointer.
    Corvane::Label progressionName;
    GameModeDifficulty difficulty;
    int progressIndex;
    bool freePlay;
    Corvane::Label lastLevel;
    // A step has queued its change of screens, which the main loop may not have applied yet.
    bool stepQueued;
};

// The one level manager, made on first use and never destroyed.
LevelManager* GetLevelManager();
