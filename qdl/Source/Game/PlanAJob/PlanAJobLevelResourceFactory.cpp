#include "qdl/Source/Game/PlanAJob/PlanAJobLevelResourceFactory.h"

#include <algorithm>
#include <memory>

#include "Core/Source/Log.h"
#include "qdl/Source/Game/GameConstants.h"
#include "qdl/Source/Game/LevelManager.h"

using namespace Corvane;

namespace
{

char const* const kObjectSuffixes[3] = {"_Objects_Easy", "_Objects_Medium", "_Objects_Hard"};

Label suffixed(std::wstring const& base, char const* suffix)
{
    return Label::FromString(base + std::wstring(suffix, suffix + std::char_traits<char>::length(suffix)));
}

} // namespace

IResourceDescriptor* PlanAJobLevelResourceFactory::CreateResource(std::wstring const& manifest, Label name,
                                                                 IAttributeContainer const& attributes,
                                                                 IXMLReader&) const
{
    std::unique_ptr<ResourceWrapper<PlanAJobLevel> > resource(
        new ResourceWrapper<PlanAJobLevel>(manifest, name, attributes));
    PlanAJobLevel& level = *resource;
    int const difficulty = lookUpName(attributes.GetAttribute(L"difficulty"), kGameModeDifficultyNames);
    std::wstring const base = attributes.GetAttribute(L"imageList");
    level.objects = suffixed(base, kObjectSuffixes[difficulty >= 0 && difficulty < 2 ? difficulty : 2]);
    level.targets = suffixed(base, "_Targets");
    level.spriteType = suffixed(base, "_SpriteType");
    int const numEmpty = attributes.GetAttribute(L"numEmpty", 0);
    // Outside 1..5 there is no group of card places: 0 would pre-fill every slot and win at once.
    level.numEmpty = std::min(std::max(numEmpty, 1), PlanAJobLevel::kNumSteps);
    if (level.numEmpty != numEmpty)
        Internal::LogWrite("PlanAJob level %s: numEmpty %d is outside 1 to %d; the game leaves %d steps empty\n",
                           name.GetString(), numEmpty, PlanAJobLevel::kNumSteps, level.numEmpty);
    // A record read again under this name replaces the earlier one, and so does its difficulty.
    GetLevelManager()->removeLevelForGameModeType(kGameModeType_PlanAJob, name);
    GetLevelManager()->addLevelForGameModeType(kGameModeType_PlanAJob, name,
                                               static_cast<GameModeDifficulty>(difficulty));
    return resource.release();
}
