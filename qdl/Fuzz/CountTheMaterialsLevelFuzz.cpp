// libFuzzer target for the counting game's level reader: every level made
// keeps at most five piles, and every level offered to the game asks for a
// known material and lays out only known ones.
#include "qdl/Fuzz/LevelFuzzHarness.h"
#include "qdl/Source/Game/CountTheMaterials/CountTheMaterialsLevelResourceFactory.h"

using LevelFuzz::check;

namespace
{

void checkLevel(CountTheMaterialsLevel const& level, Corvane::Label name)
{
    check(level.materials.size() <= static_cast<size_t>(CountTheMaterialsLevel::kMaxPiles));
    if (!LevelFuzz::isOffered(kGameModeType_CountTheMaterials, name))
        return;
    check(level.hasRequest && isBuildingMaterial(level.requestedMaterial) && level.requestedNumber >= 1);
    bool answered = false;
    for (MaterialData const& pile : level.materials)
    {
        check(isBuildingMaterial(pile.type) && pile.number >= 1);
        answered |= pile.type == level.requestedMaterial && pile.number == level.requestedNumber;
    }
    // An offered level can be won.
    check(answered);
}

} // namespace

LEVEL_FUZZ_TARGET(CountTheMaterialsLevel, CountTheMaterialsLevelResourceFactory, checkLevel)
