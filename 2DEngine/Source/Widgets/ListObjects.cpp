#include "2DEngine/Source/Widgets/ListObjects.h"

#include "2DEngine/Source/Framework/SystemServices.h"
#include "2DEngine/Source/Graphics/Brush.h"
#include "2DEngine/Source/Graphics/Context.h"
#include "2DEngine/Source/Graphics/Drawing.h"
#include "2DEngine/Source/Graphics/Font.h"
#include "2DEngine/Source/Graphics/ImageList.h"
#include "2DEngine/Source/Widgets/ControlLogic.h"

namespace Corvane
{

namespace
{

// Rows are a little taller than the glyphs.
constexpr float kRowSpacing = 2.0f;

Label ListSelectionChangeMessage()
{
    static Label const label = Label::GetUniqueString("ListSelectionChange");
    return label;
}

Label ListItemDoubleClickMessage()
{
    static Label const label = Label::GetUniqueString("ListItemDoubleClick");
    return label;
}

Label TreeSelectionChangeMessage()
{
    static Label const label = Label::GetUniqueString("TreeSelectionChange");
    return label;
}

Rect<int> Truncated(Rect<float> const& rect)
{
    return Rect<int>(static_cast<int>(rect.x), static_cast<int>(rect.y), static_cast<int>(rect.width),
                     static_cast<int>(rect.height));
}

// The current context with the control's font and colour.
Graphics::Context TextContext(ControlObject const& control)
{
    Graphics::Context context = Graphics::GetContext();
    context.state.font = control.GetFont();
    context.state.color = control.GetColor();
    return context;
}

template <class Factory>
void ReadListAttributes(Factory* list, IAttributeContainer const& attributes)
{
    if (attributes.HasAttribute(L"images"))
        list->SetImages(FindAttributeResource<IImageList>(attributes, L"images"));
    if (attributes.HasAttribute(L"textColor"))
        list->SetColor(ColorF::FromString(attributes.GetAttribute(std::wstring(L"textColor"))));
    if (attributes.HasAttribute(L"selectedTextColor"))
        list->SetSelectedTextColor(ColorF::FromString(attributes.GetAttribute(std::wstring(L"selectedTextColor"))));
    if (attributes.HasAttribute(L"selectedBackgroundColor"))
        list->SetSelectedBackgroundColor(
            ColorF::FromString(attributes.GetAttribute(std::wstring(L"selectedBackgroundColor"))));
}

} // namespace

// ---------------------------------------------------------------------------
// List

ListObject::ListObject(Label name)
    : ControlObject(name),
      mImages(nullptr),
      mSelectedTextColor(1.0f, 1.0f, 1.0f, 1.0f),
      mSelectedBackgroundColor(0.0f, 0.0f, 0.0f, 1.0f),
      mSelected(-1),
      mFirst(0),
      mLastClickTime(0)
{
}

ListObject::ListObject(Label name, float layer, Vector2<float> const& location, IImageList const* images,
                       float width, float height, Font const* font, ColorF const& color)
    : ControlObject(name, layer),
      mImages(images),
      mSelectedTextColor(1.0f, 1.0f, 1.0f, 1.0f),
      mSelectedBackgroundColor(0.0f, 0.0f, 0.0f, 1.0f),
      mSelected(-1),
      mFirst(0),
      mLastClickTime(0)
{
    SetColor(color);
    SetFont(font);
    SetBounds(Rect<float>(location.x, location.y, width, height));
}

int ListObject::AddItem(wchar_t const* text, void* data)
{
    mItems.push_back(ListItem(text ? std::wstring(text) : std::wstring(), data));
    return GetItemCount() - 1;
}

std::wstring const& ListObject::GetItemText(int index) const
{
    static std::wstring const none;
    if (index < 0 || index >= GetItemCount())
        return none;
    return mItems[static_cast<std::size_t>(index)].text;
}

void* ListObject::GetItemData(int index) const
{
    if (index < 0 || index >= GetItemCount())
        return nullptr;
    return mItems[static_cast<std::size_t>(index)].data;
}

int ListObject::FindItem(void const* data) const
{
    for (int i = 0; i < GetItemCount(); ++i)
        if (mItems[static_cast<std::size_t>(i)].data == data)
            return i;
    return -1;
}

void ListObject::SelectItem(int index)
{
    mSelected = index;
    SendControlMessage(ListSelectionChangeMessage());
}

void ListObject::ScrollTo(int index)
{
    if (index < 0 || mItems.empty())
        return;
    mFirst = std::min(index, GetItemCount() - 1);
}

void ListObject::ScrollDown()
{
    mFirst = std::min(mFirst + 1, GetItemCount() - 1);
}

bool ListObject::CanFocus() const
{
    return !mItems.empty();
}

Rect<float> ListObject::GetInteriorRect() const
{
    return ControlLogic::FrameInterior(GetBounds(), mImages);
}

float ListObject::GetRowHeight() const
{
    Font const* font = GetFont();
    return font ? static_cast<float>(font->GetGlyphHeight()) + kRowSpacing : 0.0f;
}

Rect<float> ListObject::GetItemRect(int index) const
{
    return ControlLogic::ListRowRect(GetInteriorRect(), GetRowHeight(), index, mFirst);
}

int ListObject::GetVisibleItemCount() const
{
    return ControlLogic::ListVisibleRowCount(GetInteriorRect(), GetRowHeight(), mFirst, GetItemCount());
}

MessageResult ListObject::OnMouseDown(MouseButton, int x, int y)
{
    // The database offers every click to every control: only one on the list
    // may take the focus from where it is.
    if (!ControlObject::BoundsContains(static_cast<float>(x), static_cast<float>(y)))
        return kMessageNotHandled;
    Focus();
    int hit = -1;
    for (int i = std::max(mFirst, 0); i < GetItemCount() && hit < 0; ++i)
        if (ControlLogic::RectContains(GetItemRect(i), static_cast<float>(x), static_cast<float>(y)))
            hit = i;
    if (hit < 0)
        return kMessageNotHandled;
    int const previous = mSelected;
    unsigned const now = GetTimeMS();
    unsigned const elapsed = now - mLastClickTime;
    SelectItem(hit);
    mLastClickTime = now;
    if (hit == previous && elapsed <= GetDoubleClickTime())
        SendControlMessage(ListItemDoubleClickMessage());
    return kMessageHandled;
}

MessageResult ListObject::OnKeyDown(int key)
{
    if (!HasFocus() || mItems.empty())
        return kMessageNotHandled;
    ControlLogic::sListStep const step =
        ControlLogic::ListKeyStep(key, GetItemCount(), mSelected, mFirst, GetInteriorRect(), GetRowHeight());
    if (!step.handled)
        return kMessageNotHandled;
    mFirst = step.first;
    if (step.selectionChanged)
        SelectItem(step.selected);
    return kMessageHandled;
}

void ListObject::Draw()
{
    if (!IsVisible())
        return;
    Rect<float> const& bounds = GetBounds();
    Graphics::DrawNineBrush(mImages, 0, bounds.x, bounds.y, bounds.width, bounds.height, Graphics::GetDrawState(),
                            Graphics::GetCanvas());
    if (!GetFont())
        return;
    Graphics::PushContext(TextContext(*this));
    for (int i = std::max(mFirst, 0); i < GetItemCount(); ++i)
    {
        Rect<float> const row = GetItemRect(i);
        // Every later row lies further below the frame.
        if (row.height <= 0.0f)
            break;
        Graphics::Context context = Graphics::GetContext();
        context.state.clip = Truncated(row);
        context.state.hAlign = kHAlignment_Left;
        context.state.vAlign = kVAlignment_Top;
        Graphics::PushContext(context);
        if (i == mSelected)
        {
            Graphics::sDrawState fill = Graphics::GetDrawState();
            fill.color = mSelectedBackgroundColor;
            Graphics::DrawFilledRect(row, fill, Graphics::GetCanvas());
            Graphics::GetContext().state.color = mSelectedTextColor;
        }
        Graphics::DrawText(mItems[static_cast<std::size_t>(i)].text.c_str(), row.x, row.y + 1.0f,
                           Graphics::GetDrawState(), Graphics::GetCanvas());
        Graphics::PopContext();
    }
    Graphics::PopContext();
}

// ---------------------------------------------------------------------------
// Tree nodes

TreeNodeContainer::~TreeNodeContainer()
{
    RemoveAllNodes();
}

TreeNode* TreeNodeContainer::AddNode(std::wstring const& text)
{
    TreeNode* const node = new TreeNode(text, GetChildDepth());
    mNodes.push_back(node);
    return node;
}

TreeNode* TreeNodeContainer::GetNode(unsigned index) const
{
    return index < mNodes.size() ? mNodes[index] : nullptr;
}

void TreeNodeContainer::RemoveAllNodes()
{
    std::vector<TreeNode*> nodes;
    nodes.swap(mNodes);
    for (TreeNode* node : nodes)
        delete node;
}

unsigned TreeNodeContainer::GetFlattenedNodeCount() const
{
    unsigned count = static_cast<unsigned>(mNodes.size());
    for (TreeNode const* node : mNodes)
        count += node->GetFlattenedNodeCount();
    return count;
}

TreeNode* TreeNodeContainer::GetFlattenedNode(unsigned index) const
{
    for (TreeNode* node : mNodes)
    {
        if (index == 0)
            return node;
        index -= 1;
        unsigned const below = node->GetFlattenedNodeCount();
        if (index < below)
            return node->GetFlattenedNode(index);
        index -= below;
    }
    return nullptr;
}

TreeNode::TreeNode(std::wstring const& text, int depth) : mDepth(depth), mSelected(false), mText(text) {}

TreeNode::~TreeNode() {}

float TreeNode::GetHeight() const
{
    Font const* font = Graphics::GetDrawState().font;
    return font ? static_cast<float>(font->GetGlyphHeight()) + kRowSpacing : 0.0f;
}

void TreeNode::Draw(Rect<float> const& row)
{
    Graphics::sDrawState state = Graphics::GetDrawState();
    if (mSelected)
    {
        Graphics::sDrawState fill = state;
        fill.color = state.effectColor;
        Graphics::DrawFilledRect(row, fill, Graphics::GetCanvas());
    }
    if (!state.font)
        return;
    state.hAlign = kHAlignment_Left;
    state.vAlign = kVAlignment_Top;
    Graphics::DrawText(mText.c_str(), row.x, row.y + 1.0f, state, Graphics::GetCanvas());
}

// ---------------------------------------------------------------------------
// Tree

TreeObject::TreeObject(Label name)
    : ControlObject(name),
      mImages(nullptr),
      mFirst(0),
      mIndent(10.0f),
      mSelectedTextColor(1.0f, 1.0f, 1.0f, 1.0f),
      mSelectedBackgroundColor(0.0f, 0.0f, 0.0f, 1.0f)
{
}

Rect<float> TreeObject::GetInteriorRect() const
{
    Rect<float> const& bounds = GetBounds();
    if (!mImages)
        return bounds;
    float const left = static_cast<float>(ControlLogic::ImageWidth(mImages, 3));
    float const right = static_cast<float>(ControlLogic::ImageWidth(mImages, 5));
    float const top = static_cast<float>(ControlLogic::ImageHeight(mImages, 1));
    float const bottom = static_cast<float>(ControlLogic::ImageHeight(mImages, 7));
    return Rect<float>(bounds.x + left, bounds.y + top, bounds.width - (left + right), bounds.height - (top + bottom));
}

void TreeObject::SelectNode(TreeNode* node)
{
    unsigned const count = GetFlattenedNodeCount();
    for (unsigned i = 0; i < count; ++i)
    {
        TreeNode* const each = GetFlattenedNode(i);
        each->SetSelected(each == node);
    }
    SendControlMessage(TreeSelectionChangeMessage());
}

TreeNode* TreeObject::GetSelectedNode() const
{
    unsigned const count = GetFlattenedNodeCount();
    for (unsigned i = 0; i < count; ++i)
        if (TreeNode* const node = GetFlattenedNode(i); node->IsSelected())
            return node;
    return nullptr;
}

MessageResult TreeObject::OnMouseDown(MouseButton, int x, int y)
{
    Rect<float> const interior = GetInteriorRect();
    float const px = static_cast<float>(x);
    float const py = static_cast<float>(y);
    if (!ControlLogic::RectContains(interior, px, py))
        return kMessageNotHandled;
    // Heights are measured in the tree's font, as the rows are drawn.
    Graphics::PushContext(TextContext(*this));
    TreeNode* hit = nullptr;
    float top = interior.y;
    unsigned const count = GetFlattenedNodeCount();
    for (unsigned i = static_cast<unsigned>(mFirst); i < count && !hit; ++i)
    {
        TreeNode* const node = GetFlattenedNode(i);
        float const indent = static_cast<float>(node->GetDepth()) * mIndent;
        Rect<float> const row(interior.x + indent, top, interior.width - indent, node->GetHeight());
        if (ControlLogic::RectContains(row, px, py))
            hit = node;
        top += row.height;
    }
    Graphics::PopContext();
    if (!hit)
        return kMessageNotHandled;
    SelectNode(hit);
    return kMessageHandled;
}

void TreeObject::Draw()
{
    if (!IsVisible())
        return;
    Rect<float> const& bounds = GetBounds();
    Graphics::DrawNineBrush(mImages, 0, bounds.x, bounds.y, bounds.width, bounds.height, Graphics::GetDrawState(),
                            Graphics::GetCanvas());
    Rect<float> const interior = GetInteriorRect();
    Graphics::PushContext(TextContext(*this));
    float top = interior.y;
    unsigned const count = GetFlattenedNodeCount();
    for (unsigned i = static_cast<unsigned>(mFirst); i < count && top < interior.y + interior.height; ++i)
    {
        TreeNode* const node = GetFlattenedNode(i);
        float const indent = static_cast<float>(node->GetDepth()) * mIndent;
        Rect<float> const row(interior.x + indent, top, interior.width - indent, node->GetHeight());
        Graphics::Context context = Graphics::GetContext();
        context.state.clip = Truncated(row);
        if (node->IsSelected())
        {
            context.state.color = mSelectedTextColor;
            context.state.effectColor = mSelectedBackgroundColor;
        }
        Graphics::PushContext(context);
        node->Draw(row);
        Graphics::PopContext();
        top += row.height;
        // A tree without a font has no rows to show.
        if (!(row.height > 0.0f))
            break;
    }
    Graphics::PopContext();
}

// ---------------------------------------------------------------------------
// Factories

Object* ListObjectFactory::CreateObject(Label name, IAttributeContainer const& attributes) const
{
    ListObject* const list = new ListObject(name);
    ReadListAttributes(list, attributes);
    return list;
}

Object* TreeObjectFactory::CreateObject(Label name, IAttributeContainer const& attributes) const
{
    TreeObject* const tree = new TreeObject(name);
    ReadListAttributes(tree, attributes);
    return tree;
}

} // namespace Corvane
