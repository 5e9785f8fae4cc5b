#include "2DEngine/Source/Widgets/TextEditObject.h"

#include "2DEngine/Source/Framework/ContentNumbers.h"

#include "2DEngine/Source/Graphics/Context.h"
#include "2DEngine/Source/Graphics/Font.h"
#include "2DEngine/Source/Graphics/Image.h"
#include "2DEngine/Source/Widgets/TextFieldDrawing.h"

namespace Corvane
{

namespace
{

constexpr float kCursorFramesPerSecond = 2.0f;

Label TextEditChangeMessage()
{
    static Label const label = Label::GetUniqueString("TextEditChange");
    return label;
}

} // namespace

TextEditObject::TextEditObject(Label name)
    : ControlObject(name),
      mFieldImages(nullptr),
      mBlinkTime(0.0f),
      mPasswordMode(false),
      mPasswordCharacter(L'*'),
      mTextAlign(kAlignLeft)
{
}

TextEditObject::TextEditObject(Label name, float layer, Vector2<float> const& location,
                               IImageList const* fieldImages, IImage const* cursorImage, float width,
                               Font const* font, ColorF const& color)
    : ControlObject(name, layer),
      mFieldImages(nullptr),
      mBlinkTime(0.0f),
      mPasswordMode(false),
      mPasswordCharacter(L'*'),
      mTextAlign(kAlignLeft)
{
    SetColor(color);
    SetFont(font);
    SetLocation(location);
    SetWidth(width);
    SetCursorImage(cursorImage);
    SetFieldImages(fieldImages);
}

TextEditObject::~TextEditObject() {}

ControlLogic::sTextFieldFrame TextEditObject::Frame() const
{
    return ControlLogic::sTextFieldFrame(GetFont(), mFieldImages, GetBounds().width, mPasswordMode,
                                         mPasswordCharacter, mTextAlign);
}

void TextEditObject::UpdateHeight()
{
    ControlLogic::sTextFieldFrame const frame = Frame();
    if (!frame.fieldImages)
        return;
    Rect<float> bounds = GetBounds();
    bounds.height = ControlLogic::TextFieldModel::FieldHeight(frame);
    ControlObject::SetBounds(bounds);
}

void TextEditObject::SetValue(std::wstring const& value)
{
    mModel.SetValue(value, Frame());
}

void TextEditObject::SetFieldImages(IImageList const* images)
{
    mFieldImages = images;
    UpdateHeight();
    SetValue(GetValue());
}

void TextEditObject::SetFont(Font const* font)
{
    ControlObject::SetFont(font);
    UpdateHeight();
    SetValue(GetValue());
}

void TextEditObject::SetBounds(Rect<float> const& bounds)
{
    ControlObject::SetBounds(bounds);
    SetValue(GetValue());
}

void TextEditObject::SetCursorImage(IImage const* image)
{
    // The animation points into the list: it goes first.
    mCursorAnimation = Animation();
    mCursorImages.reset();
    if (!image)
        return;
    mCursorImages.reset(new ImageList());
    mCursorImages->AddImage(image);
    mCursorImages->AddOwnedImage(new Image(0, 0));
    mCursorAnimation = Animation(mCursorImages.get(), kAnimationMode_Loop, kCursorFramesPerSecond);
}

void TextEditObject::SetMaxCharacterCount(int count)
{
    mModel.SetMaxCharacters(count);
    SetValue(GetValue());
}

void TextEditObject::SetMaxStringWidth(int width)
{
    mModel.SetMaxStringWidth(width);
    SetValue(GetValue());
}

void TextEditObject::SetPasswordMode(bool passwordMode)
{
    mPasswordMode = passwordMode;
    SetValue(GetValue());
}

void TextEditObject::SetPasswordCharacter(wchar_t c)
{
    mPasswordCharacter = c;
    SetValue(GetValue());
}

void TextEditObject::SetTextAlign(int align)
{
    mTextAlign = (align == kAlignCenter || align == kAlignRight) ? align : kAlignLeft;
    SetValue(GetValue());
}

float TextEditObject::GetTextBoxWidth() const
{
    return ControlLogic::TextFieldModel::TextBoxWidth(Frame());
}

float TextEditObject::GetTextBoxHeight() const
{
    return ControlLogic::TextFieldModel::TextBoxHeight(Frame());
}

Vector2<float> TextEditObject::GetTextLocation() const
{
    return mModel.TextLocation(Frame());
}

float TextEditObject::GetTextWidth(std::wstring const& text) const
{
    return ControlLogic::TextFieldModel::TextWidth(text, Frame());
}

void TextEditObject::SendChange()
{
    SendControlMessage(TextEditChangeMessage());
}

void TextEditObject::InsertCharacter(wchar_t c)
{
    if (mModel.InsertCharacter(c, Frame()))
        SendChange();
}

void TextEditObject::DeleteCharacterBeforeCarat()
{
    if (mModel.DeleteCharacterBeforeCaret(Frame()))
        SendChange();
}

void TextEditObject::DeleteCharacterAfterCarat()
{
    if (mModel.DeleteCharacterAfterCaret(Frame()))
        SendChange();
}

MessageResult TextEditObject::OnMouseDown(MouseButton, int x, int y)
{
    if (!BoundsContains(static_cast<float>(x), static_cast<float>(y)))
        return kMessageNotHandled;
    Focus();
    return kMessageHandled;
}

MessageResult TextEditObject::OnTextInput(std::wstring const& text)
{
    if (!HasFocus())
        return kMessageNotHandled;
    for (wchar_t const c : text)
        if (static_cast<unsigned long>(c) > 31)
            InsertCharacter(c);
    return kMessageHandled;
}

MessageResult TextEditObject::OnKeyDown(int key)
{
    if (!HasFocus())
        return kMessageNotHandled;
    ControlLogic::TextFieldModel::eKeyResult const result = mModel.HandleKey(key, Frame());
    if (result == ControlLogic::TextFieldModel::kKeyPassedOn)
        return kMessageNotHandled;
    if (result == ControlLogic::TextFieldModel::kKeyChangedValue)
        SendChange();
    return kMessageHandled;
}

void TextEditObject::Update(float dt)
{
    mBlinkTime += dt;
}

void TextEditObject::Draw()
{
    if (!IsVisible())
        return;
    ControlLogic::sTextFieldLook look;
    look.bounds = GetBounds();
    look.frameState = Graphics::GetDrawState();
    look.textState = TextDrawState();
    look.caretState = Graphics::GetDrawState();
    look.caret = HasFocus() && IsEnabled() && mCursorImages ? &mCursorAnimation : nullptr;
    look.caretTime = mBlinkTime;
    ControlLogic::DrawTextField(mModel, Frame(), look, Graphics::GetCanvas());
}

Object* TextEditObjectFactory::CreateObject(Label name, IAttributeContainer const& attributes) const
{
    TextEditObject* const field = new TextEditObject(name);
    if (attributes.HasAttribute(L"fieldImages"))
        field->SetFieldImages(FindAttributeResource<IImageList>(attributes, L"fieldImages"));
    if (attributes.HasAttribute(L"cursorImage"))
        field->SetCursorImage(FindAttributeResource<IImage>(attributes, L"cursorImage"));
    if (attributes.HasAttribute(L"maxCharacters"))
        field->SetMaxCharacterCount(ReadNumber(attributes, L"maxCharacters", 0, NumberRanges::kCount));
    if (attributes.HasAttribute(L"maxStringWidth"))
        field->SetMaxStringWidth(ReadNumber(attributes, L"maxStringWidth", 0, NumberRanges::kCount));
    if (attributes.HasAttribute(L"passwordMode"))
        field->SetPasswordMode(attributes.GetAttribute(L"passwordMode", false));
    if (attributes.HasAttribute(L"passwordCharacter"))
    {
        std::wstring const text = attributes.GetAttribute(std::wstring(L"passwordCharacter"));
        if (!text.empty())
            field->SetPasswordCharacter(text[0]);
    }
    if (attributes.HasAttribute(L"textalign"))
    {
        std::wstring const align = attributes.GetAttribute(std::wstring(L"textalign"));
        if (align == L"left")
            field->SetTextAlign(TextEditObject::kAlignLeft);
        else if (align == L"center")
            field->SetTextAlign(TextEditObject::kAlignCenter);
        else if (align == L"right")
            field->SetTextAlign(TextEditObject::kAlignRight);
    }
    return field;
}

} // namespace Corvane
