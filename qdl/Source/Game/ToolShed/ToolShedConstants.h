#pragma once

// The tool-shed game's tool colours and types: the words of its level files, the tool sprites and the tool-box label sprites. The tool order differs from QuarrydaleTool.

#include "Core/Source/Label.h"

// Sized, so that -1, the value of a name that matches nothing, is a value of the type.
enum ToolShedToolColor : int
{
    kToolShedToolColor_Red = 0,
    kToolShedToolColor_Blue,
    kToolShedToolColor_Green,
    kToolShedToolColor_Yellow,
    kNumToolShedToolColors
};

// Sized, so that -1, the value of a name that matches nothing, is a value of the type.
enum ToolShedToolType : int
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

#include "CorvaneExtensions/Source/NodePath.h"

// Node paths of the game's layouts.
// Below the playfield ("GameScreenRoot"/"Playfield") of "ToolShedModeLayout":
extern NodePathElement const kToolsLayerPath[2];
extern NodePathElement const kDropItemClickMaskPath[2];
extern NodePathElement const kMouseInputClickMaskPath[2];
// Targets 1 to 6, the places of the boxes at positions 0 to 5.
extern NodePathElement const kToolBoxTargetPaths[6][3];
extern NodePathElement const kScarrowTopPath[3];
extern NodePathElement const kScarrowLeftPath[3];
extern NodePathElement const kScarrowRightPath[3];
extern NodePathElement const kScarrowAnimNodePath[3];
extern NodePathElement const kFennInGamePath[2];
// Below the root of "ToolShedItemLayout":
extern NodePathElement const kImageNodePath[2];
extern NodePathElement const kToolRolloverPath[3];
// Below the root of "ToolShedToolBoxLayout":
extern NodePathElement const kBoxAnimNodePath[2];
extern NodePathElement const kBoxClickRectPath[3];
extern NodePathElement const kBoxSignNodePath[3];
