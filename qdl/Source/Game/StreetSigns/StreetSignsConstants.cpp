#include "qdl/Source/Game/StreetSigns/StreetSignsConstants.h"

char const* const kStreetSignColorNames[kNumStreetSignColors] = {
    "Red",
    "Green",
    "Blue",
    "Orange",
    "Yellow"};

Corvane::Label const kStreetSignShapeSprites[kNumStreetSignShapes] = {
    Corvane::Label::GetUniqueString("StreetSigns_SignRectangle"),
    Corvane::Label::GetUniqueString("StreetSigns_SignSquare"),
    Corvane::Label::GetUniqueString("StreetSigns_SignOctagon"),
    Corvane::Label::GetUniqueString("StreetSigns_SignTriangle"),
    Corvane::Label::GetUniqueString("StreetSigns_SignCircle")};

char const* const kStreetSignShapeNames[kNumStreetSignShapes] = {
    "Rectangle",
    "Square",
    "Octagon",
    "Triangle",
    "Circle"};
