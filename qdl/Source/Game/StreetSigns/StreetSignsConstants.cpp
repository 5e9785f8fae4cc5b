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

NodePathElement const kSignsLayout12Path[2] = {"SignsLayout_12", NodePathTerminator()};
NodePathElement const kSignsLayout9Path[2] = {"SignsLayout_9", NodePathTerminator()};
NodePathElement const kSignsLayout6Path[2] = {"SignsLayout_6", NodePathTerminator()};
NodePathElement const kTollerAnimNodePath[2] = {"TollerAnimNode", NodePathTerminator()};
NodePathElement const kSignsMouseMaskPath[2] = {"MouseInput_ClickMask", NodePathTerminator()};
NodePathElement const kYSortedLayerPath[2] = {"YSortedLayer", NodePathTerminator()};
NodePathElement const kSignImagePath[2] = {"imageNode", NodePathTerminator()};
NodePathElement const kSignRolloverPath[3] = {"imageNode", "rollover", NodePathTerminator()};
NodePathElement const kSignHookPath[2] = {"HookAssembly", NodePathTerminator()};
NodePathElement const kTruckImagePath[2] = {"sloamImage", NodePathTerminator()};
NodePathElement const kTruckCartPath[2] = {"MaterialsInCart", NodePathTerminator()};
