#include "qdl/Source/Game/StreetSigns/StreetSignsElements.h"

#include <cmath>
#include <functional>
#include <vector>

#include "Core/Source/Random.h"
#include "2DEngine/Source/Framework/Constant.h"
#include "2DEngine/Source/Framework/ObjectDatabase.h"
#include "2DEngine/Source/Framework/Tasks.h"
#include "CorvaneExtensions/Source/NodeTasks.h"
#include "CorvaneExtensions/Source/SceneNode.h"
#include "CorvaneExtensions/Source/SpriteNodes.h"
#include "qdl/Source/Game/GameAudioManager.h"
#include "qdl/Source/Game/NodeFeedbackTasks.h"
#include "qdl/Source/Game/SimpleFunctionTask.h"
#include "qdl/Source/Game/StreetSigns/StreetSignsMode.h"

using Corvane::Label;
using Corvane::Vector2;

namespace
{

typedef std::vector<Vector2<float> > Points;

Label label(char const* text)
{
    return Label::GetUniqueString(text);
}

Corvane::Task* call(std::function<void()> function)
{
    return new SimpleFunctionTask<Corvane::Object>([function](Corvane::Object*, float) { function(); });
}

Corvane::Task* playEffect(char const* sound)
{
    Label const effect = label(sound);
    return call([effect] { GetAudioManager()->playSFX(effect); });
}

// The second queue waits at this point until the first has reached it.
void link(Corvane::Object* first, Corvane::Object* second)
{
    if (!first || !second)
        return;
    Corvane::CuePoint* const cue = Corvane::CuePoint::Create();
    first->AddTask(new Corvane::CuePointTask(cue));
    second->AddTask(new Corvane::CuePointTask(cue));
}

// A drive along the path that ends on its last point, timed by the straight
// distance from the start; with no speed, or no way to go, at once.
Corvane::Task* drive(Vector2<float> const& from, Points const& path)
{
    if (path.empty())
        return new Corvane::TimedTask(0.0f);
    float const speed = Corvane::Constant<float>("SloamForegroundDrivingSpeed");
    Vector2<float> const to = path.back();
    float const distance = std::sqrt((to.x - from.x) * (to.x - from.x) + (to.y - from.y) * (to.y - from.y));
    if (!(speed > 0.0f) || distance <= 0.0f)
        return new NodeLocationTask(to);
    return new NodeCatmullRomPathTask(path, distance / speed);
}

StreetSignTruck* findTruck()
{
    static Label const name = label("StreetSign_Truck");
    Corvane::ObjectDatabase* const database = Corvane::GetObjectDatabase();
    return database ? dynamic_cast<StreetSignTruck*>(database->GetNamedObject(name)) : nullptr;
}

} // namespace

// --- a sign -----------------------------------------------------------------------------

StreetSign::StreetSign(StreetSignColor color_, StreetSignShape shape_)
    : MiniGameElement("StreetSignLayout", kSignImagePath, kSignRolloverPath), color(color_), shape(shape_),
      collected(false)
{
    if (StaticSpriteNode* const rollover = dynamic_cast<StaticSpriteNode*>(findLayoutNode(kSignRolloverPath)))
        rollover->setImage(label("StreetSigns_SignRollover"), shape);
    if (StaticSpriteNode* const image = dynamic_cast<StaticSpriteNode*>(findLayoutNode(kSignImagePath)))
    {
        image->setImage(kStreetSignShapeSprites[shape], color);
        // A click anywhere in the picture's box counts, its transparent corners included.
        image->SetAlphaSensitivity(0);
    }
    finishWiring();
}

StreetSign::~StreetSign() {}

Label StreetSign::GetRole() const
{
    static Label const role = label("StreetSigns_StreetSignObject");
    return role;
}

void StreetSign::handleMouseDown()
{
    GetAudioManager()->playSFX(label("SFX_GeneralClick"));
    if (StreetSignsMode* const mode = getTopModeAs<StreetSignsMode>("StreetSign"))
        mode->streetSignClicked(this);
}

void StreetSign::lowerHook()
{
    SceneNode* const hook = findLayoutNode(kSignHookPath);
    layoutRoot->AddTask(getNodeItemPickUpAnimTask());
    if (!hook)
        return;
    hook->AddTask(playEffect("SFX_TollerArm"));
    hook->AddTask(new NodeLocationTask(Vector2<float>(0.0f, -30.0f), 1.5f));
    link(hook, this);
}

void StreetSign::liftSignIntoTruck()
{
    acceptMouseInput(false);
    SceneNode* const root = layoutRoot;
    SceneNode* const hook = findLayoutNode(kSignHookPath);
    link(this, root);
    // Straight up from the place's origin until the sign is 100 above the top of the screen, at 400 a second.
    Vector2<float> target = root->GlobalToLocalPoint(Vector2<float>(0.0f, -100.0f));
    target.x = 0.0f;
    Vector2<float> const from = root->LocalGetLocation();
    float const rise = std::sqrt((target.x - from.x) * (target.x - from.x) + (target.y - from.y) * (target.y - from.y));
    root->AddTask(new NodeLocationTask(target, rise / 400.0f));
    float const offset = Corvane::Random::GetFloatRange(70.0f);
    root->AddTask(call([this, offset] { attachToTruckNode(offset); }));
    root->AddTask(new NodeLocationTask(Vector2<float>(offset, 0.0f), 1.5f));
    root->AddTask(playEffect("SFX_DropGirder"));
    if (StreetSignsMode* const mode = getTopModeAs<StreetSignsMode>("StreetSign"))
        root->AddTask(call([mode] { mode->playTraitVocal(); }));
    link(root, hook);
    if (hook)
        hook->AddTask(new NodeLocationTask(Vector2<float>(0.0f, -600.0f), 1.5f));
    link(hook, this);
}

void StreetSign::attachToTruckNode(float offset)
{
    StreetSignTruck* const truck = findTruck();
    SceneNode* const cart = truck ? truck->findLayoutNode(kTruckCartPath) : nullptr;
    if (!cart)
        return;
    cart->AttachChild(layoutRoot);
    Corvane::Rect<float> const bounds = cart->GlobalGetBounds();
    layoutRoot->LocalSetLocation(
        layoutRoot->GlobalToLocalPoint(Vector2<float>(bounds.x + 0.5f * bounds.width + offset, -100.0f)));
    collected = true;
}

void StreetSign::wrongSignShake()
{
    SceneNode* const image = findLayoutNode(kSignImagePath);
    if (!image)
        return;
    link(this, image);
    image->AddTask(playEffect("SFX_GirderFall"));
    image->AddTask(getNodeErrorShakeTask());
    link(image, this);
}

// --- the truck --------------------------------------------------------------------------

StreetSignTruck::StreetSignTruck() : MiniGameElement("StreetSignTruckLayout", kTruckImagePath)
{
    finishWiring();
}

StreetSignTruck::~StreetSignTruck() {}

Label StreetSignTruck::GetName() const
{
    static Label const name = label("StreetSign_Truck");
    return name;
}

void StreetSignTruck::handleMouseDown()
{
    StreetSignsMode* const mode = getTopModeAs<StreetSignsMode>("StreetSignTruck");
    GetAudioManager()->clearVocalAudioQueues();
    if (mode)
        mode->playTraitVocal();
}

void StreetSignTruck::driveOntoScreen()
{
    Vector2<float> const start = Corvane::Constant<Vector2<float> >("SloamStartPosition");
    Points const path = Corvane::Constant<Points>("SloamForegroundDriveOnPath");
    layoutRoot->LocalSetLocation(start);
    layoutRoot->AddTask(playEffect("SFX_SloamMove"));
    layoutRoot->AddTask(drive(start, path));
    link(layoutRoot, this);
    if (SceneNode* const image = findLayoutNode(kTruckImagePath))
    {
        link(this, image);
        image->AddTask(new NodeAnimationTask(label("Idle-Left"), kNodeAnimationTaskCompleteOnStart));
    }
}

void StreetSignTruck::driveOffScreen()
{
    Points const onPath = Corvane::Constant<Points>("SloamForegroundDriveOnPath");
    Points const offPath = Corvane::Constant<Points>("SloamForegroundDriveOffPath");
    // The truck stands at the end of its drive on.
    Vector2<float> const standing = onPath.empty() ? layoutRoot->LocalGetLocation() : onPath.back();
    if (SceneNode* const image = findLayoutNode(kTruckImagePath))
    {
        link(this, image);
        image->AddTask(new NodeAnimationTask(label("Drive-Left"), kNodeAnimationTaskCompleteOnStart));
    }
    link(this, layoutRoot);
    layoutRoot->AddTask(playEffect("SFX_SloamMove"));
    layoutRoot->AddTask(drive(standing, offPath));
    link(layoutRoot, this);
}
