#include "qdl/Source/Game/HideAndSeek/HideAndSeekMode.h"

#include <algorithm>
#include <cstdlib>
#include <utility>
#include <vector>

#include "Core/Source/Log.h"
#include "Core/Source/StringUtils.h"
#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/ObjectDatabase.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Framework/Tasks.h"
#include "2DEngine/Source/Platform/MacOSX/PlatformServices.h"
#include "CorvaneExtensions/Source/SceneNode.h"
#include "qdl/Source/Game/FrontEnd/FrontEndScreens.h"
#include "qdl/Source/Game/GameAudioManager.h"
#include "qdl/Source/Game/GameConstants.h"
#include "qdl/Source/Game/LevelManager.h"
#include "qdl/Source/Game/SimpleFunctionTask.h"
#include "qdl/Source/Game/HideAndSeek/HideAndSeekCharacter.h"
#include "qdl/Source/Game/HideAndSeek/HideAndSeekConstants.h"
#include "qdl/Source/Game/HideAndSeek/HideAndSeekLevel.h"
#include "qdl/Source/Game/HideAndSeek/HideAndSeekObstacle.h"

using namespace Corvane;

namespace
{

char const* const kModeLayout = "HideAndSeekModeLayout";
float const kEndLevelDelay = 2.0f;

Label gameLabel()
{
    static Label const label = Label::GetUniqueString("HideAndSeek");
    return label;
}

SceneNode* playfield()
{
    return RootDescendent(kPlayfieldPath);
}

int currentDifficulty()
{
    int const difficulty = GetLevelManager()->getDifficulty();
    return std::min(std::max(difficulty, 0), kNumGameModeDifficulties - 1);
}

// The standard library's shuffle over the system rand, which nothing seeds: the
// arrangements repeat from one start of the program to the next.
template <class T>
void shuffleWithRand(std::vector<T>& items)
{
    for (size_t i = items.size(); i > 1; --i)
        std::swap(items[i - 1], items[static_cast<size_t>(std::rand()) % i]);
}

} // namespace

HideAndSeekMode::HideAndSeekMode() : numHides(0), hidesFound(0) {}

HideAndSeekMode::~HideAndSeekMode() {}

SceneNode* HideAndSeekMode::getDifficultyLayer() const
{
    SceneNode* const field = playfield();
    return field ? field->GetDescendent(kHideAndSeekLayerPaths[currentDifficulty()]) : nullptr;
}

SceneNode* HideAndSeekMode::getClickMask() const
{
    SceneNode* const field = playfield();
    return field ? field->GetDescendent(kHideAndSeekClickMaskPath) : nullptr;
}

std::string HideAndSeekMode::findMissingContent() const
{
    std::string const playfieldText = std::string(kModeLayout) + "/GameScreenRoot/Playfield";
    if (!playfield())
        return playfieldText;
    if (!getClickMask())
        return playfieldText + "/ClickMask";
    if (!getDifficultyLayer())
    {
        std::string text = playfieldText;
        for (NodePathElement const* step = kHideAndSeekLayerPaths[currentDifficulty()];
             !IsNodePathTerminator(*step); ++step)
            text += std::string("/") + boost::get<char const*>(*step);
        return text;
    }
    NodePathElement const* const catPaths[] = {kHideAndSeekImageNodePath};
    std::string const missing = findMissingLayoutNode("HideAndSeekCharacterLayout", catPaths, 1);
    if (!missing.empty())
        return missing;
    NodePathElement const* const obstaclePaths[] = {kHideAndSeekImageNodePath, kHideAndSeekRolloverNodePath,
                                                    kHideAndSeekTailNodePath, kHideAndSeekWrongAnimalPath};
    return findMissingLayoutNode("HideAndSeekObstacleLayout", obstaclePaths, 4);
}

void HideAndSeekMode::Setup()
{
    QuarrydaleGameMode::Setup();
    if (!instantiateGameLayout(kModeLayout))
    {
        Platform::ModalNotification(L"The scene layout HideAndSeekModeLayout is missing or broken, so "
                                    L"HideAndSeekMode has nothing to show. Fix the problem and press F5 to reload",
                                    L"");
        // Without its layout the game has no Quit button: the child goes where Quit's Yes would take it.
        if (ApplicationMode* const menu = newMainMenuScreen())
            MainLoop::UnwindToMode(menu);
        return;
    }
    if (SceneNode* const layer = getDifficultyLayer())
        sortHook = layer->drawSignal.connect([this](SceneNode* node) { SortPlayfieldEntities(node); });

    std::string const missing = findMissingContent();
    if (missing.empty())
    {
        initializeLevel(GetLevelManager()->getLevelForGameModeType(kGameModeType_HideAndSeek));
    }
    else
    {
        Platform::ModalNotification(L"The layout lacks " + ConvertStringUTF8ToWide(missing) +
                                        L", so HideAndSeekMode cannot set up its level. Fix the problem and press "
                                        L"F5 to reload",
                                    L"");
        // The child can still ask for help or leave.
        showUIButtons();
    }
    setupClickMaskNode();
    GetAudioManager()->setMusicMode(kMusicMode_InGame, gameLabel());
}

void HideAndSeekMode::initializeLevel(Label level)
{
    AutoResource<HideAndSeekLevel> const data(level);
    if (!data)
    {
        levelNotFound("HideAndSeekMode", level, gameLabel(), kIntroFennState_Waving);
        return;
    }
    numHides = data->numHides;

    std::vector<HideAndSeekObstacleData> obstacles = data->obstacles;
    shuffleWithRand(obstacles);

    SceneNode* const layer = getDifficultyLayer();
    if (!layer)
        return;
    std::vector<SceneNode*> const slots(layer->GetChildren().begin(), layer->GetChildren().end());
    size_t const placed = std::min(obstacles.size(), slots.size());
    for (size_t i = 0; i < placed; ++i)
        (new HideAndSeekObstacle(obstacles[i].imageID))->AddToCurScene(slots[i]);
    if (placed < 2)
        Internal::LogWrite("HideAndSeekLevel \"%s\": %d obstacle(s) placed; the cat needs two to change places\n",
                           level.GetString(), static_cast<int>(placed));

    (new HideAndSeekCharacter(data->numPreviewHides, data->runSpeed, data->showTail))->AddToCurScene(layer);
    setupInstructionMode(gameLabel(), kIntroFennState_Waving, true);
}

void HideAndSeekMode::setupClickMaskNode()
{
    if (SceneNode* const mask = getClickMask())
    {
        setupMouseInputEatingNode(mask);
        mask->LocalSetVisible(true);
    }
}

void HideAndSeekMode::maskClickInput(bool on)
{
    if (SceneNode* const mask = getClickMask())
        mask->LocalSetVisible(on);
}

void HideAndSeekMode::obstacleClicked(HideAndSeekObstacle* obstacle)
{
    HideAndSeekCharacter* const cat =
        dynamic_cast<HideAndSeekCharacter*>(GetObjectDatabase()->GetNamedObject(getHideAndSeekCharacterName()));
    if (!cat || !obstacle || obstacle->GetID() != cat->getCurrentObstacle())
        return;
    ++hidesFound;
    if (hidesFound < numHides)
    {
        cat->setupNewHideSequence();
        return;
    }
    static Label const complete = Label::GetUniqueString("HideAndSeek_GameComplete");
    cat->AddTask(new SimpleFunctionTask<AudioManager>(
        [](AudioManager*, float) { GetAudioManager()->playSpecificSoundVocal(complete); }));
    cat->runOffScreen();
    startOutroAnimation();
}

void HideAndSeekMode::startOutroAnimation()
{
    if (outroStarted)
        return;
    outroStarted = true;
    Object* const cat = GetObjectDatabase()->GetNamedObject(getHideAndSeekCharacterName());
    // Without a cat the sequence runs on the base's own object.
    Object* const sequence = cat ? cat : getSequenceObject();
    if (!sequence)
        return;
    sequence->AddTask(new TimedTask(kEndLevelDelay));
    sequence->AddTask(new SimpleFunctionTask<HideAndSeekMode>([this](HideAndSeekMode*, float) { endLevel(); }));
}

void HideAndSeekMode::SortPlayfieldEntities(SceneNode*) {}

void HideAndSeekMode::Update(float dt)
{
    QuarrydaleGameMode::Update(dt);
    std::pair<int, int> const mouse = MainLoop::GetLastMousePos();
    OnMouseMove(mouse.first, mouse.second);
}

void HideAndSeekMode::refreshMode()
{
    MainLoop::UnwindToMode(new HideAndSeekMode());
}

void HideAndSeekMode::setupCursor()
{
    setGameCursor();
}
