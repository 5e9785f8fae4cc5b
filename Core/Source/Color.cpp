#include "Core/Source/Color.h"

#include "Core/Source/StringUtils.h"

#include <cstdio>
#include <cwchar>

namespace
{
    float Channel(std::wstring const& text, size_t position)
    {
        int high = Corvane::htoi(text[position]);
        int low = Corvane::htoi(text[position + 1]);
        return static_cast<float>((high * 16 + low) / 255.0);
    }

    uint32_t ChannelByte(float channel)
    {
        float scaled = channel * 255.0f;
        // Written so that NaN also lands on 0.
        if (!(scaled > 0.0f))
            return 0;
        if (scaled >= 255.0f)
            return 255;
        return static_cast<uint32_t>(scaled);
    }
}

namespace Corvane
{
    std::wstring Color32::ToString() const
    {
        wchar_t buffer[16];
        swprintf(buffer, sizeof(buffer) / sizeof(buffer[0]), L"#%02X%02X%02X%02X",
                 unsigned(GetRed()), unsigned(GetGreen()), unsigned(GetBlue()), unsigned(GetAlpha()));
        return buffer;
    }

    ColorF::ColorF(Color32 color)
        : r(static_cast<float>(color.GetRed() / 255.0)),
          g(static_cast<float>(color.GetGreen() / 255.0)),
          b(static_cast<float>(color.GetBlue() / 255.0)),
          a(static_cast<float>(color.GetAlpha() / 255.0))
    {
    }

    ColorF ColorF::FromString(std::wstring const& text)
    {
        if (text.size() == 9 && text[0] == L'#')
            return ColorF(Channel(text, 1), Channel(text, 3), Channel(text, 5), Channel(text, 7));
        if (text.size() == 7 && text[0] == L'#')
            return ColorF(Channel(text, 1), Channel(text, 3), Channel(text, 5), 1.0f);
        return ColorF(0.0f, 0.0f, 0.0f, 1.0f);
    }

    Color32 ColorF::ToColor32() const
    {
        return Color32((ChannelByte(a) << 24) | (ChannelByte(r) << 16) | (ChannelByte(g) << 8) | ChannelByte(b));
    }

    std::wstring ColorF::ToString() const
    {
        return ToColor32().ToString();
    }
}
