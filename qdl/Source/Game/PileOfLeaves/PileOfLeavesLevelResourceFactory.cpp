#include "qdl/Source/Game/PileOfLeaves/PileOfLeavesLevelResourceFactory.h"

#include <algorithm>
#include <vector>

#include "Core/Source/Log.h"
#include "Core/Source/StringUtils.h"
#include "2DEngine/Source/Framework/Constant.h"

void PileOfLeavesLevelResourceFactory::readLevel(PileOfLeavesLevel& level,
                                                 Corvane::IAttributeContainer const& attributes,
                                                 Corvane::IXMLReader& /*reader*/) const
{
    std::string const name = Corvane::TruncateStringWideToASCII(attributes.GetAttribute(L"name").c_str());
    level.numTools = attributes.GetAttribute(L"numTools", 0);
    level.areaCover = attributes.GetAttribute(L"areaCover", 0);
    level.toolCover = attributes.GetAttribute(L"toolCover", 0);
    int const radius = attributes.GetAttribute(L"cursorRadius", 100);
    level.cursorRadius = std::min(std::max(radius, 0), static_cast<int>(kMaxCursorRadius));
    if (level.cursorRadius != radius)
        Corvane::Internal::LogWrite("PileOfLeavesLevel \"%s\": cursorRadius %d is taken as %d\n", name.c_str(), radius,
                                    level.cursorRadius);
    // Each tool asked for is one found and destroyed: the level needs that many, and one more.
    int const difficulty = lookUpName(attributes.GetAttribute(L"difficulty"), kGameModeDifficultyNames);
    Corvane::Constant<std::vector<int> > const loops("RepeatedGameNumLoops");
    if (difficulty >= 0 && loops.IsValid())
    {
        std::vector<int> const perDifficulty = loops;
        int const asked = static_cast<size_t>(difficulty) < perDifficulty.size()
                              ? std::max(perDifficulty[static_cast<size_t>(difficulty)], 0) + 1
                              : 1;
        if (level.numTools < asked)
            Corvane::Internal::LogWrite("PileOfLeavesLevel \"%s\": numTools %d is fewer than the %d tools its "
                                        "difficulty asks for\n",
                                        name.c_str(), level.numTools, asked);
    }
}
