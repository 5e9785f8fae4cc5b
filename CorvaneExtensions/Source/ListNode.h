#ifndef CORVANE_EXTENSIONS_LISTNODE_H
#define CORVANE_EXTENSIONS_LISTNODE_H

// A single-selection list box of the scene graph: a nine-slice frame, one line of
// text per item, the selected item in another colour, selection by mouse and by
// the Up and Down keys in the keyboard adjust mode, and the object message
// "ListSelectionChange". Made from the "listnode" tag.

#include "CorvaneExtensions/Source/NodeFactory.h"
#include "CorvaneExtensions/Source/SceneNode.h"

#include "2DEngine/Source/Framework/Roles.h"

#include <string>
#include <vector>

namespace Corvane
{
class Font;
class IImageList;
}

class ListNode : public SceneNode, public Corvane::FontComponent
{
public:
    struct ListItem
    {
        // A null text is the empty line.
        ListItem(wchar_t const* text_, void* data_) : text(text_ ? text_ : L""), data(data_) {}

        std::wstring text;
        // Not owned.
        void* data;
    };

    ListNode(Corvane::Label name, Corvane::Vector2<float> const& location, Corvane::IImageList const* images,
             float width, float height, Corvane::Font const* font, Corvane::ColorF const& textColor,
             Corvane::ColorF const& selectedTextColor);

    // "LostFocus" from anyone ends the adjust mode.
    void ReceiveMessage(Corvane::ObjectMessage const& message) override;
    // Any button, enabled or not: the item under the point is selected.
    Corvane::MessageResult OnMouseDown(Corvane::MouseButton button, int x, int y) override;
    Corvane::MessageResult OnKeyDown(int key) override;
    // Only a list with items takes the focus.
    bool CanFocus() const override;
    void DrawAt(Corvane::Vector2<float> const& offset) override;

    // Appended at the end; the selection and scrolling stay.
    void AddItem(ListItem const& item) { mItems.push_back(item); }
    std::vector<ListItem> const& GetItems() const { return mItems; }
    int GetItemCount() const { return static_cast<int>(mItems.size()); }

    // Sends "ListSelectionChange", also when the index stays the same.
    void SelectItem(int index);
    // -1 for none.
    int GetSelectedIndex() const { return mSelectedIndex; }
    int GetFirstVisibleIndex() const { return mFirstVisibleIndex; }
    bool IsInAdjustMode() const { return mAdjustMode; }
    Corvane::ColorF const& GetTextColor() const { return mTextColor; }
    Corvane::ColorF const& GetSelectedTextColor() const { return mSelectedTextColor; }

    // Geometry, in global coordinates: the frame's inside, the height of one line
    // (0 without a font), item i's line and the number of whole lines shown from
    // the first visible item.
    Corvane::Rect<float> GetInteriorRect() const;
    float GetLineHeight() const;
    Corvane::Rect<float> GetItemRect(int index) const;
    int GetVisibleItemCount() const;
    void ScrollDown();

private:
    Corvane::IImageList const* mImages;
    Corvane::ColorF mSelectedTextColor;
    Corvane::ColorF mTextColor;
    std::vector<ListItem> mItems;
    int mSelectedIndex;
    int mFirstVisibleIndex;
    bool mAdjustMode;
};

class ListNodeDescriptor : public SceneNodeDescriptor
{
public:
    ListNodeDescriptor() : width(0.0f), height(0.0f), textColor(0, 0, 0, 1), selectedTextColor(0, 0, 0, 1) {}

    Corvane::Label images;
    float width;
    float height;
    Corvane::Label font;
    Corvane::ColorF textColor;
    Corvane::ColorF selectedTextColor;
};

// "listnode": "images", "width" (0), "height" (0), "font", "textColor" and
// "selectedTextColor" (colour text, opaque black by default).
class ListNodeFactory : public SceneNodeFactory
{
public:
    SceneNodeDescriptor* CreateDescriptor(Corvane::IAttributeContainer const& attributes) const override;
    SceneNode* CreateNode(SceneNodeDescriptor const* descriptor) const override;
};

#endif
