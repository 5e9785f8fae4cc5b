// libFuzzer target for HammerTheNail's level reader: every level made holds
// only known tool types and colours, among its tools and its nails.
#include "qdl/Fuzz/LevelFuzzHarness.h"
#include "qdl/Source/Game/HammerTheNail/HammerTheNailLevelResourceFactory.h"

using LevelFuzz::check;

namespace
{

void checkTool(FixItTool const& tool)
{
    check(tool.first >= 0 && tool.first < kNumFixItToolTypes && tool.second >= 0 && tool.second < kNumFixItToolColors);
}

void checkLevel(HammerTheNailLevel const& level, Corvane::Label)
{
    for (FixItTool const& tool : level.tools)
        checkTool(tool);
    for (NailData const& nail : level.nails)
        checkTool(FixItTool(nail.type, nail.color));
}

} // namespace

LEVEL_FUZZ_TARGET(HammerTheNailLevel, HammerTheNailLevelResourceFactory, checkLevel)
