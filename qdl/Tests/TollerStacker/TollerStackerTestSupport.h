#pragma once

// What the stacking game's plays share: the objects and platforms as the game
// holds them (read on the loop's thread), and the automated player that reads the level and
// stacks every colour biggest first.

#include <string>
#include <vector>

#include "Core/Source/Label.h"
#include "Core/Source/Vector2.h"
#include "2DEngine/Source/Framework/Object.h"
#include "qdl/Source/Game/GameModeTypes.h"
#include "qdl/Tests/Driver/GameDriver.h"
#include "qdl/Tests/Driver/MiniGamePlay.h"

class TollerStackerMode;

namespace TollerStackerTest
{

using GameDriver::Child;
using GameDriver::ClickAt;
using GameDriver::CountOf;
using GameDriver::SaveGameScreenshot;
using GameDriver::SoundsSince;

struct sObject
{
    Corvane::ObjectID id;
    int size;
    int color;
    int type;
    bool onGround;
    bool falling;
    bool clickable;
    // The centre of its picture on the screen.
    Corvane::Vector2<int> centre;
    // The node name of its parent: "Source_n" or "StackPoint_n".
    std::string place;
};

struct sPlatform
{
    Corvane::ObjectID id;
    int color;
    // "Target_Left" or "Target_Right".
    std::string place;
    Corvane::Vector2<int> click;
    std::vector<Corvane::ObjectID> stack;
};

struct sTable
{
    std::vector<sObject> objects;
    std::vector<sPlatform> platforms;
    Corvane::Label level;
    int roundsLeft = -1;
    bool outroStarted = false;
    // The object held now, or an invalid ID.
    Corvane::ObjectID held = Corvane::kInvalidObjectID;
    // The top mode as it was read, to tell one loop from the next.
    TollerStackerMode const* mode = nullptr;
};

// The game on top as it stands; empty when another screen is on top.
sTable ReadTable(Child& child);
// Until every object lies still on its ground place (after the shake-out).
bool WaitUntilSettled(Child& child);
// Until no object is falling back to the ground.
bool WaitUntilLanded(Child& child);
// A point of the playfield where only the drop mask takes a click.
Corvane::Vector2<int> const kEmptySpot(120, 220);
sObject const* FindObject(sTable const& table, Corvane::ObjectID id);
sPlatform const* PlatformOf(sTable const& table, int color);

// Whether the objects are those of the level record (size, colour, type, any order).
bool MatchesLevel(sTable const& table, std::string* why);

// Stacks every colour biggest first, each object followed by its platform,
// checking that each lands on "StackPoint_" rank + 1. Returns once the last
// object is dropped.
void StackEverything(Child& child);

// The game alone on the stack at that difficulty, as the difficulty selection
// starts it, for the profile "PondoButton" (stickers loaded); free play.
void StartGame(GameDriver::Driver& driver, GameModeDifficulty difficulty, bool playIntro = false);

} // namespace TollerStackerTest
