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

enum : int
{
    kKeyBackspace = 8,
    kKeyTab = 9,
    kKeyEnter = 13,
    kKeyEscape = 27,
    kKeyEnd = 35,
    kKeyHome = 36,
    kKeyLeft = 37,
    kKeyRight = 39,
    kKeyDelete = 46
};

constexpr float kCursorFramesPerSecond = 2.0f;

Label TextEditChangeMessage()
{
    static Label const label = Label::GetUniqueString("TextEditChange");
    return label;
}

// The keys a field leaves to the screen: confirming, moving on, cancelling, and the
// adjust-mode keys of sliders and lists.
bool PassesKeyOn(int key)
{
    return key == ControlNodes::kKeyAdjustMode || key == ControlNodes::kKeyAdjustModeLeave || key == kKeyEnter ||
           key == kKeyTab || key == kKeyEscape;
}

} // namespace

TextEditNode::TextEditNode(Label name)
    : SceneNode(name),
      mFieldImages(nullptr),
      mTime(0.0f),
      mCaretPosition(0.0f, 0.0f),
      mScroll(0.0f),
      mCaret(0),
      mMaxCharacters(kNoCharacterLimit),
      mMaxStringWidth(kNoWidthLimit),
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
    SetValue(mValue);
    UpdateBounds();
}

void TextEditNode::SetFieldImages(IImageList const* images)
{
    mFieldImages = images;
    SetValue(mValue);
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
    mMaxCharacters = count < 0 ? kNoCharacterLimit : count;
    SetValue(mValue);
}

void TextEditNode::SetMaxStringWidth(int width)
{
    mMaxStringWidth = width < 0 ? kNoWidthLimit : width;
    SetValue(mValue);
}

void TextEditNode::SetPasswordMode(bool passwordMode)
{
    mPasswordMode = passwordMode;
    SetValue(mValue);
}

void TextEditNode::SetPasswordCharacter(wchar_t c)
{
    mPasswordCharacter = c;
    SetValue(mValue);
}

void TextEditNode::SetAlignment(int alignment)
{
    mAlignment = (alignment == kAlignCenter || alignment == kAlignRight) ? alignment : kAlignLeft;
    SetValue(mValue);
}

void TextEditNode::SetFieldWidth(float width)
{
    SetWidth(width);
    SetValue(mValue);
}

void TextEditNode::SetCaret(unsigned caret)
{
    mCaret = caret;
    SetValue(mValue);
}

// Measures

int TextEditNode::FieldImageWidth(int index) const
{
    return mFieldImages ? mFieldImages->GetImageWidth(index) : 0;
}

int TextEditNode::FieldImageHeight(int index) const
{
    return mFieldImages ? mFieldImages->GetImageHeight(index) : 0;
}

float TextEditNode::GetTextWidth(std::wstring const& text) const
{
    return GetLeadingWidth(text, text.size());
}

float TextEditNode::GetLeadingWidth(std::wstring const& text, std::size_t count) const
{
    Font const* font = GetFont();
    if (!font)
        return 0.0f;
    float width = 0.0f;
    for (std::size_t i = 0; i < count && i < text.size(); ++i)
    {
        bool const last = i + 1 >= text.size();
        wchar_t const c = mPasswordMode ? mPasswordCharacter : text[i];
        wchar_t const next = last ? 0 : (mPasswordMode ? mPasswordCharacter : text[i + 1]);
        width += static_cast<float>(font->GetKernedLetterWidth(c, next));
    }
    return width;
}

float TextEditNode::GetTextBoxWidth() const
{
    if (!mFieldImages)
        return GetWidth();
    return GetWidth() - static_cast<float>(FieldImageWidth(3) + FieldImageWidth(5));
}

float TextEditNode::GetTextBoxHeight() const
{
    Font const* font = GetFont();
    if (!font)
        return 0.0f;
    int const glyphHeight = font->GetGlyphHeight();
    if (!mFieldImages)
        return static_cast<float>(glyphHeight);
    // The box grows in whole steps of the left edge so that the frame's edges tile
    // evenly; an edge without height gives the glyph height.
    int const step = FieldImageHeight(3);
    if (step <= 0 || glyphHeight <= 0)
        return static_cast<float>(glyphHeight > 0 ? glyphHeight : 0);
    int const steps = (glyphHeight + step - 1) / step;
    return static_cast<float>(steps * step);
}

Vector2<float> TextEditNode::GetTextLocation() const
{
    Vector2<float> location(static_cast<float>(FieldImageWidth(3)), static_cast<float>(FieldImageHeight(0)));
    if (mAlignment == kAlignCenter)
        location.x += GetTextBoxWidth() / 2.0f - GetTextWidth(mValue) / 2.0f;
    else if (mAlignment == kAlignRight)
        location.x += GetTextBoxWidth() - GetTextWidth(mValue);
    return location;
}

std::wstring TextEditNode::GetShownText() const
{
    if (mPasswordMode)
        return std::wstring(mValue.size(), mPasswordCharacter);
    return mValue;
}

void TextEditNode::UpdateBounds()
{
    if (!mFieldImages)
        return;
    SetHeight(static_cast<float>(FieldImageHeight(0)) + GetTextBoxHeight() + static_cast<float>(FieldImageHeight(6)));
}

// Value and caret

void TextEditNode::SetValue(std::wstring const& text)
{
    std::wstring value = text;
    if (mMaxCharacters != kNoCharacterLimit && value.size() > static_cast<std::size_t>(mMaxCharacters))
        value.resize(static_cast<std::size_t>(mMaxCharacters));
    if (mMaxStringWidth != kNoWidthLimit)
    {
        while (!value.empty() && std::floor(GetTextWidth(value) + 0.5f) > static_cast<float>(mMaxStringWidth))
            value.erase(value.size() - 1);
    }
    mValue = value;
    if (mCaret > mValue.size())
        mCaret = static_cast<unsigned>(mValue.size());

    Vector2<float> const location = GetTextLocation();
    mCaretPosition = location;
    mCaretPosition.x += GetLeadingWidth(mValue, mCaret);

    // The caret is kept between the box's edges. Centred and right-aligned text
    // starts inside the box, so its own start is not the edge to keep to: text
    // wider than the box would otherwise scroll its end into the middle.
    float const boxLeft = static_cast<float>(FieldImageWidth(3));
    float const boxWidth = GetTextBoxWidth();
    if (mCaretPosition.x + mScroll > boxLeft + boxWidth)
        mScroll = boxLeft + boxWidth - mCaretPosition.x;
    else if (mCaretPosition.x + mScroll < boxLeft)
        mScroll = boxLeft - mCaretPosition.x;

    // Text that got shorter while scrolled slides back rather than leaving the box
    // empty beside the caret: a scrolled text never ends before the box's right
    // edge, nor starts after its left edge. The caret moves with it and stays inside.
    float const textStart = location.x;
    float const textEnd = location.x + GetTextWidth(mValue);
    if (mScroll < 0.0f && textEnd + mScroll < boxLeft + boxWidth)
        mScroll = std::min(0.0f, boxLeft + boxWidth - textEnd);
    else if (mScroll > 0.0f && textStart + mScroll > boxLeft)
        mScroll = std::max(0.0f, boxLeft - textStart);
}

void TextEditNode::InsertCharacter(wchar_t c)
{
    std::wstring copy = mValue;
    copy.insert(copy.begin() + mCaret, c);
    if (mMaxStringWidth != kNoWidthLimit && std::floor(GetTextWidth(copy) + 0.5f) > static_cast<float>(mMaxStringWidth))
        return;
    if (mMaxCharacters != kNoCharacterLimit && copy.size() > static_cast<std::size_t>(mMaxCharacters))
        return;
    ++mCaret;
    SetValue(copy);
    ControlNodes::SendNodeMessage(*this, TextEditChangeMessage());
}

void TextEditNode::DeleteCharacterBeforeCarat()
{
    if (mCaret == 0)
        return;
    --mCaret;
    std::wstring copy = mValue;
    copy.erase(mCaret, 1);
    SetValue(copy);
    ControlNodes::SendNodeMessage(*this, TextEditChangeMessage());
}

void TextEditNode::DeleteCharacterAfterCarat()
{
    if (mCaret >= mValue.size())
        return;
    std::wstring copy = mValue;
    copy.erase(mCaret, 1);
    SetValue(copy);
    ControlNodes::SendNodeMessage(*this, TextEditChangeMessage());
}

// Input

MessageResult TextEditNode::OnTextInput(std::wstring const& text)
{
    // A hidden field is not on screen to be typed into.
    if (!HasFocus() || !GlobalIsVisible())
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
    if (!HasFocus() || !GlobalIsVisible() || PassesKeyOn(key))
        return kMessageNotHandled;
    switch (key)
    {
    case kKeyBackspace:
        DeleteCharacterBeforeCarat();
        break;
    case kKeyDelete:
        DeleteCharacterAfterCarat();
        break;
    case kKeyHome:
        mCaret = 0;
        SetValue(mValue);
        break;
    case kKeyEnd:
        mCaret = static_cast<unsigned>(mValue.size());
        SetValue(mValue);
        break;
    case kKeyLeft:
        if (mCaret > 0)
            --mCaret;
        SetValue(mValue);
        break;
    case kKeyRight:
        if (mCaret < mValue.size())
            ++mCaret;
        SetValue(mValue);
        break;
    default:
        // Letter keys arrive again as text input: the key press itself is swallowed
        // so that screen shortcuts do not fire while the player types.
        break;
    }
    return kMessageHandled;
}

// Drawing

void TextEditNode::DrawAt(Vector2<float> const& offset)
{
    if (!GlobalIsVisible())
        return;
    Vector2<float> const position = ControlNodes::NodeDrawPosition(*this, offset);
    Graphics::sDrawState state = Graphics::GetDrawState();
    state.tint.a = GlobalGetAlpha();
    Graphics::ICanvas* canvas = Graphics::GetCanvas();

    if (mFieldImages)
        Graphics::DrawNineBrush(mFieldImages, 0, position.x, position.y, GetWidth(), GetHeight(), state, canvas);

    Vector2<float> const location = GetTextLocation();
    Font const* font = GetFont();
    if (font && !mValue.empty())
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
        Graphics::DrawText(GetShownText().c_str(), position.x + location.x + mScroll, position.y + location.y, text,
                           canvas);
    }

    if (HasFocus() && IsEnabled() && mCursorImages)
    {
        Rect<float> cursor(position.x + mCaretPosition.x + mScroll, position.y + mCaretPosition.y,
                           static_cast<float>(mCursorAnimation.GetWidth()), GetHeight() - 2.0f * mCaretPosition.y);
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
