#include "qdl/Source/Game/CountTheMaterials/MaterialLoader.h"

#include <vector>

#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/ObjectDatabase.h"
#include "2DEngine/Source/Framework/Tasks.h"
#include "CorvaneExtensions/Source/NodeTasks.h"
#include "CorvaneExtensions/Source/SceneNode.h"
#include "CorvaneExtensions/Source/SpriteNodes.h"
#include "qdl/Source/Game/CountTheMaterials/CountTheMaterialsElements.h"
#include "qdl/Source/Game/CountTheMaterials/CountTheMaterialsMode.h"
#include "qdl/Source/Game/CountTheMaterials/CountTheMaterialsMoves.h"
#include "qdl/Source/Game/CountTheMaterials/DraggableMaterial.h"
#include "qdl/Source/Game/CountTheMaterials/MaterialTarget.h"
#include "qdl/Source/Game/GameAudioManager.h"
#include "qdl/Source/Game/GameNodeLookup.h"
#include "qdl/Source/Game/SimpleFunctionTask.h"

using namespace Corvane;

namespace
{

// Below the root of "MaterialLoaderLayout", and the cart below the dumper's root.
NodePathElement const kDiggerSpritePath[] = {"truckImage", NodePathTerminator()};
NodePathElement const kShovelPath[] = {"truckImage", "ShovelNode", NodePathTerminator()};
NodePathElement const kAttachPath[] = {"truckImage", "materialAttach", NodePathTerminator()};
NodePathElement const kFlippedAttachPath[] = {"truckImage", "materialAttach_flip", NodePathTerminator()};
NodePathElement const kCartPath[] = {"MaterialsInCart", NodePathTerminator()};

enum
{
    kDiggerSprite,
    kShovel,
    kAttach,
    kFlippedAttach
};
NodePathElement const* const kPaths[] = {kDiggerSpritePath, kShovelPath, kAttachPath, kFlippedAttachPath};

Label const kName = Label::GetUniqueString("CountTheMaterials_MaterialLoader");
Label const kIdleRight = Label::GetUniqueString("Idle-Right");
Label const kDriveRightDown = Label::GetUniqueString("Drive-Right-Down");
Label const kDriveRightUp = Label::GetUniqueString("Drive-Right-Up");
Label const kDriveLeftUp = Label::GetUniqueString("Drive-Left-Up");
Label const kDriveRightDownReverse = Label::GetUniqueString("Drive-Right-Down-Reverse");
Label const kDriveSound = Label::GetUniqueString("SFX_GrubbinMove");
Label const kDropSound = Label::GetUniqueString("SFX_BrickDrop");
Label const kClickLine = Label::GetUniqueString("VO_Grubbin_Heavohoy");

Task* newAnimationTask(Label animation)
{
    return new NodeAnimationTask(animation, kNodeAnimationTaskCompleteOnStart);
}

// Restarts the animation even when it is the current one.
Task* newRestartAnimationTask(SceneNode* node, Label animation)
{
    AnimatedSpriteNode* const sprite = dynamic_cast<AnimatedSpriteNode*>(node);
    ObjectID const id = sprite ? sprite->GetID() : kInvalidObjectID;
    ObjectDatabase* const database = sprite ? sprite->GetDatabase() : nullptr;
    return new SimpleFunctionTask<AnimatedSpriteNode>([id, database, animation](AnimatedSpriteNode*, float) {
        if (AnimatedSpriteNode* const shovel =
                database ? dynamic_cast<AnimatedSpriteNode*>(database->GetObject(id)) : nullptr)
            shovel->SetAnimation(animation, true);
    });
}

// Moves every child of one node, first child first, to the end of the other.
void moveChildren(SceneNode* from, SceneNode* to)
{
    if (!from || !to)
        return;
    while (!from->GetChildren().empty())
        to->AttachChild(from->GetChildren().front());
}

} // namespace

MaterialLoader::MaterialLoader() : unattachedRoot(nullptr)
{
    unattachedRoot = instantiateElementLayout(kMaterialLoaderLayout, nullptr, nullptr);
    if (SceneNode* const body = node(kDiggerSprite))
    {
        bodyClick = body->mouseDownSignal.connect(
            [](SceneNode*, MouseButton, int, int) { GetAudioManager()->playSFX(kClickLine); });
        body->SetHitTest(true);
    }
}

MaterialLoader::~MaterialLoader()
{
    deleteUnattachedTree(unattachedRoot);
}

SceneNode* MaterialLoader::GetLayoutNode()
{
    return layoutNode ? layoutNode : unattachedRoot;
}

void MaterialLoader::AddedToScene()
{
    unattachedRoot = nullptr;
}

Label MaterialLoader::GetName() const
{
    return kName;
}

Label MaterialLoader::name()
{
    return kName;
}

SceneNode* MaterialLoader::node(int path) const
{
    SceneNode* const root = layoutNode ? layoutNode : unattachedRoot;
    return root ? root->GetDescendent(kPaths[path]) : nullptr;
}

Vector2<float> MaterialLoader::pickUpPoint(DraggableMaterial const* pile)
{
    SceneNode* const pileRoot = pile ? pile->getLayoutNode() : nullptr;
    if (!pileRoot)
        return constantPoint("GrubbinIdlePosition");
    Rect<float> const bounds = pileRoot->GlobalGetBounds();
    Vector2<float> const offset = constantPoint("MaterialPickupOffset");
    return Vector2<float>(bounds.x + offset.x, bounds.y + bounds.height + offset.y);
}

void MaterialLoader::enterScreen()
{
    SceneNode* const root = getLayoutNode();
    Vector2<float> const start = constantPoint("GrubbinOffScreenPosition_Left");
    Vector2<float> const idle = constantPoint("GrubbinIdlePosition");
    if (root)
    {
        root->LocalSetLocation(start);
        root->AddTask(new NodeLocationTask(idle, driveDuration(start, idle, kSloamForegroundDrivingSpeed)));
    }
    SceneNode* const body = node(kDiggerSprite);
    joinAtNewCuePoint(root, body);
    if (body)
        body->AddTask(newAnimationTask(kIdleRight));
}

void MaterialLoader::queueDriveToPile(DraggableMaterial* pile, bool rightPile)
{
    SceneNode* const root = getLayoutNode();
    SceneNode* const body = node(kDiggerSprite);
    if (body)
    {
        if (rightPile)
            body->AddTask(new TimedTask(0.6f));
        body->AddTask(newAnimationTask(kDriveRightDown));
        body->AddTask(newSoundEffectTask(kDriveSound));
    }
    joinAtNewCuePoint(root, body);
    Vector2<float> const target = pickUpPoint(pile);
    // Timed from the idle place wherever the digger stands, so every visit of one pile takes as long.
    float const duration = driveDuration(constantPoint("GrubbinIdlePosition"), target, kSloamForegroundDrivingSpeed);
    if (root)
        root->AddTask(new NodeLocationTask(target, duration));
}

void MaterialLoader::driveToMaterial(DraggableMaterial* pile)
{
    SceneNode* const root = getLayoutNode();
    SceneNode* const body = node(kDiggerSprite);
    queueDriveToPile(pile, true);
    joinAtNewCuePoint(root, this);
    joinAtNewCuePoint(body, this);
    if (body)
    {
        body->AddTask(newAnimationTask(kDriveRightUp));
        body->AddTask(newRestartAnimationTask(node(kShovel), kDriveRightUp));
    }
    ObjectID const pileID = pile ? pile->GetID() : kInvalidObjectID;
    AddTask(new SimpleFunctionTask<MaterialLoader>([this, pileID](MaterialLoader*, float) {
        ObjectDatabase* const database = GetDatabase();
        pickUpMaterial(database ? dynamic_cast<DraggableMaterial*>(database->GetObject(pileID)) : nullptr);
    }));
}

void MaterialLoader::pickUpMaterial(DraggableMaterial* pile)
{
    GetAudioManager()->playInGameFeedbackVocal(true);
    if (!pile)
        return;
    pile->convertToClump();
    SceneNode* const attach = node(kAttach);
    if (SceneNode* const pileRoot = pile->getLayoutNode())
        if (attach)
            attach->AttachChild(pileRoot);
}

void MaterialLoader::driveOffScreen(Vector2<float> const& point)
{
    SceneNode* const root = getLayoutNode();
    Vector2<float> const offScreen = constantPoint("GrubbinOffScreenPosition_Right");
    if (root)
        root->AddTask(new NodeLocationTask(offScreen, driveDuration(point, offScreen, kSloamForegroundDrivingSpeed)));
    joinAtNewCuePoint(root, this);
}

void MaterialLoader::startLoadSequence()
{
    SceneNode* const root = getLayoutNode();
    SceneNode* const body = node(kDiggerSprite);
    if (root)
        root->AddTask(new SimpleFunctionTask<MaterialLoader>([this](MaterialLoader*, float) { flipGrubbinFacing(); }));
    joinAtNewCuePoint(root, body);
    if (body)
    {
        body->AddTask(newAnimationTask(kDriveLeftUp));
        body->AddTask(newSoundEffectTask(kDriveSound));
        body->AddTask(newRestartAnimationTask(node(kShovel), kDriveLeftUp));
    }
    Vector2<float> const roadEntry = constantPoint("GrubbinDeliveryRoadEnterPosition");
    std::vector<Vector2<float> > const path = constantPath("GrubbinForegroundDriveOnPath");
    float const duration = driveDuration(roadEntry, lastPointOf(path, roadEntry), kSloamForegroundDrivingSpeed);
    if (root)
    {
        root->AddTask(new NodeLocationTask(roadEntry));
        root->AddTask(new NodeCatmullRomPathTask(path, duration));
        root->AddTask(new TimedTask(0.5f));
        root->AddTask(newSoundEffectTask(kDropSound));
    }
    joinAtNewCuePoint(root, this);
    AddTask(new SimpleFunctionTask<MaterialLoader>([this](MaterialLoader*, float) { giveMaterials(); }));
}

void MaterialLoader::flipGrubbinFacing()
{
    moveChildren(node(kAttach), node(kFlippedAttach));
}

void MaterialLoader::giveMaterials()
{
    ObjectDatabase* const database = GetDatabase() ? GetDatabase() : GetObjectDatabase();
    MaterialTarget* const dumper =
        database ? dynamic_cast<MaterialTarget*>(database->GetNamedObject(MaterialTarget::name())) : nullptr;
    SceneNode* const dumperRoot = dumper ? dumper->getLayoutNode() : nullptr;
    moveChildren(node(kFlippedAttach), dumperRoot ? dumperRoot->GetDescendent(kCartPath) : nullptr);
}

void MaterialLoader::endLoadSequence()
{
    SceneNode* const root = getLayoutNode();
    std::vector<Vector2<float> > const onPath = constantPath("GrubbinForegroundDriveOnPath");
    std::vector<Vector2<float> > const offPath = constantPath("GrubbinForegroundDriveOffPath");
    Vector2<float> const atDumper = lastPointOf(onPath, constantPoint("GrubbinDeliveryRoadEnterPosition"));
    float const duration = driveDuration(atDumper, lastPointOf(offPath, atDumper), kSloamForegroundDrivingSpeed);
    if (root)
        root->AddTask(new NodeCatmullRomPathTask(offPath, duration));
}

void MaterialLoader::driveToIncorrectMaterial(DraggableMaterial* pile)
{
    SceneNode* const root = getLayoutNode();
    SceneNode* const body = node(kDiggerSprite);
    queueDriveToPile(pile, false);
    Vector2<float> const target = pickUpPoint(pile);
    Vector2<float> const idle = constantPoint("GrubbinIdlePosition");
    float const duration = driveDuration(idle, target, kSloamForegroundDrivingSpeed);
    ObjectID const pileID = pile ? pile->GetID() : kInvalidObjectID;
    ObjectDatabase* const database = GetDatabase();
    if (root)
        root->AddTask(new SimpleFunctionTask<MaterialLoader>([pileID, database](MaterialLoader*, float) {
            CountTheMaterialsMode* const mode = dynamic_cast<CountTheMaterialsMode*>(MainLoop::GetTopMostMode(0));
            DraggableMaterial* const clicked =
                database ? dynamic_cast<DraggableMaterial*>(database->GetObject(pileID)) : nullptr;
            if (mode && clicked)
                mode->playIncorrectMaterialVO(clicked);
        }));
    joinAtNewCuePoint(root, body);
    if (body)
        body->AddTask(newAnimationTask(kIdleRight));
    if (root)
        root->AddTask(new TimedTask(1.0f));
    joinAtNewCuePoint(root, body);
    if (body)
        body->AddTask(newAnimationTask(kDriveRightDownReverse));
    if (root)
        root->AddTask(new NodeLocationTask(idle, duration));
    joinAtNewCuePoint(root, body);
    if (body)
        body->AddTask(newAnimationTask(kIdleRight));
    joinAtNewCuePoint(root, this);
}
