#ifndef CORVANE_EXTENSIONS_TEXTSPRITENODES_H
#define CORVANE_EXTENSIONS_TEXTSPRITENODES_H

// Non-interactive text: TextSpriteNode draws one string in a font, colour and text
// mode, on one line or wrapped to a width; StyledTextSpriteNode draws inline style
// markup (colour, outline or shadow colour, font, text mode) wrapped to a width.
// Both size themselves to the text they show. Made from the "textspritenode" and
// "styledtextspritenode" layout tags.

#include "CorvaneExtensions/Source/NodeFactory.h"
#include "CorvaneExtensions/Source/SceneNode.h"

#include "2DEngine/Source/Framework/Roles.h"
#include "2DEngine/Source/Graphics/DrawState.h"
#include "2DEngine/Source/Graphics/StyledText.h"
#include "Core/Source/Color.h"
#include "Core/Source/Label.h"
#include "Core/Source/Vector2.h"

#include <string>

namespace Corvane
{
class Font;
}

// The text role of text sprites: the text, the wrap width (0 for one line) and the
// justification.
class ITextSprite : public Corvane::IText
{
public:
    // The wide-text constant's value; a name with no constant shows Missing: "name".
    virtual void SetTextFromResource(Corvane::Label name) = 0;
    virtual void SetTextWidth(float width) = 0;
    virtual float GetTextWidth() const = 0;
    virtual void SetTextJustification(Corvane::HAlignment justification) = 0;
    virtual Corvane::HAlignment GetTextJustification() const = 0;
};

class TextSpriteComponent : public ITextSprite
{
public:
    TextSpriteComponent() : mTextWidth(0.0f), mJustification(Corvane::kHAlignment_Left) {}
    ~TextSpriteComponent() override {}

    std::wstring const& GetText() const override { return mText; }
    void SetText(std::wstring const& text) override { mText = text; }
    // Goes through the virtual SetText, so nodes resize (and styled text escapes it).
    void SetTextFromResource(Corvane::Label name) override;
    void SetTextWidth(float width) override { mTextWidth = width; }
    float GetTextWidth() const override { return mTextWidth; }
    void SetTextJustification(Corvane::HAlignment justification) override { mJustification = justification; }
    Corvane::HAlignment GetTextJustification() const override { return mJustification; }

private:
    std::wstring mText;
    float mTextWidth;
    Corvane::HAlignment mJustification;
};

class TextSpriteNode : public SceneNode, public Corvane::FontComponent, public TextSpriteComponent
{
public:
    // A null text is empty. Hit testing stays off unless the layout turns it on.
    TextSpriteNode(Corvane::Vector2<float> const& location, wchar_t const* text, Corvane::Font const* font,
                   Corvane::ColorF const& color, float textWidth);

    void DrawAt(Corvane::Vector2<float> const& offset) override;

    // Each stores, then resizes the node at once.
    void SetText(std::wstring const& text) override;
    void SetTextWidth(float width) override;
    void SetFont(Corvane::Font const* font) override;
    // The node's own mode, not the font component's.
    Corvane::TextMode GetTextMode() const override { return mTextMode; }
    void SetTextMode(Corvane::TextMode mode) override { mTextMode = mode; }

    // Snaps the drawing position to whole pixels.
    void SetNoBlur(bool noBlur) { mNoBlur = noBlur; }
    bool GetNoBlur() const { return mNoBlur; }
    // The outline or drop-shadow colour.
    void SetBackgroundColor(Corvane::ColorF const& color) { mBackgroundColor = color; }
    Corvane::ColorF const& GetBackgroundColor() const { return mBackgroundColor; }

private:
    void UpdateTextData();

    bool mNoBlur;
    Corvane::TextMode mTextMode;
    Corvane::ColorF mBackgroundColor;
};

class StyledTextSpriteNode : public SceneNode, public TextSpriteComponent
{
public:
    // The text is taken as markup; a null text is empty.
    StyledTextSpriteNode(Corvane::Vector2<float> const& location, wchar_t const* text,
                         Corvane::Graphics::TextStyle const& style, float textWidth);

    void DrawAt(Corvane::Vector2<float> const& offset) override;

    // Text set at run time always shows literally: it is escaped before it is
    // read as markup.
    void SetText(std::wstring const& text) override;
    // Nothing when the width is the current one.
    void SetTextWidth(float width) override;

    Corvane::Graphics::TextStyle const& GetDefaultStyle() const { return mDefaultStyle; }
    Corvane::Graphics::StyleRunList const& GetRuns() const { return mRuns; }
    Corvane::Graphics::LineDimensionList const& GetLineDimensions() const { return mLineDimensions; }
    int GetTotalWidth() const { return mTotalWidth; }
    int GetTotalHeight() const { return mTotalHeight; }
    void SetNoBlur(bool noBlur) { mNoBlur = noBlur; }
    bool GetNoBlur() const { return mNoBlur; }

private:
    void UpdateTextData();

    Corvane::Graphics::TextStyle mDefaultStyle;
    Corvane::Graphics::StyleRunList mRuns;
    Corvane::Graphics::LineDimensionList mLineDimensions;
    int mTotalWidth;
    int mTotalHeight;
    bool mNoBlur;
};

// A copy in which &, the double quote, < and > are written as entities.
std::wstring encodeForXML(wchar_t const* text);

// "outline" 1, "dropShadow" 2 (exact); anything else plain.
Corvane::TextMode ParseTextSpriteMode(std::wstring const& text);

class TextSpriteNodeDescriptor : public SceneNodeDescriptor
{
public:
    TextSpriteNodeDescriptor()
        : textWidth(0.0f),
          justification(Corvane::kHAlignment_Left),
          noBlur(false),
          textMode(Corvane::kTextMode_Normal),
          backgroundColor(1.0f, 1.0f, 1.0f, 1.0f)
    {
    }

    std::wstring text;
    Corvane::Label font;
    float textWidth;
    Corvane::HAlignment justification;
    // Null when the layout names none.
    Corvane::Label textResource;
    bool noBlur;
    Corvane::TextMode textMode;
    Corvane::ColorF backgroundColor;
};

// "textspritenode": "text", "textResource", "font", "width" (0), "textJustify",
// "noBlur", "textMode", "bgColor".
class TextSpriteNodeFactory : public SceneNodeFactory
{
public:
    SceneNodeDescriptor* CreateDescriptor(Corvane::IAttributeContainer const& attributes) const override;
    SceneNode* CreateNode(SceneNodeDescriptor const* descriptor) const override;
};

class StyledTextSpriteNodeDescriptor : public SceneNodeDescriptor
{
public:
    StyledTextSpriteNodeDescriptor() : textWidth(0.0f), justification(Corvane::kHAlignment_Left), noBlur(false) {}

    std::wstring text;
    float textWidth;
    Corvane::Graphics::TextStyle defaultStyle;
    Corvane::HAlignment justification;
    Corvane::Label textResource;
    bool noBlur;
};

// "styledtextspritenode": "text", "textResource", "width", "textJustify", "noBlur",
// and the default style's "font", "color", "bgColor" and "textMode" where present.
class StyledTextSpriteNodeFactory : public SceneNodeFactory
{
public:
    SceneNodeDescriptor* CreateDescriptor(Corvane::IAttributeContainer const& attributes) const override;
    SceneNode* CreateNode(SceneNodeDescriptor const* descriptor) const override;
};

#endif
