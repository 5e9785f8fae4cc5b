// libFuzzer target for ScarrowPuzzle's level reader and the mode's set-up
// without a scene: every piece made names its puzzle's picture lists, the
// puzzle's background frame is its number less one (none below one), and the
// mode builds the level's first five pieces, in order.
#include <algorithm>
#include <string>
#include <vector>

#include "qdl/Fuzz/LevelFuzzHarness.h"
#include "qdl/Source/Game/ScarrowPuzzle/ScarrowPuzzleLevelResourceFactory.h"
#include "qdl/Source/Game/ScarrowPuzzle/ScarrowPuzzleMode.h"

using LevelFuzz::check;

namespace
{

void checkLevel(ScarrowPuzzleLevel const& level, Corvane::Label name)
{
    int const frame = ScarrowPuzzleMode::backgroundFrame(level.puzzleID);
    check(level.puzzleID >= 1 ? frame == level.puzzleID - 1 : frame == -1);
    std::string const base = "Puzzle" + std::to_string(level.puzzleID);
    check(level.puzzleID >= 1 || !LevelFuzz::isOffered(kGameModeType_ScarrowPuzzle, name));
    for (ScarrowPuzzlePieceSlotData const& piece : level.puzzlePieces)
    {
        // A piece is a frame of its lists, and its slot a place on the screen.
        check(piece.pieceNum >= 0 && piece.x >= 0.0f && piece.x <= 800.0f && piece.y >= 0.0f && piece.y <= 600.0f);
        check(piece.image == Corvane::Label::FromString(base));
        check(piece.rollover == Corvane::Label::FromString(base + "_rollover"));
    }
    std::vector<ScarrowPuzzlePieceSlotData> const built = ScarrowPuzzleMode::piecesInPlay(level, name);
    size_t const expected = std::min(level.puzzlePieces.size(), static_cast<size_t>(ScarrowPuzzleMode::kMaxPieces));
    check(built.size() == expected);
    for (size_t i = 0; i < built.size(); ++i)
        check(built[i].pieceNum == level.puzzlePieces[i].pieceNum && built[i].image == level.puzzlePieces[i].image);
}

} // namespace

LEVEL_FUZZ_TARGET(ScarrowPuzzleLevel, ScarrowPuzzleLevelResourceFactory, checkLevel)
