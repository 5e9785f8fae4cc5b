#pragma once

// The reader of "ScarrowPuzzleLevel" resources: "puzzleID" (whole number,
// default 0) names the picture lists "Puzzle<id>" and "Puzzle<id>_rollover";
// every "PuzzlePiece" start tag inside the level, at any depth, gives a piece
// from "pieceNum" (counted from 1 in the file, default 1), "x" and "y"
// (default 0). Nothing is checked here; the game deals with what it cannot
// use. The level is registered by difficulty.

#include "qdl/Source/Game/LevelResourceFactory.h"
#include "qdl/Source/Game/ScarrowPuzzle/ScarrowPuzzleLevel.h"

class ScarrowPuzzleLevelResourceFactory : public LevelResourceFactory<ScarrowPuzzleLevel, kGameModeType_ScarrowPuzzle>
{
protected:
    void readLevel(ScarrowPuzzleLevel& level, Corvane::IAttributeContainer const& attributes,
                   Corvane::IXMLReader& reader) const override;
};
