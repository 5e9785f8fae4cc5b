#ifndef CORVANE_EXTENSIONS_TEXTALIGNMENT_H
#define CORVANE_EXTENSIONS_TEXTALIGNMENT_H

// Alignment words of layout attributes such as "textJustify", compared exactly:
// "Left" or "LEFT" is not a word, so content mistakes show as the default.

#include "2DEngine/Source/Graphics/DrawState.h"

#include <string>

namespace Corvane
{

// "left", "center", "right"; anything else gives the default.
HAlignment StringToHAlignment(std::wstring const& text, HAlignment defaultValue);
// "top", "middle", "bottom"; anything else gives the default.
VAlignment StringToVAlignment(std::wstring const& text, VAlignment defaultValue);

} // namespace Corvane

#endif
