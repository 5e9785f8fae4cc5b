#include "qdl/Source/Game/StickerBook/StickerList.h"

#include <algorithm>
#include <cstdint>

#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Graphics/Image.h"
#include "2DEngine/Source/Graphics/ImageList.h"
#include "CorvaneExtensions/Source/ButtonNode.h"
#include "CorvaneExtensions/Source/NodePath.h"
#include "qdl/Source/Game/MiniGameElement.h"
#include "qdl/Source/Game/StickerBook/StickerBookElements.h"
#include "qdl/Source/Game/StickerManager.h"

namespace
{

NodePathElement const kListFieldPath[] = {"ListBG", "ListField", NodePathTerminator()};
NodePathElement const kRightButtonPath[] = {"StickerMode", "StickersRightButton", NodePathTerminator()};
NodePathElement const kLeftButtonPath[] = {"StickerMode", "StickersLeftButton", NodePathTerminator()};

int const kPageWidth = 550;
int const kEntryGap = 4;

void deleteTree(SceneNode* node)
{
    std::vector<SceneNode*> const children(node->GetChildren().begin(), node->GetChildren().end());
    for (SceneNode* const child : children)
        deleteTree(child);
    delete node;
}

// A sticker's picture as (width, height); (0, 0) when the list has no such picture.
std::pair<int, int> stickerSize(int index)
{
    Corvane::AutoResource<Corvane::ImageList> const list("AllStickersList");
    Corvane::IImage const* const image = list ? list->GetImage(index) : nullptr;
    return image ? std::make_pair(image->GetWidth(), image->GetHeight()) : std::make_pair(0, 0);
}

} // namespace

std::vector<int> splitStickerPages(std::vector<bool> const& earned,
                                   std::function<std::pair<int, int>(int)> const& size)
{
    std::vector<int> starts(1, 0);
    int x = 0;
    for (int i = 0; i < static_cast<int>(earned.size()); ++i)
    {
        if (!earned[i])
            continue;
        std::pair<int, int> const picture = size(i);
        // Scaled in whole numbers: a float scale of 110 / h loses a pixel for many heights (134, 169, ...).
        int64_t const scaled = picture.second > Sticker::kMaxEntryHeight
                                   ? int64_t(Sticker::kMaxEntryHeight) * picture.first / picture.second
                                   : picture.first;
        int const width = static_cast<int>(scaled);
        x += width + kEntryGap;
        if (x > kPageWidth)
        {
            starts.push_back(i);
            x = width;
        }
    }
    return starts;
}

StickerList::StickerList() : listRoot(nullptr), currentPage(0)
{
    static Corvane::Label const layoutName = Corvane::Label::GetUniqueString("StickerListLayout");
    listRoot = MiniGameElement::instantiateElementLayout(layoutName);
    pageStarts = splitStickerPages(GetStickerManager()->getUnlockedFlags(), &stickerSize);
    if (ButtonNode* const right = RootDescendent<ButtonNode>(kRightButtonPath))
        right->clickSignal.connect([this](ButtonNode*) { DownButtonClicked(); });
    if (ButtonNode* const left = RootDescendent<ButtonNode>(kLeftButtonPath))
        left->clickSignal.connect([this](ButtonNode*) { UpButtonClicked(); });
    updateButtonStates();
}

StickerList::~StickerList()
{
    // Never added to a scene, the layout is still ours.
    if (!GetDatabase() && listRoot && !listRoot->GetDatabase())
        deleteTree(listRoot);
}

SceneNode* StickerList::getListField() const
{
    return listRoot ? listRoot->GetDescendent(kListFieldPath) : nullptr;
}

void StickerList::populateStickerList()
{
    // A held sticker goes with its entry: drop it properly so the click mask is off again.
    if (DragSource<Sticker*>* const held = DragSource<Sticker*>::GetHeldDragSource_Mutable())
        held->Release();
    SceneNode* const field = getListField();
    if (!field)
        return;
    Corvane::ObjectDatabase* const database = GetDatabase();
    std::vector<SceneNode*> const entries(field->GetChildren().begin(), field->GetChildren().end());
    for (SceneNode* const entry : entries)
    {
        if (database && entry->GetDatabase() == database)
            database->DestroyObject(entry->GetID());
        if (entry->GetParent() == field)
        {
            // Nothing of ours: taken off the page, and deleted while it belongs to no database.
            entry->DetachFromParent();
            if (!entry->GetDatabase())
                deleteTree(entry);
        }
    }

    std::vector<bool> const& earned = GetStickerManager()->getUnlockedFlags();
    int const first = pageStarts[currentPage];
    int const end = currentPage + 1 < static_cast<int>(pageStarts.size()) ? pageStarts[currentPage + 1]
                                                                          : static_cast<int>(earned.size());
    for (int i = first; i < end; ++i)
        if (earned[i])
            (new Sticker(i))->AddToCurScene(field);
}

void StickerList::DownButtonClicked()
{
    currentPage = std::min(currentPage + 1, static_cast<int>(pageStarts.size()) - 1);
    populateStickerList();
    updateButtonStates();
}

void StickerList::UpButtonClicked()
{
    currentPage = std::max(currentPage - 1, 0);
    populateStickerList();
    updateButtonStates();
}

void StickerList::updateButtonStates()
{
    ButtonNode* const right = RootDescendent<ButtonNode>(kRightButtonPath);
    ButtonNode* const left = RootDescendent<ButtonNode>(kLeftButtonPath);
    if (right)
        right->Enable(currentPage < static_cast<int>(pageStarts.size()) - 1);
    if (left)
        left->Enable(currentPage > 0);
}
