#pragma once

// The building materials of the counting game: the words of its level files, and the pile and rollover image of each; every colour of one material shares its rollover image.

#include "Core/Source/Label.h"

enum BuildingMaterial
{
    kBuildingMaterial_Plant = 0,
    kBuildingMaterial_LogRed,
    kBuildingMaterial_LogBrown,
    kBuildingMaterial_LogYellow,
    kBuildingMaterial_ConeOrange,
    kBuildingMaterial_ConeRed,
    kBuildingMaterial_ConeYellow,
    kBuildingMaterial_CementBlue,
    kBuildingMaterial_CementGray,
    kBuildingMaterial_CementRed,
    kBuildingMaterial_BricksRed,
    kBuildingMaterial_BricksGray,
    kBuildingMaterial_BricksBlue,
    kNumBuildingMaterials
};

extern char const* const kBuildingMaterialNames[kNumBuildingMaterials];
extern char const* const kBuildingMaterialImages[kNumBuildingMaterials];
extern char const* const kBuildingMaterialRolloverImages[kNumBuildingMaterials];
