#pragma once

// The stacking game's object colours and kinds: the words of its level files.

#include "Core/Source/Label.h"

// Sized, so that -1, the value of a name that matches nothing, is a value of the type.
enum StackObjectColor : int
{
    kStackObjectColor_Red = 0,
    kStackObjectColor_Blue,
    kNumStackObjectColors
};

enum StackObjectType : int
{
    kStackObjectType_Girder = 0,
    kStackObjectType_Log,
    kNumStackObjectTypes
};

extern char const* const kStackObjectColorNames[kNumStackObjectColors];
extern char const* const kStackObjectTypeNames[kNumStackObjectTypes];
