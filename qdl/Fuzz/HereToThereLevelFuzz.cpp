// libFuzzer target for HereToThere's level reader and the placing of a level's
// houses: every level made, whatever its animals and counts, fills each of the
// twelve slots exactly once, every house on the road of its slot.
#include <set>

#include "qdl/Fuzz/LevelFuzzHarness.h"
#include "qdl/Source/Game/HereToThere/HereToThereHousePlacement.h"
#include "qdl/Source/Game/HereToThere/HereToThereLevelResourceFactory.h"

using LevelFuzz::check;

namespace
{

class CheckingSite : public HereToThereHouseSite
{
public:
    void placeHouse(int slot, HereToThereObjectColor, HereToThereObjectShape, int road) override
    {
        take(slot);
        check(road == slot / kNumHereToThereHouseSlotsPerRoad);
    }
    void placeDummyHouse(int slot) override { take(slot); }

    void take(int slot)
    {
        check(slot >= 0 && slot < kNumHereToThereHouseSlots && slots.insert(slot).second);
    }

    std::set<int> slots;
};

void checkLevel(HereToThereLevel const& level, Corvane::Label name)
{
    check(level.numBuildings >= 0 && level.numBuildings <= kNumHereToThereHouseSlots);
    check(level.animals.size() >= 1 || !LevelFuzz::isOffered(kGameModeType_HereToThere, name));
    CheckingSite site;
    placeHereToThereHouses(level, site);
    check(site.slots.size() == static_cast<size_t>(kNumHereToThereHouseSlots));
}

} // namespace

LEVEL_FUZZ_TARGET(HereToThereLevel, HereToThereLevelResourceFactory, checkLevel)
