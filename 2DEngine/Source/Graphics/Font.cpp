#include "2DEngine/Source/Graphics/Font.h"

namespace Corvane
{

int32_t Font::GetStringWidth(wchar_t const* text) const
{
    if (!text)
        return 0;
    int32_t width = 0;
    for (; *text; ++text)
        width += GetKernedLetterWidth(text[0], text[1]);
    return width;
}

} // namespace Corvane
