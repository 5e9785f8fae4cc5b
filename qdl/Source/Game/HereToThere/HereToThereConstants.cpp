#include "qdl/Source/Game/HereToThere/HereToThereConstants.h"

char const* const kHereToThereObjectColorNames[kNumHereToThereObjectColors] = {
    "Blue",
    "Green",
    "Purple",
    "Yellow"};

char const* const kHereToThereObjectShapeNames[kNumHereToThereObjectShapes] = {
    "Square",
    "Circle",
    "Triangle",
    "Star"};
