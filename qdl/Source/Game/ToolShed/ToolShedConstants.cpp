#include "qdl/Source/Game/ToolShed/ToolShedConstants.h"

char const* const kToolShedToolColorNames[kNumToolShedToolColors] = {
    "Red",
    "Blue",
    "Green",
    "Yellow"};

char const* const kToolShedToolTypeNames[kNumToolShedToolTypes] = {
    "Brush",
    "Drill",
    "Hammer",
    "Wrench",
    "Saw",
    "Screwdriver",
    "Level",
    "Pliers"};

Corvane::Label const kToolShedToolSprites[kNumToolShedToolTypes] = {
    Corvane::Label::GetUniqueString("ToolShedTool_Brush"),
    Corvane::Label::GetUniqueString("ToolShedTool_Drill"),
    Corvane::Label::GetUniqueString("ToolShedTool_Hammer"),
    Corvane::Label::GetUniqueString("ToolShedTool_Wrench"),
    Corvane::Label::GetUniqueString("ToolShedTool_Saw"),
    Corvane::Label::GetUniqueString("ToolShedTool_Screwdriver"),
    Corvane::Label::GetUniqueString("ToolShedTool_Level"),
    Corvane::Label::GetUniqueString("ToolShedTool_Pliers")};

Corvane::Label const kToolShedToolLabelSprites[kNumToolShedToolTypes] = {
    Corvane::Label::GetUniqueString("ToolShedTool_Brush_Label"),
    Corvane::Label::GetUniqueString("ToolShedTool_Drill_Label"),
    Corvane::Label::GetUniqueString("ToolShedTool_Hammer_Label"),
    Corvane::Label::GetUniqueString("ToolShedTool_Wrench_Label"),
    Corvane::Label::GetUniqueString("ToolShedTool_Saw_Label"),
    Corvane::Label::GetUniqueString("ToolShedTool_Screwdriver_Label"),
    Corvane::Label::GetUniqueString("ToolShedTool_Level_Label"),
    Corvane::Label::GetUniqueString("ToolShedTool_Pliers_Label")};
