#include "qdl/Source/Game/CountTheMaterials/CountTheMaterialsMode.h"

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "Core/Source/Log.h"
#include "Core/Source/StringUtils.h"
#include "2DEngine/Source/Framework/Constant.h"
#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/ObjectDatabase.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Framework/Tasks.h"
#include "2DEngine/Source/Platform/MacOSX/PlatformServices.h"
#include "CorvaneExtensions/Source/NodePath.h"
#include "CorvaneExtensions/Source/NodeTasks.h"
#include "CorvaneExtensions/Source/SceneLayout.h"
#include "CorvaneExtensions/Source/SceneNode.h"
#include "qdl/Source/Game/GameAudioManager.h"
#include "qdl/Source/Game/GameConstants.h"
#include "qdl/Source/Game/GameScreenHooks.h"
#include "qdl/Source/Game/LevelManager.h"
#include "qdl/Source/Game/PlayfieldEntityYSort.h"
#include "qdl/Source/Game/SimpleFunctionTask.h"
#include "qdl/Source/Game/CountTheMaterials/CountTheMaterialsElements.h"
#include "qdl/Source/Game/CountTheMaterials/CountTheMaterialsMoves.h"
#include "qdl/Source/Game/CountTheMaterials/DraggableMaterial.h"
#include "qdl/Source/Game/CountTheMaterials/MaterialLoader.h"
#include "qdl/Source/Game/CountTheMaterials/MaterialTarget.h"

using namespace Corvane;

namespace
{

NodePathElement const kQuitButtonPath[] = {"GameScreenRoot", "UI_attach", "QuitButton", NodePathTerminator()};
NodePathElement const kClickMaskPath[] = {"GameScreenRoot", "Playfield", "Material_ClickMask", NodePathTerminator()};
// Below the playfield.
NodePathElement const kYSortedLayerPath[] = {"YSortedLayer", NodePathTerminator()};
// Five paths below the playfield in one array: path i starts at element 3 * i.
NodePathElement const kPileSlotPaths[] = {
    "YSortedLayer", "MaterialSources_0", NodePathTerminator(), "YSortedLayer", "MaterialSources_1",
    NodePathTerminator(), "YSortedLayer", "MaterialSources_2", NodePathTerminator(), "YSortedLayer",
    "MaterialSources_3", NodePathTerminator(), "YSortedLayer", "MaterialSources_4", NodePathTerminator()};
int const kNumPileSlots = 5;

Label const kGameLabel = Label::GetUniqueString("CountTheMaterials");
Label const kRightPileLine = Label::GetUniqueString("CTM_GrubbinNoProb");
Label const kOtherMaterialLine = Label::GetUniqueString("CTM_IncorrectAnswer");
Label const kTooFewLine = Label::GetUniqueString("CTM_NotEnough");
Label const kTooManyLine = Label::GetUniqueString("CTM_TooMuch");

// A uniform shuffle drawn from the process's rand, as the level content's shuffles are.
void shuffle(std::vector<MaterialData>& piles)
{
    for (size_t i = piles.size(); i > 1; --i)
        std::swap(piles[i - 1], piles[static_cast<size_t>(std::rand()) % i]);
}

MaterialData requestOf(MaterialTarget const& target)
{
    return MaterialData{target.getMaterial(), target.getCount()};
}

MaterialData pileOf(DraggableMaterial const& pile)
{
    return MaterialData{pile.getMaterial(), pile.getCount()};
}

} // namespace

CountTheMaterialsMode::CountTheMaterialsMode(bool intro, int loops)
    : dumper(kInvalidObjectID), loopsLeft(loopsLeftAfterThisOne(loops)), playIntro(intro)
{
}

CountTheMaterialsMode::~CountTheMaterialsMode()
{
}

void CountTheMaterialsMode::Setup()
{
    QuarrydaleGameMode::Setup();
    instantiateGameLayout(kCountTheMaterialModeLayout);

    std::string missing = findMissingModeNode();
    if (missing.empty())
        missing = findMissingElementNode();
    if (!missing.empty())
    {
        // The child sees an empty playfield, and can still ask for help or leave.
        Internal::LogWrite("CountTheMaterials: %s\n", missing.c_str());
        Platform::ModalNotification(ConvertStringUTF8ToWide(missing.c_str()) +
                                        L" (CountTheMaterialsMode). Fix the problem and press F5 to reload",
                                    L"");
        setupInstructionMode(kGameLabel, kIntroFennState_Standing, false);
        // Without its Quit button the child could not leave: go where Quit's Yes leads.
        if (!RootDescendent(kQuitButtonPath))
            leaveForMainMenu();
    }
    else
    {
        initializeLevel(GetLevelManager()->getLevelForGameModeType(kGameModeType_CountTheMaterials));
    }

    if (SceneNode* const layer = getYSortedLayer())
        sortConnection = layer->drawSignal.connect([this](SceneNode* node) { SortPlayfieldEntities(node); });
    if (SceneNode* const mask = getClickMask())
        setupMouseInputEatingNode(mask);
    GetAudioManager()->setMusicMode(kMusicMode_InGame, kGameLabel);
}

std::string CountTheMaterialsMode::findMissingModeNode() const
{
    if (!AutoResource<SceneLayout>(kCountTheMaterialModeLayout))
        return std::string("the scene layout ") + kCountTheMaterialModeLayout + " is not loaded";
    if (!RootDescendent(kPlayfieldPath))
        return std::string(kCountTheMaterialModeLayout) + " has no node GameScreenRoot/Playfield";
    if (!getClickMask())
        return std::string(kCountTheMaterialModeLayout) + " has no node GameScreenRoot/Playfield/Material_ClickMask";
    if (!getYSortedLayer())
        return std::string(kCountTheMaterialModeLayout) + " has no node GameScreenRoot/Playfield/YSortedLayer";
    return std::string();
}

SceneNode* CountTheMaterialsMode::getClickMask() const
{
    return RootDescendent(kClickMaskPath);
}

SceneNode* CountTheMaterialsMode::getYSortedLayer() const
{
    SceneNode* const playfield = RootDescendent(kPlayfieldPath);
    return playfield ? playfield->GetDescendent(kYSortedLayerPath) : nullptr;
}

void CountTheMaterialsMode::initializeLevel(Label levelName)
{
    AutoResource<CountTheMaterialsLevel> const found(levelName);
    level = levelName;
    if (!found)
    {
        levelNotFound("CountTheMaterialsMode", levelName, kGameLabel, kIntroFennState_Standing);
        return;
    }
    setupInstructionMode(kGameLabel, kIntroFennState_Standing, playIntro);

    std::vector<MaterialData> piles = found->materials;
    shuffle(piles);
    SceneNode* const playfield = RootDescendent(kPlayfieldPath);
    ObjectDatabase* const database = GetObjectDatabase();
    for (size_t i = 0; i < piles.size() && i < static_cast<size_t>(kNumPileSlots); ++i)
    {
        SceneNode* const slot = playfield ? playfield->GetDescendent(&kPileSlotPaths[3 * i]) : nullptr;
        if (!slot)
        {
            Internal::LogWrite("CountTheMaterials: %s has no pile place MaterialSources_%d; its pile is left out\n",
                               kCountTheMaterialModeLayout, static_cast<int>(i));
            continue;
        }
        (new DraggableMaterial(piles[i].type, piles[i].number))->AddToScene(database, slot);
    }

    SceneNode* const layer = getYSortedLayer();
    MaterialTarget* const target = new MaterialTarget(found->requestedMaterial, found->requestedNumber);
    target->AddToScene(database, layer);
    dumper = target->GetID();
    (new MaterialLoader())->AddToScene(database, layer);

    playIntroAnimation(MaterialData{found->requestedMaterial, found->requestedNumber});
}

void CountTheMaterialsMode::playIntroAnimation(MaterialData const& request)
{
    ObjectDatabase* const database = GetObjectDatabase();
    MaterialTarget* const target = dynamic_cast<MaterialTarget*>(database->GetObject(dumper));
    MaterialLoader* const digger = dynamic_cast<MaterialLoader*>(database->GetNamedObject(MaterialLoader::name()));
    if (target)
        target->driveOntoScreen();
    if (digger)
        digger->enterScreen();

    Object* const sequence = getSequenceObject();
    if (!sequence)
        return;
    joinAtNewCuePoint(target, sequence);
    sequence->AddTask(new SimpleFunctionTask<CountTheMaterialsMode>(
        [request](CountTheMaterialsMode*, float) { queueRequestWords(request); }));
    SceneNode* const mask = getClickMask();
    joinAtNewCuePoint(sequence, mask);
    if (mask)
        mask->AddTask(new NodeVisibleTask(false));
}

void CountTheMaterialsMode::queueRequestWords(MaterialData const& request)
{
    AudioManager* const audio = GetAudioManager();
    audio->playNumberVocal(request.number);
    int const color = buildingMaterialColor(request.type);
    if (color >= 0)
        audio->playColorVocal(static_cast<QuarrydaleColor>(color));
    int const kind = buildingMaterialKind(request.type);
    if (kind >= 0)
        audio->playMaterialVocal(static_cast<QuarrydaleMaterial>(kind), request.number == 1);
}

void CountTheMaterialsMode::Update(float dt)
{
    QuarrydaleGameMode::Update(dt);
    // Highlights follow piles that move or appear under a still mouse.
    std::pair<int, int> const mouse = MainLoop::GetLastMousePos();
    SceneApplicationMode::OnMouseMove(mouse.first, mouse.second);
}

void CountTheMaterialsMode::SortPlayfieldEntities(SceneNode* layer)
{
    ::SortPlayfieldEntities(layer);
}

void CountTheMaterialsMode::MaterialClicked(DraggableMaterial* pile)
{
    resetHintTimer(1);
    if (outroStarted || !pile)
        return;
    // A sequence is running: a second press of the same frame reaches here before the mask takes the mouse.
    SceneNode* const mask = getClickMask();
    if (mask && mask->LocalIsVisible())
        return;
    MaterialTarget* const target =
        dynamic_cast<MaterialTarget*>(GetObjectDatabase()->GetNamedObject(MaterialTarget::name()));
    if (!target)
        return;
    if (pile->getMaterial() == target->getMaterial() && pile->getCount() == target->getCount())
    {
        playOutroAnimation(pile);
        outroStarted = true;
        target->AddTask(new SimpleFunctionTask<CountTheMaterialsMode>([this](CountTheMaterialsMode*, float) {
            if (loopsLeft > 0)
                refreshMode();
            else
                endLevel();
        }));
    }
    else
    {
        playWrongClickAnimation(pile);
    }
}

void CountTheMaterialsMode::showClickMask()
{
    if (SceneNode* const mask = getClickMask())
    {
        mask->LocalSetVisible(true);
        mask->AddTask(new NodeVisibleTask(true));
    }
}

void CountTheMaterialsMode::playOutroAnimation(DraggableMaterial* pile)
{
    showClickMask();
    ObjectDatabase* const database = GetObjectDatabase();
    MaterialTarget* const target = dynamic_cast<MaterialTarget*>(database->GetObject(dumper));
    MaterialLoader* const digger = dynamic_cast<MaterialLoader*>(database->GetNamedObject(MaterialLoader::name()));

    Vector2<float> point = constantPoint("GrubbinIdlePosition");
    if (SceneNode* const pileRoot = pile->getLayoutNode())
    {
        Rect<float> const bounds = pileRoot->GlobalGetBounds();
        point = Vector2<float>(bounds.x + bounds.width / 2.0f, bounds.y + bounds.height / 2.0f);
    }
    GetAudioManager()->playSFX(kRightPileLine);
    if (target)
        target->hideMaterialRequest(true);
    if (digger)
    {
        digger->driveToMaterial(pile);
        digger->driveOffScreen(point);
        digger->startLoadSequence();
    }
    joinAtNewCuePoint(digger, target);
    if (target)
        target->driveOffScreen();
    if (digger)
        digger->endLoadSequence();
}

void CountTheMaterialsMode::playWrongClickAnimation(DraggableMaterial* pile)
{
    showClickMask();
    ObjectDatabase* const database = GetObjectDatabase();
    MaterialLoader* const digger = dynamic_cast<MaterialLoader*>(database->GetNamedObject(MaterialLoader::name()));
    if (!database->GetNamedObject(MaterialTarget::name()))
        return;
    if (digger)
        digger->driveToIncorrectMaterial(pile);
    SceneNode* const mask = getClickMask();
    joinAtNewCuePoint(digger, mask);
    if (mask)
        mask->AddTask(new NodeVisibleTask(false));
}

Label CountTheMaterialsMode::incorrectAnswerLine(MaterialData const& pile, MaterialData const& request)
{
    if (pile.type != request.type)
        return kOtherMaterialLine;
    if (pile.number < request.number)
        return kTooFewLine;
    if (pile.number > request.number)
        return kTooManyLine;
    return Label();
}

void CountTheMaterialsMode::playIncorrectMaterialVO(DraggableMaterial* pile)
{
    MaterialTarget* const target =
        dynamic_cast<MaterialTarget*>(GetObjectDatabase()->GetNamedObject(MaterialTarget::name()));
    if (!target || !pile)
        return;
    Label const line = incorrectAnswerLine(pileOf(*pile), requestOf(*target));
    if (!line.IsNull())
        GetAudioManager()->playSpecificSoundVocal(line);
}

void CountTheMaterialsMode::playAudioRequest()
{
    AutoResource<CountTheMaterialsLevel> const found(level);
    if (!found)
        return;
    GetAudioManager()->clearVocalAudioQueues();
    queueRequestWords(MaterialData{found->requestedMaterial, found->requestedNumber});
}

void CountTheMaterialsMode::leaveForMainMenu()
{
    sGameScreenHooks const& hooks = GetGameScreenHooks();
    if (Corvane::ApplicationMode* const menu = hooks.createMainMenuMode ? hooks.createMainMenuMode() : nullptr)
        MainLoop::UnwindToMode(menu);
    else
        Internal::LogWrite("CountTheMaterials: the main menu is not available; the game stays\n");
}

void CountTheMaterialsMode::refreshMode()
{
    MainLoop::UnwindToMode(new CountTheMaterialsMode(false, loopsLeft));
}

void CountTheMaterialsMode::setupCursor()
{
    setGameCursor();
}
