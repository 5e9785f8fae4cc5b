#pragma once

// The reader of "ScarrowPuzzleLevel" resources: "puzzleID" (whole number from
// 1; a level without one is not registered) names the picture lists
// "Puzzle<id>" and "Puzzle<id>_rollover"; every "PuzzlePiece" start tag inside
// the level, at any depth, gives a piece from "pieceNum" (counted from 1 in
// the file, default 1), "x" and "y" (a place on the 800 x 600 screen, default
// 0). A level without pieces is registered: the game ends it at once. One
// whose board or one of whose first five pieces has no picture is not. The
// level is registered by difficulty.

#include "qdl/Source/Game/LevelResourceFactory.h"
#include "qdl/Source/Game/ScarrowPuzzle/ScarrowPuzzleLevel.h"

class ScarrowPuzzleLevelResourceFactory : public LevelResourceFactory<ScarrowPuzzleLevel, kGameModeType_ScarrowPuzzle>
{
protected:
    void readLevel(ScarrowPuzzleLevel& level, Corvane::IAttributeContainer const& attributes,
                   std::wstring const& tag, Corvane::IXMLReader& reader, LevelNumbers& numbers) const override;
};
