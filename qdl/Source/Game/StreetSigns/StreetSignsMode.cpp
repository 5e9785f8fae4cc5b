#include "qdl/Source/Game/StreetSigns/StreetSignsMode.h"

#include <cstring>
#include <functional>
#include <iterator>
#include <list>

#include "Core/Source/Log.h"
#include "Core/Source/Random.h"
#include "2DEngine/Source/Framework/Constant.h"
#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/ObjectDatabase.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Framework/Tasks.h"
#include "2DEngine/Source/Platform/MacOSX/PlatformServices.h"
#include "CorvaneExtensions/Source/SceneNode.h"
#include "CorvaneExtensions/Source/SpriteNodes.h"
#include "qdl/Source/Game/EnumTypeDeck.h"
#include "qdl/Source/Game/GameAudioManager.h"
#include "qdl/Source/Game/LevelManager.h"
#include "qdl/Source/Game/PlayfieldEntityYSort.h"
#include "qdl/Source/Game/SimpleFunctionTask.h"
#include "qdl/Source/Game/StreetSigns/StreetSignLevel.h"
#include "qdl/Source/Game/StreetSigns/StreetSignsElements.h"

using Corvane::Label;

namespace
{

// The shared colour and shape words, by sign colour and sign shape.
QuarrydaleColor const kSignColorWords[kNumStreetSignColors] = {
    kQuarrydaleColor_Red, kQuarrydaleColor_Green, kQuarrydaleColor_Blue, kQuarrydaleColor_Orange,
    kQuarrydaleColor_Yellow};
QuarrydaleShape const kSignShapeWords[kNumStreetSignShapes] = {
    kQuarrydaleShape_Rectangle, kQuarrydaleShape_Square, kQuarrydaleShape_Octagon, kQuarrydaleShape_Triangle,
    kQuarrydaleShape_Circle};

Label label(char const* text)
{
    return Label::GetUniqueString(text);
}

Label gameLabel()
{
    static Label const game = label("StreetSigns");
    return game;
}

int indexOfText(char const* text, char const* const* names, int count)
{
    for (int i = 0; i < count; ++i)
        if (std::strcmp(text, names[i]) == 0)
            return i;
    return -1;
}

int loopsOfDifficulty()
{
    std::vector<int> const loops = Corvane::Constant<std::vector<int> >("RepeatedGameNumLoops");
    int const difficulty = GetLevelManager()->getDifficulty();
    if (difficulty >= 0 && difficulty < static_cast<int>(loops.size()))
        return loops[difficulty];
    Corvane::Internal::LogWrite("StreetSigns: \"RepeatedGameNumLoops\" has no entry for difficulty %d; one loop is "
                                "played\n", difficulty);
    return 0;
}

} // namespace

StreetSignsMode::StreetSignsMode(bool playIntro_, int loopsLeft_)
    : loopsLeft(loopsLeft_ == -1 ? loopsOfDifficulty() : loopsLeft_ - 1), playIntro(playIntro_)
{
}

StreetSignsMode::~StreetSignsMode() {}

int StreetSignsMode::requestColorIndex(Label request)
{
    return indexOfText(request.GetString(), kStreetSignColorNames, kNumStreetSignColors);
}

int StreetSignsMode::requestShapeIndex(Label request)
{
    return indexOfText(request.GetString(), kStreetSignShapeNames, kNumStreetSignShapes);
}

bool StreetSignsMode::isRightSign(Label request, int color, int shape)
{
    int const wantedColor = requestColorIndex(request);
    int const wantedShape = requestShapeIndex(request);
    return (wantedColor != -1 && wantedColor == color) || (wantedShape != -1 && wantedShape == shape);
}

QuarrydaleColor StreetSignsMode::toQuarrydaleColor(int signColor)
{
    return kSignColorWords[signColor];
}

QuarrydaleShape StreetSignsMode::toQuarrydaleShape(int signShape)
{
    return kSignShapeWords[signShape];
}

SceneNode* StreetSignsMode::findPlayfieldNode(NodePathElement const* path) const
{
    SceneNode* const root = GetRootNode();
    SceneNode* const playfield = root ? root->GetDescendent(kPlayfieldPath) : nullptr;
    return playfield ? playfield->GetDescendent(path) : nullptr;
}

std::vector<StreetSign*> StreetSignsMode::getSigns()
{
    static Label const role = label("StreetSigns_StreetSignObject");
    std::vector<StreetSign*> signs;
    Corvane::ObjectDatabase* const database = GetObjectDatabase();
    // A destroyed object stays listed until the purge; GetObject no longer answers for it.
    for (Corvane::ObjectID id : database->GetObjectsWithRole(role))
        if (StreetSign* const sign = dynamic_cast<StreetSign*>(database->GetObject(id)))
            signs.push_back(sign);
    return signs;
}

bool StreetSignsMode::hasOutstandingRightSign()
{
    for (StreetSign* const sign : getSigns())
        if (!sign->collected && isRightSign(request, sign->color, sign->shape))
            return true;
    return false;
}

StreetSignTruck* StreetSignsMode::getTruck()
{
    static Label const name = label("StreetSign_Truck");
    return dynamic_cast<StreetSignTruck*>(GetObjectDatabase()->GetNamedObject(name));
}

void StreetSignsMode::Setup()
{
    QuarrydaleGameMode::Setup();
    if (!instantiateGameLayoutOrLeave("StreetSignsModeLayout", "StreetSignsMode"))
        return;
    initializeLevel(GetLevelManager()->getLevelForGameModeType(kGameModeType_StreetSigns));
    if (SceneNode* const mask = findPlayfieldNode(kSignsMouseMaskPath))
        setupMouseInputEatingNode(mask);
    if (SceneNode* const crane = findPlayfieldNode(kTollerAnimNodePath))
    {
        crane->mouseDownSignal.connect([](SceneNode*, Corvane::MouseButton, int, int) {
            GetAudioManager()->playSFX(label("VO_Toller_IThinkSo"));
        });
        crane->SetHitTest(true);
    }
    SortPlayfieldEntities(findPlayfieldNode(kSignsLayout12Path));
    SortPlayfieldEntities(findPlayfieldNode(kSignsLayout9Path));
    SortPlayfieldEntities(findPlayfieldNode(kSignsLayout6Path));
    GetAudioManager()->setMusicMode(kMusicMode_InGame, gameLabel());
}

bool StreetSignsMode::initializeLevel(Label levelName)
{
    setupInstructionMode(gameLabel(), kIntroFennState_Standing, playIntro);
    Corvane::AutoResource<StreetSignLevel> const level(levelName);
    // A level that asks for nothing, or shows no sign, cannot be played: it is reported as missing.
    if (!level || level->attRequests.empty() || level->signEntries.empty())
    {
        if (level)
            Corvane::Internal::LogWrite("StreetSigns level %s asks for nothing or shows no sign\n",
                                        levelName.GetString());
        levelNotFound("StreetSignsMode", levelName, gameLabel(), kIntroFennState_Standing);
        return false;
    }
    request = level->attRequests.front();

    int const count = static_cast<int>(level->signEntries.size());
    NodePathElement const* containerPath = kSignsLayout6Path;
    int places = 6;
    if (count >= 10)
    {
        containerPath = kSignsLayout12Path;
        places = 12;
    }
    else if (count >= 7)
    {
        containerPath = kSignsLayout9Path;
        places = 9;
    }
    SceneNode* const container = findPlayfieldNode(containerPath);
    EnumTypeDeck<int> deck(places);
    for (StreetSignData const& entry : level->signEntries)
    {
        if (deck.getCardsLeft() == 0)
        {
            Corvane::Internal::LogWrite("StreetSigns level %s: more signs than places; the rest are left out\n",
                                        levelName.GetString());
            break;
        }
        StreetSign* const sign = new StreetSign(entry.color, entry.shape);
        int const card = deck.DrawCard();
        SceneNode* place = nullptr;
        if (container && card >= 0 && card < static_cast<int>(container->GetChildCount()))
        {
            std::list<SceneNode*>::const_iterator child = container->GetChildren().begin();
            std::advance(child, card);
            place = *child;
        }
        sign->AddToCurScene(place ? place : container);
    }
    StreetSignTruck* const truck = new StreetSignTruck();
    truck->AddToCurScene(findPlayfieldNode(kYSortedLayerPath));
    playIntroAnimation();
    return true;
}

void StreetSignsMode::playIntroAnimation()
{
    StreetSignTruck* const truck = getTruck();
    if (!truck)
        return;
    truck->driveOntoScreen();
    truck->AddTask(newCallTask([this] { playTraitVocal(); }));
    truck->AddTask(newCallTask([this] { maskMouseInput(false); }));
}

void StreetSignsMode::playTraitVocal()
{
    if (!hasOutstandingRightSign())
        return;
    int const color = requestColorIndex(request);
    int const shape = requestShapeIndex(request);
    AudioManager* const audio = GetAudioManager();
    if (color != -1)
        audio->playColorVocal(toQuarrydaleColor(color));
    if (shape != -1)
        audio->playShapeVocal(toQuarrydaleShape(shape));
}

void StreetSignsMode::setCraneAnimation(char const* animation)
{
    if (AnimatedSpriteNode* const crane = dynamic_cast<AnimatedSpriteNode*>(findPlayfieldNode(kTollerAnimNodePath)))
        crane->SetAnimation(label(animation), false);
}

void StreetSignsMode::streetSignClicked(StreetSign* sign)
{
    resetHintTimer(1);
    maskMouseInput(true);
    if (isRightSign(request, sign->color, sign->shape))
    {
        setCraneAnimation("Happy");
        sign->lowerHook();
        sign->liftSignIntoTruck();
        GetAudioManager()->playInGameFeedbackVocal(true);
    }
    else
    {
        bool const heads = Corvane::Random::GetCoinFlip();
        char const* specific = requestColorIndex(request) == -1 ? "StreetSigns_WrongShape" : "StreetSigns_WrongColor";
        GetAudioManager()->playSpecificSoundVocal(label(heads ? specific : "StreetSigns_WrongSign"));
        sign->wrongSignShake();
        sign->AddTask(new Corvane::TimedTask(0.6f));
        setCraneAnimation("Sad");
    }
    sign->AddTask(newCallTask([this] { checkLevelEnding(); }));
}

void StreetSignsMode::checkLevelEnding()
{
    if (hasOutstandingRightSign())
        maskMouseInput(false);
    else
        playOutroAnimation();
}

void StreetSignsMode::playOutroAnimation()
{
    if (outroStarted)
        return;
    outroStarted = true;
    StreetSignTruck* const truck = getTruck();
    if (truck)
        truck->driveOffScreen();
    setCraneAnimation("Happy");
    GetAudioManager()->playSFX(label("VO_TollerTada"));
    // Without a truck the steps wait on the mode's sequence object instead.
    Corvane::Object* const queue = truck ? static_cast<Corvane::Object*>(truck) : getSequenceObject();
    if (!queue)
        return;
    if (loopsLeft > 0)
    {
        queue->AddTask(newCallTask([this] { refreshMode(); }));
        return;
    }
    queue->AddTask(new Corvane::TimedTask(0.4f));
    queue->AddTask(newCallTask([] { GetAudioManager()->playSpecificSoundVocal(label("StreetSigns_GameComplete")); }));
    queue->AddTask(newCallTask([this] { endLevel(); }));
}

void StreetSignsMode::maskMouseInput(bool mask)
{
    if (SceneNode* const node = findPlayfieldNode(kSignsMouseMaskPath))
        node->LocalSetVisible(mask);
}

void StreetSignsMode::Update(float dt)
{
    QuarrydaleGameMode::Update(dt);
    std::pair<int, int> const mouse = Corvane::MainLoop::GetLastMousePos();
    OnMouseMove(mouse.first, mouse.second);
}

void StreetSignsMode::refreshMode()
{
    Corvane::MainLoop::UnwindToMode(new StreetSignsMode(false, loopsLeft));
}

void StreetSignsMode::setupCursor()
{
    setGameCursor();
}
