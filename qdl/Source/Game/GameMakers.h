#pragma once

// The makers of the twelve mini-game modes: the one table through which the
// story (the level manager's steps) and the difficulty selection start a game.
// Each game's maker lives in the game's own folder (<Game>/<Game>Maker.cpp)
// and returns its mode as the story and the difficulty selection construct it,
// or null, logged, while the game cannot be started; a null maker result
// starts nothing and leaves the child on the screen they were on.

#include "Core/Source/Label.h"
#include "qdl/Source/Game/GameModeTypes.h"

namespace Corvane
{
class ApplicationMode;
}

// The level names a level of the game where the story gives one (only PlanAJob
// uses it); it is null from free play.
Corvane::ApplicationMode* createToolShedGame(Corvane::Label level);
Corvane::ApplicationMode* createStreetSignsGame(Corvane::Label level);
Corvane::ApplicationMode* createPlanAJobGame(Corvane::Label level);
Corvane::ApplicationMode* createPaintTheHouseGame(Corvane::Label level);
Corvane::ApplicationMode* createTollerStackerGame(Corvane::Label level);
Corvane::ApplicationMode* createHammerTheNailGame(Corvane::Label level);
Corvane::ApplicationMode* createCountTheMaterialsGame(Corvane::Label level);
Corvane::ApplicationMode* createTrundelsDeliveryGame(Corvane::Label level);
Corvane::ApplicationMode* createPileOfLeavesGame(Corvane::Label level);
Corvane::ApplicationMode* createScarrowPuzzleGame(Corvane::Label level);
Corvane::ApplicationMode* createHideAndSeekGame(Corvane::Label level);
Corvane::ApplicationMode* createHereToThereGame(Corvane::Label level);

// The mode of a game type from the table above; null for a type outside the
// twelve or a game that cannot be started.
Corvane::ApplicationMode* createGameModeOfType(GameModeType type, Corvane::Label level);

// Whether the game's manifest ("<Game>Mode.xml") was read to its end and holds
// the layout of the game's screen. If not, the child is told in the load
// failure box that the game cannot be opened, and the caller keeps the child
// where a way on remains: a game started from half its content could show
// nothing to click, not even Quit. A manifest never asked for, and a number
// of no game (-1 from the label lookups), are not judged.
bool isGameContentLoaded(int type);
