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
