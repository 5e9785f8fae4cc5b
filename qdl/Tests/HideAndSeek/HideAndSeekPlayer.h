#pragma once

// The automated player of the hide-and-seek game, and the eyes it plays with.
// It never reads the answer from the game: it watches the cat as a child does.
// When the cat vanishes (the click mask drops), the hiding place is the
// obstacle whose corner lies 10 below where the cat was last seen; the player
// clicks an opaque point of that obstacle's picture.
//
// The look-ups run on the loop's thread (inside Child::Look or RunOnLoop).

#include <string>
#include <vector>

#include "Core/Source/Vector2.h"
#include "2DEngine/Source/Framework/Object.h"
#include "qdl/Tests/Driver/GameDriver.h"
#include "qdl/Tests/Driver/MiniGamePlay.h"

class HideAndSeekCharacter;
class HideAndSeekMode;
class HideAndSeekObstacle;
class SceneNode;

namespace HideAndSeekPlayer
{

using GameDriver::ClickAt;
using GameDriver::CountPlays;

// The game on the mode stack (under an overlay too), or null.
HideAndSeekMode* Game();
HideAndSeekCharacter* Cat();
// The obstacles of the running game in the order the database gives them.
std::vector<HideAndSeekObstacle*> Obstacles();
HideAndSeekObstacle* ObstacleByID(Corvane::ObjectID id);
// The cat's layout root, its picture, and whether the cat is shown.
SceneNode* CatRoot();
bool CatShown();
// The animation the cat plays ("Run", "Idle"), "" when none.
std::string CatAnimation();
// Whether the click mask is up.
bool MaskShown();

// Screen points of an obstacle's picture: one where the picture is opaque
// (alpha above 128), nearest its middle, and its transparent top-left corner.
bool OpaquePoint(HideAndSeekObstacle* obstacle, int* x, int* y);
bool TransparentPoint(HideAndSeekObstacle* obstacle, int* x, int* y);

// The player's eyes on the loop's thread: the cat's last position while it
// was shown, and the obstacle whose corner lies 10 below it.
class CatWatcher
{
public:
    // Call once a frame; notes where the cat is while it is shown.
    void Watch();
    Corvane::Vector2<float> LastSeen() const { return lastSeen; }
    // The obstacle whose layout corner is 10 below the last place seen; invalid when none.
    Corvane::ObjectID HidingPlace() const;

private:
    Corvane::Vector2<float> lastSeen;
};

// Waits (watching) until the cat has vanished and the mask is down; the
// hiding place as the child sees it, or invalid when the frames ran out.
Corvane::ObjectID WaitForHidingPlace(GameDriver::Child& child, CatWatcher& watcher);

// Clicks an opaque point of the obstacle; false when it has none.
bool ClickObstacle(GameDriver::Child& child, Corvane::ObjectID obstacle);


} // namespace HideAndSeekPlayer
