// libFuzzer target for the hide-and-seek level reader: every field of every
// level made is read, so that a bad record shows under the sanitizers, and an
// offered level gives the cat a place to hide and time to run there.
#include <cmath>

#include "qdl/Fuzz/LevelFuzzHarness.h"
#include "qdl/Source/Game/HideAndSeek/HideAndSeekLevelResourceFactory.h"

using LevelFuzz::check;

namespace
{

void checkLevel(HideAndSeekLevel const& level, Corvane::Label name)
{
    check(level.numHides >= 0);
    for (HideAndSeekObstacleData const& obstacle : level.obstacles)
        check(obstacle.imageID >= 0);
    // An offered level gives the cat a place to hide, and time to run there.
    if (LevelFuzz::isOffered(kGameModeType_HideAndSeek, name))
        check(!level.obstacles.empty() && level.numPreviewHides >= 1 && level.runSpeed > 0.0f &&
              std::isfinite(level.runSpeed));
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
