#include "CorvaneExtensions/Source/TextEditNode.h"

#include "2DEngine/Source/Framework/ContentNumbers.h"

#include "CorvaneExtensions/Source/ControlNodeSupport.h"

#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Graphics/Context.h"
#include "2DEngine/Source/Graphics/Font.h"
#include "2DEngine/Source/Graphics/Image.h"
#include "2DEngine/Source/Widgets/TextFieldDrawing.h"

#include <algorithm>
#include <cmath>

using namespace Corvane;

namespace
{

constexpr float kCursorFramesPerSecond = 2.0f;

Label TextEditChangeMessage()
{
    static Label const label = Label::GetUniqueString("TextEditChange");
    return label;
}

} // namespace

TextEditNode::TextEditNode(Label name)
    : SceneNode(name),
      mFieldImages(nullptr),
      mTime(0.0f),
      mPasswordMode(false),
      mPasswordCharacter(L'*'),
      mAlignment(kAlignLeft)
{
    SetFieldImages(nullptr);
    UpdateBounds();
    SetHitTest(true);
    mouseDownSignal.connect([this](SceneNode*, MouseButton, int, int) { HandleMouseDown(); });
}

TextEditNode::~TextEditNode()
{
}

void TextEditNode::HandleMouseDown()
{
    if (IsEnabled())
        Focus();
}

void TextEditNode::Update(float dt)
{
    mTime += dt;
}

// Settings

void TextEditNode::SetFont(Font const* font)
{
    FontComponent::SetFont(font);
    SetValue(GetValue());
    UpdateBounds();
}

void TextEditNode::SetFieldImages(IImageList const* images)
{
    mFieldImages = images;
    SetValue(GetValue());
    UpdateBounds();
}

void TextEditNode::SetCursorImage(IImage const* image)
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

void TextEditNode::SetMaxCharacterCount(int count)
{
    mModel.SetMaxCharacters(count);
    SetValue(GetValue());
}

void TextEditNode::SetMaxStringWidth(int width)
{
    mModel.SetMaxStringWidth(width);
    SetValue(GetValue());
}

void TextEditNode::SetPasswordMode(bool passwordMode)
{
    mPasswordMode = passwordMode;
    SetValue(GetValue());
}

void TextEditNode::SetPasswordCharacter(wchar_t c)
{
    mPasswordCharacter = c;
    SetValue(GetValue());
}

void TextEditNode::SetAlignment(int alignment)
{
    mAlignment = (alignment == kAlignCenter || alignment == kAlignRight) ? alignment : kAlignLeft;
    SetValue(GetValue());
}

void TextEditNode::SetFieldWidth(float width)
{
    SetWidth(width);
    SetValue(GetValue());
}

void TextEditNode::SetCaret(unsigned caret)
{
    mModel.SetCaret(caret);
    SetValue(GetValue());
}

// Measures

Corvane::ControlLogic::sTextFieldFrame TextEditNode::Frame() const
{
    return ControlLogic::sTextFieldFrame(GetFont(), mFieldImages, GetWidth(), mPasswordMode, mPasswordCharacter,
                                         mAlignment);
}

float TextEditNode::GetTextWidth(std::wstring const& text) const
{
    return ControlLogic::TextFieldModel::TextWidth(text, Frame());
}

float TextEditNode::GetLeadingWidth(std::wstring const& text, std::size_t count) const
{
    return ControlLogic::TextFieldModel::LeadingWidth(text, count, Frame());
}

float TextEditNode::GetTextBoxWidth() const
{
    return ControlLogic::TextFieldModel::TextBoxWidth(Frame());
}

float TextEditNode::GetTextBoxHeight() const
{
    return ControlLogic::TextFieldModel::TextBoxHeight(Frame());
}

Vector2<float> TextEditNode::GetTextLocation() const
{
    return mModel.TextLocation(Frame());
}

std::wstring TextEditNode::GetShownText() const
{
    return mModel.GetShownText(Frame());
}

void TextEditNode::UpdateBounds()
{
    ControlLogic::sTextFieldFrame const frame = Frame();
    if (frame.fieldImages)
        SetHeight(ControlLogic::TextFieldModel::FieldHeight(frame));
}

// Value and caret

void TextEditNode::SetValue(std::wstring const& text)
{
    mModel.SetValue(text, Frame());
}

void TextEditNode::SendChange()
{
    ControlNodes::SendNodeMessage(*this, TextEditChangeMessage());
}

void TextEditNode::InsertCharacter(wchar_t c)
{
    if (mModel.InsertCharacter(c, Frame()))
        SendChange();
}

void TextEditNode::DeleteCharacterBeforeCarat()
{
    if (mModel.DeleteCharacterBeforeCaret(Frame()))
        SendChange();
}

void TextEditNode::DeleteCharacterAfterCarat()
{
    if (mModel.DeleteCharacterAfterCaret(Frame()))
        SendChange();
}

// Input

MessageResult TextEditNode::OnTextInput(std::wstring const& text)
{
    if (!HasFocus())
        return kMessageNotHandled;
    for (wchar_t c : text)
    {
        if (static_cast<unsigned long>(c) >= 32)
            InsertCharacter(c);
    }
    return kMessageHandled;
}

MessageResult TextEditNode::OnKeyDown(int key)
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

// Drawing

void TextEditNode::DrawAt(Vector2<float> const& offset)
{
    // The field's own flag decides, as the scene draws it.
    if (!LocalIsVisible())
        return;
    Vector2<float> const position = ControlNodes::NodeDrawPosition(*this, offset);
    ControlLogic::sTextFieldLook look;
    look.bounds = Rect<float>(position.x, position.y, GetWidth(), GetHeight());
    look.frameState = Graphics::GetDrawState();
    look.frameState.tint.a = GlobalGetAlpha();
    look.textState = look.frameState;
    look.textState.font = GetFont();
    look.textState.color = GlobalGetColor();
    look.textState.hAlign = kHAlignment_Left;
    look.textState.vAlign = kVAlignment_Top;
    look.caretState = look.frameState;
    look.caretState.hAlign = kHAlignment_Center;
    // The node's own clip narrows the text box further; the text never spills past it.
    if (GetUseClipRect())
        look.clip = &GetClipRect();
    look.caret = HasFocus() && IsEnabled() && mCursorImages ? &mCursorAnimation : nullptr;
    look.caretTime = mTime;
    ControlLogic::DrawTextField(mModel, Frame(), look, Graphics::GetCanvas());
}

// Factory

SceneNodeDescriptor* TextEditNodeFactory::CreateDescriptor(IAttributeContainer const& attributes) const
{
    TextEditNodeDescriptor* d = new TextEditNodeDescriptor();
    d->fieldImages = ControlNodes::ReadResourceLabel(attributes, L"fieldImages");
    d->cursorImage = ControlNodes::ReadResourceLabel(attributes, L"cursorImage");
    d->width = ReadNumber(attributes, L"width", 0.0f, NumberRanges::kSize);
    d->font = ControlNodes::ReadResourceLabel(attributes, L"font");
    d->maxCharacters = attributes.GetAttribute(L"maxCharacters", TextEditNode::kNoCharacterLimit);
    d->maxStringWidth = attributes.GetAttribute(L"maxStringWidth", TextEditNode::kNoWidthLimit);
    d->passwordMode = attributes.GetAttribute(L"passwordMode", false);
    if (attributes.HasAttribute(L"passwordCharacter"))
    {
        std::wstring const text = attributes.GetAttribute(std::wstring(L"passwordCharacter"));
        if (!text.empty())
            d->passwordCharacter = text[0];
    }
    if (attributes.HasAttribute(L"textalign"))
    {
        std::wstring const align = attributes.GetAttribute(std::wstring(L"textalign"));
        if (align == L"center")
            d->alignment = TextEditNode::kAlignCenter;
        else if (align == L"right")
            d->alignment = TextEditNode::kAlignRight;
        else
            d->alignment = TextEditNode::kAlignLeft;
    }
    return d;
}

SceneNode* TextEditNodeFactory::CreateNode(SceneNodeDescriptor const* descriptor) const
{
    TextEditNodeDescriptor const* d = dynamic_cast<TextEditNodeDescriptor const*>(descriptor);
    if (!d)
        return nullptr;
    AutoResource<IImageList> const fieldImages(d->fieldImages);
    AutoResource<IImage> const cursor(d->cursorImage);
    AutoResource<Font> const font(d->font);
    TextEditNode* node = new TextEditNode(Label());
    node->SetFieldImages(fieldImages.Get());
    node->SetCursorImage(cursor.Get());
    node->SetFieldWidth(d->width);
    node->SetFont(font.Get());
    node->SetMaxCharacterCount(d->maxCharacters);
    node->SetMaxStringWidth(d->maxStringWidth);
    node->SetPasswordMode(d->passwordMode);
    node->SetPasswordCharacter(d->passwordCharacter);
    node->SetAlignment(d->alignment);
    return node;
}
