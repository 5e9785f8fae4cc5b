#include "qdl/Source/Game/PaintTheHouse/HousePaintElements.h"

#include "Core/Source/Log.h"
#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/Tasks.h"
#include "CorvaneExtensions/Source/NodeTasks.h"
#include "CorvaneExtensions/Source/SpriteNodes.h"
#include "qdl/Source/Game/GameAudioManager.h"
#include "qdl/Source/Game/GameNodeLookup.h"
#include "qdl/Source/Game/PaintTheHouse/PaintTheHouseMode.h"
#include "qdl/Source/Game/SimpleFunctionTask.h"

using Corvane::Label;

namespace
{

bool isPaintColor(int color)
{
    return color >= 0 && color < kNumHousePaintColors;
}

// Plays an effect when its turn comes in a node's queue.
Corvane::Task* newEffectTask(Label sound)
{
    return new SimpleFunctionTask<Corvane::Object>([sound](Corvane::Object*, float) { GetAudioManager()->playSFX(sound); });
}

// Holds the node's queue and the stripe's own queue until both reach this point.
void joinAtNewCuePoint(SceneNode* node, Corvane::Object* stripe)
{
    Corvane::CuePoint* const cue = Corvane::CuePoint::Create();
    node->AddTask(new Corvane::CuePointTask(cue));
    stripe->AddTask(new Corvane::CuePointTask(cue));
}

} // namespace

PaintTheHouseMode* topPaintTheHouseMode(char const* who)
{
    PaintTheHouseMode* const mode = dynamic_cast<PaintTheHouseMode*>(Corvane::MainLoop::GetTopMostMode(0));
    if (!mode)
        Corvane::Internal::LogWrite("%s: the fence-painting game is not the top screen\n", who);
    return mode;
}

HousePaintBucket::HousePaintBucket(int color)
    : MiniGameElement("HousePaintBucketLayout", kHousePaintImageNodePath, kHousePaintRolloverNodePath), color(color)
{
    StaticSpriteNode* const image = dynamic_cast<StaticSpriteNode*>(getInputNode());
    if (image && isPaintColor(color))
        image->setImage(Label::GetUniqueString("PaintIt_PaintBucket"), color);
    finishWiring();
    acceptMouseInput(isPaintColor(color));
}

void HousePaintBucket::handleMouseDown()
{
    static Label const click = Label::GetUniqueString("SFX_GeneralClick");
    GetAudioManager()->playSFX(click);
    if (PaintTheHouseMode* const mode = getTopModeAs<PaintTheHouseMode>("HousePaintBucket"))
        mode->bucketClicked(this);
}

HousePaintStripe::HousePaintStripe(int color, bool painted)
    : createdLayout(newElementLayout("HouseStripeLayout", "HousePaintStripe")), imageNode(nullptr),
      rolloverNode(nullptr), color(color), painted(painted)
{
    imageNode = findGameNode<AnimatedSpriteNode>(createdLayout, kHousePaintImageNodePath, "HousePaintStripe");
    rolloverNode = findGameNode(createdLayout, kHousePaintRolloverNodePath, "HousePaintStripe");
    if (rolloverNode)
        rolloverNode->LocalSetVisible(false);
    if (!imageNode || !isPaintColor(color))
        return;
    static Label const paintedAnimation = Label::GetUniqueString("Painted");
    static Label const unpaintedAnimation = Label::GetUniqueString("Unpainted");
    imageNode->SetSpriteType(kHousePaintFenceSpriteTypes[color]);
    imageNode->SetAnimation(painted ? paintedAnimation : unpaintedAnimation, false);
}

SceneNode* HousePaintStripe::GetLayoutNode()
{
    return layoutNode ? layoutNode : createdLayout;
}

Label HousePaintStripe::role()
{
    static Label const stripe = Label::GetUniqueString("PaintIt_PaintStripe");
    return stripe;
}

Label HousePaintStripe::GetRole() const
{
    return role();
}

void HousePaintStripe::showRollover(bool show)
{
    if (rolloverNode)
        rolloverNode->LocalSetVisible(show);
}

void HousePaintStripe::startPainting(int paintColor)
{
    static Label const unpaintedAnimation = Label::GetUniqueString("Unpainted");
    static Label const addPaint = Label::GetUniqueString("AddPaint");
    static Label const paintSound = Label::GetUniqueString("SFX_Paint");
    if (!imageNode || !isPaintColor(paintColor))
        return;
    imageNode->SetSpriteType(kHousePaintFenceSpriteTypes[paintColor]);
    imageNode->SetAnimation(unpaintedAnimation, false);
    joinAtNewCuePoint(imageNode, this);
    imageNode->AddTask(newEffectTask(paintSound));
    imageNode->AddTask(new NodeAnimationTask(addPaint, kNodeAnimationTaskCompleteOnFinish));
    joinAtNewCuePoint(imageNode, this);
}

void HousePaintStripe::removePaint()
{
    static Label const removePaintAnimation = Label::GetUniqueString("RemovePaint");
    static Label const paintSound = Label::GetUniqueString("SFX_Paint");
    if (!imageNode)
        return;
    joinAtNewCuePoint(imageNode, this);
    imageNode->AddTask(newEffectTask(paintSound));
    imageNode->AddTask(new NodeAnimationTask(removePaintAnimation, kNodeAnimationTaskCompleteOnFinish));
    joinAtNewCuePoint(imageNode, this);
}
