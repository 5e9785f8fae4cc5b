#include "2DEngine/Source/Graphics/DrawState.h"

namespace Corvane
{

namespace
{

wchar_t const* const kTextModeNames[] = {L"Normal", L"Outline", L"Drop Shadow"};
wchar_t const* const kHAlignmentNames[] = {L"Left", L"Center", L"Right"};
wchar_t const* const kVAlignmentNames[] = {L"Top", L"Middle", L"Bottom"};

wchar_t const* NameOf(wchar_t const* const (&names)[3], int32_t value)
{
    if (value < 0 || value > 2)
        return L"";
    return names[value];
}

int IndexOf(wchar_t const* const (&names)[3], std::wstring const& name)
{
    for (int i = 0; i < 3; ++i)
    {
        if (name == names[i])
            return i;
    }
    return -1;
}

} // namespace

wchar_t const* GetTextModeName(TextMode mode)
{
    return NameOf(kTextModeNames, mode);
}

wchar_t const* GetHAlignmentName(HAlignment alignment)
{
    return NameOf(kHAlignmentNames, alignment);
}

wchar_t const* GetVAlignmentName(VAlignment alignment)
{
    return NameOf(kVAlignmentNames, alignment);
}

bool TextModeFromName(std::wstring const& name, TextMode* mode)
{
    int const index = IndexOf(kTextModeNames, name);
    if (index < 0 || !mode)
        return false;
    *mode = static_cast<TextMode>(index);
    return true;
}

bool HAlignmentFromName(std::wstring const& name, HAlignment* alignment)
{
    int const index = IndexOf(kHAlignmentNames, name);
    if (index < 0 || !alignment)
        return false;
    *alignment = static_cast<HAlignment>(index);
    return true;
}

bool VAlignmentFromName(std::wstring const& name, VAlignment* alignment)
{
    int const index = IndexOf(kVAlignmentNames, name);
    if (index < 0 || !alignment)
        return false;
    *alignment = static_cast<VAlignment>(index);
    return true;
}

namespace Graphics
{

sDrawState::sDrawState()
    : font(nullptr),
      color(1.0f, 1.0f, 1.0f, 1.0f),
      effectColor(1.0f, 1.0f, 1.0f, 1.0f),
      effectOffsetX(0),
      effectOffsetY(0),
      tint(1.0f, 1.0f, 1.0f, 1.0f),
      clip(0, 0, 0, 0),
      sourceRect(0, 0, 0, 0),
      flags(0),
      textMode(kTextMode_Normal),
      hAlign(kHAlignment_Left),
      vAlign(kVAlignment_Top)
{
}

sDrawState const& sDrawState::GetDefaults()
{
    static sDrawState const defaults = [] {
        sDrawState state;
        state.effectColor = ColorF(0.0f, 0.0f, 0.0f, 1.0f);
        state.effectOffsetX = 2;
        state.effectOffsetY = 2;
        state.clip = Rect<int>(kUnclippedLeft, kUnclippedLeft, kUnclippedSize, kUnclippedSize);
        state.flags = DRAW_FLAG_ALPHA;
        return state;
    }();
    return defaults;
}

DrawStateNPI& DrawStateNPI::SourceRect(int x, int y, int width, int height)
{
    sourceRect = Rect<int>(x, y, width, height);
    flags |= DRAW_FLAG_SOURCE_RECT;
    return *this;
}

} // namespace Graphics
} // namespace Corvane
