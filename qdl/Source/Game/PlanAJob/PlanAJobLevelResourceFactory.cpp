#include "qdl/Source/Game/PlanAJob/PlanAJobLevelResourceFactory.h"

#include <memory>

#include "Core/Source/Log.h"
#include "qdl/Source/Game/GameConstants.h"
#include "qdl/Source/Game/LevelManager.h"
#include "qdl/Source/Game/LevelResourceFactory.h"

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
    // Between one and all five steps are left for the child: with none the blueprint is full.
    LevelNumbers numbers(manifest, name);
    level.numEmpty = numbers.wholeNumber(attributes, L"PlanAJobLevel", L"numEmpty", 0, 1, PlanAJobLevel::kNumSteps);
    // A record read again under this name replaces the earlier one, and so does its difficulty.
    GetLevelManager()->removeLevelForGameModeType(kGameModeType_PlanAJob, name);
    if (difficulty < 0)
        Internal::LogWrite("%s, level %s has no difficulty of Easy, Medium or Hard and is not used\n",
                           numbers.getFile().c_str(), name.GetString());
    else if (!numbers.isRefused())
        GetLevelManager()->addLevelForGameModeType(kGameModeType_PlanAJob, name,
                                                   static_cast<GameModeDifficulty>(difficulty));
    return resource.release();
}
