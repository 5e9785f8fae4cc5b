// libFuzzer target for the fence-painting game's level reader and the mode's
// set-up without a scene: every pattern kept has at least one symbol, each 0
// to 2; for each, under a drawn colour map, the ten stripes continue it and
// take only the colours of the three buckets offered.
#include <algorithm>
#include <vector>

#include "qdl/Fuzz/LevelFuzzHarness.h"
#include "qdl/Source/Game/PaintTheHouse/PaintItLevelResourceFactory.h"
#include "qdl/Source/Game/PaintTheHouse/PaintTheHouseConstants.h"
#include "qdl/Source/Game/PaintTheHouse/PaintTheHouseMode.h"

using LevelFuzz::check;

namespace
{

void checkLevel(PaintItLevel const& level, Corvane::Label name)
{
    check(!level.patterns.empty() || !LevelFuzz::isOffered(kGameModeType_PaintIt, name));
    std::vector<int> const mapping = PaintTheHouseMode::drawColorMapping();
    std::vector<int> sorted(mapping);
    std::sort(sorted.begin(), sorted.end());
    check(sorted.size() == static_cast<size_t>(kNumHousePaintColors));
    for (size_t color = 0; color < sorted.size(); ++color)
        check(sorted[color] == static_cast<int>(color));
    std::vector<int> const buckets(mapping.begin(), mapping.begin() + 3);
    for (std::vector<int> const& pattern : level.patterns)
    {
        check(!pattern.empty());
        for (int const symbol : pattern)
            check(symbol >= 0 && symbol <= 2);
        std::vector<int> const colors = PaintTheHouseMode::stripeColors(pattern, mapping);
        check(colors.size() == static_cast<size_t>(kNumFenceStripes));
        for (size_t i = 0; i < colors.size(); ++i)
        {
            check(colors[i] == mapping[static_cast<size_t>(pattern[i % pattern.size()])]);
            check(std::find(buckets.begin(), buckets.end(), colors[i]) != buckets.end());
        }
    }
}

} // namespace

LEVEL_FUZZ_TARGET(PaintItLevel, PaintItLevelResourceFactory, checkLevel)
