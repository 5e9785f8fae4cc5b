#ifndef CORVANE_EXTENSIONS_TEXTCOMPONENT_H
#define CORVANE_EXTENSIONS_TEXTCOMPONENT_H

// The caption mixin of the widget nodes: one wide string, settable directly or
// from a wide-text constant of the "GlobalConstants" manifest. Node types override
// SetText to resize themselves, and SetTextFromResource goes through it.

#include "2DEngine/Source/Framework/Roles.h"
#include "Core/Source/Label.h"

#include <string>

class TextComponent : public Corvane::IText
{
public:
    TextComponent() {}
    explicit TextComponent(std::wstring const& text) : mText(text) {}
    ~TextComponent() override {}

    std::wstring const& GetText() const override { return mText; }
    void SetText(std::wstring const& text) override { mText = text; }
    // The constant's text; a name with no constant shows itself as Missing: "name",
    // so that a content mistake is visible on screen rather than a blank caption.
    virtual void SetTextFromResource(Corvane::Label name);

private:
    std::wstring mText;
};

#endif
