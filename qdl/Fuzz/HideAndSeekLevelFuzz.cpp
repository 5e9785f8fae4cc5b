// libFuzzer target for the hide-and-seek level reader: every field of every
// level made is read, so that a bad record shows under the sanitizers.
#include "qdl/Fuzz/LevelFuzzHarness.h"
#include "qdl/Source/Game/HideAndSeek/HideAndSeekLevelResourceFactory.h"

namespace
{

void checkLevel(HideAndSeekLevel const& level, Corvane::Label)
{
    long long sum = static_cast<long long>(level.numHides) + level.numPreviewHides + level.showTail;
    for (HideAndSeekObstacleData const& obstacle : level.obstacles)
        sum += obstacle.imageID;
    volatile long long const fields = sum;
    volatile float const speed = level.runSpeed;
    (void)fields;
    (void)speed;
}

} // namespace

LEVEL_FUZZ_TARGET(HideAndSeekLevel, HideAndSeekLevelResourceFactory, checkLevel)
