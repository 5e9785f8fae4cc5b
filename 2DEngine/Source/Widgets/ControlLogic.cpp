#include "2DEngine/Source/Widgets/ControlLogic.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "2DEngine/Source/Graphics/Font.h"
#include "2DEngine/Source/Graphics/ImageList.h"
#include "2DEngine/Source/Graphics/KeyNames.h"

namespace Corvane
{
namespace ControlLogic
{

namespace
{

// The arrow keys move a free slider by this much.
constexpr float kFreeKeyStep = 0.05f;

} // namespace

bool IsActivationKey(int key)
{
    return key == kKeyEnter || key == kKeySpace || key == kKeyGamePadA;
}

int ImageCount(IImageList const* images)
{
    return images ? images->GetNumImages() : 0;
}

int ImageWidth(IImageList const* images, int index)
{
    return images && index < images->GetNumImages() ? images->GetImageWidth(index) : 0;
}

int ImageHeight(IImageList const* images, int index)
{
    return images && index < images->GetNumImages() ? images->GetImageHeight(index) : 0;
}

int StateIndex(bool enabled, bool captured, bool hot, bool focused, bool focusImages)
{
    if (!enabled)
        return 3;
    if (captured && hot)
        return 2;
    if (hot)
        return 1;
    if (focused)
        return focusImages ? 4 : 1;
    return 0;
}

float ThumbOffsetToValue(float offset, float travel)
{
    // A thumb as wide as its channel cannot travel: the value stays 0 rather than
    // becoming the NaN of a division by zero that would reach settings.
    if (!(travel > 0.0f))
        return 0.0f;
    return offset / travel;
}

float ValueToThumbOffset(float value, float travel)
{
    if (!(travel > 0.0f))
        return 0.0f;
    return travel * value;
}

float SnapToTicks(float value, int numTicks)
{
    if (numTicks <= 0)
        return value;
    if (numTicks == 1)
        return 1.0f;
    float best = value;
    float bestDistance = FLT_MAX;
    for (int i = 0; i < numTicks; ++i)
    {
        float const tick =
            std::max(0.0f, std::min(1.0f, static_cast<float>(i) * (1.0f / static_cast<float>(numTicks - 1))));
        float const distance = std::fabs(tick - value);
        if (distance < bestDistance)
        {
            bestDistance = distance;
            best = tick;
        }
    }
    return best;
}

float SliderKeyStep(bool snap, int numTicks)
{
    if (!snap)
        return kFreeKeyStep;
    return numTicks > 1 ? 1.0f / static_cast<float>(numTicks - 1) : 0.0f;
}

bool SliderCanFocus(bool snap, int numTicks)
{
    return !snap || numTicks > 1;
}

Rect<float> FrameInterior(Rect<float> const& bounds, IImageList const* images)
{
    if (!images)
        return bounds;
    float const left = static_cast<float>(ImageWidth(images, 3));
    float const right = static_cast<float>(ImageWidth(images, 5));
    float const top = static_cast<float>(ImageHeight(images, 0));
    float const topEdge = static_cast<float>(ImageHeight(images, 1));
    float const bottomEdge = static_cast<float>(ImageHeight(images, 7));
    return Rect<float>(bounds.x + left, bounds.y + top, bounds.width - (left + right),
                       bounds.height - (topEdge + bottomEdge));
}

Rect<float> ListRowRect(Rect<float> const& interior, float rowHeight, int index, int first)
{
    Rect<float> rect = interior;
    float const shift = static_cast<float>(index - first) * rowHeight;
    rect.y += shift;
    rect.height = std::min(rowHeight, interior.height - shift);
    return rect;
}

int ListVisibleRowCount(Rect<float> const& interior, float rowHeight, int first, int count)
{
    if (!(rowHeight > 0.0f))
        return 1;
    int lastFull = -1;
    for (int i = std::max(first, 0); i < count; ++i)
    {
        if (ListRowRect(interior, rowHeight, i, first).height >= rowHeight)
            lastFull = i;
        else
            break;
    }
    return lastFull < first ? 1 : lastFull - first + 1;
}

bool RectContains(Rect<float> const& rect, float x, float y)
{
    return x >= rect.x && x < rect.x + rect.width && y >= rect.y && y < rect.y + rect.height;
}

sListStep ListKeyStep(int key, int count, int selected, int first, Rect<float> const& interior, float rowHeight)
{
    sListStep step = {false, false, selected, first};
    if (count <= 0 || (key != kKey_Up && key != kKey_Down))
        return step;
    step.handled = true;
    if (selected < 0)
    {
        step.first = 0;
        step.selected = 0;
        step.selectionChanged = true;
        return step;
    }
    int const last = count - 1;
    if (key == kKey_Down)
    {
        if (selected < last)
        {
            step.selected = selected + 1;
            step.selectionChanged = true;
            while (step.selected - step.first >= ListVisibleRowCount(interior, rowHeight, step.first, count) &&
                   step.first < last)
                step.first = std::min(step.first + 1, last);
        }
        return step;
    }
    if (selected > 0)
    {
        // A selection set beyond the items steps back onto the last one.
        step.selected = std::min(selected, last + 1) - 1;
        step.selectionChanged = true;
        if (step.selected < step.first)
            step.first = step.selected;
    }
    return step;
}

// ---------------------------------------------------------------------------
// Text fields

sTextFieldFrame::sTextFieldFrame(Font const* font_, IImageList const* fieldImages_, float width_, bool passwordMode_,
                                 wchar_t passwordCharacter_, int align_)
    : font(font_),
      fieldImages(UsableFieldImages(fieldImages_)),
      width(width_),
      passwordMode(passwordMode_),
      passwordCharacter(passwordCharacter_),
      align(align_)
{
}

IImageList const* UsableFieldImages(IImageList const* images)
{
    if (!images || ImageHeight(images, 3) <= 0)
        return nullptr;
    return images;
}

TextFieldModel::TextFieldModel()
    : mCaret(0), mCaretPosition(0.0f, 0.0f), mScroll(0.0f), mMaxCharacters(kNoLimit), mMaxStringWidth(kNoLimit)
{
}

float TextFieldModel::LeadingWidth(std::wstring const& text, std::size_t count, sTextFieldFrame const& frame)
{
    if (!frame.font)
        return 0.0f;
    float width = 0.0f;
    for (std::size_t i = 0; i < count && i < text.size(); ++i)
    {
        bool const last = i + 1 >= text.size();
        wchar_t const c = frame.passwordMode ? frame.passwordCharacter : text[i];
        wchar_t const next = last ? 0 : (frame.passwordMode ? frame.passwordCharacter : text[i + 1]);
        width += static_cast<float>(frame.font->GetKernedLetterWidth(c, next));
    }
    return width;
}

float TextFieldModel::TextWidth(std::wstring const& text, sTextFieldFrame const& frame)
{
    return LeadingWidth(text, text.size(), frame);
}

float TextFieldModel::TextBoxWidth(sTextFieldFrame const& frame)
{
    if (!frame.fieldImages)
        return frame.width;
    return frame.width - static_cast<float>(ImageWidth(frame.fieldImages, 3) + ImageWidth(frame.fieldImages, 5));
}

float TextFieldModel::TextBoxHeight(sTextFieldFrame const& frame)
{
    if (!frame.font)
        return 0.0f;
    int const glyphHeight = std::max(0, static_cast<int>(frame.font->GetGlyphHeight()));
    if (!frame.fieldImages)
        return static_cast<float>(glyphHeight);
    // The box grows in whole steps of the left edge so that the frame's edges tile evenly.
    int const step = ImageHeight(frame.fieldImages, 3);
    int const steps = (glyphHeight + step - 1) / step;
    return static_cast<float>(steps * step);
}

float TextFieldModel::FieldHeight(sTextFieldFrame const& frame)
{
    if (!frame.fieldImages)
        return 0.0f;
    return static_cast<float>(ImageHeight(frame.fieldImages, 0)) + TextBoxHeight(frame) +
           static_cast<float>(ImageHeight(frame.fieldImages, 6));
}

Vector2<float> TextFieldModel::TextLocation(sTextFieldFrame const& frame) const
{
    Vector2<float> location(static_cast<float>(ImageWidth(frame.fieldImages, 3)),
                            static_cast<float>(ImageHeight(frame.fieldImages, 0)));
    if (frame.align == 1)
        location.x += TextBoxWidth(frame) / 2.0f - TextWidth(mValue, frame) / 2.0f;
    else if (frame.align == 2)
        location.x += TextBoxWidth(frame) - TextWidth(mValue, frame);
    return location;
}

std::wstring TextFieldModel::GetShownText(sTextFieldFrame const& frame) const
{
    if (frame.passwordMode)
        return std::wstring(mValue.size(), frame.passwordCharacter);
    return mValue;
}

void TextFieldModel::SetValue(std::wstring const& text, sTextFieldFrame const& frame)
{
    std::wstring value = text;
    if (mMaxCharacters != kNoLimit && value.size() > static_cast<std::size_t>(mMaxCharacters))
        value.resize(static_cast<std::size_t>(mMaxCharacters));
    if (mMaxStringWidth != kNoLimit)
    {
        while (!value.empty() &&
               std::floor(TextWidth(value, frame) + 0.5f) > static_cast<float>(mMaxStringWidth))
            value.erase(value.size() - 1);
    }
    mValue = value;
    if (mCaret > mValue.size())
        mCaret = static_cast<unsigned>(mValue.size());

    Vector2<float> const location = TextLocation(frame);
    mCaretPosition = location;
    mCaretPosition.x += LeadingWidth(mValue, mCaret, frame);

    // The caret is kept between the box's edges. Centred and right-aligned text
    // starts inside the box, so its own start is not the edge to keep to: text
    // wider than the box would otherwise scroll its end into the middle.
    float const boxLeft = static_cast<float>(ImageWidth(frame.fieldImages, 3));
    float const boxWidth = TextBoxWidth(frame);
    if (mCaretPosition.x + mScroll > boxLeft + boxWidth)
        mScroll = boxLeft + boxWidth - mCaretPosition.x;
    else if (mCaretPosition.x + mScroll < boxLeft)
        mScroll = boxLeft - mCaretPosition.x;

    // Text that got shorter while scrolled slides back rather than leaving the box
    // empty beside the caret: a scrolled text never ends before the box's right
    // edge, nor starts after its left edge. The caret moves with it and stays inside.
    float const textStart = location.x;
    float const textEnd = location.x + TextWidth(mValue, frame);
    if (mScroll < 0.0f && textEnd + mScroll < boxLeft + boxWidth)
        mScroll = std::min(0.0f, boxLeft + boxWidth - textEnd);
    else if (mScroll > 0.0f && textStart + mScroll > boxLeft)
        mScroll = std::max(0.0f, boxLeft - textStart);
}

bool TextFieldModel::InsertCharacter(wchar_t c, sTextFieldFrame const& frame)
{
    std::wstring copy = mValue;
    copy.insert(copy.begin() + std::min<std::size_t>(mCaret, copy.size()), c);
    if (mMaxStringWidth != kNoLimit &&
        std::floor(TextWidth(copy, frame) + 0.5f) > static_cast<float>(mMaxStringWidth))
        return false;
    if (mMaxCharacters != kNoLimit && copy.size() > static_cast<std::size_t>(mMaxCharacters))
        return false;
    ++mCaret;
    SetValue(copy, frame);
    return true;
}

bool TextFieldModel::DeleteCharacterBeforeCaret(sTextFieldFrame const& frame)
{
    if (mCaret == 0)
        return false;
    --mCaret;
    std::wstring copy = mValue;
    copy.erase(mCaret, 1);
    SetValue(copy, frame);
    return true;
}

bool TextFieldModel::DeleteCharacterAfterCaret(sTextFieldFrame const& frame)
{
    if (mCaret >= mValue.size())
        return false;
    std::wstring copy = mValue;
    copy.erase(mCaret, 1);
    SetValue(copy, frame);
    return true;
}

bool TextFieldModel::PassesKeyOn(int key)
{
    return key == kKeyAdjustMode || key == kKeyAdjustModeLeave || key == kKey_Enter || key == kKey_Tab ||
           key == kKey_Escape;
}

TextFieldModel::eKeyResult TextFieldModel::HandleKey(int key, sTextFieldFrame const& frame)
{
    if (PassesKeyOn(key))
        return kKeyPassedOn;
    switch (key)
    {
    case kKey_Backspace:
        return DeleteCharacterBeforeCaret(frame) ? kKeyChangedValue : kKeySwallowed;
    case kKey_Delete:
        return DeleteCharacterAfterCaret(frame) ? kKeyChangedValue : kKeySwallowed;
    case kKey_Home:
        mCaret = 0;
        break;
    case kKey_End:
        mCaret = static_cast<unsigned>(mValue.size());
        break;
    case kKey_Left:
        if (mCaret > 0)
            --mCaret;
        break;
    case kKey_Right:
        if (mCaret < mValue.size())
            ++mCaret;
        break;
    default:
        // Letter keys arrive again as text input: the key press itself is swallowed
        // so that shortcuts do not fire while the user types.
        return kKeySwallowed;
    }
    SetValue(mValue, frame);
    return kKeySwallowed;
}

} // namespace ControlLogic
} // namespace Corvane
