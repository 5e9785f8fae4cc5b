#ifndef CORVANE_GRAPHICS_DRAWSTATE_H
#define CORVANE_GRAPHICS_DRAWSTATE_H

// The parameters of one drawing call: font, colours, tint, clip, source
// rectangle, flags, text effect and alignment.

#include <cstdint>
#include <string>

#include "Core/Source/Color.h"
#include "Core/Source/Rect.h"

namespace Corvane
{

class Font;

enum TextMode : int32_t
{
    kTextMode_Normal = 0,
    kTextMode_Outline = 1,
    kTextMode_DropShadow = 2
};

enum HAlignment : int32_t
{
    kHAlignment_Left = 0,
    kHAlignment_Center = 1,
    kHAlignment_Right = 2
};

enum VAlignment : int32_t
{
    kVAlignment_Top = 0,
    kVAlignment_Middle = 1,
    kVAlignment_Bottom = 2
};

// The names property editors show: "Normal", "Outline", "Drop Shadow"; "Left",
// "Center", "Right"; "Top", "Middle", "Bottom". A value outside the enumeration
// gives the empty string.
wchar_t const* GetTextModeName(TextMode mode);
wchar_t const* GetHAlignmentName(HAlignment alignment);
wchar_t const* GetVAlignmentName(VAlignment alignment);

// The value whose display name is the text (exact match); false, with the
// output untouched, for any other text.
bool TextModeFromName(std::wstring const& name, TextMode* mode);
bool HAlignmentFromName(std::wstring const& name, HAlignment* alignment);
bool VAlignmentFromName(std::wstring const& name, VAlignment* alignment);

namespace Graphics
{

enum : uint32_t
{
    // Draw only sourceRect of the image; its size stands for the image size in alignment.
    DRAW_FLAG_SOURCE_RECT = 1,
    // Blend by source alpha on software targets (pixel fills and blits).
    DRAW_FLAG_ALPHA = 2,
    DRAW_FLAG_FLIP_H = 4,
    DRAW_FLAG_FLIP_V = 8
};

// A plain record, copied by value everywhere.
struct sDrawState
{
    // Not owned.
    Font const* font;
    ColorF color;
    // Colour of the outline or drop shadow.
    ColorF effectColor;
    int32_t effectOffsetX;
    int32_t effectOffsetY;
    // Multiplied into every image pixel; its alpha is the opacity.
    ColorF tint;
    // Intersected with the canvas bounds.
    Rect<int> clip;
    Rect<int> sourceRect;
    uint32_t flags;
    TextMode textMode;
    HAlignment hAlign;
    VAlignment vAlign;

    // White colours, zero offsets and rectangles, no font, no flags, Normal,
    // Left, Top. Code that builds a state for drawing starts from GetDefaults.
    sDrawState();

    // Black effect colour offset by (2, 2), a clip that never cuts anything and
    // DRAW_FLAG_ALPHA; built on first use.
    static sDrawState const& GetDefaults();
};

// The clip of the defaults: it never cuts anything.
constexpr int32_t kUnclippedLeft = -1073741824;
constexpr int32_t kUnclippedSize = 2147483647;

// A draw state with chainable setters.
class DrawStateNPI : public sDrawState
{
public:
    DrawStateNPI() : sDrawState(GetDefaults()) {}
    explicit DrawStateNPI(sDrawState const& state) : sDrawState(state) {}

    // Stores the rectangle and sets DRAW_FLAG_SOURCE_RECT.
    DrawStateNPI& SourceRect(int x, int y, int width, int height);
};

} // namespace Graphics
} // namespace Corvane

#endif
