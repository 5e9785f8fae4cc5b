// libFuzzer target for the leaf-blowing game's level reader and the mode's
// drawing of its tools: every level made keeps a cursor radius whose square
// fits an int and leaf counts the mode can lay out at once; the tools drawn
// for it are as many as asked and may be drawn (at most 22), each type and
// colour pair once and within the rule for the level's size.
#include <algorithm>
#include <set>
#include <utility>
#include <vector>

#include "qdl/Fuzz/LevelFuzzHarness.h"
#include "qdl/Source/Game/PileOfLeaves/PileOfLeavesConstants.h"
#include "qdl/Source/Game/PileOfLeaves/PileOfLeavesLevelResourceFactory.h"
#include "qdl/Source/Game/PileOfLeaves/PileOfLeavesMode.h"

using LevelFuzz::check;

namespace
{

void checkLevel(PileOfLeavesLevel const& level, Corvane::Label)
{
    check(level.cursorRadius >= 1 && level.cursorRadius <= PileOfLeavesLevelResourceFactory::kMaxCursorRadius);
    check(level.areaCover >= 0 && level.areaCover <= PileOfLeavesLevelResourceFactory::kMaxAreaCover);
    check(level.toolCover >= 0 && level.toolCover <= PileOfLeavesLevelResourceFactory::kMaxToolCover);

    int const wanted = std::max(0, level.numTools);
    std::vector<sLeafToolDraw> const tools = PileOfLeavesMode::drawTools(level.numTools);
    check(tools.size() == static_cast<size_t>(std::min(wanted, PileOfLeavesMode::toolsAvailable(wanted))));
    check(tools.size() <= static_cast<size_t>(kMaxLeafCoveredTools));
    std::set<std::pair<int, int> > pairs;
    std::vector<int> colorsOfType(kNumQuarrydaleTools, 0);
    for (sLeafToolDraw const& tool : tools)
    {
        check(tool.type >= 0 && tool.type < kNumQuarrydaleTools && tool.color >= 0 && tool.color < kNumLeafToolColors);
        check(pairs.insert(std::make_pair(tool.type, tool.color)).second);
        check(PileOfLeavesMode::mayDrawTool(wanted, tool.type, colorsOfType[tool.type]++));
    }
}

} // namespace

LEVEL_FUZZ_TARGET(PileOfLeavesLevel, PileOfLeavesLevelResourceFactory, checkLevel)
