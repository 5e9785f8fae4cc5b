#include "CorvaneExtensions/Source/TextEditNode.h"

#include "CorvaneExtensions/Source/ControlNodeSupport.h"

#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Graphics/Brush.h"
#include "2DEngine/Source/Graphics/Context.h"
#include "2DEngine/Source/Graphics/Drawing.h"
#include "2DEngine/Source/Graphics/Font.h"
#include "2DEngine/Source/Graphics/Image.h"

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
    ControlLogic::sTextFieldFrame const frame = Frame();
    Vector2<float> const position = ControlNodes::NodeDrawPosition(*this, offset);
    Graphics::sDrawState state = Graphics::GetDrawState();
    state.tint.a = GlobalGetAlpha();
    Graphics::ICanvas* canvas = Graphics::GetCanvas();

    if (frame.fieldImages)
        Graphics::DrawNineBrush(frame.fieldImages, 0, position.x, position.y, GetWidth(), GetHeight(), state, canvas);

    Vector2<float> const location = GetTextLocation();
    Font const* font = GetFont();
    if (font && !GetValue().empty())
    {
        Rect<int> clip(static_cast<int>(position.x + location.x), static_cast<int>(position.y + location.y),
                       static_cast<int>(GetTextBoxWidth()), static_cast<int>(GetTextBoxHeight()));
        // The node's own clip narrows the box further; the box never spills past it.
        if (GetUseClipRect())
            clip = clip.getIntersection(GetClipRect());
        Graphics::sDrawState text = state;
        text.font = font;
        text.color = GlobalGetColor();
        text.hAlign = kHAlignment_Left;
        text.vAlign = kVAlignment_Top;
        text.clip = clip;
        Graphics::DrawText(GetShownText().c_str(), position.x + location.x + GetScroll(), position.y + location.y, text,
                           canvas);
    }

    if (HasFocus() && IsEnabled() && mCursorImages)
    {
        Vector2<float> const& caretPosition = mModel.GetCaretPosition();
        Rect<float> cursor(position.x + caretPosition.x + GetScroll(), position.y + caretPosition.y,
                           static_cast<float>(mCursorAnimation.GetWidth()), GetHeight() - 2.0f * caretPosition.y);
        Graphics::sDrawState caret = state;
        caret.hAlign = kHAlignment_Center;
        Graphics::DrawStretchedAnimation(&mCursorAnimation, mTime, cursor, caret, canvas);
    }
}

// Factory

SceneNodeDescriptor* TextEditNodeFactory::CreateDescriptor(IAttributeContainer const& attributes) const
{
    TextEditNodeDescriptor* d = new TextEditNodeDescriptor();
    d->fieldImages = ControlNodes::ReadResourceLabel(attributes, L"fieldImages");
    d->cursorImage = ControlNodes::ReadResourceLabel(attributes, L"cursorImage");
    d->width = attributes.GetAttribute(L"width", 0.0f);
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
