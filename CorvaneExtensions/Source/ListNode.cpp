#include "CorvaneExtensions/Source/ListNode.h"

#include "2DEngine/Source/Framework/ContentNumbers.h"

#include "CorvaneExtensions/Source/ControlNodeSupport.h"

#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Graphics/Brush.h"
#include "2DEngine/Source/Graphics/Context.h"
#include "2DEngine/Source/Graphics/Drawing.h"
#include "2DEngine/Source/Graphics/Font.h"
#include "2DEngine/Source/Graphics/ImageList.h"
#include "2DEngine/Source/Graphics/KeyNames.h"

#include <algorithm>

using namespace Corvane;
using namespace ControlNodes;

namespace
{

Label ListSelectionChangeMessage()
{
    static Label const label = Label::GetUniqueString("ListSelectionChange");
    return label;
}

// The lines are a little taller than the glyphs.
constexpr float kLineSpacing = 2.0f;
constexpr float kFocusHighlightAlpha = 0.15f;

} // namespace

ListNode::ListNode(Label name, Vector2<float> const& location, IImageList const* images, float width, float height,
                   Font const* font, ColorF const& textColor, ColorF const& selectedTextColor)
    : SceneNode(name),
      mImages(images),
      mSelectedTextColor(selectedTextColor),
      mTextColor(textColor),
      mSelectedIndex(-1),
      mFirstVisibleIndex(0),
      mAdjustMode(false)
{
    FontComponent::SetFont(font);
    LocalSetLocation(location);
    SetWidth(width);
    SetHeight(height);
}

Rect<float> ListNode::GetInteriorRect() const
{
    Vector2<float> const location = GlobalGetLocation();
    return ControlLogic::FrameInterior(Rect<float>(location.x, location.y, GetWidth(), GetHeight()), mImages);
}

float ListNode::GetLineHeight() const
{
    Font const* font = GetFont();
    return font ? static_cast<float>(font->GetGlyphHeight()) + kLineSpacing : 0.0f;
}

Rect<float> ListNode::GetItemRect(int index) const
{
    return ControlLogic::ListRowRect(GetInteriorRect(), GetLineHeight(), index, mFirstVisibleIndex);
}

int ListNode::GetVisibleItemCount() const
{
    return ControlLogic::ListVisibleRowCount(GetInteriorRect(), GetLineHeight(), mFirstVisibleIndex, GetItemCount());
}

void ListNode::ScrollDown()
{
    mFirstVisibleIndex = std::min(mFirstVisibleIndex + 1, GetItemCount() - 1);
}

void ListNode::SelectItem(int index)
{
    mSelectedIndex = index;
    SendNodeMessage(*this, ListSelectionChangeMessage());
}

bool ListNode::CanFocus() const
{
    return !mItems.empty();
}

void ListNode::ReceiveMessage(ObjectMessage const& message)
{
    if (message.message == LostFocusMessage())
        mAdjustMode = false;
    SceneNode::ReceiveMessage(message);
}

MessageResult ListNode::OnMouseDown(MouseButton, int x, int y)
{
    float const px = static_cast<float>(x);
    float const py = static_cast<float>(y);
    for (int i = mFirstVisibleIndex; i < GetItemCount(); ++i)
    {
        if (ControlLogic::RectContains(GetItemRect(i), px, py))
        {
            SelectItem(i);
            return kMessageHandled;
        }
    }
    return kMessageNotHandled;
}

MessageResult ListNode::OnKeyDown(int key)
{
    if (!HasFocus() || mItems.empty())
        return kMessageNotHandled;
    if (mAdjustMode && (key == kKeyAdjustMode || key == kKeyAdjustModeLeave))
    {
        mAdjustMode = false;
        return kMessageHandled;
    }
    if (key == kKeyAdjustMode)
    {
        mAdjustMode = true;
        return kMessageHandled;
    }
    if (!mAdjustMode)
        return kMessageNotHandled;
    ControlLogic::sListStep const step = ControlLogic::ListKeyStep(key, GetItemCount(), mSelectedIndex,
                                                                   mFirstVisibleIndex, GetInteriorRect(),
                                                                   GetLineHeight());
    if (!step.handled)
        return kMessageNotHandled;
    mFirstVisibleIndex = step.first;
    if (step.selectionChanged)
        SelectItem(step.selected);
    return kMessageHandled;
}

void ListNode::DrawAt(Vector2<float> const& offset)
{
    if (!GlobalIsVisible())
        return;
    Graphics::sDrawState const state = NodeDrawState(*this);
    Vector2<float> const position = NodeDrawPosition(*this, offset);
    Graphics::DrawNineBrush(mImages, 0, position.x, position.y, GetWidth(), GetHeight(), state,
                            Graphics::GetCanvas());

    if (!mAdjustMode && HasFocus())
    {
        Graphics::sDrawState highlight = Graphics::GetDrawState();
        highlight.color = ColorF(1.0f, 1.0f, 1.0f, kFocusHighlightAlpha);
        Graphics::DrawFilledRect(Rect<float>(position.x, position.y, GetWidth(), GetHeight()), highlight,
                                 Graphics::GetCanvas());
    }

    Font const* font = GetFont();
    if (!font)
        return;
    float const alpha = GlobalGetAlpha();
    for (int i = mFirstVisibleIndex; i < GetItemCount(); ++i)
    {
        Rect<float> rect = GetItemRect(i);
        // Every later line lies further below the frame.
        if (rect.height <= 0.0f)
            break;
        rect.x += offset.x;
        rect.y += offset.y;
        ColorF color = mTextColor;
        if (i == mSelectedIndex)
            color = HasFocus() && mAdjustMode ? ColorF(0.0f, 1.0f, 1.0f, 1.0f) : mSelectedTextColor;
        color.a = alpha;
        Graphics::sDrawState line = state;
        line.font = font;
        line.color = color;
        line.hAlign = kHAlignment_Left;
        line.vAlign = kVAlignment_Top;
        line.clip = Rect<int>(static_cast<int>(rect.x), static_cast<int>(rect.y), static_cast<int>(rect.width),
                              static_cast<int>(rect.height));
        Graphics::DrawText(mItems[static_cast<size_t>(i)].text.c_str(), rect.x, rect.y, line, Graphics::GetCanvas());
    }
}

SceneNodeDescriptor* ListNodeFactory::CreateDescriptor(IAttributeContainer const& attributes) const
{
    ListNodeDescriptor* descriptor = new ListNodeDescriptor();
    descriptor->images = ReadResourceLabel(attributes, L"images");
    descriptor->width = ReadNumber(attributes, L"width", 0.0f, NumberRanges::kSize);
    descriptor->height = ReadNumber(attributes, L"height", 0.0f, NumberRanges::kSize);
    descriptor->font = ReadResourceLabel(attributes, L"font");
    descriptor->textColor = ColorF::FromString(attributes.GetAttribute(std::wstring(L"textColor")));
    descriptor->selectedTextColor = ColorF::FromString(attributes.GetAttribute(std::wstring(L"selectedTextColor")));
    return descriptor;
}

SceneNode* ListNodeFactory::CreateNode(SceneNodeDescriptor const* descriptor) const
{
    ListNodeDescriptor const* d = dynamic_cast<ListNodeDescriptor const*>(descriptor);
    if (!d)
        return nullptr;
    AutoResource<IImageList> const images(d->images);
    AutoResource<Font> const font(d->font);
    return new ListNode(Label(), Vector2<float>(0.0f, 0.0f), images.Get(), d->width, d->height, font.Get(),
                        d->textColor, d->selectedTextColor);
}
