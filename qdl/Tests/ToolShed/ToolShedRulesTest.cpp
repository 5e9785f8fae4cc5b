// The rule that keeps thrown tools apart: the squared distance a tool keeps
// from every other tool's box, by the number of tools of the level.

#include <gtest/gtest.h>

#include "qdl/Source/Game/ToolShed/ToolShedMode.h"

TEST(ToolShedRules, TheOverlapThresholdIsWorkedInThirtyTwoBitFloats)
{
    int const expected[12] = {63000, 31500, 21000, 15750, 12600, 10500, 8999, 7875, 7000, 6300, 5726, 5250};
    for (int tools = 1; tools <= 12; ++tools)
        EXPECT_EQ(expected[tools - 1], ToolShedMode::getToolOverlapThreshold(tools)) << tools << " tools";
    // No tools: nothing to keep apart.
    EXPECT_EQ(0, ToolShedMode::getToolOverlapThreshold(0));
}
