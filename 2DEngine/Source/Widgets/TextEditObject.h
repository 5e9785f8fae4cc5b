#ifndef CORVANE_WIDGETS_TEXTEDITOBJECT_H
#define CORVANE_WIDGETS_TEXTEDITOBJECT_H

// The one-line text field of widget layouts ("textedit"): typed characters at a
// caret, Backspace and Delete, Left, Right, Home and End, a limit by characters
// and by pixels, password masking, left, centred or right text that scrolls to
// keep the caret in view, and a blinking cursor while focused. Every edit
// broadcasts "TextEditChange".

#include <memory>
#include <string>

#include "Core/Source/Color.h"
#include "Core/Source/Vector2.h"
#include "2DEngine/Source/Graphics/Animation.h"
#include "2DEngine/Source/Graphics/ImageList.h"
#include "2DEngine/Source/Widgets/ControlLogic.h"
#include "2DEngine/Source/Widgets/ControlObject.h"
#include "2DEngine/Source/Widgets/ObjectFactory.h"

namespace Corvane
{

class IImage;

class TextEditObject : public ControlObject
{
public:
    static constexpr int kAlignLeft = 0;
    static constexpr int kAlignCenter = 1;
    static constexpr int kAlignRight = 2;

    explicit TextEditObject(Label name);
    TextEditObject(Label name, float layer, Vector2<float> const& location, IImageList const* fieldImages,
                   IImage const* cursorImage, float width, Font const* font, ColorF const& color);
    ~TextEditObject() override;

    // With field images the height follows the font; the value is measured again.
    void SetFont(Font const* font) override;
    // The caret and scroll follow a new width.
    void SetBounds(Rect<float> const& bounds) override;
    void Draw() override;
    // Inserts the printable characters while focused.
    MessageResult OnTextInput(std::wstring const& text) override;
    // While focused every key but 512, 513, Enter, Tab and Escape is taken.
    MessageResult OnKeyDown(int key) override;
    // A click inside takes the focus; the caret stays.
    MessageResult OnMouseDown(MouseButton button, int x, int y) override;
    // Runs the cursor's blink.
    void Update(float dt) override;

    std::wstring const& GetValue() const { return mModel.GetValue(); }
    // Under the limits, without a message.
    void SetValue(std::wstring const& value);
    // A frame whose image 3 has no height counts as none.
    void SetFieldImages(IImageList const* images);
    IImageList const* GetFieldImages() const { return mFieldImages; }
    // Shown half a second, hidden half a second; null shows no caret.
    void SetCursorImage(IImage const* image);
    // Negative values mean no limit.
    void SetMaxCharacterCount(int count);
    int GetMaxCharacterCount() const { return mModel.GetMaxCharacters(); }
    void SetMaxStringWidth(int width);
    int GetMaxStringWidth() const { return mModel.GetMaxStringWidth(); }
    void SetPasswordMode(bool passwordMode);
    bool GetPasswordMode() const { return mPasswordMode; }
    void SetPasswordCharacter(wchar_t c);
    wchar_t GetPasswordCharacter() const { return mPasswordCharacter; }
    // kAlignLeft, kAlignCenter or kAlignRight.
    void SetTextAlign(int align);
    int GetTextAlign() const { return mTextAlign; }

    // The edits: each broadcasts "TextEditChange" when it changed the value.
    void InsertCharacter(wchar_t c);
    void DeleteCharacterBeforeCarat();
    void DeleteCharacterAfterCarat();

    unsigned GetCaret() const { return mModel.GetCaret(); }
    // Relative to the location.
    Vector2<float> const& GetCaretPosition() const { return mModel.GetCaretPosition(); }
    float GetScrollX() const { return mModel.GetScroll(); }
    float GetTextBoxWidth() const;
    float GetTextBoxHeight() const;
    Vector2<float> GetTextLocation() const;
    float GetTextWidth(std::wstring const& text) const;
    bool HasCursor() const { return mCursorImages != nullptr; }

private:
    ControlLogic::sTextFieldFrame Frame() const;
    // With usable field images the height is the frame's edges and the box.
    void UpdateHeight();
    void SendChange();

    IImageList const* mFieldImages;
    // The animation points into the list.
    std::unique_ptr<ImageList> mCursorImages;
    Animation mCursorAnimation;
    float mBlinkTime;
    ControlLogic::TextFieldModel mModel;
    bool mPasswordMode;
    wchar_t mPasswordCharacter;
    int mTextAlign;
};

// "fieldImages", "cursorImage", "maxCharacters", "maxStringWidth", "passwordMode",
// "passwordCharacter", "textalign" ("left", "center", "right").
class TextEditObjectFactory : public IObjectFactory
{
public:
    Object* CreateObject(Label name, IAttributeContainer const& attributes) const override;
};

} // namespace Corvane

#endif
