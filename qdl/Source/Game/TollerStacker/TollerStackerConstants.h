#pragma once

// The stacking game's object colours and kinds: the words of its level files.

#include "Core/Source/Label.h"

enum StackObjectColor
{
    kStackObjectColor_Red = 0,
    kStackObjectColor_Blue,
    kNumStackObjectColors
};

enum StackObjectType
{
    kStackObjectType_Girder = 0,
    kStackObjectType_Log,
    kNumStackObjectTypes
};

extern char const* const kStackObjectColorNames[kNumStackObjectColors];
extern char const* const kStackObjectTypeNames[kNumStackObjectTypes];
