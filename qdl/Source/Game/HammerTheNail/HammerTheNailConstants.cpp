#include "qdl/Source/Game/HammerTheNail/HammerTheNailConstants.h"

char const* const kFixItToolTypeNames[kNumFixItToolTypes] = {
    "Wrench",
    "DriverPlus",
    "DriverMinus"};

char const* const kFixItToolColorNames[kNumFixItToolColors] = {
    "Red",
    "Green",
    "Blue",
    "Yellow"};
