#ifndef CORVANE_EXTENSIONS_TEXTEDITNODE_H
#define CORVANE_EXTENSIONS_TEXTEDITNODE_H

// A one-line text field of the scene graph: a nine-slice frame, the value in a font
// (or as password characters), a blinking caret, limits on the number of
// characters and on the drawn width, left, centred or right alignment, horizontal
// scrolling that keeps the caret in the box, and the object message
// "TextEditChange" after every edit. A press gives it the focus; typing arrives as
// text input, editing keys as key presses. Made from the "texteditnode" layout tag.

#include "CorvaneExtensions/Source/NodeFactory.h"
#include "CorvaneExtensions/Source/SceneNode.h"

#include "2DEngine/Source/Framework/Roles.h"
#include "2DEngine/Source/Graphics/Animation.h"
#include "2DEngine/Source/Graphics/ImageList.h"
#include "2DEngine/Source/Widgets/ControlLogic.h"
#include "Core/Source/Label.h"
#include "Core/Source/Vector2.h"

#include <memory>
#include <string>

namespace Corvane
{
class Font;
class IImage;
}

class TextEditNode : public SceneNode, public Corvane::FontComponent, public Corvane::EnableComponent
{
public:
    static constexpr int kNoCharacterLimit = -1;
    static constexpr int kNoWidthLimit = -1;

    enum eAlignment
    {
        kAlignLeft = 0,
        kAlignCenter = 1,
        kAlignRight = 2
    };

    // No font, no images, no limits, left aligned; takes part in hit tests and
    // takes the focus when pressed.
    explicit TextEditNode(Corvane::Label name = Corvane::Label());
    ~TextEditNode() override;

    // The cursor's blink clock.
    void Update(float dt) override;
    Corvane::MessageResult OnKeyDown(int key) override;
    Corvane::MessageResult OnTextInput(std::wstring const& text) override;
    void DrawAt(Corvane::Vector2<float> const& offset) override;

    // Each setter re-applies the value, so the limits, the caret and the scroll
    // always hold for the current settings.
    void SetFont(Corvane::Font const* font) override;
    // The nine-slice frame (top-left, top, top-right, left, centre, right,
    // bottom-left, bottom, bottom-right); null for none. Not owned.
    void SetFieldImages(Corvane::IImageList const* images);
    Corvane::IImageList const* GetFieldImages() const { return mFieldImages; }
    // Not owned; null shows no caret.
    void SetCursorImage(Corvane::IImage const* image);
    void SetMaxCharacterCount(int count);
    int GetMaxCharacterCount() const { return mModel.GetMaxCharacters(); }
    // In pixels.
    void SetMaxStringWidth(int width);
    int GetMaxStringWidth() const { return mModel.GetMaxStringWidth(); }
    void SetPasswordMode(bool passwordMode);
    bool GetPasswordMode() const { return mPasswordMode; }
    void SetPasswordCharacter(wchar_t c);
    wchar_t GetPasswordCharacter() const { return mPasswordCharacter; }
    // 0 left, 1 centre, 2 right; anything else is left.
    void SetAlignment(int alignment);
    int GetAlignment() const { return mAlignment; }
    // The field's width; its height follows the frame and the font.
    void SetFieldWidth(float width);

    // Trims the text to the limits and moves the caret into it; sends no message.
    void SetValue(std::wstring const& text);
    std::wstring const& GetValue() const { return mModel.GetValue(); }

    // The edits of typing; each that changes the value sends "TextEditChange".
    void InsertCharacter(wchar_t c);
    void DeleteCharacterBeforeCarat();
    void DeleteCharacterAfterCarat();

    unsigned GetCaret() const { return mModel.GetCaret(); }
    void SetCaret(unsigned caret);
    Corvane::Vector2<float> const& GetCaretPosition() const { return mModel.GetCaretPosition(); }
    float GetScroll() const { return mModel.GetScroll(); }
    float GetTime() const { return mTime; }

    // Measures, relative to the node.
    float GetTextWidth(std::wstring const& text) const;
    // The kerned advances of the first count characters, each paired with the
    // character after it in the text (the last one with none).
    float GetLeadingWidth(std::wstring const& text, std::size_t count) const;
    float GetTextBoxWidth() const;
    float GetTextBoxHeight() const;
    Corvane::Vector2<float> GetTextLocation() const;
    // The value, or one password character for each of its characters.
    std::wstring GetShownText() const;

private:
    // What the field is measured against; a frame whose image 3 has no height counts as none.
    Corvane::ControlLogic::sTextFieldFrame Frame() const;
    void UpdateBounds();
    void HandleMouseDown();
    void SendChange();

    Corvane::IImageList const* mFieldImages;
    std::unique_ptr<Corvane::ImageList> mCursorImages;
    Corvane::Animation mCursorAnimation;
    float mTime;
    Corvane::ControlLogic::TextFieldModel mModel;
    bool mPasswordMode;
    wchar_t mPasswordCharacter;
    int mAlignment;
};

class TextEditNodeDescriptor : public SceneNodeDescriptor
{
public:
    TextEditNodeDescriptor()
        : width(0.0f),
          maxCharacters(TextEditNode::kNoCharacterLimit),
          maxStringWidth(TextEditNode::kNoWidthLimit),
          passwordMode(false),
          passwordCharacter(L'*'),
          alignment(TextEditNode::kAlignLeft)
    {
    }

    Corvane::Label fieldImages;
    Corvane::Label cursorImage;
    float width;
    Corvane::Label font;
    int maxCharacters;
    int maxStringWidth;
    bool passwordMode;
    wchar_t passwordCharacter;
    int alignment;
};

// "texteditnode": "fieldImages", "cursorImage", "width" (0), "font", "maxCharacters"
// (-1), "maxStringWidth" (-1), "passwordMode" (false), "passwordCharacter" ("*"),
// "textalign" ("left", "center", "right").
class TextEditNodeFactory : public SceneNodeFactory
{
public:
    SceneNodeDescriptor* CreateDescriptor(Corvane::IAttributeContainer const& attributes) const override;
    SceneNode* CreateNode(SceneNodeDescriptor const* descriptor) const override;
};

#endif
