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
