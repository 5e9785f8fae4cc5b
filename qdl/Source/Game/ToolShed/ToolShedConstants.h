#pragma once

// The tool-shed game's tool colours and types: the words of its level files, the tool sprites and the tool-box label sprites. The tool order differs from QuarrydaleTool.

#include "Core/Source/Label.h"

enum ToolShedToolColor
{
    kToolShedToolColor_Red = 0,
    kToolShedToolColor_Blue,
    kToolShedToolColor_Green,
    kToolShedToolColor_Yellow,
    kNumToolShedToolColors
};

enum ToolShedToolType
{
    kToolShedToolType_Brush = 0,
    kToolShedToolType_Drill,
    kToolShedToolType_Hammer,
    kToolShedToolType_Wrench,
    kToolShedToolType_Saw,
    kToolShedToolType_Screwdriver,
    kToolShedToolType_Level,
    kToolShedToolType_Pliers,
    kNumToolShedToolTypes
};

extern char const* const kToolShedToolColorNames[kNumToolShedToolColors];
extern char const* const kToolShedToolTypeNames[kNumToolShedToolTypes];
extern Corvane::Label const kToolShedToolSprites[kNumToolShedToolTypes];
extern Corvane::Label const kToolShedToolLabelSprites[kNumToolShedToolTypes];
