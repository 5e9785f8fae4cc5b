#pragma once

// The reward after a won mini-game, over the finished game: the new sticker
// drops in over a turning starburst with a congratulation in the player's
// language, then the screen moves on by itself, or at once on "ResumeGame":
// to the free-play selection in free play, else to the story's next step. It
// moves on once, however many clicks and timer ends fall before the change;
// a story step that starts nothing leaves Resume working.
//
// Content: the layout "StickerRewardLayout" with the nodes
// StickerReward/LocalRoot (the dropping group),
// StickerReward/LocalRoot/unlockedImage, StickerReward/LocalRoot/starburst,
// StickerReward/LocalRoot/StickerRewardMessage_EN and
// StickerReward/LocalRoot/StickerRewardMessage_SP; the button "ResumeGame";
// the image list "AllStickersList"; the float constants
// "StickerScreenDropTime", "StickerScreenBounceTime" and
// "StickerScreenDisplayTime" and the vector "StickerScreenEndLocation"; the
// sounds "SFX_GameWin" and, when the book was completed, "VO_StickerBookDone".

#include "qdl/Source/Game/FrontEnd/FrontEndMode.h"

class StickerUnlockMode : public FrontEndMode
{
public:
    // The sticker's index in "AllStickersList", or -1 when no sticker was left.
    explicit StickerUnlockMode(int stickerIndex);

    void Setup() override;
    void Destroy() override {}
    void Enter() override;
    bool IsOpaque() const override { return false; }

    // Leaves the screen for free play or the story's next step; once.
    void continueToNextMode();

    int getStickerIndex() const { return stickerIndex; }

protected:
    void handleButtonClick(Corvane::Label button) override;

private:
    int stickerIndex;
};
