#pragma once

// The level record of ScarrowPuzzle: the puzzle's number and, in the order of
// the level file, each piece with the place of its slot on the board. Filled
// by the game's level factory while the manifest loads; not changed
// afterwards.

#include <vector>

#include "Core/Source/Label.h"

struct ScarrowPuzzlePieceSlotData
{
    ScarrowPuzzlePieceSlotData() : pieceNum(0), x(0.0f), y(0.0f) {}

    // "Puzzle<id>" and "Puzzle<id>_rollover"; the piece is frame pieceNum of each.
    Corvane::Label image;
    Corvane::Label rollover;
    // Counted from 0: the file's number less one.
    int pieceNum;
    float x;
    float y;
};

class ScarrowPuzzleLevel
{
public:
    ScarrowPuzzleLevel() : puzzleID(0) {}

    int puzzleID;
    std::vector<ScarrowPuzzlePieceSlotData> puzzlePieces;
};
