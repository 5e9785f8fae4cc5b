#include "qdl/Source/Game/CountTheMaterials/DraggableMaterial.h"

#include "2DEngine/Source/Framework/MainLoop.h"
#include "CorvaneExtensions/Source/SceneLayout.h"
#include "CorvaneExtensions/Source/SceneNode.h"
#include "CorvaneExtensions/Source/SpriteNodes.h"
#include "qdl/Source/Game/CountTheMaterials/CountTheMaterialsElements.h"
#include "qdl/Source/Game/CountTheMaterials/CountTheMaterialsMode.h"
#include "qdl/Source/Game/GameAudioManager.h"
#include "qdl/Source/Game/GameNodeLookup.h"

using namespace Corvane;

namespace
{

NodePathElement const kPilePicturePath[] = {"imageNode", NodePathTerminator()};
NodePathElement const kPileHighlightPath[] = {"imageNode", "highlightNode", NodePathTerminator()};

Label const kRole = Label::GetUniqueString("CountTheMaterials_MaterialObject");
Label const kRolloverSound = Label::GetUniqueString("SFX_ObjectRollover");
Label const kSelectSound = Label::GetUniqueString("SFX_SelectItem");

void showFrame(SceneNode* node, char const* imageList, int frame)
{
    if (StaticSpriteNode* const sprite = dynamic_cast<StaticSpriteNode*>(node))
        sprite->setImage(imageList ? Label::GetUniqueString(imageList) : Label(), frame);
}

} // namespace

DraggableMaterial::DraggableMaterial(BuildingMaterial materialOfPile, int countOfPile)
    : material(materialOfPile), count(countOfPile), unattachedRoot(nullptr)
{
    unattachedRoot = instantiateElementLayout(kMaterialSourceLayout, nullptr, nullptr);
    showFrame(imageNode(), buildingMaterialImageList(material), count - 1);
    showFrame(highlightNode(), buildingMaterialRolloverImageList(material), count - 1);
    if (SceneNode* const highlight = highlightNode())
        highlight->LocalSetVisible(false);
    setupMouseHandling();
    acceptMouseInput(true);
}

DraggableMaterial::~DraggableMaterial()
{
    deleteUnattachedTree(unattachedRoot);
}

SceneNode* DraggableMaterial::GetLayoutNode()
{
    return layoutNode ? layoutNode : unattachedRoot;
}

void DraggableMaterial::AddedToScene()
{
    unattachedRoot = nullptr;
}

Label DraggableMaterial::GetRole() const
{
    return kRole;
}

SceneNode* DraggableMaterial::imageNode() const
{
    SceneNode* const root = layoutNode ? layoutNode : unattachedRoot;
    return root ? root->GetDescendent(kPilePicturePath) : nullptr;
}

SceneNode* DraggableMaterial::highlightNode() const
{
    SceneNode* const root = layoutNode ? layoutNode : unattachedRoot;
    return root ? root->GetDescendent(kPileHighlightPath) : nullptr;
}

void DraggableMaterial::acceptMouseInput(bool accept)
{
    if (SceneNode* const node = imageNode())
        node->SetHitTest(accept);
}

void DraggableMaterial::setupMouseHandling()
{
    SceneNode* const node = imageNode();
    if (!node)
        return;
    mouseUp = node->mouseUpSignal.connect([this](SceneNode*, MouseButton, int, int) { handleMouseUp(); });
    mouseDown = node->mouseDownSignal.connect([this](SceneNode*, MouseButton, int, int) { handleMouseDown(); });
    mouseEnter = node->mouseEnterSignal.connect([this](SceneNode*) { handleMouseEnter(); });
    mouseExit = node->mouseExitSignal.connect([this](SceneNode*) { handleMouseExit(); });
}

void DraggableMaterial::handleMouseEnter()
{
    if (SceneNode* const highlight = highlightNode())
        highlight->LocalSetVisible(true);
    GetAudioManager()->playSFX(kRolloverSound);
}

void DraggableMaterial::handleMouseExit()
{
    if (SceneNode* const highlight = highlightNode())
        highlight->LocalSetVisible(false);
}

void DraggableMaterial::handleMouseDown()
{
    GetAudioManager()->playSFX(kSelectSound);
    if (CountTheMaterialsMode* const mode = dynamic_cast<CountTheMaterialsMode*>(MainLoop::GetTopMostMode(0)))
        mode->MaterialClicked(this);
}

void DraggableMaterial::handleMouseUp()
{
}

void DraggableMaterial::convertToClump()
{
    if (count > 2 && isBuildingMaterial(material))
        showFrame(imageNode(), kMaterialClumpsImageList, material);
}
