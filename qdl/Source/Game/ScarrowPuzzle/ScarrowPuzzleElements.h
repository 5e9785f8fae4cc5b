#pragma once

// The two elements of ScarrowPuzzle. A ScarrowPuzzlePiece is one piece of the
// picture: it takes clicks only where its picture is opaque; a click picks it
// up (it vanishes from its source place and a copy follows the mouse). A
// ScarrowPuzzlePieceSlot is the place of one piece in the picture: it shows
// nothing until its piece is put in. A click on a slot judges the held piece
// there, unless the piece's own slot is strictly nearer than
// "PieceSlotMaxClickDist" to the mouse: then that slot takes it. Both are
// wired as every mini-game element is (MiniGameElement.h).
//
// Content: layouts "ScarrowPuzzlePieceLayout" ("imageNode",
// "imageNode"/"rolloverNode") and "ScarrowPuzzlePieceSlotLayout"
// ("imageNode", "clickZone"); the constant "PieceSlotMaxClickDist"; sounds
// "SFX_BrickDrop", "SFX_ObjectStick", "SFX_ObjectRollover",
// "ScarrowPuzzle_IncorrectAnswer", "General_CorrectAnswer".

#include "Core/Source/Label.h"
#include "Core/Source/Vector2.h"
#include "qdl/Source/Game/MiniGameElement.h"
#include "qdl/Source/Game/ScarrowPuzzle/ScarrowPuzzleLevel.h"

class ScarrowPuzzlePiece : public MiniGameDragSource<ScarrowPuzzlePiece>
{
public:
    explicit ScarrowPuzzlePiece(ScarrowPuzzlePieceSlotData const& data);
    ~ScarrowPuzzlePiece() override;

    void DoOnStartDragging() override;
    void DoOnCancel() override;
    void DoOnReleased() override;
    Corvane::Label GetRole() const override;

    // Puts the piece, drawn whole, at its place on the picture.
    void moveToStartPt();
    // Shaken loose, then a flight to its source place; the piece's own queue
    // waits at a cue point until the flight is over.
    void setUpIntroAnim();
    void shakeMouseFollowNode();

    Corvane::Label image;
    Corvane::Label rollover;
    int pieceNum;
    // The piece's place on the picture, in screen coordinates.
    float x;
    float y;

private:
    Corvane::Vector2<float> startPointInParent() const;
    void putBack();
};

class ScarrowPuzzlePieceSlot : public MiniGameDropTarget<ScarrowPuzzlePiece>
{
public:
    ScarrowPuzzlePieceSlot(Corvane::Label image, int pieceNum);
    ~ScarrowPuzzlePieceSlot() override;

    // Judges the held piece here, or at its own slot when that is near enough.
    void handleMouseDown() override;
    void puzzleSlotClicked(ScarrowPuzzlePiece* piece);
    void DropActivated(ScarrowPuzzlePiece* piece) override;
    Corvane::Label GetRole() const override;

    bool fits(ScarrowPuzzlePiece const* piece) const;
    // The centre of the click zone on the screen.
    Corvane::Vector2<float> getCentre() const;
    bool isFilled() const { return filled; }

    // Whether a click at `mouse` counts as near a slot centred at `centre`:
    // strictly closer than maxDistance.
    static bool isNear(float maxDistance, Corvane::Vector2<float> centre, Corvane::Vector2<float> mouse);

    Corvane::Label image;
    int pieceNum;

private:
    bool filled;
};
