#include "qdl/Source/Game/TollerStacker/TollerStackerConstants.h"

char const* const kStackObjectColorNames[kNumStackObjectColors] = {
    "Red",
    "Blue"};

char const* const kStackObjectTypeNames[kNumStackObjectTypes] = {
    "Girder",
    "Log"};
