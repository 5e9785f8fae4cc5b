#include "qdl/Source/Game/HammerTheNail/HammerTheNailMode.h"

#include <string>
#include <vector>

#include "Core/Source/Log.h"
#include "2DEngine/Source/Framework/Constant.h"
#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/ObjectDatabase.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Framework/Tasks.h"
#include "2DEngine/Source/Platform/MacOSX/PlatformServices.h"
#include "CorvaneExtensions/Source/NodeTasks.h"
#include "CorvaneExtensions/Source/SceneNode.h"
#include "qdl/Source/Game/GameAudioManager.h"
#include "qdl/Source/Game/GameConstants.h"
#include "qdl/Source/Game/LevelManager.h"
#include "qdl/Source/Game/SimpleFunctionTask.h"
#include "qdl/Source/Game/HammerTheNail/DraggableTool.h"
#include "qdl/Source/Game/HammerTheNail/HammerTheNailLevel.h"
#include "qdl/Source/Game/HammerTheNail/TargetNail.h"

using namespace Corvane;

namespace
{
char const* const kLayoutName = "HammerTheNailModeLayout";
Label const kGameLabel = Label::GetUniqueString("HammerTheNail");
Label const kGameCompleteVoice = Label::GetUniqueString("FixIt_GameComplete");
Label const kNailRole = Label::GetUniqueString("HammerTheNail_Nail");

// The further loops at the current difficulty; a missing or negative entry means none.
int repeatedLoops()
{
    Constant<std::vector<int> > const loops("RepeatedGameNumLoops");
    int const difficulty = GetLevelManager()->getDifficulty();
    std::vector<int> const values = loops.IsValid() ? static_cast<std::vector<int> >(loops) : std::vector<int>();
    if (difficulty < 0 || static_cast<size_t>(difficulty) >= values.size())
    {
        Internal::LogWrite("HammerTheNail: RepeatedGameNumLoops has no entry for difficulty %d; no further loop\n",
                           difficulty);
        return 0;
    }
    return values[difficulty] > 0 ? values[difficulty] : 0;
}

// The nodes below the playfield that the game and its pieces look up.
std::vector<NodePathElement const*> requiredNodes()
{
    std::vector<NodePathElement const*> paths = {kFixItDropItemClickMaskPath, kFixItMaskInputClickMaskPath, kFixItInGameFennPath,
                                                 kFixItFennMouthPath, kFixItMaterialTargetsPath};
    for (int slot = 0; slot < kNumFixItToolSlots; ++slot)
        paths.push_back(kFixItToolSlotPaths[slot]);
    return paths;
}
} // namespace

HammerTheNailMode::HammerTheNailMode(bool playIntro_, int loops)
    : loopsLeft(loops == -1 ? repeatedLoops() : loops - 1), playIntro(playIntro_), layoutComplete(false)
{
    if (loopsLeft < 0)
        loopsLeft = 0;
}

HammerTheNailMode::~HammerTheNailMode()
{
}

SceneNode* HammerTheNailMode::getPlayfieldNode(NodePathElement const* path) const
{
    SceneNode* const playfield = RootDescendent(kPlayfieldPath);
    return playfield ? playfield->GetDescendent(path) : nullptr;
}

void HammerTheNailMode::reportUnplayable(std::wstring const& message)
{
    Platform::ModalNotification(message, L"");
}

void HammerTheNailMode::Setup()
{
    QuarrydaleGameMode::Setup();
    if (!instantiateGameLayout(kLayoutName))
    {
        reportUnplayable(L"Layout HammerTheNailModeLayout Not Found for HammerTheNailMode. Fix the problem and "
                         L"press F5 to reload");
    }
    else
    {
        std::string missing;
        if (!RootDescendent(kPlayfieldPath))
            missing = "GameScreenRoot/Playfield";
        else if (!RootDescendent(kFXLayerPath))
            missing = "GameScreenRoot/FX_Layer";
        for (NodePathElement const* path : requiredNodes())
            if (missing.empty() && !getPlayfieldNode(path))
                missing = "GameScreenRoot/Playfield/" + fixItNodePathText(path);
        layoutComplete = missing.empty();
        if (!layoutComplete)
        {
            Internal::LogWrite("HammerTheNail: %s has no node %s\n", kLayoutName, missing.c_str());
            reportUnplayable(L"Node " + std::wstring(missing.begin(), missing.end()) +
                             L" Not Found in HammerTheNailModeLayout for HammerTheNailMode. Fix the problem and "
                             L"press F5 to reload");
        }
    }
    if (layoutComplete)
    {
        initializeLevel(GetLevelManager()->getLevelForGameModeType(kGameModeType_HammerTheNail));
        SceneNode* const mask = getPlayfieldNode(kFixItMaskInputClickMaskPath);
        setupMouseInputEatingNode(mask);
        mask->LocalSetVisible(false);
        SceneNode* const dropMask = getPlayfieldNode(kFixItDropItemClickMaskPath);
        dropMask->mouseDownSignal.connect([this](SceneNode*, MouseButton, int, int) { cancelMaterialDragging(); });
        dropMask->SetHitTest(true);
        dropMask->LocalSetVisible(true);
    }
    GetAudioManager()->setMusicMode(kMusicMode_InGame, kGameLabel);
    playIntroAnimation();
}

void HammerTheNailMode::initializeLevel(Label level)
{
    AutoResource<HammerTheNailLevel> const data(level);
    if (!data)
    {
        levelNotFound("HammerTheNailMode", level, kGameLabel, kIntroFennState_Standing);
        return;
    }
    SceneNode* const targets = getPlayfieldNode(kFixItMaterialTargetsPath);
    for (NailData const& nailData : data->nails)
    {
        TargetNail* const nail = new TargetNail(nailData.type, nailData.color, nailData.clickCount);
        nail->AddToCurScene(targets);
        if (SceneNode* const node = nail->GetLayoutNode())
            node->LocalSetLocation(static_cast<float>(nailData.x), static_cast<float>(nailData.y));
    }
    size_t const tools = data->tools.size() < static_cast<size_t>(kNumFixItToolSlots) ? data->tools.size() :
                                                                                       kNumFixItToolSlots;
    if (data->tools.size() > tools)
        Internal::LogWrite("HammerTheNail level %s has %d tools; only the first %d are placed\n", level.GetString(),
                           static_cast<int>(data->tools.size()), kNumFixItToolSlots);
    for (size_t slot = 0; slot < tools; ++slot)
    {
        DraggableTool* const tool = new DraggableTool(data->tools[slot].first, data->tools[slot].second);
        tool->AddToCurScene(getPlayfieldNode(kFixItToolSlotPaths[slot]));
    }
}

void HammerTheNailMode::Update(float dt)
{
    QuarrydaleGameMode::Update(dt);
    std::pair<int, int> const mouse = MainLoop::GetLastMousePos();
    OnMouseMove(mouse.first, mouse.second);
}

void HammerTheNailMode::maskMouseInput(bool mask)
{
    if (SceneNode* const node = getPlayfieldNode(kFixItMaskInputClickMaskPath))
        node->LocalSetVisible(mask || outroStarted);
}

void HammerTheNailMode::cancelMaterialDragging()
{
    if (DragSource<DraggableTool*>* const held = DragSource<DraggableTool*>::GetHeldDragSource_Mutable())
        held->Release();
}

void HammerTheNailMode::checkEndLevel()
{
    for (ObjectID const id : GetObjectDatabase()->GetObjectsWithRole(kNailRole))
    {
        TargetNail const* const nail = dynamic_cast<TargetNail const*>(GetObjectDatabase()->GetObject(id));
        if (nail && nail->getClickCount() > 0)
            return;
    }
    playOutroAnimation();
}

void HammerTheNailMode::playOutroAnimation()
{
    if (outroStarted)
        return;
    outroStarted = true;
    cancelMaterialDragging();
    maskMouseInput(true);
    Object* const sequence = getSequenceObject();
    if (!sequence)
        return;
    sequence->AddTask(new TimedTask(1.0f));
    sequence->AddTask(new SimpleFunctionTask<Object>(
        [](Object*, float) { GetAudioManager()->playSpecificSoundVocal(kGameCompleteVoice); }));
    sequence->AddTask(new TimedTask(2.0f));
    sequence->AddTask(new SimpleFunctionTask<Object>([this](Object*, float) {
        if (loopsLeft > 0)
            refreshMode();
        else
            endLevel();
    }));
}

void HammerTheNailMode::refreshMode()
{
    MainLoop::UnwindToMode(new HammerTheNailMode(false, loopsLeft));
}

void HammerTheNailMode::playIntroAnimation()
{
    SceneNode* const fenn = getPlayfieldNode(kFixItInGameFennPath);
    if (!fenn)
    {
        // Without Fenn the game cannot be played, but the child can still leave through Quit.
        setupInstructionMode(kGameLabel, kIntroFennState_Standing, false);
        return;
    }
    fenn->AddTask(new SimpleFunctionTask<SceneNode>(
        [this](SceneNode*, float) { setupInstructionMode(kGameLabel, kIntroFennState_Standing, playIntro); }));
    fenn->AddTask(new NodeVisibleTask(true));
}

void HammerTheNailMode::setupCursor()
{
    setGameCursor();
}
