#include "qdl/Source/Game/HammerTheNail/HammerTheNailConstants.h"

#include <exception>

#include <boost/variant/get.hpp>

#include "Core/Source/Log.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "CorvaneExtensions/Source/SceneLayout.h"

char const* const kFixItToolTypeNames[kNumFixItToolTypes] = {
    "Wrench",
    "DriverPlus",
    "DriverMinus"};

char const* const kFixItToolColorNames[kNumFixItToolColors] = {
    "Red",
    "Green",
    "Blue",
    "Yellow"};

NodePathElement const kFixItToolShapePath[2] = {"shapeNode", NodePathTerminator()};
NodePathElement const kFixItToolRolloverPath[3] = {"shapeNode", "rolloverNode", NodePathTerminator()};
NodePathElement const kFixItFloatingWrenchPath[2] = {"WrenchAnimNode", NodePathTerminator()};
NodePathElement const kFixItFloatingDriverPath[2] = {"DriverAnimNode", NodePathTerminator()};
NodePathElement const kFixItFennMouthPath[3] = {"InGameFenn", "mouth", NodePathTerminator()};

NodePathElement const kFixItDropItemClickMaskPath[2] = {"DropItem_ClickMask", NodePathTerminator()};
NodePathElement const kFixItMaskInputClickMaskPath[2] = {"MaskInput_ClickMask", NodePathTerminator()};
NodePathElement const kFixItInGameFennPath[2] = {"InGameFenn", NodePathTerminator()};
NodePathElement const kFixItMaterialTargetsPath[2] = {"MaterialTargets", NodePathTerminator()};
NodePathElement const kFixItToolSlotPaths[kNumFixItToolSlots][3] = {
    {"MaterialSources", "Source_1", NodePathTerminator()},
    {"MaterialSources", "Source_2", NodePathTerminator()},
    {"MaterialSources", "Source_3", NodePathTerminator()},
    {"MaterialSources", "Source_4", NodePathTerminator()}};

NodePathElement const kFixItNailShapePath[2] = {"shapeNode", NodePathTerminator()};

std::string fixItToolInBoxImageName(FixItToolType type)
{
    return std::string("FixIt_Tool_InBox_") + kFixItToolTypeNames[type];
}

std::string fixItNailImageName(FixItToolType type, FixItToolColor color)
{
    return std::string("FixIt_Nail_") + kFixItToolTypeNames[type] + "_" + kFixItToolColorNames[color];
}

std::string fixItDriverSpriteTypeName(FixItToolType type, FixItToolColor color)
{
    return std::string("SpriteType_") + kFixItToolTypeNames[type] + "_" + kFixItToolColorNames[color];
}

std::string fixItNodePathText(NodePathElement const* path)
{
    std::string text;
    for (; !IsNodePathTerminator(*path); ++path)
    {
        if (!text.empty())
            text += "/";
        if (char const* const* name = boost::get<char const*>(path))
            text += *name;
    }
    return text;
}

SceneNode* buildFixItLayout(char const* layout, Corvane::ObjectDatabase* database, SceneNode* parent)
{
    Corvane::AutoResource<SceneLayout> const resource(layout);
    if (!resource)
    {
        Corvane::Internal::LogWrite("HammerTheNail: the scene layout %s is missing\n", layout);
        return nullptr;
    }
    try
    {
        return database ? resource->InstantiateLayout(database, parent) : resource->InstantiateLayout(parent);
    }
    catch (std::exception const& error)
    {
        Corvane::Internal::LogWrite("HammerTheNail: the scene layout %s cannot be built: %s\n", layout, error.what());
        return nullptr;
    }
}
