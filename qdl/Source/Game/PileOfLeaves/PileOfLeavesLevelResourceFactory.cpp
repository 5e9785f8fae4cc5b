#include "qdl/Source/Game/PileOfLeaves/PileOfLeavesLevelResourceFactory.h"

#include <algorithm>
#include <string>
#include <vector>

#include "Core/Source/Log.h"
#include "Core/Source/StringUtils.h"
#include "2DEngine/Source/Framework/Constant.h"

namespace
{

int readClamped(Corvane::IAttributeContainer const& attributes, wchar_t const* attribute, int absent, int low, int high,
                std::string const& name)
{
    int const read = attributes.GetAttribute(attribute, absent);
    int const kept = std::min(std::max(read, low), high);
    if (kept != read)
        Corvane::Internal::LogWrite("PileOfLeavesLevel \"%s\": %ls %d is taken as %d\n", name.c_str(), attribute, read,
                                    kept);
    return kept;
}

} // namespace

void PileOfLeavesLevelResourceFactory::readLevel(PileOfLeavesLevel& level,
                                                 Corvane::IAttributeContainer const& attributes,
                                                 Corvane::IXMLReader& /*reader*/) const
{
    std::string const name = Corvane::TruncateStringWideToASCII(attributes.GetAttribute(L"name").c_str());
    level.numTools = attributes.GetAttribute(L"numTools", 0);
    level.areaCover = readClamped(attributes, L"areaCover", 0, 0, kMaxAreaCover, name);
    level.toolCover = readClamped(attributes, L"toolCover", 0, 0, kMaxToolCover, name);
    level.cursorRadius = readClamped(attributes, L"cursorRadius", 100, 0, kMaxCursorRadius, name);
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
