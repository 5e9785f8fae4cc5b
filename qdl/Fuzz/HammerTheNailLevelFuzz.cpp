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

void checkLevel(HammerTheNailLevel const& level, Corvane::Label name)
{
    for (FixItTool const& tool : level.tools)
        checkTool(tool);
    bool needsClick = false;
    for (NailData const& nail : level.nails)
    {
        checkTool(FixItTool(nail.type, nail.color));
        // Every nail shows a picture, on the screen.
        check(nail.clickCount >= 0 && nail.x >= 0 && nail.x <= 800 && nail.y >= 0 && nail.y <= 600);
        needsClick |= nail.clickCount > 0;
    }
    // An offered level fits the tool box and can be won.
    if (LevelFuzz::isOffered(kGameModeType_HammerTheNail, name))
        check(needsClick && level.tools.size() <= static_cast<size_t>(kNumFixItToolSlots));
}

} // namespace

LEVEL_FUZZ_TARGET(HammerTheNailLevel, HammerTheNailLevelResourceFactory, checkLevel)
