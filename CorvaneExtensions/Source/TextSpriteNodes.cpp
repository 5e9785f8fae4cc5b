#include "CorvaneExtensions/Source/TextSpriteNodes.h"

#include "2DEngine/Source/Framework/ContentNumbers.h"

#include "CorvaneExtensions/Source/ControlNodeSupport.h"
#include "CorvaneExtensions/Source/TextAlignment.h"

#include "2DEngine/Source/Framework/Constant.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Graphics/Context.h"
#include "2DEngine/Source/Graphics/Drawing.h"
#include "2DEngine/Source/Graphics/Font.h"
#include "Core/Source/StringUtils.h"

#include <climits>
#include <cmath>

using namespace Corvane;

namespace
{

// The x at which text of the justification is anchored in a box of that width.
float JustifiedX(float x, float width, HAlignment justification)
{
    if (justification == kHAlignment_Center)
        return std::floor(x + width / 2.0f);
    if (justification == kHAlignment_Right)
        return std::floor(x + width);
    return x;
}

// Whole pixels for text widths, kept in range so that a huge or broken float never
// reaches the integer conversion.
int WholePixels(float width)
{
    if (!(width > 0.0f))
        return 0;
    if (width >= static_cast<float>(INT_MAX))
        return INT_MAX;
    return static_cast<int>(width);
}

// The box a text is justified in: the wrap width when the text wraps, so that a
// centred text stands in the middle of the box the layout gave it, whatever its
// widest line; otherwise the text's own width.
float BoxWidth(TextSpriteComponent const& text, float measuredWidth)
{
    return text.GetTextWidth() > 0.0f ? static_cast<float>(WholePixels(text.GetTextWidth())) : measuredWidth;
}

} // namespace

void TextSpriteComponent::SetTextFromResource(Label name)
{
    Constant<std::wstring> const text(name);
    if (text.IsValid())
    {
        SetText(static_cast<std::wstring>(text));
        return;
    }
    SetText(L"Missing: \"" + ConvertStringASCIIToWide(name.GetString()) + L"\"");
}

std::wstring encodeForXML(wchar_t const* text)
{
    std::wstring encoded;
    if (!text)
        return encoded;
    for (; *text; ++text)
    {
        switch (*text)
        {
        case L'&':
            encoded += L"&amp;";
            break;
        case L'"':
            encoded += L"&quot;";
            break;
        case L'<':
            encoded += L"&lt;";
            break;
        case L'>':
            encoded += L"&gt;";
            break;
        default:
            encoded += *text;
            break;
        }
    }
    return encoded;
}

TextMode ParseTextSpriteMode(std::wstring const& text)
{
    if (text == L"outline")
        return kTextMode_Outline;
    if (text == L"dropShadow")
        return kTextMode_DropShadow;
    return kTextMode_Normal;
}

// TextSpriteNode

TextSpriteNode::TextSpriteNode(Vector2<float> const& location, wchar_t const* text, Font const* font,
                               ColorF const& color, float textWidth)
    : mNoBlur(false), mTextMode(kTextMode_Normal), mBackgroundColor(1.0f, 1.0f, 1.0f, 1.0f)
{
    LocalSetLocation(location);
    LocalSetColor(color);
    FontComponent::SetFont(font);
    TextSpriteComponent::SetText(text ? std::wstring(text) : std::wstring());
    TextSpriteComponent::SetTextWidth(textWidth);
    UpdateTextData();
}

void TextSpriteNode::SetText(std::wstring const& text)
{
    TextSpriteComponent::SetText(text);
    UpdateTextData();
}

void TextSpriteNode::SetTextWidth(float width)
{
    TextSpriteComponent::SetTextWidth(width);
    UpdateTextData();
}

void TextSpriteNode::SetFont(Font const* font)
{
    FontComponent::SetFont(font);
    UpdateTextData();
}

void TextSpriteNode::UpdateTextData()
{
    Font const* font = GetFont();
    std::wstring const& text = GetText();
    if (!font || text.empty())
    {
        SetWidth(0.0f);
        SetHeight(0.0f);
        return;
    }
    if (GetTextWidth() == 0.0f)
    {
        SetWidth(static_cast<float>(font->GetStringWidth(text.c_str())));
        SetHeight(static_cast<float>(font->GetGlyphHeight()));
        return;
    }
    std::pair<int32_t, int32_t> const size = font->GetWrappedStringDimensions(text.c_str(), WholePixels(GetTextWidth()));
    SetWidth(static_cast<float>(size.first));
    SetHeight(static_cast<float>(size.second));
}

void TextSpriteNode::DrawAt(Vector2<float> const& offset)
{
    if (!GlobalIsVisible() || !GetFont() || GetText().empty())
        return;
    Vector2<float> const position = ControlNodes::NodeDrawPosition(*this, offset);
    float x = JustifiedX(position.x, BoxWidth(*this, GetWidth()), GetTextJustification());
    float y = position.y;
    if (mNoBlur)
    {
        x = std::floor(x + 0.5f);
        y = std::floor(y + 0.5f);
    }

    Graphics::sDrawState state = Graphics::GetDrawState();
    state.font = GetFont();
    state.color = GlobalGetColor();
    state.effectColor = mBackgroundColor;
    state.textMode = mTextMode;
    state.hAlign = GetTextJustification();
    if (GetUseClipRect())
        state.clip = GetClipRect();
    if (GetTextWidth() == 0.0f)
        Graphics::DrawText(GetText().c_str(), x, y, state, Graphics::GetCanvas());
    else
        Graphics::DrawWrappedText(GetText().c_str(), x, y, GetTextWidth(), state, Graphics::GetCanvas());
}

// StyledTextSpriteNode

StyledTextSpriteNode::StyledTextSpriteNode(Vector2<float> const& location, wchar_t const* text,
                                           Graphics::TextStyle const& style, float textWidth)
    : mDefaultStyle(style), mTotalWidth(0), mTotalHeight(0), mNoBlur(false)
{
    LocalSetLocation(location);
    TextSpriteComponent::SetText(text ? std::wstring(text) : std::wstring());
    TextSpriteComponent::SetTextWidth(textWidth);
    UpdateTextData();
}

void StyledTextSpriteNode::SetText(std::wstring const& text)
{
    TextSpriteComponent::SetText(encodeForXML(text.c_str()));
    UpdateTextData();
}

void StyledTextSpriteNode::SetTextWidth(float width)
{
    if (width == GetTextWidth())
        return;
    TextSpriteComponent::SetTextWidth(width);
    UpdateTextData();
}

void StyledTextSpriteNode::UpdateTextData()
{
    mRuns = Graphics::ComputeStyleRuns(GetText(), mDefaultStyle);
    int const wrapWidth = GetTextWidth() > 0.0f ? WholePixels(GetTextWidth()) : INT_MAX;
    mLineDimensions = Graphics::ComputeStyledTextLineDimensions(mRuns, wrapWidth, nullptr);
    mTotalWidth = mLineDimensions.widest;
    mTotalHeight = mLineDimensions.totalHeight;
    SetWidth(static_cast<float>(mTotalWidth));
    SetHeight(static_cast<float>(mTotalHeight));
}

void StyledTextSpriteNode::DrawAt(Vector2<float> const& offset)
{
    if (!GlobalIsVisible() || mRuns.empty())
        return;
    Vector2<float> const position = ControlNodes::NodeDrawPosition(*this, offset);
    float x = JustifiedX(position.x, BoxWidth(*this, GetWidth()), GetTextJustification());
    float y = position.y;
    if (mNoBlur)
    {
        x = std::floor(x + 0.5f);
        y = std::floor(y + 0.5f);
    }

    Graphics::sDrawState state = Graphics::GetDrawState();
    state.hAlign = GetTextJustification();
    float const alpha = GlobalGetAlpha();
    state.color.a = alpha;
    state.effectColor.a = alpha;
    if (GetUseClipRect())
        state.clip = GetClipRect();
    Graphics::DrawWrappedStyledText(mRuns, mLineDimensions, x, y, state, Graphics::GetCanvas());
}

// Factories

namespace
{

void ReadCommonTextAttributes(IAttributeContainer const& attributes, std::wstring* text, float* textWidth,
                              HAlignment* justification, Label* textResource, bool* noBlur)
{
    *text = attributes.GetAttribute(std::wstring(L"text"));
    if (attributes.HasAttribute(L"textResource"))
        *textResource = ControlNodes::ReadResourceLabel(attributes, L"textResource");
    *textWidth = ReadNumber(attributes, L"width", 0.0f, NumberRanges::kSize);
    *justification = StringToHAlignment(attributes.GetAttribute(std::wstring(L"textJustify")), kHAlignment_Left);
    *noBlur = attributes.GetAttribute(L"noBlur", false);
}

} // namespace

SceneNodeDescriptor* TextSpriteNodeFactory::CreateDescriptor(IAttributeContainer const& attributes) const
{
    TextSpriteNodeDescriptor* d = new TextSpriteNodeDescriptor();
    ReadCommonTextAttributes(attributes, &d->text, &d->textWidth, &d->justification, &d->textResource, &d->noBlur);
    d->font = ControlNodes::ReadResourceLabel(attributes, L"font");
    d->textMode = ParseTextSpriteMode(attributes.GetAttribute(std::wstring(L"textMode")));
    if (attributes.HasAttribute(L"bgColor"))
        d->backgroundColor = ColorF::FromString(attributes.GetAttribute(std::wstring(L"bgColor")));
    return d;
}

SceneNode* TextSpriteNodeFactory::CreateNode(SceneNodeDescriptor const* descriptor) const
{
    TextSpriteNodeDescriptor const* d = dynamic_cast<TextSpriteNodeDescriptor const*>(descriptor);
    if (!d)
        return nullptr;
    AutoResource<Font> const font(d->font);
    TextSpriteNode* node = new TextSpriteNode(Vector2<float>(0.0f, 0.0f), d->text.c_str(), font.Get(),
                                              ColorF(1.0f, 1.0f, 1.0f, 1.0f), d->textWidth);
    node->SetTextJustification(d->justification);
    if (d->textResource.IsValid())
        node->SetTextFromResource(d->textResource);
    node->SetNoBlur(d->noBlur);
    node->SetTextMode(d->textMode);
    node->SetBackgroundColor(d->backgroundColor);
    return node;
}

SceneNodeDescriptor* StyledTextSpriteNodeFactory::CreateDescriptor(IAttributeContainer const& attributes) const
{
    StyledTextSpriteNodeDescriptor* d = new StyledTextSpriteNodeDescriptor();
    ReadCommonTextAttributes(attributes, &d->text, &d->textWidth, &d->justification, &d->textResource, &d->noBlur);
    if (attributes.HasAttribute(L"font"))
        d->defaultStyle.font = ControlNodes::ReadResourceLabel(attributes, L"font");
    if (attributes.HasAttribute(L"color"))
        d->defaultStyle.color = ColorF::FromString(attributes.GetAttribute(std::wstring(L"color")));
    if (attributes.HasAttribute(L"bgColor"))
        d->defaultStyle.backgroundColor = ColorF::FromString(attributes.GetAttribute(std::wstring(L"bgColor")));
    if (attributes.HasAttribute(L"textMode"))
        d->defaultStyle.textMode = ParseTextSpriteMode(attributes.GetAttribute(std::wstring(L"textMode")));
    return d;
}

SceneNode* StyledTextSpriteNodeFactory::CreateNode(SceneNodeDescriptor const* descriptor) const
{
    StyledTextSpriteNodeDescriptor const* d = dynamic_cast<StyledTextSpriteNodeDescriptor const*>(descriptor);
    if (!d)
        return nullptr;
    StyledTextSpriteNode* node =
        new StyledTextSpriteNode(Vector2<float>(0.0f, 0.0f), d->text.c_str(), d->defaultStyle, d->textWidth);
    node->SetTextJustification(d->justification);
    if (d->textResource.IsValid())
        node->SetTextFromResource(d->textResource);
    node->SetNoBlur(d->noBlur);
    return node;
}
