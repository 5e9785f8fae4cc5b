#include "qdl/Source/Game/HideAndSeek/HideAndSeekCharacter.h"

#include <algorithm>
#include <cmath>

#include "Core/Source/Log.h"
#include "Core/Source/Random.h"
#include "2DEngine/Source/Framework/Constant.h"
#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/ObjectDatabase.h"
#include "2DEngine/Source/Framework/Tasks.h"
#include "CorvaneExtensions/Source/NodeTasks.h"
#include "CorvaneExtensions/Source/SceneLayout.h"
#include "CorvaneExtensions/Source/SpriteNodes.h"
#include "qdl/Source/Game/SimpleFunctionTask.h"
#include "qdl/Source/Game/HideAndSeek/HideAndSeekConstants.h"
#include "qdl/Source/Game/HideAndSeek/HideAndSeekMode.h"
#include "qdl/Source/Game/HideAndSeek/HideAndSeekObstacle.h"

using namespace Corvane;

namespace
{

// The cat stops this far above an obstacle's origin.
float const kHideRise = 10.0f;
// Draws that keep landing on the obstacle the cat stands at give way to the next one.
int const kMaxRedraws = 64;

Label runAnimation()
{
    static Label const name = Label::GetUniqueString("Run");
    return name;
}

// Plans one leg and passes the rest of the step on, so that every leg of a hide
// is planned in the one update that reaches them.
class PlanLegTask : public Task
{
public:
    Task* Clone() const override { return new PlanLegTask(); }
    TaskResult Update(Object* object, float) override
    {
        if (HideAndSeekCharacter* const cat = dynamic_cast<HideAndSeekCharacter*>(object))
            cat->selectNewObstacle();
        return CompletedAfter(0.0f);
    }
};

// A move of the node to the point in that many seconds; none at all takes no time.
Task* moveTo(Vector2<float> const& point, float seconds)
{
    if (seconds > 0.0f)
        return new NodeLocationTask(point, seconds);
    return new NodeLocationTask(point);
}

float distance(Vector2<float> const& a, Vector2<float> const& b)
{
    float const dx = b.x - a.x;
    float const dy = b.y - a.y;
    return std::sqrt(dx * dx + dy * dy);
}

} // namespace

HideAndSeekCharacter::HideAndSeekCharacter(int numPreviewHides, float runSpeed, bool showTail)
    : root(nullptr),
      added(false),
      runSpeed(runSpeed),
      showTail(showTail),
      currentObstacle(kInvalidObjectID),
      numPreviewHides(std::max(1, numPreviewHides)),
      legsDone(0)
{
    AutoResource<SceneLayout> const layout("HideAndSeekCharacterLayout");
    if (layout)
        root = layout->InstantiateLayout(nullptr);
    if (root)
        root->LocalSetLocation(static_cast<Vector2<float> >(Constant<Vector2<float> >("MistleStartLocation")));
    setupNewHideSequence();
}

HideAndSeekCharacter::~HideAndSeekCharacter() {}

Label HideAndSeekCharacter::GetName() const
{
    return getHideAndSeekCharacterName();
}

SceneNode* HideAndSeekCharacter::getImageNode() const
{
    SceneNode* const cat = node();
    return cat ? cat->GetDescendent(kHideAndSeekImageNodePath) : nullptr;
}

float HideAndSeekCharacter::runTime(float length) const
{
    if (!(runSpeed > 0.0f) || !std::isfinite(runSpeed))
        return 0.0f;
    float const seconds = length / runSpeed;
    return std::isfinite(seconds) ? seconds : 0.0f;
}

void HideAndSeekCharacter::setupNewHideSequence()
{
    legsDone = 0;
    plan.clear();
    SceneNode* const cat = node();
    plan.push_back(cat ? cat->LocalGetLocation() : Vector2<float>(0.0f, 0.0f));
    for (int i = 0; i < numPreviewHides; ++i)
        AddTask(new PlanLegTask());
}

void HideAndSeekCharacter::selectNewObstacle()
{
    ObjectDatabase* const database = GetDatabase();
    if (!database)
        return;
    std::vector<ObjectID> obstacles;
    for (ObjectID id : database->GetObjectsWithRole(getHideAndSeekObstacleRole()))
        if (dynamic_cast<HideAndSeekObstacle*>(database->GetObject(id)))
            obstacles.push_back(id);
    int const count = static_cast<int>(obstacles.size());
    if (count == 0)
    {
        Internal::LogWrite("HideAndSeek: no obstacle on the playfield; the cat has nowhere to run\n");
        return;
    }
    int index = Random::GetIntRange(count - 1);
    // With one obstacle the cat can only run back to where it is.
    for (int redraws = 0; count > 1 && obstacles[index] == currentObstacle; ++redraws)
        index = redraws < kMaxRedraws ? Random::GetIntRange(count - 1) : (index + 1) % count;
    currentObstacle = obstacles[index];
    animateToObstacle();
}

void HideAndSeekCharacter::animateToObstacle()
{
    SceneNode* const node = getLayoutNode();
    ObjectDatabase* const database = GetDatabase();
    HideAndSeekObstacle* const obstacle =
        database ? dynamic_cast<HideAndSeekObstacle*>(database->GetObject(currentObstacle)) : nullptr;
    SceneNode* const place = obstacle ? obstacle->getLayoutNode() : nullptr;
    if (!node || !place)
        return;
    node->MoveToBottomOfParent();

    Rect<float> const bounds = place->GlobalGetBounds();
    Vector2<float> const target(bounds.x, bounds.y);
    Vector2<float> const start = plan.back();
    plan.push_back(target);
    float const seconds = runTime(distance(start, target));
    bool const mirrored = start.x > target.x;

    if (AnimatedSpriteNode* const sprite = dynamic_cast<AnimatedSpriteNode*>(getImageNode()))
        sprite->SetAnimation(runAnimation(), false);
    node->AddTask(new SimpleFunctionTask<SceneNode>([mirrored](SceneNode* cat, float) {
        if (SceneNode* const image = cat ? cat->GetDescendent(kHideAndSeekImageNodePath) : nullptr)
            image->LocalSetFlipH(mirrored);
    }));
    node->AddTask(moveTo(Vector2<float>(target.x, target.y - kHideRise), seconds));
    ObjectID const self = GetID();
    node->AddTask(new SimpleFunctionTask<SceneNode>([self](SceneNode* cat, float) {
        ObjectDatabase* const owner = cat ? cat->GetDatabase() : nullptr;
        if (HideAndSeekCharacter* const character =
                owner ? dynamic_cast<HideAndSeekCharacter*>(owner->GetObject(self)) : nullptr)
            character->hideComplete();
    }));
    CuePoint* const legOver = CuePoint::Create();
    node->AddTask(new CuePointTask(legOver));
    AddTask(new CuePointTask(legOver));
}

void HideAndSeekCharacter::hideComplete()
{
    if (legsDone < numPreviewHides)
    {
        ++legsDone;
        if (legsDone < numPreviewHides)
            return;
    }
    // The mode whose objects are being updated; on a field of another kind there is no mask to drop.
    if (HideAndSeekMode* const mode = dynamic_cast<HideAndSeekMode*>(MainLoop::GetContextMode()))
        mode->maskClickInput(false);
    if (SceneNode* const node = getLayoutNode())
        node->LocalSetVisible(false);
    if (!showTail)
        return;
    ObjectDatabase* const database = GetDatabase();
    if (HideAndSeekObstacle* const obstacle =
            database ? dynamic_cast<HideAndSeekObstacle*>(database->GetObject(currentObstacle)) : nullptr)
        obstacle->showTail(true);
}

void HideAndSeekCharacter::getFound()
{
    static Label const idle = Label::GetUniqueString("Idle");
    if (AnimatedSpriteNode* const sprite = dynamic_cast<AnimatedSpriteNode*>(getImageNode()))
        sprite->SetAnimation(idle, false);
    if (SceneNode* const node = getLayoutNode())
        node->LocalSetVisible(true);
}

void HideAndSeekCharacter::runOffScreen()
{
    SceneNode* const node = getLayoutNode();
    if (!node)
        return;
    Vector2<float> const end = Constant<Vector2<float> >("MistleEndLocation");
    Vector2<float> const start = node->LocalGetLocation();
    SceneNode* const image = getImageNode();
    if (AnimatedSpriteNode* const sprite = dynamic_cast<AnimatedSpriteNode*>(image))
        sprite->SetAnimation(runAnimation(), false);
    if (image)
        image->LocalSetFlipH(start.x > end.x);
    node->AddTask(moveTo(end, runTime(distance(start, end))));
    CuePoint* const arrived = CuePoint::Create();
    node->AddTask(new CuePointTask(arrived));
    AddTask(new CuePointTask(arrived));
}
