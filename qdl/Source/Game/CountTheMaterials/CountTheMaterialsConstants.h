#pragma once

// The building materials of the counting game: the words of its level files,
// the pile and rollover image of each (every colour of one material shares its
// rollover image), and the kind and colour by which a request is spoken.

#include "Core/Source/Label.h"
#include "qdl/Source/Game/GameConstants.h"

enum BuildingMaterial
{
    // A name that is not in the table.
    kBuildingMaterial_None = -1,
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
extern QuarrydaleMaterial const kBuildingMaterialKinds[kNumBuildingMaterials];
// -1 for a material without colour (the plant).
extern int const kBuildingMaterialColors[kNumBuildingMaterials];

// The image list of the one clump picture per material, frame = material.
extern char const* const kMaterialClumpsImageList;

// The look-ups by a value that may lie outside the table: null, or -1, then.
bool isBuildingMaterial(int material);
char const* buildingMaterialImageList(int material);
char const* buildingMaterialRolloverImageList(int material);
int buildingMaterialKind(int material);
int buildingMaterialColor(int material);
