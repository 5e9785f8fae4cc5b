#ifndef CORVANE_WIDGETS_LISTOBJECTS_H
#define CORVANE_WIDGETS_LISTOBJECTS_H

// The list box of widget layouts ("list"): text rows in a nine-slice frame,
// scrolled by whole rows, one selected by the mouse or the Up and Down keys; it
// broadcasts "ListSelectionChange" and, for a second click on the selected row
// in time, "ListItemDoubleClick". The tree ("tree"): nodes always expanded and
// indented by depth; a click selects one and broadcasts "TreeSelectionChange".

#include <string>
#include <vector>

#include "Core/Source/Color.h"
#include "Core/Source/Rect.h"
#include "Core/Source/Vector2.h"
#include "2DEngine/Source/Widgets/ControlObject.h"
#include "2DEngine/Source/Widgets/ObjectFactory.h"

namespace Corvane
{

class IImageList;

// The list neither reads nor frees the data.
struct ListItem
{
    ListItem(std::wstring const& text_, void* data_) : text(text_), data(data_) {}

    std::wstring text;
    void* data;
};

class ListObject : public ControlObject
{
public:
    explicit ListObject(Label name);
    ListObject(Label name, float layer, Vector2<float> const& location, IImageList const* images, float width,
               float height, Font const* font, ColorF const& color);

    void Draw() override;
    // Only with items.
    bool CanFocus() const override;
    // Takes the focus when the click lands on the list; selects the row under it.
    MessageResult OnMouseDown(MouseButton button, int x, int y) override;
    // Up and Down while focused.
    MessageResult OnKeyDown(int key) override;

    // A null text is empty. Returns the new item's index.
    int AddItem(wchar_t const* text, void* data);
    int GetItemCount() const { return static_cast<int>(mItems.size()); }
    std::wstring const& GetItemText(int index) const;
    // Null out of range.
    void* GetItemData(int index) const;
    // The first item with that data; -1 for none.
    int FindItem(void const* data) const;
    // -1 for none.
    int GetSelectedItem() const { return mSelected; }
    // Broadcasts "ListSelectionChange" also when the item was selected already.
    void SelectItem(int index);
    // Within the items; nothing for a negative index or an empty list.
    void ScrollTo(int index);
    void ScrollDown();
    int GetFirstVisibleItem() const { return mFirst; }

    // The bounds less the frame.
    Rect<float> GetInteriorRect() const;
    // The font's glyph height + 2; 0 without a font, whose rows show and take nothing.
    float GetRowHeight() const;
    Rect<float> GetItemRect(int index) const;
    int GetVisibleItemCount() const;

    void SetImages(IImageList const* images) { mImages = images; }
    IImageList const* GetImages() const { return mImages; }
    ColorF const& GetSelectedTextColor() const { return mSelectedTextColor; }
    void SetSelectedTextColor(ColorF const& color) { mSelectedTextColor = color; }
    ColorF const& GetSelectedBackgroundColor() const { return mSelectedBackgroundColor; }
    void SetSelectedBackgroundColor(ColorF const& color) { mSelectedBackgroundColor = color; }

private:
    IImageList const* mImages;
    ColorF mSelectedTextColor;
    ColorF mSelectedBackgroundColor;
    std::vector<ListItem> mItems;
    int mSelected;
    int mFirst;
    unsigned mLastClickTime;
};

class TreeNode;

// Owns its children.
class TreeNodeContainer
{
public:
    TreeNodeContainer() {}
    virtual ~TreeNodeContainer();
    TreeNodeContainer(TreeNodeContainer const&) = delete;
    TreeNodeContainer& operator=(TreeNodeContainer const&) = delete;

    // A new child one level below this container, owned by it.
    TreeNode* AddNode(std::wstring const& text);
    // Null out of range.
    TreeNode* GetNode(unsigned index) const;
    unsigned GetNodeCount() const { return static_cast<unsigned>(mNodes.size()); }
    void RemoveAllNodes();
    // Every descendant.
    unsigned GetFlattenedNodeCount() const;
    // Depth first, a node before its children; null out of range.
    TreeNode* GetFlattenedNode(unsigned index) const;

protected:
    // The depth of this container's children.
    virtual int GetChildDepth() const { return 0; }

private:
    std::vector<TreeNode*> mNodes;
};

class TreeNode : public TreeNodeContainer
{
public:
    TreeNode(std::wstring const& text, int depth);
    ~TreeNode() override;

    // The current draw state's glyph height + 2; 0 without a font.
    virtual float GetHeight() const;
    // Fills the row with the draw state's effect colour when selected, then the text.
    virtual void Draw(Rect<float> const& row);

    int GetDepth() const { return mDepth; }
    bool IsSelected() const { return mSelected; }
    void SetSelected(bool selected) { mSelected = selected; }
    std::wstring const& GetText() const { return mText; }
    void SetText(std::wstring const& text) { mText = text; }

protected:
    int GetChildDepth() const override { return mDepth + 1; }

private:
    int mDepth;
    bool mSelected;
    std::wstring mText;
};

class TreeObject : public ControlObject, public TreeNodeContainer
{
public:
    explicit TreeObject(Label name);

    void Draw() override;
    // Selects the node of the row under the point; does not take the focus.
    MessageResult OnMouseDown(MouseButton button, int x, int y) override;

    // Selects that node alone (none for null or a node of another tree) and
    // broadcasts "TreeSelectionChange".
    void SelectNode(TreeNode* node);
    // The selected node, or null.
    TreeNode* GetSelectedNode() const;
    Rect<float> GetInteriorRect() const;

    void SetImages(IImageList const* images) { mImages = images; }
    IImageList const* GetImages() const { return mImages; }
    int GetFirstVisibleNode() const { return mFirst; }
    void SetFirstVisibleNode(int first) { mFirst = first < 0 ? 0 : first; }
    float GetIndent() const { return mIndent; }
    void SetIndent(float indent) { mIndent = indent; }
    ColorF const& GetSelectedTextColor() const { return mSelectedTextColor; }
    void SetSelectedTextColor(ColorF const& color) { mSelectedTextColor = color; }
    ColorF const& GetSelectedBackgroundColor() const { return mSelectedBackgroundColor; }
    void SetSelectedBackgroundColor(ColorF const& color) { mSelectedBackgroundColor = color; }

private:
    IImageList const* mImages;
    int mFirst;
    float mIndent;
    ColorF mSelectedTextColor;
    ColorF mSelectedBackgroundColor;
};

// "images", "textColor", "selectedTextColor", "selectedBackgroundColor".
class ListObjectFactory : public IObjectFactory
{
public:
    Object* CreateObject(Label name, IAttributeContainer const& attributes) const override;
};

// The list's attributes; a tree made from a layout has no nodes.
class TreeObjectFactory : public IObjectFactory
{
public:
    Object* CreateObject(Label name, IAttributeContainer const& attributes) const override;
};

} // namespace Corvane

#endif
