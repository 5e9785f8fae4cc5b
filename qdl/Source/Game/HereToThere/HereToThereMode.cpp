#include "qdl/Source/Game/HereToThere/HereToThereMode.h"

#include <vector>

#include "Core/Source/Log.h"
#include "Core/Source/StringUtils.h"
#include "2DEngine/Source/Framework/Constant.h"
#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/ObjectDatabase.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Framework/Tasks.h"
#include "2DEngine/Source/Platform/MacOSX/PlatformServices.h"
#include "CorvaneExtensions/Source/SceneLayout.h"
#include "qdl/Source/Game/FrontEnd/FrontEndMode.h"
#include "qdl/Source/Game/FrontEnd/FrontEndScreens.h"
#include "qdl/Source/Game/GameAudioManager.h"
#include "qdl/Source/Game/LevelManager.h"
#include "qdl/Source/Game/PlayfieldEntityYSort.h"
#include "qdl/Source/Game/SimpleFunctionTask.h"
#include "qdl/Source/Game/HereToThere/HereToThereCart.h"
#include "qdl/Source/Game/HereToThere/HereToThereHousePlacement.h"
#include "qdl/Source/Game/HereToThere/HereToThereLevel.h"
#include "qdl/Source/Game/HereToThere/HereToThereObject.h"
#include "qdl/Source/Game/HereToThere/HereToThereTarget.h"

using Corvane::Label;

namespace
{

NodePathElement const kYSortedLayerPath[] = {"GameScreenRoot", "Playfield", "YSorted", NodePathTerminator()};
NodePathElement const kSourcePaths[] = {"Source_1", NodePathTerminator(), "Source_2", NodePathTerminator(),
                                        "Source_3", NodePathTerminator(), "Source_4", NodePathTerminator()};
NodePathElement const kTargetPaths[] = {
    "Target_1", NodePathTerminator(), "Target_2",  NodePathTerminator(), "Target_3",  NodePathTerminator(),
    "Target_4", NodePathTerminator(), "Target_5",  NodePathTerminator(), "Target_6",  NodePathTerminator(),
    "Target_7", NodePathTerminator(), "Target_8",  NodePathTerminator(), "Target_9",  NodePathTerminator(),
    "Target_10", NodePathTerminator(), "Target_11", NodePathTerminator(), "Target_12", NodePathTerminator()};
NodePathElement const kClickMaskPath[] = {"GameScreenRoot", "Playfield", "Material_ClickMask", NodePathTerminator()};

char const* const kModeLayout = "HereToThereModeLayout";

// Every node of the four layouts that the game's code resolves, from the layout's root node.
struct sLayoutNodes
{
    char const* layout;
    // The mode's paths start at the scene root, whose child is the layout's root.
    bool fromSceneRoot;
    std::vector<std::vector<char const*> > paths;
};

std::vector<sLayoutNodes> const& requiredLayoutNodes()
{
    static std::vector<sLayoutNodes> const layouts = {
        {kModeLayout,
         true,
         {{"GameScreenRoot", "Playfield", "YSorted"},
          {"GameScreenRoot", "Playfield", "Material_ClickMask"},
          {"GameScreenRoot", "Playfield", "YSorted", "Source_1"},
          {"GameScreenRoot", "Playfield", "YSorted", "Source_2"},
          {"GameScreenRoot", "Playfield", "YSorted", "Source_3"},
          {"GameScreenRoot", "Playfield", "YSorted", "Source_4"},
          {"GameScreenRoot", "Playfield", "YSorted", "Target_1"},
          {"GameScreenRoot", "Playfield", "YSorted", "Target_2"},
          {"GameScreenRoot", "Playfield", "YSorted", "Target_3"},
          {"GameScreenRoot", "Playfield", "YSorted", "Target_4"},
          {"GameScreenRoot", "Playfield", "YSorted", "Target_5"},
          {"GameScreenRoot", "Playfield", "YSorted", "Target_6"},
          {"GameScreenRoot", "Playfield", "YSorted", "Target_7"},
          {"GameScreenRoot", "Playfield", "YSorted", "Target_8"},
          {"GameScreenRoot", "Playfield", "YSorted", "Target_9"},
          {"GameScreenRoot", "Playfield", "YSorted", "Target_10"},
          {"GameScreenRoot", "Playfield", "YSorted", "Target_11"},
          {"GameScreenRoot", "Playfield", "YSorted", "Target_12"}}},
        {"HereToThereCartLayout", false, {{"imageNode"}, {"ObjectAttachNode"}, {"ObjectAttachNode_Flip"}}},
        {"HereToThereObjectLayout",
         false,
         {{"cartImageNode"}, {"cartImageNode", "shapeNode"}, {"cartImageNode", "rollover"}, {"clickRect"}, {"animal"}}},
        {"HereToThereTargetLayout",
         false,
         {{"imageNode"}, {"imageNode", "flag", "shapeNode"}, {"imageNode", "cageAttach"}}},
        {"HereToThereDummyHouse", false, {}},
    };
    return layouts;
}

SceneLayout::LayoutDescriptor const* childDescriptor(SceneLayout::LayoutDescriptor const* parent, char const* name)
{
    Label const label = Label::GetUniqueString(name);
    for (SceneLayout::LayoutDescriptor const* child : parent->children)
        if (child->nodeName == label)
            return child;
    return nullptr;
}

std::string joinPath(std::vector<char const*> const& path)
{
    std::string text;
    for (char const* step : path)
        text += (text.empty() ? "" : "/") + std::string(step);
    return text;
}

SceneNode* slotNode(SceneNode* layer, NodePathElement const* table, int slot)
{
    return layer ? layer->GetDescendent(&table[2 * slot]) : nullptr;
}

void notify(std::string const& message)
{
    Corvane::Internal::LogWrite("%s\n", message.c_str());
    Corvane::Platform::ModalNotification(Corvane::ConvertStringUTF8ToWide(message), L"");
}

// Builds the game's houses where the placement puts them, under the layer's slots.
class HouseBuilder : public HereToThereHouseSite
{
public:
    explicit HouseBuilder(SceneNode* layer) : layer(layer) {}

    void placeHouse(int slot, HereToThereObjectColor color, HereToThereObjectShape shape, int road) override
    {
        HereToThereTarget* const house = new HereToThereTarget(color, shape, road);
        house->AddToCurScene(slotNode(layer, kTargetPaths, slot));
    }

    void placeDummyHouse(int slot) override
    {
        SceneNode* const dummy = instantiateHereToThereLayout("HereToThereDummyHouse");
        if (!dummy)
            return;
        // In the database first, so that the mode's end takes it away even without its slot.
        dummy->AddToDatabase(Corvane::GetObjectDatabase());
        if (SceneNode* const parent = slotNode(layer, kTargetPaths, slot))
            parent->AttachChild(dummy);
    }

private:
    SceneNode* layer;
};

} // namespace

std::string HereToThereMode::findMissingLayoutNode()
{
    for (sLayoutNodes const& entry : requiredLayoutNodes())
    {
        Corvane::AutoResource<SceneLayout> const layout(entry.layout);
        SceneLayout::LayoutDescriptor const* const root = layout ? layout->GetRootDescriptor() : nullptr;
        if (!root)
            return "the layout \"" + std::string(entry.layout) + "\" is missing";
        for (std::vector<char const*> const& path : entry.paths)
        {
            SceneLayout::LayoutDescriptor const* node = root;
            size_t step = 0;
            if (entry.fromSceneRoot)
            {
                node = root->nodeName == Label::GetUniqueString(path[0]) ? root : nullptr;
                step = 1;
            }
            for (; node && step < path.size(); ++step)
                node = childDescriptor(node, path[step]);
            if (!node)
                return "the layout \"" + std::string(entry.layout) + "\" lacks the node \"" + joinPath(path) + "\"";
        }
    }
    return std::string();
}

HereToThereMode::HereToThereMode() : matchColor(false) {}

HereToThereMode::~HereToThereMode() {}

HereToThereMode* HereToThereMode::find()
{
    return dynamic_cast<HereToThereMode*>(Corvane::MainLoop::GetTopMostMode(0));
}

void HereToThereMode::Setup()
{
    QuarrydaleGameMode::Setup();
    static Label const game = Label::GetUniqueString("HereToThere");
    std::string const missing = findMissingLayoutNode();
    if (!missing.empty())
    {
        notify("HereToThereMode: " + missing + ". Fix the problem and press F5 to reload");
        // The child still gets Help and Quit to leave by; without the game's own layout there is no
        // Quit button, so the child goes where Quit's Yes would take it.
        if (instantiateGameLayout(kModeLayout))
            setupInstructionMode(game, kIntroFennState_Standing, false);
        else if (Corvane::ApplicationMode* const menu = newMainMenuScreen())
            Corvane::MainLoop::UnwindToMode(menu);
        return;
    }
    instantiateGameLayout(kModeLayout);
    if (SceneNode* const layer = RootDescendent(kYSortedLayerPath))
        sortConnection = layer->drawSignal.connect([this](SceneNode* node) { SortPlayfieldEntities(node); });
    initializeLevel(GetLevelManager()->getLevelForGameModeType(kGameModeType_HereToThere));
    setupMouseInputEatingNode(RootDescendent(kClickMaskPath));
    maskMouseInput(false);
    GetAudioManager()->setMusicMode(kMusicMode_InGame, game);
}

void HereToThereMode::Update(float dt)
{
    QuarrydaleGameMode::Update(dt);
    std::pair<int, int> const mouse = Corvane::MainLoop::GetLastMousePos();
    OnMouseMove(mouse.first, mouse.second);
}

void HereToThereMode::refreshMode()
{
    Corvane::MainLoop::UnwindToMode(new HereToThereMode());
}

void HereToThereMode::setupCursor()
{
    setDefaultCursor();
}

void HereToThereMode::initializeLevel(Label levelName)
{
    static Label const game = Label::GetUniqueString("HereToThere");
    Corvane::AutoResource<HereToThereLevel> const level(levelName);
    if (!level)
    {
        levelNotFound("HereToThereMode", levelName, game, kIntroFennState_Standing);
        return;
    }
    setupInstructionMode(game, kIntroFennState_Standing, true);
    matchColor = level->matchColor;
    initializeTargetBuildings(level.Get());
    initializeObjects(level.Get());
}

void HereToThereMode::initializeTargetBuildings(HereToThereLevel* level)
{
    if (!level)
        return;
    HouseBuilder builder(RootDescendent(kYSortedLayerPath));
    placeHereToThereHouses(*level, builder);
}

void HereToThereMode::initializeObjects(HereToThereLevel* level)
{
    SceneNode* const layer = RootDescendent(kYSortedLayerPath);
    if (!level || !layer)
        return;
    int const animals = getUsedHereToThereAnimalCount(*level);
    for (int i = 0; i < animals; ++i)
    {
        HereToThereAnimalData const& data = level->animals[i];
        HereToThereObject* const animal = new HereToThereObject(data.color, data.type);
        animal->AddToCurScene(slotNode(layer, kSourcePaths, i));
    }
    HereToThereCart* const cart = new HereToThereCart();
    cart->AddToCurScene(layer);
    if (SceneNode* const node = cart->GetLayoutNode())
        node->LocalSetLocation(Corvane::Constant<Corvane::Vector2<float> >("TrundelIdleLocation"));
}

void HereToThereMode::maskMouseInput(bool mask)
{
    if (SceneNode* const node = RootDescendent(kClickMaskPath))
        node->LocalSetVisible(mask);
}

void HereToThereMode::SortPlayfieldEntities(SceneNode* layer)
{
    ::SortPlayfieldEntities(layer);
}

void HereToThereMode::checkLevelEnd()
{
    static Label const role = Label::GetUniqueString("HereToThere_Object");
    std::vector<Corvane::ObjectID> const animals = GetObjectDatabase()->GetObjectsWithRole(role);
    for (Corvane::ObjectID id : animals)
        if (GetObjectDatabase()->GetObject(id))
            return;
    playOutroAnimation();
}

void HereToThereMode::playOutroAnimation()
{
    if (outroStarted)
        return;
    outroStarted = true;
    Corvane::Object* const sequence = getSequenceObject();
    if (!sequence)
        return;
    static Label const complete = Label::GetUniqueString("HereToThere_GameComplete");
    GetAudioManager()->playSpecificSoundVocal(complete);
    sequence->AddTask(new Corvane::TimedTask(3.0f));
    // The sequence object lives in this mode's database, so it never outlives the mode.
    sequence->AddTask(new SimpleFunctionTask<HereToThereMode>([this](HereToThereMode*, float) { endLevel(); }));
}
