#include "qdl/Source/Game/TrundelsDelivery/TrundelsDeliveryMode.h"

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
#include "CorvaneExtensions/Source/SceneNode.h"
#include "CorvaneExtensions/Source/SpriteNodes.h"
#include "qdl/Source/Game/GameAudioManager.h"
#include "qdl/Source/Game/GameConstants.h"
#include "qdl/Source/Game/LevelManager.h"
#include "qdl/Source/Game/SimpleFunctionTask.h"
#include "qdl/Source/Game/TrundelsDelivery/DeliveryCart.h"
#include "qdl/Source/Game/TrundelsDelivery/DeliveryObject.h"
#include "qdl/Source/Game/TrundelsDelivery/TrundelsDeliveryElements.h"
#include "qdl/Source/Game/TrundelsDelivery/TrundelsDeliveryLevel.h"

using namespace Corvane;

namespace
{

// Below the playfield.
NodePathElement const kCargoRootPath[] = {"CargoRoot", NodePathTerminator()};
// Six paths in one array: cart i + 1 starts at element 3 * i.
NodePathElement const kCartPaths[] = {
    "CargoRoot", "Cart_1", NodePathTerminator(), "CargoRoot", "Cart_2", NodePathTerminator(),
    "CargoRoot", "Cart_3", NodePathTerminator(), "CargoRoot", "Cart_4", NodePathTerminator(),
    "CargoRoot", "Cart_5", NodePathTerminator(), "CargoRoot", "Cart_6", NodePathTerminator()};
// Five paths in one array: choice i + 1 starts at element 2 * i.
NodePathElement const kChoicePaths[] = {"Pattern1", NodePathTerminator(), "Pattern2", NodePathTerminator(),
                                        "Pattern3", NodePathTerminator(), "Pattern4", NodePathTerminator(),
                                        "Pattern5", NodePathTerminator()};
NodePathElement const kCranePath[] = {"TollerAnimNode", NodePathTerminator()};
NodePathElement const kClickMaskPath[] = {"MouseInput_ClickMask", NodePathTerminator()};

Label const kGameLabel = Label::GetUniqueString("TrundelsDelivery");
Label const kCraneLine = Label::GetUniqueString("VO_Toller_IThinkSo");
Label const kCompleteLine = Label::GetUniqueString("TrundelsDelivery_GameComplete");
Label const kTrainSound = Label::GetUniqueString("SFX_TrundelMoveLong");
Label const kArmSound = Label::GetUniqueString("SFX_TollerArm");
Label const kSadAnimation = Label::GetUniqueString("Sad");
Label const kHappyAnimation = Label::GetUniqueString("Happy");
Label const kIdleAnimation = Label::GetUniqueString("Idle-Left");
Label const kDriveAnimation = Label::GetUniqueString("Drive-Left");

float const kTrainStartX = 900.0f;
float const kTrainEndX = -700.0f;
float const kTrainSeconds = 1.5f;
float const kWrongVoiceDelaySeconds = 1.0f;
float const kNextRoundSeconds = 2.0f;
float const kLevelEndSeconds = 1.0f;

SceneNode* belowPlayfield(NodePathElement const* path)
{
    SceneNode* const playfield = RootDescendent(kPlayfieldPath);
    if (!playfield)
    {
        Internal::LogWrite("TrundelsDelivery: %s has no node GameScreenRoot/Playfield\n", kTrundelsDeliveryModeLayout);
        return nullptr;
    }
    return findDeliveryNode(playfield, path, kTrundelsDeliveryModeLayout);
}

DeliveryCart* cartOf(ObjectID id)
{
    ObjectDatabase* const database = GetObjectDatabase();
    return database ? dynamic_cast<DeliveryCart*>(database->GetObject(id)) : nullptr;
}

// The choices' own order, apart from the engine's random streams.
std::mt19937& choiceShuffler()
{
    static std::mt19937 generator{std::random_device{}()};
    return generator;
}

} // namespace

TrundelsDeliveryMode::TrundelsDeliveryMode(bool playIntro_, int loops)
    : loopsLeft(loopsLeftAfterThisOne(loops)), playIntro(playIntro_), answering(false)
{
}

TrundelsDeliveryMode::~TrundelsDeliveryMode()
{
}

SceneNode* TrundelsDeliveryMode::getClickMask() const
{
    return belowPlayfield(kClickMaskPath);
}

AnimatedSpriteNode* TrundelsDeliveryMode::getCrane() const
{
    return dynamic_cast<AnimatedSpriteNode*>(belowPlayfield(kCranePath));
}

void TrundelsDeliveryMode::Setup()
{
    QuarrydaleGameMode::Setup();
    instantiateGameLayout(kTrundelsDeliveryModeLayout);
    patternIndexMapping.assign(kNumTrundelsDeliveryTypes, -1);
    if (SceneNode* const mask = getClickMask())
    {
        setupMouseInputEatingNode(mask);
        mask->LocalSetVisible(true);
    }
    if (AnimatedSpriteNode* const crane = getCrane())
    {
        crane->mouseDownSignal.connect([](SceneNode*, MouseButton, int, int) { GetAudioManager()->playSFX(kCraneLine); });
        crane->SetHitTest(true);
    }
    setupDeliveryPatterns();
    setupDeliveryButtons();
    setupInstructionMode(kGameLabel, kIntroFennState_Standing, playIntro);
    GetAudioManager()->setMusicMode(kMusicMode_InGame, kGameLabel);
    playIntroAnimation();
}

int TrundelsDeliveryMode::generatePatternIndexMapping(Label levelName)
{
    AutoResource<TrundelsDeliveryLevel> const found(levelName);
    int const count = found ? static_cast<int>(found->patterns.size()) : 0;
    int const index = count > 0 ? Random::GetIntRange(count - 1) : -1;
    patternIndexMapping.assign(kNumTrundelsDeliveryTypes, -1);
    for (int k = 0; k < kNumTrundelsDeliveryTypes; ++k)
    {
        int type = Random::GetIntRange(kNumTrundelsDeliveryTypes - 1);
        while (std::find(patternIndexMapping.begin(), patternIndexMapping.end(), type) != patternIndexMapping.end())
            type = Random::GetIntRange(kNumTrundelsDeliveryTypes - 1);
        patternIndexMapping[k] = type;
    }
    return index;
}

void TrundelsDeliveryMode::setupDeliveryPatterns()
{
    level = GetLevelManager()->getLevelForGameModeType(kGameModeType_TrundelsDelivery);
    AutoResource<TrundelsDeliveryLevel> const found(level);
    // A level whose patterns were all left out cannot be played either.
    if (!found || found->patterns.empty())
    {
        levelNotFound("TrundelsDeliveryMode", level, kGameLabel, kIntroFennState_Standing);
        return;
    }
    int const index = generatePatternIndexMapping(level);
    pattern = found->patterns[static_cast<size_t>(index)];
    std::vector<TrundelsDeliveryType> const types = cartTypes(pattern, patternIndexMapping);
    SceneNode* const playfield = RootDescendent(kPlayfieldPath);
    for (size_t cart = 0; cart < types.size(); ++cart)
    {
        DeliveryCart* const made = new DeliveryCart(types[cart], cart == 0);
        SceneNode* const place = playfield ? findDeliveryNode(playfield, &kCartPaths[3 * cart], kTrundelsDeliveryModeLayout)
                                           : nullptr;
        made->AddToCurScene(place);
        if (cart + 1 == types.size())
        {
            made->showCartContents(false);
            cartsToFill.push_back(made->GetID());
        }
    }
}

std::vector<TrundelsDeliveryType> TrundelsDeliveryMode::cartTypes(std::vector<int> const& pattern,
                                                                  std::vector<TrundelsDeliveryType> const& mapping)
{
    std::vector<TrundelsDeliveryType> types;
    if (pattern.empty())
        return types;
    for (size_t cart = 0; cart < static_cast<size_t>(kNumCarts); ++cart)
    {
        size_t const symbol = static_cast<size_t>(pattern[cart % pattern.size()]);
        types.push_back(symbol < mapping.size() ? mapping[symbol] : -1);
    }
    return types;
}

std::vector<TrundelsDeliveryType> TrundelsDeliveryMode::choiceTypes(std::vector<TrundelsDeliveryType> const& mapping)
{
    std::vector<TrundelsDeliveryType> choices(mapping.begin(),
                                              mapping.begin() + std::min<size_t>(mapping.size(), kNumChoices));
    choices.resize(kNumChoices, -1);
    std::shuffle(choices.begin(), choices.end(), choiceShuffler());
    return choices;
}

void TrundelsDeliveryMode::setupDeliveryButtons()
{
    std::vector<TrundelsDeliveryType> const choices = choiceTypes(patternIndexMapping);
    SceneNode* const playfield = RootDescendent(kPlayfieldPath);
    for (int k = 0; k < kNumChoices; ++k)
    {
        SceneNode* const place = playfield ? findDeliveryNode(playfield, &kChoicePaths[2 * k], kTrundelsDeliveryModeLayout)
                                           : nullptr;
        (new DeliveryObject(choices[static_cast<size_t>(k)]))->AddToCurScene(place);
    }
}

void TrundelsDeliveryMode::playIntroAnimation()
{
    if (SceneNode* const train = belowPlayfield(kCargoRootPath))
    {
        Vector2<float> const home = train->LocalGetLocation();
        train->LocalSetLocation(kTrainStartX, home.y);
        train->AddTask(new SimpleFunctionTask<Object>([](Object*, float) { GetAudioManager()->playSFX(kTrainSound); }));
        train->AddTask(new NodeLocationTask(home, kTrainSeconds));
        train->AddTask(new SimpleFunctionTask<Object>([this](Object*, float) { changeAllCartAnimations(kIdleAnimation); }));
    }
    // On the mask's own queue: the choices can be clicked while the train arrives.
    if (SceneNode* const mask = getClickMask())
        mask->AddTask(new NodeVisibleTask(false));
}

void TrundelsDeliveryMode::changeAllCartAnimations(Label animation)
{
    std::vector<ObjectID> const carts = GetObjectDatabase()->GetObjectsWithRole(DeliveryCart::role());
    for (ObjectID const id : carts)
        if (DeliveryCart* const cart = cartOf(id))
            cart->setCartAnim(animation);
}

void TrundelsDeliveryMode::buttonClicked(DeliveryObject* choice)
{
    resetHintTimer(1);
    DeliveryCart* const target = cartsToFill.empty() ? nullptr : cartOf(cartsToFill.front());
    if (!choice || !target || answering || outroStarted)
        return;
    answering = true;
    // Shown at once, so that a second press in the same frame finds it.
    SceneNode* const mask = getClickMask();
    if (mask)
        mask->LocalSetVisible(true);
    GetAudioManager()->playSFX(kArmSound);
    choice->getPickedUp();
    choice->placeInCart(target);
    if (choice->getType() == target->getType())
    {
        choice->retractHook();
        choice->AddTask(new SimpleFunctionTask<Object>([this](Object*, float) { patternComplete(); }));
        return;
    }
    Label const line = Label::GetUniqueString(wrongChoiceLine(choice->getType(), target->getType()));
    choice->AddTask(new SimpleFunctionTask<Object>([this](Object*, float) {
        if (AnimatedSpriteNode* const crane = getCrane())
            crane->SetAnimation(kSadAnimation, true);
    }));
    choice->AddTask(new TimedTask(kWrongVoiceDelaySeconds));
    choice->AddTask(new SimpleFunctionTask<Object>([line](Object*, float) { GetAudioManager()->playSpecificSoundVocal(line); }));
    choice->removeFromCartAndDestroy();
    if (!mask)
    {
        answering = false;
        return;
    }
    // The choice's waiting cue task counts as arrived once the choice is destroyed.
    joinDeliveryQueues(choice, mask);
    mask->AddTask(new NodeVisibleTask(false));
    mask->AddTask(new SimpleFunctionTask<Object>([this](Object*, float) { answering = false; }));
}

void TrundelsDeliveryMode::patternComplete()
{
    if (cartsToFill.empty())
        return;
    DeliveryCart* const cart = cartOf(cartsToFill.front());
    cartsToFill.pop_front();
    if (cart)
        cart->showCartContents(true);
    if (cartsToFill.empty())
        playOutroAnimation();
}

void TrundelsDeliveryMode::playOutroAnimation()
{
    if (outroStarted)
        return;
    outroStarted = true;
    GetAudioManager()->playSFX(kTrainSound);
    GetAudioManager()->playSpecificSoundVocal(kCompleteLine);
    if (AnimatedSpriteNode* const crane = getCrane())
        crane->SetAnimation(kHappyAnimation, false);
    SceneNode* const train = belowPlayfield(kCargoRootPath);
    Object* const sequence = train ? static_cast<Object*>(train) : getSequenceObject();
    if (!sequence)
        return;
    sequence->AddTask(new SimpleFunctionTask<Object>([this](Object*, float) { changeAllCartAnimations(kDriveAnimation); }));
    if (train)
        sequence->AddTask(new NodeLocationTask(Vector2<float>(kTrainEndX, train->LocalGetLocation().y), kTrainSeconds));
    sequence->AddTask(new TimedTask(loopsLeft > 0 ? kNextRoundSeconds : kLevelEndSeconds));
    sequence->AddTask(new SimpleFunctionTask<Object>([this](Object*, float) {
        if (loopsLeft > 0)
            refreshMode();
        else
            endLevel();
    }));
}

void TrundelsDeliveryMode::refreshMode()
{
    MainLoop::UnwindToMode(new TrundelsDeliveryMode(false, loopsLeft));
}

void TrundelsDeliveryMode::setupCursor()
{
    AutoResource<IImage> const image("cursor_default");
    if (!image)
    {
        Internal::LogWrite("TrundelsDelivery: the cursor image \"cursor_default\" is not loaded\n");
        return;
    }
    Window::SetCustomCursor(image.Get(), Constant<Vector2<int> >("DefaultCursorRegPt"));
}

void TrundelsDeliveryMode::Update(float dt)
{
    SceneApplicationMode::Update(dt);
    std::pair<int, int> const mouse = MainLoop::GetLastMousePos();
    SceneApplicationMode::OnMouseMove(mouse.first, mouse.second);
}
