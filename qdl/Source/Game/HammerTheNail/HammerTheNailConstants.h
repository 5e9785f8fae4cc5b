#pragma once

// The fix-it tools' types and colours: the words of the hammering game's level files.

#include "Core/Source/Label.h"

enum FixItToolType
{
    kFixItToolType_Wrench = 0,
    kFixItToolType_DriverPlus,
    kFixItToolType_DriverMinus,
    kNumFixItToolTypes
};

enum FixItToolColor
{
    kFixItToolColor_Red = 0,
    kFixItToolColor_Green,
    kFixItToolColor_Blue,
    kFixItToolColor_Yellow,
    kNumFixItToolColors
};

extern char const* const kFixItToolTypeNames[kNumFixItToolTypes];
extern char const* const kFixItToolColorNames[kNumFixItToolColors];
