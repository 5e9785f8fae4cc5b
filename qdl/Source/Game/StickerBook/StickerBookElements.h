#pragma once

// The two elements of the sticker book. A Sticker is one earned sticker of
// the list, shown at most 110 pixels high: a press picks it up and a
// full-size copy follows the mouse. The StickerBookSurface is the page: a
// press on it while a sticker is held sticks a full-size copy centred on the
// point pressed; in delete mode the page takes no press and a press on an
// opaque part of a stuck sticker removes it. Nothing of the page is kept.
// Both are wired as every mini-game element is (MiniGameElement.h).
//
// Content: the layouts "StickerLayout" ("StickerImage", not hit-testable in
// the file) and "StickerBookSurfaceLayout" ("clickNode", drawn above
// "stickerHolderNode"); the image list "AllStickersList"; the nodes
// StickerMode/Material_ClickMask and StickerMode/FX_Layer of the book's
// layout; the sound "SFX_StickerStick".

#include "2DEngine/Source/Framework/ObjectDatabase.h"
#include "qdl/Source/Game/MiniGameElement.h"

class Sticker : public MiniGameDragSource<Sticker>
{
public:
    // The tallest a list entry is shown, in pixels.
    static int const kMaxEntryHeight = 110;

    explicit Sticker(int index);
    ~Sticker() override;

    // Picks the sticker up unless it is already the one held.
    void handleMouseDown() override;
    void DoOnStartDragging() override;
    void DoOnCancel() override;
    void DoOnReleased() override;

    int getStickerIndex() const { return stickerIndex; }

private:
    // Removes the drag image; the click mask stops taking clicks unless
    // another sticker is being picked up at this moment.
    void dropDragImage();

    int stickerIndex;
};

class StickerBookSurface : public MiniGameDropTarget<Sticker>
{
public:
    StickerBookSurface();
    ~StickerBookSurface() override;

    Corvane::Label GetName() const override;

    // Sticks the held sticker here and releases it; nothing held: nothing.
    void handleMouseDown() override;
    void DropActivated(Sticker*) override {}

    // A full-size copy of sticker `index` centred on the last mouse position.
    void attachSticker(int index);
    // The stuck sticker of that root removes itself at its next task update.
    void deleteSticker(Corvane::ObjectID id);
    void setStickersDeleteMode(bool on);

    // The parent of the stuck stickers, drawn under the page's click area.
    SceneNode* getStickerHolder() const;
};
