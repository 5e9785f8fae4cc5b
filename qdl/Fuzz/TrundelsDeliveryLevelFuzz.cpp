// libFuzzer target for the delivery game's level reader and the mode's set-up
// without a scene: every level made keeps only patterns of the symbols 0 to 2
// with at least one symbol; for every pattern kept, the six carts continue it
// and the five choices, all different, hold the type cart 6 needs.
#include <algorithm>
#include <set>
#include <vector>

#include "qdl/Fuzz/LevelFuzzHarness.h"
#include "qdl/Source/Game/TrundelsDelivery/TrundelsDeliveryLevelResourceFactory.h"
#include "qdl/Source/Game/TrundelsDelivery/TrundelsDeliveryMode.h"

using LevelFuzz::check;

namespace
{

void checkLevel(TrundelsDeliveryLevel const& level, Corvane::Label name)
{
    check(!level.patterns.empty() || !LevelFuzz::isOffered(kGameModeType_TrundelsDelivery, name));
    // Any order of the thirteen types, as the mode draws one.
    std::vector<TrundelsDeliveryType> mapping;
    for (int type = 0; type < kNumTrundelsDeliveryTypes; ++type)
        mapping.push_back((type * 5 + 3) % kNumTrundelsDeliveryTypes);
    for (std::vector<int> const& pattern : level.patterns)
    {
        check(!pattern.empty());
        for (int const symbol : pattern)
            check(symbol >= 0 && symbol <= 2);
        std::vector<TrundelsDeliveryType> const carts = TrundelsDeliveryMode::cartTypes(pattern, mapping);
        check(carts.size() == static_cast<size_t>(TrundelsDeliveryMode::kNumCarts));
        for (size_t cart = 0; cart < carts.size(); ++cart)
            check(carts[cart] == mapping[static_cast<size_t>(pattern[cart % pattern.size()])]);
        std::vector<TrundelsDeliveryType> const choices = TrundelsDeliveryMode::choiceTypes(mapping);
        check(std::set<TrundelsDeliveryType>(choices.begin(), choices.end()).size() == choices.size());
        check(std::find(choices.begin(), choices.end(), carts.back()) != choices.end());
        // A wrong choice is always named by one of the three lines.
        for (TrundelsDeliveryType const choice : choices)
            check(wrongChoiceLine(choice, carts.back()) != nullptr);
    }
}

} // namespace

LEVEL_FUZZ_TARGET(TrundelsDeliveryLevel, TrundelsDeliveryLevelResourceFactory, checkLevel)
