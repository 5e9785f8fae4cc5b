#pragma once

// ScarrowPuzzle (game type 9, label "ScarrowPuzzle"): a jigsaw of up to five
// pieces. The scarecrow peeks in twice; the pieces, shown whole on the
// picture, are shaken loose and thrown to distinct random source places; the
// scarecrow jumps three times; the instruction overlay is pushed and the
// input mask goes. The child clicks a piece, then its slot
// (ScarrowPuzzleElements.h); a click on the ground puts a held piece back.
// When every slot is filled "ScarrowPuzzle_GameComplete" is said and the
// level ends 2 s later. A level is played once.
//
// A level uses its first five pieces (the rest are logged and left out). A
// missing level gives the notification "Difficulty Level Not Found for
// ScarrowPuzzleMode" (the level and its file are logged, levelNotFound);
// a board without pieces, missing level or empty one, is won at once (no
// intro) and the level ends.
//
// Content: layout "ScarrowPuzzleModeLayout" (below "GameScreenRoot"/"Playfield":
// "PuzzleBackground", "PuzzlePieces"/"Source_1".."Source_5", "ScarrowPeeking",
// "ScarrowAnimNode", "DropItem_ClickMask", "MouseInput_ClickMask",
// "PuzzlePieceSlots"); the image list "PuzzleBG" (frame = puzzle id - 1);
// constants "ScarrowPeekMoveUpTime", "ScarrowPeekMoveDownTime",
// "ScarrowPeekWaitTime", "ScarrowPeekingPos_1"/"_2" and their "_Up",
// "JumpAnimAirTime", "ScarrowJumpingPath_1".."_3"; the jumper's animation
// "StartJump"; sounds "SFX_ScarrowBricks", "ScarrowPuzzle_GameComplete".

#include <vector>

#include "Core/Source/Label.h"
#include "CorvaneExtensions/Source/NodePath.h"
#include "qdl/Source/Game/QuarrydaleGameMode.h"
#include "qdl/Source/Game/ScarrowPuzzle/ScarrowPuzzleLevel.h"

class SceneNode;

class ScarrowPuzzleMode : public QuarrydaleGameMode
{
public:
    // The most pieces a puzzle has: one per source place.
    static constexpr int kMaxPieces = 5;
    // The boards, one frame per puzzle.
    static constexpr char const* kBoardPictures = "PuzzleBG";

    ScarrowPuzzleMode();
    ~ScarrowPuzzleMode() override;

    void Setup() override;
    // The scene, the mouse against nodes that moved, then the win test.
    void Update(float dt) override;
    void refreshMode() override;
    void setupCursor() override;

    // The frame of the boards behind the puzzle: its number less one; -1 (no
    // frame) for a number below one.
    static int backgroundFrame(int puzzleID);
    // The level's pieces the game builds, slots and pieces alike: its first five (the rest logged).
    static std::vector<ScarrowPuzzlePieceSlotData> piecesInPlay(ScarrowPuzzleLevel const& level,
                                                                Corvane::Label levelName);
    // Builds slots and pieces; false (with the notification) when there is no such level.
    bool initializeLevel(Corvane::Label level);
    void startIntroAnimation();
    void playIntroAnimation();
    // Acts once: speaks, and ends the level 2 s later.
    void playOutroAnimation();
    // Puts a held piece back at its source place.
    void cancelItemDragging();

private:
    SceneNode* findPlayfieldNode(NodePathElement const* path) const;

    // Set once the layout stands and the level is set up, found or not: from
    // then on a board without an empty slot is won.
    bool levelSetUp;
};
