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

NodePathElement const kToolsLayerPath[2] = {"ToolsLayer", NodePathTerminator()};
NodePathElement const kDropItemClickMaskPath[2] = {"DropItem_ClickMask", NodePathTerminator()};
NodePathElement const kMouseInputClickMaskPath[2] = {"MouseInput_ClickMask", NodePathTerminator()};
NodePathElement const kToolBoxTargetPaths[6][3] = {
    {"ToolBoxesLayer", "Target_1", NodePathTerminator()}, {"ToolBoxesLayer", "Target_2", NodePathTerminator()},
    {"ToolBoxesLayer", "Target_3", NodePathTerminator()}, {"ToolBoxesLayer", "Target_4", NodePathTerminator()},
    {"ToolBoxesLayer", "Target_5", NodePathTerminator()}, {"ToolBoxesLayer", "Target_6", NodePathTerminator()}};
NodePathElement const kScarrowTopPath[3] = {"ScarrowDisplayLayer", "scarrowTop", NodePathTerminator()};
NodePathElement const kScarrowLeftPath[3] = {"ScarrowDisplayLayer", "scarrowLeft", NodePathTerminator()};
NodePathElement const kScarrowRightPath[3] = {"ScarrowDisplayLayer", "scarrowRight", NodePathTerminator()};
NodePathElement const kScarrowAnimNodePath[3] = {"ScarrowDisplayLayer", "ScarrowAnimNode", NodePathTerminator()};
NodePathElement const kFennInGamePath[2] = {"Fenn_InGame", NodePathTerminator()};
NodePathElement const kImageNodePath[2] = {"imageNode", NodePathTerminator()};
NodePathElement const kToolRolloverPath[3] = {"imageNode", "rolloverNode", NodePathTerminator()};
NodePathElement const kBoxAnimNodePath[2] = {"animNode", NodePathTerminator()};
NodePathElement const kBoxClickRectPath[3] = {"animNode", "clickRect", NodePathTerminator()};
NodePathElement const kBoxSignNodePath[3] = {"animNode", "signNode", NodePathTerminator()};
