#include "qdl/Source/Game/CountTheMaterials/MaterialTarget.h"

#include <string>
#include <vector>

#include "Core/Source/StringFormatter.h"
#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/ObjectDatabase.h"
#include "2DEngine/Source/Framework/Tasks.h"
#include "CorvaneExtensions/Source/NodeTasks.h"
#include "CorvaneExtensions/Source/SceneNode.h"
#include "CorvaneExtensions/Source/SpriteNodes.h"
#include "CorvaneExtensions/Source/TextSpriteNodes.h"
#include "qdl/Source/Game/CountTheMaterials/CountTheMaterialsElements.h"
#include "qdl/Source/Game/CountTheMaterials/CountTheMaterialsMode.h"
#include "qdl/Source/Game/CountTheMaterials/CountTheMaterialsMoves.h"
#include "qdl/Source/Game/GameConstants.h"
#include "qdl/Source/Game/GameNodeLookup.h"
#include "qdl/Source/Game/SimpleFunctionTask.h"

using namespace Corvane;

namespace
{

// Below the root of "MaterialTargetLayout", and the layer from the playfield.
NodePathElement const kDumperSpritePath[] = {"sloamImage", NodePathTerminator()};
NodePathElement const kRequestBoxPath[] = {"sloamImage", "HighlightBox", NodePathTerminator()};
NodePathElement const kRequestPicturePath[] = {"sloamImage", "HighlightBox", "imageNode", NodePathTerminator()};
NodePathElement const kRequestCountPath[] = {"sloamImage", "HighlightBox", "MaterialCount", NodePathTerminator()};
NodePathElement const kYSortedLayerPath[] = {"YSortedLayer", NodePathTerminator()};

enum
{
    kDumperSprite,
    kRequestBox,
    kRequestPicture,
    kRequestCount
};
NodePathElement const* const kPaths[] = {kDumperSpritePath, kRequestBoxPath, kRequestPicturePath, kRequestCountPath};

Label const kName = Label::GetUniqueString("CountTheMaterials_MaterialTarget");
Label const kIdleLeft = Label::GetUniqueString("Idle-Left");
Label const kDriveLeft = Label::GetUniqueString("Drive-Left");
Label const kDriveSound = Label::GetUniqueString("SFX_SloamMove");
Label const kFinishedSound = Label::GetUniqueString("CTM_SloamFinished");

} // namespace

MaterialTarget::MaterialTarget(BuildingMaterial requested, int requestedCount)
    : unattachedRoot(nullptr), backgroundDumper(kInvalidObjectID), count(requestedCount), material(requested)
{
    unattachedRoot = instantiateElementLayout(kMaterialTargetLayout, nullptr, nullptr);
    if (StaticSpriteNode* const picture = dynamic_cast<StaticSpriteNode*>(node(kRequestPicture)))
    {
        char const* const list = buildingMaterialImageList(material);
        picture->setImage(list ? Label::GetUniqueString(list) : Label(), 0);
    }
    if (TextSpriteNode* const text = dynamic_cast<TextSpriteNode*>(node(kRequestCount)))
        text->SetText(StringFormatter(L"%1%").Arg(count).c_str());

    SceneNode* const playfield = RootDescendent(kPlayfieldPath);
    SceneNode* const layer = playfield ? playfield->GetDescendent(kYSortedLayerPath) : nullptr;
    if (layer)
        if (SceneNode* const background = instantiateElementLayout(kSloamBGLayout, GetObjectDatabase(), layer))
            backgroundDumper = background->GetID();

    if (CountTheMaterialsMode* const mode = dynamic_cast<CountTheMaterialsMode*>(MainLoop::GetTopMostMode(0)))
    {
        auto const repeatRequest = [mode](SceneNode*, MouseButton, int, int) { mode->playAudioRequest(); };
        if (SceneNode* const body = node(kDumperSprite))
        {
            bodyClick = body->mouseDownSignal.connect(repeatRequest);
            body->SetHitTest(true);
        }
        if (SceneNode* const box = node(kRequestBox))
        {
            boxClick = box->mouseDownSignal.connect(repeatRequest);
            box->SetHitTest(true);
        }
    }
    setupMouseHandling();
    acceptMouseInput(true);
}

MaterialTarget::~MaterialTarget()
{
    deleteUnattachedTree(unattachedRoot);
}

SceneNode* MaterialTarget::GetLayoutNode()
{
    return layoutNode ? layoutNode : unattachedRoot;
}

void MaterialTarget::AddedToScene()
{
    unattachedRoot = nullptr;
}

Label MaterialTarget::GetName() const
{
    return kName;
}

Label MaterialTarget::name()
{
    return kName;
}

SceneNode* MaterialTarget::node(int path) const
{
    SceneNode* const root = layoutNode ? layoutNode : unattachedRoot;
    return root ? root->GetDescendent(kPaths[path]) : nullptr;
}

void MaterialTarget::acceptMouseInput(bool accept)
{
    if (SceneNode* const picture = node(kRequestPicture))
        picture->SetHitTest(accept);
}

void MaterialTarget::setupMouseHandling()
{
    SceneNode* const picture = node(kRequestPicture);
    if (!picture)
        return;
    pictureUp = picture->mouseUpSignal.connect([this](SceneNode*, MouseButton, int, int) { handleMouseUp(); });
    pictureDown = picture->mouseDownSignal.connect([this](SceneNode*, MouseButton, int, int) { handleMouseDown(); });
    pictureEnter = picture->mouseEnterSignal.connect([this](SceneNode*) { handleMouseEnter(); });
    pictureExit = picture->mouseExitSignal.connect([this](SceneNode*) { handleMouseExit(); });
}

void MaterialTarget::handleMouseDown()
{
    if (CountTheMaterialsMode* const mode = dynamic_cast<CountTheMaterialsMode*>(MainLoop::GetTopMostMode(0)))
        mode->playAudioRequest();
}

void MaterialTarget::hideMaterialRequest(bool hide)
{
    if (SceneNode* const box = node(kRequestBox))
        box->LocalSetVisible(!hide);
}

void MaterialTarget::driveOntoScreen()
{
    SceneNode* const root = getLayoutNode();
    SceneNode* const body = node(kDumperSprite);
    Vector2<float> const start = constantPoint("SloamStartPosition");
    std::vector<Vector2<float> > const path = constantPath("SloamForegroundDriveOnPath");
    float const duration = driveDuration(start, lastPointOf(path, start), kSloamForegroundDrivingSpeed);

    if (root)
    {
        root->LocalSetLocation(start);
        CuePoint* const arrived = CuePoint::Create();
        root->AddTask(newSoundEffectTask(kDriveSound));
        root->AddTask(new NodeCatmullRomPathTask(path, duration));
        root->AddTask(new CuePointTask(arrived));
        AddTask(new CuePointTask(arrived));
    }
    joinAtNewCuePoint(this, body);
    if (body)
    {
        body->AddTask(new NodeAnimationTask(kIdleLeft, kNodeAnimationTaskCompleteOnStart));
        body->AddTask(new SimpleFunctionTask<MaterialTarget>(
            [this](MaterialTarget*, float) { hideMaterialRequest(false); }));
    }
}

void MaterialTarget::driveOffScreen()
{
    SceneNode* const root = getLayoutNode();
    SceneNode* const body = node(kDumperSprite);
    std::vector<Vector2<float> > const onPath = constantPath("SloamForegroundDriveOnPath");
    std::vector<Vector2<float> > const offPath = constantPath("SloamForegroundDriveOffPath");
    Vector2<float> const parked = lastPointOf(onPath, constantPoint("SloamStartPosition"));
    float const duration = driveDuration(parked, lastPointOf(offPath, parked), kSloamForegroundDrivingSpeed);

    joinAtNewCuePoint(this, body);
    if (body)
        body->AddTask(new NodeAnimationTask(kDriveLeft, kNodeAnimationTaskCompleteOnStart));

    CuePoint* const departed = CuePoint::Create();
    joinAtNewCuePoint(this, root);
    if (root)
    {
        root->AddTask(newSoundEffectTask(kDriveSound));
        root->AddTask(new NodeCatmullRomPathTask(offPath, duration));
        root->AddTask(new CuePointTask(departed));
    }

    ObjectDatabase* const database = GetDatabase() ? GetDatabase() : GetObjectDatabase();
    SceneNode* const background =
        database ? dynamic_cast<SceneNode*>(database->GetObject(backgroundDumper)) : nullptr;
    CuePoint* const backgroundDone = CuePoint::Create();
    if (background)
    {
        Vector2<float> const start = constantPoint("SloamBGStartPos");
        std::vector<Vector2<float> > const path = constantPath("SloamBackgroundDrivePath");
        float const backgroundDuration =
            driveDuration(start, lastPointOf(path, start), kSloamBackgroundDrivingSpeed);
        background->LocalSetLocation(start);
        background->AddTask(new CuePointTask(departed));
        SerialTask* const horn = new SerialTask(new TimedTask(1.0f), newSoundEffectTask(kFinishedSound));
        background->AddTask(new ParallelTask(kParallelCompleteWhenAllComplete,
                                             new NodeCatmullRomPathTask(path, backgroundDuration), horn));
        background->AddTask(new CuePointTask(backgroundDone));
    }
    else if (!root)
    {
        // Nobody else joins either cue point: they must not wait for ever.
        AddTask(new CuePointTask(departed));
    }
    AddTask(new CuePointTask(backgroundDone));
}
