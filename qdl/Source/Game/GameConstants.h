#pragma once

// The vocabulary the whole game shares: the sound kinds, the paths to the game
// screen's layers, and the colours, shapes, tools and materials with their
// label and name tables. A value of an enumeration is the index into the
// tables named after it.

#include <string>

#include "Core/Source/Label.h"
#include "CorvaneExtensions/Source/NodePath.h"

extern Corvane::Label const kEffectKind;
extern Corvane::Label const kAmbientKind;
extern Corvane::Label const kMusicKind;

// Resolved from the current mode's scene root with RootDescendent; null when
// the mode has no such layer.
extern NodePathElement const kPlayfieldPath[3];
extern NodePathElement const kFXLayerPath[3];
extern NodePathElement const kUIAttachPath[3];

enum QuarrydaleColor
{
    kQuarrydaleColor_Red = 0,
    kQuarrydaleColor_Green,
    kQuarrydaleColor_Blue,
    kQuarrydaleColor_Yellow,
    kQuarrydaleColor_Black,
    kQuarrydaleColor_Orange,
    kQuarrydaleColor_Purple,
    kQuarrydaleColor_White,
    kQuarrydaleColor_Brown,
    kQuarrydaleColor_Gray,
    kNumQuarrydaleColors
};

enum QuarrydaleShape
{
    kQuarrydaleShape_Square = 0,
    kQuarrydaleShape_Circle,
    kQuarrydaleShape_Triangle,
    kQuarrydaleShape_Star,
    kQuarrydaleShape_Octagon,
    kQuarrydaleShape_Rectangle,
    kNumQuarrydaleShapes
};

enum QuarrydaleTool
{
    kQuarrydaleTool_Hammer = 0,
    kQuarrydaleTool_Saw,
    kQuarrydaleTool_Drill,
    kQuarrydaleTool_Brush,
    kQuarrydaleTool_Wrench,
    kQuarrydaleTool_Screwdriver,
    kQuarrydaleTool_Level,
    kQuarrydaleTool_Pliers,
    kNumQuarrydaleTools
};

enum QuarrydaleMaterial
{
    kQuarrydaleMaterial_Plant = 0,
    kQuarrydaleMaterial_Bricks,
    kQuarrydaleMaterial_Log,
    kQuarrydaleMaterial_Cement,
    kQuarrydaleMaterial_Cone,
    kNumQuarrydaleMaterials
};

extern Corvane::Label const kQuarrydaleColorLabels[kNumQuarrydaleColors];
extern Corvane::Label const kQuarrydaleShapeLabels[kNumQuarrydaleShapes];
extern Corvane::Label const kQuarrydaleToolLabels[kNumQuarrydaleTools];
extern Corvane::Label const kQuarrydaleMaterialLabels[kNumQuarrydaleMaterials];

extern char const* const kQuarrydaleColorNames[kNumQuarrydaleColors];
extern char const* const kQuarrydaleShapeNames[kNumQuarrydaleShapes];
extern char const* const kQuarrydaleToolNames[kNumQuarrydaleTools];
extern char const* const kQuarrydaleMaterialNames[kNumQuarrydaleMaterials];

// The position of the first entry of the table equal to the text, compared
// exactly (case counts); -1 when none is. A character outside ASCII matches
// nothing, so that no foreign letter passes for the letter of its low byte.
int lookUpName(std::wstring const& text, char const* const* table, int count);

template <int N>
int lookUpName(std::wstring const& text, char const* const (&table)[N])
{
    return lookUpName(text, table, N);
}
