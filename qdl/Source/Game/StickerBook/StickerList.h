#pragma once

// The strip of the sticker book that shows the earned stickers, a page at a
// time, in ascending order of their frame in "AllStickersList". The pages are
// worked out once, from the stickers' sizes as the list shows them; the two
// page buttons of the book's layout turn them, and are disabled at the ends.
//
// Content: the layout "StickerListLayout" ("ListBG"/"ListField", which lays
// its children out); the buttons StickerMode/StickersRightButton and
// StickerMode/StickersLeftButton of the book's layout.

#include <functional>
#include <utility>
#include <vector>

#include "CorvaneExtensions/Source/SceneLayoutController.h"

class ButtonNode;
class SceneNode;

// The index at which each page begins; never empty, the first is 0. The
// running width counts each earned sticker's shown width plus 4; past 550 the
// sticker begins a new page, which then counts that sticker's width alone.
// `size` gives a sticker's picture as (width, height) in pixels.
std::vector<int> splitStickerPages(std::vector<bool> const& earned,
                                   std::function<std::pair<int, int>(int)> const& size);

class StickerList : public SceneLayoutController
{
public:
    StickerList();
    ~StickerList() override;

    SceneNode* GetLayoutNode() override { return listRoot; }

    // Replaces the entries by those of the current page; a sticker held from
    // the entries replaced is dropped first.
    void populateStickerList();
    void DownButtonClicked();
    void UpButtonClicked();
    void updateButtonStates();

    std::vector<int> const& getPageStarts() const { return pageStarts; }
    int getCurrentPage() const { return currentPage; }
    SceneNode* getListField() const;

private:
    SceneNode* listRoot;
    std::vector<int> pageStarts;
    int currentPage;
};
