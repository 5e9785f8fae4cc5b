// libFuzzer target for PlanAJob's level reader, which leaves the level's
// children to the manifest, and the mode's dealing of the steps: every level
// made leaves 1 to 5 steps empty, and the deal draws exactly that many
// distinct missing steps beside the pre-filled rest.
#include <set>

#include "qdl/Fuzz/LevelFuzzHarness.h"
#include "qdl/Source/Game/PlanAJob/PlanAJobLevelResourceFactory.h"
#include "qdl/Source/Game/PlanAJob/PlanAJobMode.h"

using LevelFuzz::check;

namespace
{

void checkLevel(PlanAJobLevel const& level, Corvane::Label name)
{
    // A level without a step to place is not offered; the mode deals one all the same.
    check((level.numEmpty >= 1 && level.numEmpty <= PlanAJobLevel::kNumSteps) ||
          (level.numEmpty == 0 && !LevelFuzz::isOffered(kGameModeType_PlanAJob, name)));
    check(level.objects.IsValid() && level.targets.IsValid() && level.spriteType.IsValid());
    sPlanAJobDeal const deal = PlanAJobMode::dealSteps(level.numEmpty);
    check(deal.preFilled.size() == static_cast<size_t>(PlanAJobLevel::kNumSteps));
    check(deal.missing.size() == static_cast<size_t>(std::max(level.numEmpty, 1)));
    std::set<int> missing;
    for (int const step : deal.missing)
    {
        check(step >= 0 && step < PlanAJobLevel::kNumSteps && missing.insert(step).second);
        check(!deal.preFilled[static_cast<size_t>(step)]);
    }
    for (int step = 0; step < PlanAJobLevel::kNumSteps; ++step)
        check(deal.preFilled[static_cast<size_t>(step)] || missing.count(step) == 1);
}

} // namespace

LEVEL_FUZZ_TARGET(PlanAJobLevel, PlanAJobLevelResourceFactory, checkLevel)
