#pragma once

// The reader of "PileOfLeavesLevel" resources, from the level element's
// attributes alone: "numTools", "areaCover" and "toolCover" (0 when absent),
// "cursorRadius" (100 when absent). The radius lies within 1 to 1,000 pixels,
// so that its square fits an int, and the leaf counts within 0 to their
// limits below; a level whose tools are fewer than its difficulty asks for
// (one more than its loops) or more than can be placed is not registered.

#include "qdl/Source/Game/LevelResourceFactory.h"
#include "qdl/Source/Game/PileOfLeaves/PileOfLeavesLevel.h"

class PileOfLeavesLevelResourceFactory : public LevelResourceFactory<PileOfLeavesLevel, kGameModeType_PileOfLeaves>
{
public:
    static constexpr int kMaxCursorRadius = 1000;
    // The most leaves scattered over the area, and heaped on each tool: every
    // leaf is placed against all others while the mode sets up.
    static constexpr int kMaxAreaCover = 200;
    static constexpr int kMaxToolCover = 20;

protected:
    void readLevel(PileOfLeavesLevel& level, Corvane::IAttributeContainer const& attributes,
                   std::wstring const& tag, Corvane::IXMLReader& reader, LevelNumbers& numbers) const override;
};
