#pragma once

// What the sticker book's plays and benchmarks share: picking up the list's
// first sticker as a child does, by a press on its entry.

#include <utility>

#include "Core/Source/Rect.h"
#include "CorvaneExtensions/Source/SceneNode.h"
#include "qdl/Tests/Driver/GameDriver.h"

namespace StickerBookTest
{

// A press and a release on the centre of the list's first entry; false when
// the list shows none.
inline bool pickUpTheFirstSticker(GameDriver::Child& child)
{
    std::pair<int, int> const centre = child.Look([] {
        SceneNode* const field = GameDriver::Child::FindNode("ListField");
        if (!field || field->GetChildren().empty())
            return std::make_pair(-1, -1);
        Corvane::Rect<float> const bounds = field->GetChildren().front()->GetCompositeBounds();
        return std::make_pair(int(bounds.x + bounds.width / 2), int(bounds.y + bounds.height / 2));
    });
    return centre.first >= 0 && child.MoveMouseTo(centre.first, centre.second) && child.PressMouse() &&
           child.ReleaseMouse();
}

} // namespace StickerBookTest
