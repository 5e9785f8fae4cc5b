#pragma once

// The level record of this mini-game: made empty by the resource wrapper, then
// filled by the game's level factory while the manifest loads; read-only after.

#include <utility>
#include <vector>

#include "qdl/Source/Game/HammerTheNail/HammerTheNailConstants.h"

// One nail or screw: the tool that drives it, the correct clicks it still
// needs (also the frame its picture shows) and its place in "MaterialTargets".
struct NailData
{
    FixItToolType type;
    FixItToolColor color;
    int clickCount;
    int x;
    int y;
};

typedef std::pair<FixItToolType, FixItToolColor> FixItTool;

class HammerTheNailLevel
{
public:
    HammerTheNailLevel() {}

    // The tool box, slot by slot: the level's "Tool" elements, then one tool per
    // distinct kind of nail.
    std::vector<FixItTool> tools;
    std::vector<NailData> nails;
};
