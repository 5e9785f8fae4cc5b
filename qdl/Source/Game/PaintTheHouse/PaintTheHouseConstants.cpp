#include "qdl/Source/Game/PaintTheHouse/PaintTheHouseConstants.h"

Corvane::Label const kHousePaintFenceSpriteTypes[kNumHousePaintColors] = {
    Corvane::Label::GetUniqueString("FenceSpriteType_Red"),
    Corvane::Label::GetUniqueString("FenceSpriteType_Green"),
    Corvane::Label::GetUniqueString("FenceSpriteType_Blue"),
    Corvane::Label::GetUniqueString("FenceSpriteType_Yellow")};

Corvane::Label const kHousePaintBrushCursors[kNumHousePaintColors] = {
    Corvane::Label::GetUniqueString("cursor_brush_red"),
    Corvane::Label::GetUniqueString("cursor_brush_green"),
    Corvane::Label::GetUniqueString("cursor_brush_blue"),
    Corvane::Label::GetUniqueString("cursor_brush_yellow")};

NodePathElement const kHousePaintImageNodePath[2] = {"imageNode", NodePathTerminator()};
NodePathElement const kHousePaintRolloverNodePath[3] = {"imageNode", "rollover", NodePathTerminator()};

NodePathElement const kPaintItHouseRootPath[2] = {"HouseRoot", NodePathTerminator()};
NodePathElement const kPaintItBucketPaths[3][2] = {
    {"Bucket1", NodePathTerminator()}, {"Bucket2", NodePathTerminator()}, {"Bucket3", NodePathTerminator()}};
NodePathElement const kPaintItAnimNodeRootPath[2] = {"AnimNodeRoot", NodePathTerminator()};
NodePathElement const kPaintItZeddoAnimNodePath[3] = {"AnimNodeRoot", "ZeddoAnimNode", NodePathTerminator()};
NodePathElement const kPaintItFenceClickRectPath[2] = {"FenceClickRect", NodePathTerminator()};
NodePathElement const kPaintItClickMaskPath[2] = {"MouseInput_ClickMask", NodePathTerminator()};
