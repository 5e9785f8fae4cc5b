#pragma once

// The smallest mini-game on the mini-game base, for the tests only: four
// target buttons, of which the level names the right one. A right click wins
// the loop (outro once: the click mask stays, then the next loop or endLevel),
// a wrong one is answered and sets hint level 2. Its levels are registered with
// the level manager under a game type of their own, three per difficulty, so
// the draw by difficulty is the real one; it speaks with the label "ToolShed",
// whose hints and description the content has.

#include <string>
#include <vector>

#include "Core/Source/Label.h"
#include "qdl/Source/Game/GameModeTypes.h"
#include "qdl/Source/Game/QuarrydaleGameMode.h"

class GameBaseTestGame : public QuarrydaleGameMode
{
public:
    // Past the twelve games, so that no real game's levels mix with the test's.
    static GameModeType const kLevelType = static_cast<GameModeType>(kNumGameModeTypes);
    static int const kNumTargets = 4;

    // playIntro shows the instruction overlay when set up; loops as the real
    // games take it (-1 from a menu or the story).
    GameBaseTestGame(bool playIntro, int loops);
    ~GameBaseTestGame() override;

    void Setup() override;
    void ReceiveMessage(Corvane::ObjectMessage const& message) override;
    void refreshMode() override;
    void setupCursor() override;

    // The game type whose levels it draws from, before it is set up.
    void setLevelType(GameModeType type) { levelType = type; }

    Corvane::Label getLevel() const { return level; }
    int getRightTarget() const { return rightTarget; }
    int getLoopsLeft() const { return loopsLeft; }
    int getWrongMoves() const { return wrongMoves; }
    int getOutros() const { return outros; }
    bool isPlayingIntro() const { return playIntro; }

    // The game's label for hints and Help.
    static Corvane::Label gameLabel();
    // The three levels of each difficulty, registered once; returns them all.
    static std::vector<Corvane::Label> registerLevels();
    // The target a level names; -1 for a label that names none.
    static int targetOfLevel(Corvane::Label level);
    // Makes every game maker start this game, as the story and the difficulty
    // selection construct a game (true, -1) unless told otherwise, and
    // registers its levels. The game types asked for since are kept, in order.
    static void install(bool playIntro = true, int loops = -1);
    static std::vector<GameModeType>& requestedTypes();
    // How many instances exist now (a loop replaces one by the next).
    static int liveInstances();

private:
    void startOutro();
    void finishOutro();

    bool playIntro;
    int loopsLeft;
    GameModeType levelType;
    Corvane::Label level;
    int rightTarget;
    int wrongMoves;
    int outros;
    Corvane::ObjectID blockerID;
};
