#include "qdl/Source/Game/PileOfLeaves/LeafElements.h"

#include <cmath>
#include <memory>
#include <string>

#include "Core/Source/Angle.h"
#include "Core/Source/Log.h"
#include "Core/Source/Random.h"
#include "2DEngine/Source/Framework/Constant.h"
#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Framework/Tasks.h"
#include "2DEngine/Source/Graphics/ImageList.h"
#include "CorvaneExtensions/Source/NodeTasks.h"
#include "CorvaneExtensions/Source/SpriteNodes.h"
#include "qdl/Source/Game/GameAudioManager.h"
#include "qdl/Source/Game/GameNodeLookup.h"
#include "qdl/Source/Game/NodeFeedbackTasks.h"
#include "qdl/Source/Game/PileOfLeaves/PileOfLeavesConstants.h"
#include "qdl/Source/Game/PileOfLeaves/PileOfLeavesMode.h"
#include "qdl/Source/Game/SimpleFunctionTask.h"

using Corvane::Label;

Label generalToolImages(QuarrydaleTool tool)
{
    if (tool < 0 || tool >= kNumQuarrydaleTools)
        return Label();
    return Label::FromString(std::string("GeneralTool_") + kQuarrydaleToolNames[tool]);
}

PileOfLeavesMode* topPileOfLeavesMode(char const* who)
{
    PileOfLeavesMode* const mode = dynamic_cast<PileOfLeavesMode*>(Corvane::MainLoop::GetTopMostMode(0));
    if (!mode)
        Corvane::Internal::LogWrite("%s: the leaf-blowing game is not the top screen\n", who);
    return mode;
}

Leaf::Leaf(int x, int y, int cursorRadius)
    : trackMouse(false), createdLayout(newElementLayout("LeafLayout", "Leaf")), cursorRadius(cursorRadius),
      cursorRadiusSquared(cursorRadius * cursorRadius), stablePosition(0, 0)
{
    Corvane::AutoResource<Corvane::ImageList> const leaves("Leaves");
    int const count = leaves ? leaves->GetNumImages() : 0;
    int const frame = count > 0 ? Corvane::Random::GetIntRange(count - 1) : 0;
    stablePosition = Corvane::Vector2<int>(x, y);
    if (!createdLayout)
        return;
    // Every leaf waits off the left edge until the intro's gust brings it in.
    createdLayout->LocalSetLocation(-200.0f, 300.0f);
    int const degrees = Corvane::Random::GetIntRange(0, 360);
    if (StaticSpriteNode* const image = findGameNode<StaticSpriteNode>(createdLayout, kPileOfLeavesLeafImagePath, "Leaf"))
    {
        if (count > 0)
            image->setImage(leaves.Get(), frame);
        image->SetRotateAlignment(Corvane::kHAlignment_Center, Corvane::kVAlignment_Middle);
    }
    createdLayout->LocalSetOrientation(Corvane::Angle::FromDegrees(static_cast<float>(degrees)));
}

SceneNode* Leaf::GetLayoutNode()
{
    return layoutNode ? layoutNode : createdLayout;
}

Label Leaf::role()
{
    static Label const leaf = Label::GetUniqueString("PileOfLeaves_Leaf");
    return leaf;
}

Label Leaf::GetRole() const
{
    return role();
}

bool Leaf::pushedPosition(Corvane::Vector2<int> const& stable, int cursorRadius, int mouseX, int mouseY,
                          Corvane::Vector2<int>* position)
{
    int dx = stable.x - mouseX;
    int const dy = stable.y - mouseY;
    if (dx == 0 && dy == 0)
        dx = 1;
    if (dx > cursorRadius || dx < -cursorRadius || dy > cursorRadius || dy < -cursorRadius)
        return false;
    int const d2 = dx * dx + dy * dy;
    if (d2 >= cursorRadius * cursorRadius)
    {
        *position = stable;
        return true;
    }
    int const length = std::max(1, static_cast<int>(std::sqrt(static_cast<double>(d2))));
    int const push = cursorRadius - length;
    *position = Corvane::Vector2<int>(stable.x + dx * push / length, stable.y + dy * push / length);
    return true;
}

void Leaf::Update(float)
{
    SceneNode* const node = getLayoutNode();
    if (!trackMouse || !node)
        return;
    std::pair<int, int> const mouse = Corvane::MainLoop::GetLastMousePos();
    Corvane::Vector2<int> position;
    if (!pushedPosition(stablePosition, cursorRadius, mouse.first, mouse.second, &position))
        return;
    node->AddTask(new NodeLocationTask(position.x, position.y));
}

void Leaf::flyToStablePosition()
{
    SceneNode* const node = getLayoutNode();
    if (!node)
        return;
    float const speed = Corvane::Constant<float>("LeafFlightSpeed");
    node->AddTask(
        new Corvane::TimedTask(Corvane::Random::GetFloatRange(Corvane::ReadTimeConstant("PreFlightLeafDelayMax"))));
    Corvane::Vector2<float> const start = node->LocalGetLocation();
    double const dx = static_cast<int>(start.x) - stablePosition.x;
    double const dy = static_cast<int>(start.y) - stablePosition.y;
    int const distance = static_cast<int>(std::sqrt(dx * dx + dy * dy));
    // A speed of 0 or less would never arrive: the leaf then lands at once.
    float const seconds = speed > 0.0f ? static_cast<float>(distance) / speed : 0.0f;
    node->AddTask(new NodeLocationTask(static_cast<float>(stablePosition.x), static_cast<float>(stablePosition.y), seconds));
}

LeafCoveredTool::LeafCoveredTool(QuarrydaleColor color, QuarrydaleTool toolType)
    : MiniGameElement("LeafCoveredToolLayout", kPileOfLeavesToolImagePath, kPileOfLeavesToolHighlightPath),
      color(color), toolType(toolType)
{
    Label const images = generalToolImages(toolType);
    if (StaticSpriteNode* const highlight =
            dynamic_cast<StaticSpriteNode*>(findLayoutNode(kPileOfLeavesToolHighlightPath)))
    {
        highlight->setImage(images, 4);
        highlight->LocalSetVisible(false);
    }
    StaticSpriteNode* const image = getImageNode();
    if (image)
    {
        image->setImage(images, color);
        image->SetAlphaSensitivity(0);
    }
    finishWiring();
}

StaticSpriteNode* LeafCoveredTool::getImageNode() const
{
    return dynamic_cast<StaticSpriteNode*>(getInputNode());
}

Label LeafCoveredTool::role()
{
    static Label const tool = Label::GetUniqueString("PileOfLeaves_Tool");
    return tool;
}

Label LeafCoveredTool::GetRole() const
{
    return role();
}

bool LeafCoveredTool::isHighlighted() const
{
    SceneNode* const highlight = findLayoutNode(kPileOfLeavesToolHighlightPath);
    return highlight && highlight->GlobalIsVisible();
}

void LeafCoveredTool::nodeClicked()
{
    static Label const select = Label::GetUniqueString("SFX_SelectItem");
    static Label const wrongAnswer = Label::GetUniqueString("PileOfLeaves_IncorrectAnswer");
    static Label const wrong = Label::GetUniqueString("Wrong");
    static Label const correct = Label::GetUniqueString("Correct");
    GetAudioManager()->playSFX(select);
    PileOfLeavesMode* const mode = getTopModeAs<PileOfLeavesMode>("LeafCoveredTool");
    SceneNode* const node = getLayoutNode();
    if (!mode || !node)
        return;
    mode->resetHintTimer(1);
    if (toolType != mode->getToolToFind() || color != mode->getColorToFind())
    {
        node->RemoveAllTasks();
        node->AddTask(getNodeErrorShakeTask());
        mode->playDogAnimation(wrong);
        GetAudioManager()->playSpecificSoundVocal(wrongAnswer);
        return;
    }
    mode->playDogAnimation(correct);
    GetAudioManager()->playInGameFeedbackVocal(true);
    mode->maskMouseInput(true);
    // Above the leaves and the mask on its way to the picture.
    Corvane::Rect<float> const bounds = node->GlobalGetBounds();
    if (SceneNode* const uiAttach = findGameRootNode(kUIAttachPath, "LeafCoveredTool"))
    {
        uiAttach->AttachChild(node);
        node->LocalSetLocation(bounds.x, bounds.y);
    }
    flyToLocation(mode->getCorrectClickFlyDest());
    Corvane::ObjectID const self = GetID();
    AddTask(new SimpleFunctionTask<Corvane::Object>([self](Corvane::Object*, float) {
        PileOfLeavesMode* const top = topPileOfLeavesMode("LeafCoveredTool");
        LeafCoveredTool* const tool = Corvane::GetObject<LeafCoveredTool>(self);
        if (top && tool)
            top->correctToolClicked(tool);
    }));
}

void LeafCoveredTool::flyToLocation(Corvane::Vector2<float> const& target)
{
    SceneNode* const node = getLayoutNode();
    if (!node)
        return;
    float speed = Corvane::Constant<float>("ToolCorrectFlySpeed");
    if (!(speed > 0.0f))
    {
        Corvane::Internal::LogWrite("LeafCoveredTool: ToolCorrectFlySpeed %g is not above 0; %g is taken\n", speed,
                                    kDefaultToolFlySpeed);
        speed = kDefaultToolFlySpeed;
    }
    Corvane::Vector2<float> const from = node->LocalGetLocation();
    float const dx = target.x - from.x;
    float const dy = target.y - from.y;
    float const seconds = std::sqrt(dx * dx + dy * dy) / speed;
    std::shared_ptr<NumberGenerator<Corvane::Angle> > const turns =
        std::make_shared<IncrementNumberGenerator<Corvane::Angle> >(Corvane::Angle::FromDegrees(90.0f),
                                                                    Corvane::Angle::FromDegrees(90.0f));
    node->AddTask(new Corvane::ParallelTask(Corvane::kParallelCompleteWhenAnyComplete,
                                            new NodeLocationTask(target, seconds),
                                            new Corvane::RepeatingTask(new NodeOrientationTask(turns, seconds * 0.0625f))));
    Corvane::CuePoint* const cue = Corvane::CuePoint::Create();
    node->AddTask(new Corvane::CuePointTask(cue));
    AddTask(new Corvane::CuePointTask(cue));
}
