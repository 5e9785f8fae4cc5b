// libFuzzer target for the stacking game's level reader and the mode's set-up
// without a scene: every level made keeps at most ten objects of Red and Blue
// and at most five of a colour, and plans every kept object onto a ground
// place of its own and at most two platforms.
#include <algorithm>
#include <set>
#include <utility>

#include "qdl/Fuzz/LevelFuzzHarness.h"
#include "qdl/Source/Game/TollerStacker/TollerStackerLevelResourceFactory.h"
#include "qdl/Source/Game/TollerStacker/TollerStackerMode.h"

using LevelFuzz::check;

namespace
{

void checkLevel(TollerStackerLevel const& level, Corvane::Label name)
{
    check(level.objects.size() <= static_cast<size_t>(TollerStackerLevel::kMaxObjects));
    bool const offered = LevelFuzz::isOffered(kGameModeType_TollerStacker, name);
    // An offered level has objects, each of a picture, and one right place for each.
    check(!offered || !level.objects.empty());
    std::set<std::pair<int, int> > sizes;
    int perColor[kNumStackObjectColors] = {0, 0};
    for (StackableObjectData const& object : level.objects)
    {
        check(!offered || (object.size >= 1 && sizes.insert(std::make_pair(object.color, object.size)).second));
        check(object.color >= 0 && object.color < kNumStackObjectColors);
        check(object.type >= 0 && object.type < kNumStackObjectTypes);
        check(++perColor[object.color] <= TollerStackerLevel::kMaxObjectsPerColor);
    }
    sStackerPlan const plan = TollerStackerMode::planLevel(level);
    check(plan.objectPlaces.size() == level.objects.size());
    std::set<int> const places(plan.objectPlaces.begin(), plan.objectPlaces.end());
    check(places.size() == plan.objectPlaces.size());
    check(places.empty() || (*places.begin() >= 0 && *places.rbegin() < TollerStackerMode::kNumGroundPlaces));
    check(plan.platformColors.size() <= static_cast<size_t>(TollerStackerMode::kNumPlatformPlaces));
    check(std::is_sorted(plan.platformColors.begin(), plan.platformColors.end()));
}

} // namespace

LEVEL_FUZZ_TARGET(TollerStackerLevel, TollerStackerLevelResourceFactory, checkLevel)
