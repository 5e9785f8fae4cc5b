#pragma once

// The level record of ToolShed: the tools thrown onto the ground and the tool
// boxes they are sorted into, each a tool type and a colour, in the order of
// the level file. Made empty by the resource wrapper, then filled by the
// game's level factory while the manifest loads; not changed afterwards.

#include <vector>

#include "qdl/Source/Game/ToolShed/ToolShedConstants.h"

struct ToolShedToolData
{
    ToolShedToolType toolType;
    ToolShedToolColor color;
};

class ToolShedLevel
{
public:
    // The game has six places for tool boxes.
    static int const kMaxToolBoxes = 6;

    ToolShedLevel() {}

    std::vector<ToolShedToolData> toolEntries;
    std::vector<ToolShedToolData> toolBoxes;
};
