#pragma once

// The credits overlay over the title and the main menu: five pages, the
// frames of one image list, turned with the arrow buttons and kept within
// the first and the fifth; Back returns to the screen below. The pages do not
// follow the language; the overlay says nothing.
//
// Content: the layout "CreditsLayout" with Credits/TextPages and the buttons
// "BackButton", "buttonLeft" and "buttonRight"; the image list
// "Credits_TextPages"; the music "Music_GeneralUI".

#include "qdl/Source/Game/FrontEnd/FrontEndMode.h"

class MyCreditsMode : public FrontEndMode
{
public:
    // The index of the last page: there are always five.
    static int const kLastPage = 4;

    MyCreditsMode();

    void Setup() override;
    void Destroy() override;
    void Enter() override;
    bool IsOpaque() const override { return false; }

    int getPage() const { return page; }

    // One page on (true) or back, within the five, then shown again.
    void updateTextImage(bool forward);
    void refreshTextImage();

    // The buttons' actions.
    void goBack();
    void turnLeft();
    void turnRight();

protected:
    void handleButtonClick(Corvane::Label button) override;

private:
    int page;
};
