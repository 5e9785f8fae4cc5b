#pragma once

// Whether a screen looks the same as the game draws it (kept frames, only
// what changed drawn again, and every other drawing optimisation) and drawn
// whole with the optimisations off, compared in one frame of one play, so
// that nothing but the drawing differs. On a mismatch both pictures and a
// picture of their difference are kept for a person to look at.
//
// Set QDL_REFERENCE_PICTURE_DIR to a folder to keep the picture of every
// screen compared (<name>.png) and the pictures of a mismatch there
// (<name>-screen.png, <name>-reference.png, <name>-difference.png); without
// it, a mismatch's pictures go to the test's temporary folder.

#include <string>

#include <gtest/gtest.h>

#include "qdl/Tests/Driver/GameDriver.h"

namespace GameDriver
{

// Both ways of drawing put the same primitives through the same rasteriser
// and only clip them differently, so the pictures must agree exactly; a
// tolerance above 0 allows that much difference in a colour channel.
constexpr int kExactPicture = 0;

struct sPictureDifference
{
    // Pixels with a channel that differs by more than the tolerance.
    int pixels = 0;
    // The largest difference of a channel anywhere.
    int largest = 0;
};

// Both pictures must be of one size.
sPictureDifference ComparePictures(sPicture const& a, sPicture const& b, int tolerance);

// Draws the state on screen both ways (see Child::DrawOptimisedAndReference)
// and compares the pictures.
::testing::AssertionResult ShowsTheReferencePicture(Child& child, std::string const& name,
                                                    int tolerance = kExactPicture);

} // namespace GameDriver
