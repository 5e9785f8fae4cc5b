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
    check(level.hasRequest && isBuildingMaterial(level.requestedMaterial));
    for (MaterialData const& pile : level.materials)
        check(isBuildingMaterial(pile.type));
}

} // namespace

LEVEL_FUZZ_TARGET(CountTheMaterialsLevel, CountTheMaterialsLevelResourceFactory, checkLevel)
