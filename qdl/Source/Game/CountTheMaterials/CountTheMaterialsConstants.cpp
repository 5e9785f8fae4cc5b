#include "qdl/Source/Game/CountTheMaterials/CountTheMaterialsConstants.h"

char const* const kBuildingMaterialNames[kNumBuildingMaterials] = {
    "Plant",
    "LogRed",
    "LogBrown",
    "LogYellow",
    "ConeOrange",
    "ConeRed",
    "ConeYellow",
    "CementBlue",
    "CementGray",
    "CementRed",
    "BricksRed",
    "BricksGray",
    "BricksBlue"};

char const* const kBuildingMaterialImages[kNumBuildingMaterials] = {
    "Materials-Plant",
    "Materials-Logs-Red",
    "Materials-Logs-Brown",
    "Materials-Logs-Yellow",
    "Materials-Cones-Orange",
    "Materials-Cones-Red",
    "Materials-Cones-Yellow",
    "Materials-Cement-Blue",
    "Materials-Cement-Gray",
    "Materials-Cement-Red",
    "Materials-Bricks-Red",
    "Materials-Bricks-Gray",
    "Materials-Bricks-Blue"};

char const* const kBuildingMaterialRolloverImages[kNumBuildingMaterials] = {
    "Materials-Plant-Rollover",
    "Materials-Logs-Rollover",
    "Materials-Logs-Rollover",
    "Materials-Logs-Rollover",
    "Materials-Cones-Rollover",
    "Materials-Cones-Rollover",
    "Materials-Cones-Rollover",
    "Materials-Cement-Rollover",
    "Materials-Cement-Rollover",
    "Materials-Cement-Rollover",
    "Materials-Bricks-Rollover",
    "Materials-Bricks-Rollover",
    "Materials-Bricks-Rollover"};

QuarrydaleMaterial const kBuildingMaterialKinds[kNumBuildingMaterials] = {
    kQuarrydaleMaterial_Plant,  kQuarrydaleMaterial_Log,    kQuarrydaleMaterial_Log,    kQuarrydaleMaterial_Log,
    kQuarrydaleMaterial_Cone,   kQuarrydaleMaterial_Cone,   kQuarrydaleMaterial_Cone,   kQuarrydaleMaterial_Cement,
    kQuarrydaleMaterial_Cement, kQuarrydaleMaterial_Cement, kQuarrydaleMaterial_Bricks, kQuarrydaleMaterial_Bricks,
    kQuarrydaleMaterial_Bricks};

int const kBuildingMaterialColors[kNumBuildingMaterials] = {
    -1,
    kQuarrydaleColor_Red,
    kQuarrydaleColor_Brown,
    kQuarrydaleColor_Yellow,
    kQuarrydaleColor_Orange,
    kQuarrydaleColor_Red,
    kQuarrydaleColor_Yellow,
    kQuarrydaleColor_Blue,
    kQuarrydaleColor_Gray,
    kQuarrydaleColor_Red,
    kQuarrydaleColor_Red,
    kQuarrydaleColor_Gray,
    kQuarrydaleColor_Blue};

char const* const kMaterialClumpsImageList = "MaterialClumps";

bool isBuildingMaterial(int material)
{
    return material >= 0 && material < kNumBuildingMaterials;
}

char const* buildingMaterialImageList(int material)
{
    return isBuildingMaterial(material) ? kBuildingMaterialImages[material] : nullptr;
}

char const* buildingMaterialRolloverImageList(int material)
{
    return isBuildingMaterial(material) ? kBuildingMaterialRolloverImages[material] : nullptr;
}

int buildingMaterialKind(int material)
{
    return isBuildingMaterial(material) ? kBuildingMaterialKinds[material] : -1;
}

int buildingMaterialColor(int material)
{
    return isBuildingMaterial(material) ? kBuildingMaterialColors[material] : -1;
}
