#pragma once

// A child at the counting game, in the driver's script: reads the request from
// the dumper's box (the number written there and the material of the one item
// drawn beside it) and every pile from its picture (which material's picture
// list it comes from, and its frame: frame k shows k + 1 items), and clicks
// the middle of a pile. Reading runs on the loop's thread (Child::Look).

#include <string>
#include <vector>

#include "qdl/Tests/Driver/GameDriver.h"

class CountTheMaterialsMode;

namespace CountTheMaterialsPlayer
{

// A pile or the request as seen on the screen; material -1 when the picture
// is of no known material.
struct sSeen
{
    int material = -1;
    int count = -1;
    // The node path of the pile's picture, for the mouse.
    std::string path;
};

// The path of a node below the game's playfield.
std::string PlayfieldPath(std::string const& below);

// The request in the box, count -1 when the box is not shown.
sSeen ReadRequest(GameDriver::Child& child);
// The piles in their places, in place order.
std::vector<sSeen> ReadPiles(GameDriver::Child& child);
// The place of the pile equal to the request, or -1.
int FindPile(std::vector<sSeen> const& piles, sSeen const& request);

// Until the click mask is down (the piles can be clicked).
bool WaitForPiles(GameDriver::Child& child);
// Closes the instruction overlay with its OK button, or waits until it has
// closed itself.
bool CloseOverlay(GameDriver::Child& child);

// The game on top, or null.
CountTheMaterialsMode* TopGame();

} // namespace CountTheMaterialsPlayer
