#pragma once

// The fix-it tools' types and colours (the words of the hammering game's level
// files and of its picture names), and the node paths and names the game's
// mode, tools and nails look up.

#include <string>

#include "Core/Source/Label.h"
#include "CorvaneExtensions/Source/NodePath.h"

namespace Corvane
{
class ObjectDatabase;
}
class SceneNode;

enum FixItToolType : int
{
    kFixItToolType_Wrench = 0,
    kFixItToolType_DriverPlus,
    kFixItToolType_DriverMinus,
    kNumFixItToolTypes
};

enum FixItToolColor : int
{
    kFixItToolColor_Red = 0,
    kFixItToolColor_Green,
    kFixItToolColor_Blue,
    kFixItToolColor_Yellow,
    kNumFixItToolColors
};

extern char const* const kFixItToolTypeNames[kNumFixItToolTypes];
extern char const* const kFixItToolColorNames[kNumFixItToolColors];

// The slots of the tool box, "Source_1" to "Source_4".
int const kNumFixItToolSlots = 4;

// Below a tool's own layout ("ToolLayout").
extern NodePathElement const kFixItToolShapePath[2];
extern NodePathElement const kFixItToolRolloverPath[3];
// Below the floating tool ("FloatingToolLayout").
extern NodePathElement const kFixItFloatingWrenchPath[2];
extern NodePathElement const kFixItFloatingDriverPath[2];
// Below the playfield.
extern NodePathElement const kFixItFennMouthPath[3];
extern NodePathElement const kFixItDropItemClickMaskPath[2];
extern NodePathElement const kFixItMaskInputClickMaskPath[2];
extern NodePathElement const kFixItInGameFennPath[2];
extern NodePathElement const kFixItMaterialTargetsPath[2];
extern NodePathElement const kFixItToolSlotPaths[kNumFixItToolSlots][3];
// Below a nail's own layout ("NailLayout").
extern NodePathElement const kFixItNailShapePath[2];

// The composed picture names: "FixIt_Tool_InBox_<type>",
// "FixIt_Nail_<type>_<colour>" and "SpriteType_<type>_<colour>".
std::string fixItToolInBoxImageName(FixItToolType type);
std::string fixItNailImageName(FixItToolType type, FixItToolColor color);
std::string fixItDriverSpriteTypeName(FixItToolType type, FixItToolColor color);

// Builds the named scene layout of a tool or nail under the parent (may be
// null), in the database when one is given; null, logged, when the layout is
// missing or cannot be built.
SceneNode* buildFixItLayout(char const* layout, Corvane::ObjectDatabase* database, SceneNode* parent);

// The text of a path, "MaterialSources/Source_1", for messages.
std::string fixItNodePathText(NodePathElement const* path);
