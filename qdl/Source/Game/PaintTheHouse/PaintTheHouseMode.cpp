#include "qdl/Source/Game/PaintTheHouse/PaintTheHouseMode.h"

#include <algorithm>
#include <random>

#include "Core/Source/Log.h"
#include "Core/Source/Random.h"
#include "2DEngine/Source/Framework/Constant.h"
#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/ObjectDatabase.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Framework/Tasks.h"
#include "2DEngine/Source/Framework/Window.h"
#include "2DEngine/Source/Graphics/Image.h"
#include "2DEngine/Source/Platform/MacOSX/PlatformServices.h"
#include "CorvaneExtensions/Source/NodeTasks.h"
#include "CorvaneExtensions/Source/SpriteNodes.h"
#include "qdl/Source/Game/GameAudioManager.h"
#include "qdl/Source/Game/GameConstants.h"
#include "qdl/Source/Game/GameNodeLookup.h"
#include "qdl/Source/Game/LevelManager.h"
#include "qdl/Source/Game/PaintTheHouse/HousePaintElements.h"
#include "qdl/Source/Game/PaintTheHouse/PaintItLevel.h"
#include "qdl/Source/Game/PaintTheHouse/PaintTheHouseConstants.h"
#include "qdl/Source/Game/SimpleFunctionTask.h"

using Corvane::Label;

namespace
{

char const kWho[] = "PaintTheHouseMode";
// The lift's home: the seventh stripe, the first bare one.
Corvane::Vector2<float> const kVehicleHome(kFenceStripeSpacing * kNumPaintedStripes, 0.0f);

Corvane::Task* newEffectTask(Label sound)
{
    return new SimpleFunctionTask<Corvane::Object>([sound](Corvane::Object*, float) { GetAudioManager()->playSFX(sound); });
}

void joinAtNewCuePoint(Corvane::Object* first, Corvane::Object* second)
{
    Corvane::CuePoint* const cue = Corvane::CuePoint::Create();
    first->AddTask(new Corvane::CuePointTask(cue));
    second->AddTask(new Corvane::CuePointTask(cue));
}

bool isPaintColor(int color)
{
    return color >= 0 && color < kNumHousePaintColors;
}

void setBrushCursor(int color, Corvane::Vector2<int> const& hotSpot)
{
    static Label const clean = Label::GetUniqueString("cursor_brush_clean");
    Label const name = isPaintColor(color) ? kHousePaintBrushCursors[color] : clean;
    Corvane::AutoResource<Corvane::IImage> const image(name);
    if (!image)
    {
        Corvane::Internal::LogWrite("%s: the cursor image \"%s\" is not loaded\n", kWho, name.GetString());
        return;
    }
    Corvane::Window::SetCustomCursor(image.Get(), hotSpot);
}

} // namespace

PaintTheHouseMode::PaintTheHouseMode(bool playIntro, int loops)
    : loopsLeft(loopsLeftAfterThisOne(loops)), playIntro(playIntro), currentColor(-1),
      playfieldID(Corvane::kInvalidObjectID), animRootID(Corvane::kInvalidObjectID),
      vehicleID(Corvane::kInvalidObjectID), maskID(Corvane::kInvalidObjectID)
{
}

PaintTheHouseMode::~PaintTheHouseMode()
{
}

std::vector<int> PaintTheHouseMode::stripeColors(std::vector<int> const& pattern, std::vector<int> const& mapping)
{
    std::vector<int> colors;
    if (pattern.empty())
        return colors;
    for (int i = 0; i < kNumFenceStripes; ++i)
    {
        int const symbol = pattern[static_cast<size_t>(i) % pattern.size()];
        if (symbol < 0 || static_cast<size_t>(symbol) >= mapping.size() || !isPaintColor(mapping[symbol]))
            return std::vector<int>();
        colors.push_back(mapping[symbol]);
    }
    return colors;
}

std::vector<int> PaintTheHouseMode::drawColorMapping()
{
    std::vector<int> mapping(kNumHousePaintColors, -1);
    for (int k = 0; k < kNumHousePaintColors; ++k)
    {
        int r = Corvane::Random::GetIntRange(kNumHousePaintColors - 1);
        while (std::find(mapping.begin(), mapping.end(), r) != mapping.end())
            r = Corvane::Random::GetIntRange(kNumHousePaintColors - 1);
        mapping[k] = r;
    }
    return mapping;
}

SceneNode* PaintTheHouseMode::nodeOf(Corvane::ObjectID id) const
{
    Corvane::ObjectDatabase* const database = const_cast<PaintTheHouseMode*>(this)->GetObjectDatabase();
    return database ? dynamic_cast<SceneNode*>(database->GetObject(id)) : nullptr;
}

HousePaintStripe* PaintTheHouseMode::frontStripe() const
{
    if (stripesToPaint.empty())
        return nullptr;
    Corvane::ObjectDatabase* const database = const_cast<PaintTheHouseMode*>(this)->GetObjectDatabase();
    return database ? dynamic_cast<HousePaintStripe*>(database->GetObject(stripesToPaint.front())) : nullptr;
}

std::vector<HousePaintStripe*> PaintTheHouseMode::getStripesToPaint() const
{
    std::vector<HousePaintStripe*> stripes;
    Corvane::ObjectDatabase* const database = const_cast<PaintTheHouseMode*>(this)->GetObjectDatabase();
    for (Corvane::ObjectID const id : stripesToPaint)
        if (HousePaintStripe* const stripe = database ? dynamic_cast<HousePaintStripe*>(database->GetObject(id)) : nullptr)
            stripes.push_back(stripe);
    return stripes;
}

void PaintTheHouseMode::Setup()
{
    QuarrydaleGameMode::Setup();
    instantiateGameLayout("PaintTheHouseModeLayout");
    patternIndexMapping.assign(kNumHousePaintColors, -1);
    SceneNode* const playfield = findGameRootNode(kPlayfieldPath, kWho);
    playfieldID = playfield ? playfield->GetID() : Corvane::kInvalidObjectID;
    setupDeliveryPatterns();
    setupDeliveryButtons();

    SceneNode* const animRoot = findGameNode(playfield, kPaintItAnimNodeRootPath, kWho);
    AnimatedSpriteNode* const vehicle = findGameNode<AnimatedSpriteNode>(playfield, kPaintItZeddoAnimNodePath, kWho);
    animRootID = animRoot ? animRoot->GetID() : Corvane::kInvalidObjectID;
    vehicleID = vehicle ? vehicle->GetID() : Corvane::kInvalidObjectID;
    // Without a level there is no bare stripe: the lift stays where the layout puts it.
    HousePaintStripe* const first = frontStripe();
    if (animRoot && first && first->getLayoutNode())
        animRoot->LocalSetLocation(first->getLayoutNode()->LocalGetLocation());
    if (vehicle)
        vehicle->LocalSetFlipH(true);

    if (SceneNode* const fence = findGameNode(playfield, kPaintItFenceClickRectPath, kWho))
    {
        fence->mouseEnterSignal.connect([this](SceneNode*) { mouseEnterFence(); });
        fence->mouseExitSignal.connect([this](SceneNode*) { mouseExitFence(); });
        fence->mouseDownSignal.connect([this](SceneNode*, Corvane::MouseButton, int, int) { mouseClickOnFence(); });
        fence->SetHitTest(true);
    }
    if (SceneNode* const mask = findGameNode(playfield, kPaintItClickMaskPath, kWho))
    {
        setupMouseInputEatingNode(mask);
        mask->LocalSetVisible(false);
        maskID = mask->GetID();
    }
    static Label const game = getGameModeLabel(kGameModeType_PaintIt);
    GetAudioManager()->setMusicMode(1, game);
    setupInstructionMode(game, kIntroFennState_Standing, playIntro);
}

void PaintTheHouseMode::setupDeliveryPatterns()
{
    levelName = GetLevelManager()->getLevelForGameModeType(kGameModeType_PaintIt);
    Corvane::AutoResource<PaintItLevel> const level(levelName);
    if (!level || level->patterns.empty())
    {
        if (level)
            Corvane::Internal::LogWrite("%s: the level \"%s\" has no pattern\n", kWho, levelName.GetString());
        levelNotFound("PaintTheHouseMode", levelName, getGameModeLabel(kGameModeType_PaintIt), kIntroFennState_Standing);
        return;
    }
    int const index = Corvane::Random::GetIntRange(static_cast<int>(level->patterns.size()) - 1);
    pattern = level->patterns[static_cast<size_t>(index)];
    patternIndexMapping = drawColorMapping();
    std::vector<int> const colors = stripeColors(pattern, patternIndexMapping);
    SceneNode* const houseRoot = findGameNode(nodeOf(playfieldID), kPaintItHouseRootPath, kWho);
    for (size_t i = 0; i < colors.size(); ++i)
    {
        bool const painted = static_cast<int>(i) < kNumPaintedStripes;
        HousePaintStripe* const stripe = new HousePaintStripe(colors[i], painted);
        stripe->AddToCurScene(houseRoot);
        if (SceneNode* const node = stripe->getLayoutNode())
            node->LocalSetLocation(kFenceStripeSpacing * static_cast<float>(i), 0.0f);
        if (!painted)
            stripesToPaint.push_back(stripe->GetID());
    }
}

void PaintTheHouseMode::setupDeliveryButtons()
{
    std::vector<int> offered(patternIndexMapping.begin(), patternIndexMapping.begin() + 3);
    // The buckets' order comes from a generator of their own, apart from the engine's streams.
    static std::mt19937 shuffler{std::random_device{}()};
    std::shuffle(offered.begin(), offered.end(), shuffler);
    SceneNode* const playfield = nodeOf(playfieldID);
    for (size_t k = 0; k < offered.size(); ++k)
    {
        HousePaintBucket* const bucket = new HousePaintBucket(offered[k]);
        bucket->AddToCurScene(findGameNode(playfield, kPaintItBucketPaths[k], kWho));
    }
}

void PaintTheHouseMode::bucketClicked(HousePaintBucket* bucket)
{
    resetHintTimer(2);
    if (!bucket || !isPaintColor(bucket->getColor()))
        return;
    currentColor = bucket->getColor();
    setBrushCursor(currentColor, Corvane::Vector2<int>(20, 15));
}

void PaintTheHouseMode::mouseEnterFence()
{
    if (HousePaintStripe* const stripe = frontStripe())
        stripe->showRollover(true);
}

void PaintTheHouseMode::mouseExitFence()
{
    if (HousePaintStripe* const stripe = frontStripe())
        stripe->showRollover(false);
}

void PaintTheHouseMode::mouseClickOnFence()
{
    resetHintTimer(1);
    if (currentColor == -1)
    {
        static Label const hint = Label::GetUniqueString("InGameHint_PaintIt_1");
        GetAudioManager()->playSFX(hint);
        return;
    }
    if (!frontStripe() || outroStarted)
        return;
    if (SceneNode* const mask = nodeOf(maskID))
        mask->LocalSetVisible(true);
    startPaintingSequence();
}

void PaintTheHouseMode::startPaintingSequence()
{
    static Label const arm = Label::GetUniqueString("SFX_ZeddoArm");
    static Label const raise = Label::GetUniqueString("Raise");
    static Label const paint = Label::GetUniqueString("FennPaint");
    static Label const lower = Label::GetUniqueString("Lower");
    HousePaintStripe* const stripe = frontStripe();
    if (!stripe)
        return;
    SceneNode* const vehicle = nodeOf(vehicleID);
    // Without the lift's node the painting still runs, on the mode's own sequence object.
    Corvane::Object* const sequencer = vehicle ? static_cast<Corvane::Object*>(vehicle) : getSequenceObject();
    if (!sequencer)
        return;
    sequencer->AddTask(newEffectTask(arm));
    if (vehicle)
    {
        vehicle->AddTask(new NodeAnimationTask(raise, kNodeAnimationTaskCompleteOnFinish));
        vehicle->AddTask(new NodeAnimationTask(paint, kNodeAnimationTaskCompleteOnStart));
    }
    joinAtNewCuePoint(sequencer, stripe);
    stripe->startPainting(currentColor);
    joinAtNewCuePoint(sequencer, stripe);
    sequencer->AddTask(newEffectTask(arm));
    if (vehicle)
        vehicle->AddTask(new NodeAnimationTask(lower, kNodeAnimationTaskCompleteOnFinish));
    sequencer->AddTask(new SimpleFunctionTask<Corvane::Object>([this](Corvane::Object*, float) { finishPaintingSequence(); }));
}

void PaintTheHouseMode::finishPaintingSequence()
{
    static Label const arm = Label::GetUniqueString("SFX_ZeddoArm");
    static Label const move = Label::GetUniqueString("SFX_ZeddoMove");
    static Label const wrongColor = Label::GetUniqueString("PaintIt_WrongColor");
    static Label const raise = Label::GetUniqueString("Raise");
    static Label const paint = Label::GetUniqueString("FennPaint");
    static Label const lower = Label::GetUniqueString("Lower");
    static Label const drive = Label::GetUniqueString("Drive");
    static Label const idle = Label::GetUniqueString("Idle");
    HousePaintStripe* const stripe = frontStripe();
    SceneNode* const vehicle = nodeOf(vehicleID);
    Corvane::Object* const sequencer = vehicle ? static_cast<Corvane::Object*>(vehicle) : getSequenceObject();
    if (!stripe || !sequencer)
        return;
    if (currentColor != stripe->getColor())
    {
        GetAudioManager()->playSpecificSoundVocal(wrongColor);
        sequencer->AddTask(new Corvane::TimedTask(2.0f));
        sequencer->AddTask(newEffectTask(arm));
        if (vehicle)
        {
            vehicle->AddTask(new NodeAnimationTask(raise, kNodeAnimationTaskCompleteOnFinish));
            vehicle->AddTask(new NodeAnimationTask(paint, kNodeAnimationTaskCompleteOnStart));
        }
        joinAtNewCuePoint(sequencer, stripe);
        stripe->removePaint();
        joinAtNewCuePoint(sequencer, stripe);
        sequencer->AddTask(newEffectTask(arm));
        if (vehicle)
            vehicle->AddTask(new NodeAnimationTask(lower, kNodeAnimationTaskCompleteOnFinish));
    }
    else
    {
        stripesToPaint.pop_front();
        GetAudioManager()->playInGameFeedbackVocal(true);
        GetAudioManager()->playSFX(move);
        HousePaintStripe* const next = frontStripe();
        Corvane::Vector2<float> const target =
            next && next->getLayoutNode() ? next->getLayoutNode()->LocalGetLocation() : kVehicleHome;
        SceneNode* const animRoot = nodeOf(animRootID);
        if (vehicle)
            vehicle->AddTask(new NodeAnimationTask(drive, kNodeAnimationTaskCompleteOnStart));
        if (animRoot)
        {
            animRoot->AddTask(new NodeLocationTask(target, 1.0f));
            joinAtNewCuePoint(animRoot, sequencer);
        }
        if (vehicle)
            vehicle->AddTask(new NodeAnimationTask(idle, kNodeAnimationTaskCompleteOnStart));
    }
    SceneNode* const mask = nodeOf(maskID);
    if (mask)
        joinAtNewCuePoint(sequencer, mask);
    if (!stripesToPaint.empty())
    {
        if (mask)
            mask->AddTask(new NodeVisibleTask(false));
    }
    else
        playOutroAnimation();
}

void PaintTheHouseMode::playOutroAnimation()
{
    if (outroStarted)
        return;
    outroStarted = true;
    static Label const keepGoing = Label::GetUniqueString("VO_KeepGoing");
    static Label const complete = Label::GetUniqueString("PaintIt_GameComplete");
    bool const again = loopsLeft > 0;
    GetAudioManager()->playSpecificSoundVocal(again ? keepGoing : complete);
    Corvane::Object* const sequence = getSequenceObject();
    if (!sequence)
        return;
    sequence->AddTask(new Corvane::TimedTask(2.0f));
    sequence->AddTask(new SimpleFunctionTask<Corvane::Object>([this, again](Corvane::Object*, float) {
        if (again)
            refreshMode();
        else
            endLevel();
    }));
}

void PaintTheHouseMode::refreshMode()
{
    Corvane::MainLoop::UnwindToMode(new PaintTheHouseMode(false, loopsLeft));
}

void PaintTheHouseMode::setupCursor()
{
    setBrushCursor(currentColor, Corvane::Constant<Corvane::Vector2<int> >("BrushCursorRegPt"));
}

void PaintTheHouseMode::Update(float dt)
{
    QuarrydaleGameMode::Update(dt);
    std::pair<int, int> const mouse = Corvane::MainLoop::GetLastMousePos();
    OnMouseMove(mouse.first, mouse.second);
}
