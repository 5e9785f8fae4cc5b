#include "qdl/Source/Game/PileOfLeaves/PileOfLeavesLevelResourceFactory.h"

#include <algorithm>
#include <vector>

#include "2DEngine/Source/Framework/Constant.h"
#include "qdl/Source/Game/PileOfLeaves/PileOfLeavesConstants.h"

namespace
{

// Each tool asked for is found and taken away, and the next is asked for from
// those left: a level needs one more tool than its loops, and at least one.
int toolsAskedFor(int difficulty)
{
    Corvane::Constant<std::vector<int> > const loops("RepeatedGameNumLoops");
    if (difficulty < 0 || !loops.IsValid())
        return 1;
    std::vector<int> const perDifficulty = loops;
    return static_cast<size_t>(difficulty) < perDifficulty.size()
               ? std::max(perDifficulty[static_cast<size_t>(difficulty)], 0) + 1
               : 1;
}

} // namespace

void PileOfLeavesLevelResourceFactory::readLevel(PileOfLeavesLevel& level,
                                                 Corvane::IAttributeContainer const& attributes,
                                                 std::wstring const& tag, Corvane::IXMLReader& /*reader*/,
                                                 LevelNumbers& numbers) const
{
    int const difficulty = lookUpName(attributes.GetAttribute(L"difficulty"), kGameModeDifficultyNames);
    level.numTools = numbers.wholeNumber(attributes, tag, L"numTools", 0, toolsAskedFor(difficulty),
                                         kMaxLeafCoveredTools);
    level.areaCover = numbers.wholeNumber(attributes, tag, L"areaCover", 0, 0, kMaxAreaCover);
    level.toolCover = numbers.wholeNumber(attributes, tag, L"toolCover", 0, 0, kMaxToolCover);
    // A radius of 0 blows no leaf aside.
    level.cursorRadius = numbers.wholeNumber(attributes, tag, L"cursorRadius", 100, 1, kMaxCursorRadius);
}
