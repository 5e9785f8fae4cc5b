#include "CorvaneExtensions/Source/TextComponent.h"

#include "2DEngine/Source/Framework/Constant.h"
#include "Core/Source/StringUtils.h"

void TextComponent::SetTextFromResource(Corvane::Label name)
{
    Corvane::Constant<std::wstring> const text(name);
    if (text.IsValid())
    {
        SetText(static_cast<std::wstring>(text));
        return;
    }
    SetText(L"Missing: \"" + Corvane::ConvertStringASCIIToWide(name.GetString()) + L"\"");
}
