#pragma once

// The sticker book: the earned stickers in a paged list, one page to stick
// them on (two presses: pick up, stick), three or more backgrounds, an eraser
// that removes stuck stickers, spoken help, and Quit back to the main menu.
// Each visit starts with the first background, an empty page and the eraser
// off; nothing of the page is kept.
//
// Content: the layout "StickerModeLayout" with StickerMode/BG_Image,
// StickerMode/Surface, StickerMode/StickerList, StickerMode/FX_Layer,
// StickerMode/Material_ClickMask, StickerMode/eraser and the buttons
// "QuitButton", "HelpButton", "BGLeftButton", "BGRightButton"; the image list
// "StickerBGs"; the image "StickerMode_Eraser_Image" (hot spot 5, 9); the
// voice-over "Instructions_StickerBook_Yarrowfete"; the music "Music_GeneralUI".

#include "qdl/Source/Game/FrontEnd/FrontEndMode.h"

class StickerBookSurface;
class StickerList;

class StickerBookMode : public FrontEndMode
{
public:
    StickerBookMode();
    ~StickerBookMode() override;

    Corvane::MessageResult OnKeyDown(int key) override;
    void Update(float dt) override;
    void Setup() override;
    void Enter() override;
    void Exit() override;

    void toggleStickerDeleteMode();
    // The eraser off whatever its state, cursor and page back to normal.
    void turnOffDeleteMode();
    // Drops the held sticker without sticking it; nothing held: nothing.
    void cancelMaterialDragging();

    bool isDeleteMode() const { return deleteMode; }
    int getBackgroundIndex() const { return backgroundIndex; }
    StickerList* getStickerList() const;

    // The buttons' actions.
    void quitBook();
    void playHelp();
    void nextBackground();
    void previousBackground();

protected:
    void handleButtonClick(Corvane::Label button) override;

private:
    void showBackground();

    bool deleteMode;
    int backgroundIndex;
    Corvane::ObjectID listID;
};
