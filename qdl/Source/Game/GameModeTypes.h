#pragma once

// The twelve mini-games and the three difficulties, and the labels by which
// the story and the free-play screens name the games.

#include "Core/Source/Label.h"

enum GameModeType
{
    kGameModeType_ToolShed = 0,
    kGameModeType_StreetSigns = 1,
    kGameModeType_PlanAJob = 2,
    kGameModeType_PaintIt = 3,
    kGameModeType_TollerStacker = 4,
    kGameModeType_HammerTheNail = 5,
    kGameModeType_CountTheMaterials = 6,
    kGameModeType_TrundelsDelivery = 7,
    kGameModeType_PileOfLeaves = 8,
    kGameModeType_ScarrowPuzzle = 9,
    kGameModeType_HideAndSeek = 10,
    kGameModeType_HereToThere = 11,
    kNumGameModeTypes
};

// Sized, so that -1, the value of a name that matches nothing, is a value of the type.
enum GameModeDifficulty : int
{
    kGameModeDifficulty_Easy = 0,
    kGameModeDifficulty_Medium = 1,
    kGameModeDifficulty_Hard = 2,
    kNumGameModeDifficulties
};

// "Easy", "Medium", "Hard": the "difficulty" attribute of every level file.
extern char const* const kGameModeDifficultyNames[kNumGameModeDifficulties];

// The game's label ("TrundelDelivery" for the delivery game); null for a
// value outside the twelve.
Corvane::Label getGameModeLabel(GameModeType type);
// The game a label names, or -1 for a label of no game.
int getGameModeTypeForLabel(Corvane::Label game);
