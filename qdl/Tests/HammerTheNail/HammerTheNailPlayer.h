#pragma once

// Reads the HammerTheNail board as a child does, from what is drawn: each
// nail's type and colour from the picture list its picture comes from and its
// clicks left from the frame; each boxed tool's type from its list and its
// colour from the frame. The readers run on the game loop's thread (inside
// Child::Look); the player plays from the script's thread.

#include <string>
#include <vector>

#include "qdl/Source/Game/HammerTheNail/HammerTheNailConstants.h"
#include "qdl/Tests/Driver/GameDriver.h"
#include "qdl/Tests/Driver/MiniGamePlay.h"

namespace HammerTheNailPlayer
{

using GameDriver::ClickAt;
using GameDriver::CountPlays;

struct sPiece
{
    int type = -1;
    int color = -1;
    // A nail's clicks left; a tool's -1.
    int frame = -1;
    // The centre of the picture on the screen.
    int x = 0;
    int y = 0;
    // The picture's top-left corner on the screen.
    int left = 0;
    int top = 0;
    // A tool: still in its box (shown and clickable).
    bool inBox = false;
};

std::vector<sPiece> ReadNails();
std::vector<sPiece> ReadTools();
// The floating tool's root, or null.
SceneNode* FloatingTool();
bool IsInputMasked();
bool IsOutroStarted();


// Closes the instruction overlay with its OK button, or waits for it to close itself.
bool DismissOverlay(GameDriver::Child& child);
// Picks up the boxed tool of that type and colour; false when there is none.
bool PickUp(GameDriver::Child& child, int type, int color);
// Drives in every nail of the board, checking each click; false at the first failure.
bool DriveInEveryNail(GameDriver::Child& child);

} // namespace HammerTheNailPlayer
