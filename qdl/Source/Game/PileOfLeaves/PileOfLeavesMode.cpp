#include "qdl/Source/Game/PileOfLeaves/PileOfLeavesMode.h"

#include <algorithm>
#include <limits>

#include "Core/Source/Log.h"
#include "Core/Source/Random.h"
#include "2DEngine/Source/Framework/Constant.h"
#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/ObjectDatabase.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Framework/Tasks.h"
#include "2DEngine/Source/Platform/MacOSX/PlatformServices.h"
#include "CorvaneExtensions/Source/NodeTasks.h"
#include "CorvaneExtensions/Source/SceneLayout.h"
#include "CorvaneExtensions/Source/SpriteNodes.h"
#include "qdl/Source/Game/GameAudioManager.h"
#include "qdl/Source/Game/GameNodeLookup.h"
#include "qdl/Source/Game/LevelManager.h"
#include "qdl/Source/Game/NodeFeedbackTasks.h"
#include "qdl/Source/Game/PileOfLeaves/LeafElements.h"
#include "qdl/Source/Game/PileOfLeaves/PileOfLeavesConstants.h"
#include "qdl/Source/Game/PileOfLeaves/PileOfLeavesLevel.h"
#include "qdl/Source/Game/SimpleFunctionTask.h"

using Corvane::Label;

namespace
{

char const kWho[] = "PileOfLeavesMode";
QuarrydaleColor const kNoColor = kNumQuarrydaleColors;
QuarrydaleTool const kNoTool = kNumQuarrydaleTools;

Label gameLabel()
{
    static Label const game = getGameModeLabel(kGameModeType_PileOfLeaves);
    return game;
}

// A heaped leaf's offset from its tool's place on one axis: up to the heap's reach either way,
// cut where the ground ends, so that no leaf rests on the fence or the dog.
int drawHeapOffset(int at, int groundLow, int groundHigh)
{
    int const low = std::min(0, std::max(-kLeafHeapReach, groundLow - at));
    int const high = std::max(0, std::min(kLeafHeapReach, groundHigh - at));
    return Corvane::Random::GetIntRange(high - low) + low;
}

} // namespace

PileOfLeavesMode::PileOfLeavesMode(bool playIntro, int toolsLeft)
    : colorToFind(kNoColor), toolToFind(kNoTool), cursorRadius(0), toolsLeftToFind(toolsLeft), playIntro(playIntro),
      toolFound(false), leafLayerID(Corvane::kInvalidObjectID), toolLayerID(Corvane::kInvalidObjectID),
      clickMaskID(Corvane::kInvalidObjectID), dogID(Corvane::kInvalidObjectID),
      toolToPickID(Corvane::kInvalidObjectID), highlightBoxID(Corvane::kInvalidObjectID)
{
    // The loop count is spent on further tools within this one game, not taken one off.
    if (toolsLeft == -1)
        toolsLeftToFind = loopsLeftAfterThisOne(-1);
}

PileOfLeavesMode::~PileOfLeavesMode()
{
}

SceneNode* PileOfLeavesMode::nodeOf(Corvane::ObjectID id) const
{
    Corvane::ObjectDatabase* const database = const_cast<PileOfLeavesMode*>(this)->GetObjectDatabase();
    return database ? dynamic_cast<SceneNode*>(database->GetObject(id)) : nullptr;
}

std::vector<Leaf*> PileOfLeavesMode::getLeaves() const
{
    std::vector<Leaf*> found;
    Corvane::ObjectDatabase* const database = const_cast<PileOfLeavesMode*>(this)->GetObjectDatabase();
    for (Corvane::ObjectID const id : leaves)
        if (Leaf* const leaf = database ? dynamic_cast<Leaf*>(database->GetObject(id)) : nullptr)
            found.push_back(leaf);
    return found;
}

std::vector<LeafCoveredTool*> PileOfLeavesMode::getTools() const
{
    std::vector<LeafCoveredTool*> found;
    Corvane::ObjectDatabase* const database = const_cast<PileOfLeavesMode*>(this)->GetObjectDatabase();
    if (!database)
        return found;
    for (Corvane::ObjectID const id : database->GetObjectsWithRole(LeafCoveredTool::role()))
        if (LeafCoveredTool* const tool = dynamic_cast<LeafCoveredTool*>(database->GetObject(id)))
            if (database->IsValidObjectID(id))
                found.push_back(tool);
    return found;
}

bool PileOfLeavesMode::mayDrawTool(int count, QuarrydaleTool type, int colorsOfType)
{
    if (count <= 6)
        return colorsOfType < 2;
    if (type == kQuarrydaleTool_Drill || type == kQuarrydaleTool_Hammer)
        return colorsOfType < 1;
    if (type == kQuarrydaleTool_Wrench || type == kQuarrydaleTool_Screwdriver)
        return colorsOfType < 2;
    return colorsOfType < kNumLeafToolColors;
}

int PileOfLeavesMode::toolsAvailable(int count)
{
    int available = 0;
    for (int type = 0; type < kNumQuarrydaleTools; ++type)
    {
        int colors = 0;
        while (colors < kNumLeafToolColors && mayDrawTool(count, static_cast<QuarrydaleTool>(type), colors))
            ++colors;
        available += colors;
    }
    return available;
}

float PileOfLeavesMode::placeOverlap(Corvane::Rect<float> const& place, std::vector<Corvane::Rect<float> > const& others)
{
    float overlap = 0.0f;
    overlap += std::max(0.0f, 1.0f - place.x) * place.height;
    overlap += std::max(0.0f, place.x + place.width - 799.0f) * place.height;
    overlap += std::max(0.0f, place.y + place.height - 599.0f) * place.width;
    for (Corvane::Rect<float> const& other : others)
    {
        float const width = std::min(place.x + place.width, other.x + other.width) - std::max(place.x, other.x);
        float const height = std::min(place.y + place.height, other.y + other.height) - std::max(place.y, other.y);
        if (width > 1.0f && height > 1.0f)
            overlap += width * height;
    }
    return overlap;
}

void PileOfLeavesMode::Setup()
{
    QuarrydaleGameMode::Setup();
    instantiateGameLayout("PileOfLeavesModeLayout");
    SceneNode* const playfield = findGameRootNode(kPlayfieldPath, kWho);
    SceneNode* const uiAttach = findGameRootNode(kUIAttachPath, kWho);
    auto idOf = [](SceneNode* node) { return node ? node->GetID() : Corvane::kInvalidObjectID; };
    leafLayerID = idOf(findGameNode(playfield, kPileOfLeavesLeafLayerPath, kWho));
    toolLayerID = idOf(findGameNode(playfield, kPileOfLeavesToolLayerPath, kWho));
    clickMaskID = idOf(findGameNode(playfield, kPileOfLeavesClickMaskPath, kWho));
    dogID = idOf(findGameNode<AnimatedSpriteNode>(playfield, kPileOfLeavesDogPath, kWho));
    toolToPickID = idOf(findGameNode<StaticSpriteNode>(uiAttach, kPileOfLeavesToolToPickPath, kWho));
    highlightBoxID = idOf(findGameNode(uiAttach, kPileOfLeavesHighlightBoxPath, kWho));

    levelName = GetLevelManager()->getLevelForGameModeType(kGameModeType_PileOfLeaves);
    Corvane::AutoResource<PileOfLeavesLevel> const level(levelName);
    if (level)
    {
        cursorRadius = level->cursorRadius;
        generateTools(level->numTools);
    }
    // A level that makes no tool cannot be played: it counts as missing.
    if (!level || getTools().empty())
    {
        if (level)
            Corvane::Internal::LogWrite("%s: the level \"%s\" makes no tool\n", kWho, levelName.GetString());
        levelNotFound("PileOfLeavesMode", levelName, gameLabel(), kIntroFennState_Waving);
        return;
    }
    hideTools(level->toolCover, level->areaCover);
    if (SceneNode* const mask = nodeOf(clickMaskID))
        setupMouseInputEatingNode(mask);
    maskMouseInput(true);
    if (playIntro)
        playIntroAnimation();
    else
    {
        // Without the intro the leaves lie where they rest and the search starts at once.
        for (Leaf* const leaf : getLeaves())
            if (SceneNode* const node = leaf->getLayoutNode())
                node->LocalSetLocation(static_cast<float>(leaf->getStablePosition().x),
                                       static_cast<float>(leaf->getStablePosition().y));
        setupInstructionMode(gameLabel(), kIntroFennState_Waving, false);
        setToolToFind();
        startLeafMouseTracking();
    }
    GetAudioManager()->setMusicMode(1, gameLabel());
}

std::vector<sLeafToolDraw> PileOfLeavesMode::drawTools(int count)
{
    int const wanted = std::max(0, count);
    int const made = std::min(wanted, toolsAvailable(wanted));
    std::vector<std::vector<bool> > used(kNumQuarrydaleTools, std::vector<bool>(kNumLeafToolColors, false));
    std::vector<sLeafToolDraw> drawn;
    for (int n = 0; n < made; ++n)
    {
        QuarrydaleColor color;
        QuarrydaleTool type;
        while (true)
        {
            color = static_cast<QuarrydaleColor>(Corvane::Random::GetIntRange(kNumLeafToolColors - 1));
            type = static_cast<QuarrydaleTool>(Corvane::Random::GetIntRange(kNumQuarrydaleTools - 1));
            int const colorsOfType = static_cast<int>(std::count(used[type].begin(), used[type].end(), true));
            if (mayDrawTool(wanted, type, colorsOfType) && !used[type][color])
                break;
        }
        used[type][color] = true;
        drawn.push_back(sLeafToolDraw{type, color});
    }
    return drawn;
}

void PileOfLeavesMode::generateTools(int count)
{
    SceneNode* const toolLayer = nodeOf(toolLayerID);
    int const wanted = std::max(0, count);
    int const made = std::min(wanted, toolsAvailable(wanted));
    if (made < wanted)
        Corvane::Internal::LogWrite("%s: %d tools cannot all differ; %d are made\n", kWho, wanted, made);
    if (made < toolsLeftToFind + 1)
        Corvane::Internal::LogWrite("%s: %d tools for %d to find; the game ends after the last\n", kWho, made,
                                    toolsLeftToFind + 1);
    std::vector<Corvane::Rect<float> > placed;
    for (sLeafToolDraw const& drawn : drawTools(count))
    {
        LeafCoveredTool* const tool = new LeafCoveredTool(drawn.color, drawn.type);
        tool->AddToCurScene(toolLayer);
        SceneNode* const node = tool->getLayoutNode();
        if (!node)
            continue;
        // Bounded draws: a crowded level takes the least-overlapping place instead of drawing for ever.
        float best = std::numeric_limits<float>::max();
        Corvane::Vector2<float> bestPlace(static_cast<float>(kLeafGroundLeft), static_cast<float>(kLeafGroundTop));
        for (int draw = 0; draw < kMaxToolPlaceDraws && best > 0.0f; ++draw)
        {
            int const x = Corvane::Random::GetIntRange(kLeafGroundLeft, kLeafGroundRight);
            int const y = Corvane::Random::GetIntRange(kLeafGroundTop, kLeafGroundBottom);
            node->LocalSetLocation(static_cast<float>(x), static_cast<float>(y));
            float const overlap = placeOverlap(node->GetCompositeBounds(), placed);
            if (overlap < best)
            {
                best = overlap;
                bestPlace = Corvane::Vector2<float>(static_cast<float>(x), static_cast<float>(y));
            }
        }
        node->LocalSetLocation(bestPlace);
        placed.push_back(node->GetCompositeBounds());
    }
}

void PileOfLeavesMode::hideTools(int toolCover, int areaCover)
{
    if (areaCover > 0)
    {
        int const groundArea = (kLeafGroundRight - kLeafGroundLeft) * (kLeafGroundBottom - kLeafGroundTop);
        int const threshold = static_cast<int>(static_cast<float>(groundArea / areaCover) * 0.5f);
        for (int n = 0; n < areaCover; ++n)
        {
            int x = 0;
            int y = 0;
            // Bounded redraws: a crowded area keeps the last place drawn.
            for (int draw = 0; draw < kMaxLeafPlaceDraws; ++draw)
            {
                x = Corvane::Random::GetIntRange(kLeafGroundLeft, kLeafGroundRight);
                y = Corvane::Random::GetIntRange(kLeafGroundTop, kLeafGroundBottom);
                bool tooClose = false;
                for (Leaf const* const leaf : getLeaves())
                {
                    Corvane::Vector2<int> const at = leaf->getStablePosition();
                    int const dx = x - at.x;
                    int const dy = y - at.y;
                    if (threshold > dx * dx + dy * dy)
                    {
                        tooClose = true;
                        break;
                    }
                }
                if (!tooClose)
                    break;
            }
            createLeaf(x, y);
        }
    }
    for (LeafCoveredTool* const tool : getTools())
    {
        SceneNode* const node = tool->getLayoutNode();
        if (!node)
            continue;
        Corvane::Vector2<float> const at = node->LocalGetLocation();
        int const tx = static_cast<int>(at.x);
        int const ty = static_cast<int>(at.y);
        for (int n = 0; n < toolCover; ++n)
        {
            int const x = tx + drawHeapOffset(tx, kLeafGroundLeft, kLeafGroundRight);
            int const y = ty + drawHeapOffset(ty, kLeafGroundTop, kLeafGroundBottom);
            createLeaf(x, y);
        }
    }
}

void PileOfLeavesMode::createLeaf(int x, int y)
{
    Leaf* const leaf = new Leaf(x, y, cursorRadius);
    leaf->AddToCurScene(nodeOf(leafLayerID));
    leaves.push_back(leaf->GetID());
}

void PileOfLeavesMode::createAnimatedLeaf()
{
    SceneNode* const leafLayer = nodeOf(leafLayerID);
    Corvane::AutoResource<SceneLayout> const layout("AnimatedLeafLayout");
    if (!layout || !leafLayer)
    {
        Corvane::Internal::LogWrite("%s: the scene layout \"AnimatedLeafLayout\" is not loaded\n", kWho);
        return;
    }
    SceneNode* const leaf = layout->InstantiateLayout(GetObjectDatabase(), leafLayer);
    if (!leaf)
        return;
    float const half = 0.5f * Corvane::ReadTimeConstant("PreIntroLeafFlightTime");
    float const extra = Corvane::Random::GetFloatRange(half);
    int const y = Corvane::Random::GetIntRange(200, 600);
    leaf->LocalSetLocation(-100.0f, static_cast<float>(y));
    leaf->AddTask(new NodeLocationTask(900.0f, static_cast<float>(y), half + extra));
}

void PileOfLeavesMode::playIntroAnimation()
{
    static Label const blow = Label::GetUniqueString("SFX_BlowLeaves");
    for (int n = 0; n < 6; ++n)
        createAnimatedLeaf();
    GetAudioManager()->playSFX(blow);
    for (Leaf* const leaf : getLeaves())
        leaf->flyToStablePosition();
    Corvane::Object* const sequence = getSequenceObject();
    if (!sequence)
        return;
    sequence->AddTask(new Corvane::TimedTask(Corvane::ReadTimeConstant("PreIntroLeafFlightTime")));
    sequence->AddTask(newCallTask([this] {
        setupInstructionMode(gameLabel(), kIntroFennState_Waving, true);
        setToolToFind();
        startLeafMouseTracking();
    }));
}

void PileOfLeavesMode::setToolToFind()
{
    if (SceneNode* const box = nodeOf(highlightBoxID))
        box->LocalSetVisible(true);
    toolToFind = kNoTool;
    colorToFind = kNoColor;
    std::vector<LeafCoveredTool*> const tools = getTools();
    if (tools.empty())
    {
        // Nothing left to ask for: the game ends with what was found.
        if (toolFound)
            playOutroAnimation();
        return;
    }
    toolToFind = tools.front()->getToolType();
    colorToFind = tools.front()->getColor();
    QuarrydaleColor const color = colorToFind;
    QuarrydaleTool const tool = toolToFind;
    if (Corvane::Object* const sequence = getSequenceObject())
    {
        sequence->AddTask(newCallTask([color] { GetAudioManager()->playColorVocal(color); }));
        sequence->AddTask(newCallTask([tool] { GetAudioManager()->playToolNameVocal(tool); }));
    }
    if (StaticSpriteNode* const picture = dynamic_cast<StaticSpriteNode*>(nodeOf(toolToPickID)))
    {
        picture->setImage(generalToolImages(toolToFind), colorToFind);
        picture->LocalSetVisible(true);
    }
    maskMouseInput(false);
}

void PileOfLeavesMode::Enter()
{
    QuarrydaleGameMode::Enter();
    // The overlay's description cuts off the first naming: name the wanted tool again on return.
    if (toolToFind == kNoTool || outroStarted)
        return;
    QuarrydaleColor const color = colorToFind;
    QuarrydaleTool const tool = toolToFind;
    if (Corvane::Object* const sequence = getSequenceObject())
    {
        sequence->AddTask(newCallTask([color] { GetAudioManager()->playColorVocal(color); }));
        sequence->AddTask(newCallTask([tool] { GetAudioManager()->playToolNameVocal(tool); }));
    }
}

void PileOfLeavesMode::startLeafMouseTracking()
{
    maskMouseInput(false);
    for (Leaf* const leaf : getLeaves())
        leaf->trackMouse = true;
}

void PileOfLeavesMode::maskMouseInput(bool visible)
{
    if (SceneNode* const mask = nodeOf(clickMaskID))
        mask->LocalSetVisible(visible);
}

void PileOfLeavesMode::playDogAnimation(Label animation)
{
    AnimatedSpriteNode* const dog = dynamic_cast<AnimatedSpriteNode*>(nodeOf(dogID));
    if (!dog || dog->GetCurAnimationName() == animation)
        return;
    dog->AddTask(new NodeAnimationTask(animation, kNodeAnimationTaskCompleteOnStart));
}

Corvane::Vector2<float> PileOfLeavesMode::getCorrectClickFlyDest() const
{
    SceneNode* const picture = nodeOf(toolToPickID);
    return picture ? picture->LocalGetLocation() : Corvane::Vector2<float>(0.0f, 0.0f);
}

void PileOfLeavesMode::correctToolClicked(LeafCoveredTool* tool)
{
    if (!tool)
        return;
    toolFound = true;
    Corvane::ObjectID const found = tool->GetID();
    GetObjectDatabase()->DestroyObject(found);
    SceneNode* const dog = nodeOf(dogID);
    SceneNode* const picture = nodeOf(toolToPickID);
    if (dog)
        dog->AddTask(new Corvane::TimedTask(1.0f));
    if (picture)
        picture->AddTask(getNodeItemPickUpAnimTask());
    std::vector<LeafCoveredTool*> left = getTools();
    left.erase(std::remove(left.begin(), left.end(), tool), left.end());
    if (toolsLeftToFind > 0 && !left.empty())
    {
        --toolsLeftToFind;
        Corvane::Object* const carrier = dog ? static_cast<Corvane::Object*>(dog) : getSequenceObject();
        if (carrier)
            carrier->AddTask(newCallTask([this] { setToolToFind(); }));
        return;
    }
    Corvane::Object* const carrier = picture ? static_cast<Corvane::Object*>(picture) : getSequenceObject();
    if (!carrier)
        return;
    carrier->AddTask(new Corvane::TimedTask(0.5f));
    carrier->AddTask(newCallTask([this] { playOutroAnimation(); }));
}

void PileOfLeavesMode::playOutroAnimation()
{
    if (outroStarted)
        return;
    if (SceneNode* const box = nodeOf(highlightBoxID))
        box->LocalSetVisible(false);
    if (SceneNode* const picture = nodeOf(toolToPickID))
        picture->LocalSetVisible(false);
    outroStarted = true;
    static Label const complete = Label::GetUniqueString("PileOfLeaves_GameComplete");
    SceneNode* const dog = nodeOf(dogID);
    Corvane::Object* const carrier = dog ? static_cast<Corvane::Object*>(dog) : getSequenceObject();
    if (!carrier)
        return;
    carrier->AddTask(new Corvane::TimedTask(0.5f));
    carrier->AddTask(newCallTask([] { GetAudioManager()->playSpecificSoundVocal(complete); }));
    carrier->AddTask(new Corvane::TimedTask(3.0f));
    carrier->AddTask(newCallTask([this] { endLevel(); }));
}

void PileOfLeavesMode::refreshMode()
{
    Corvane::MainLoop::UnwindToMode(new PileOfLeavesMode(true, toolsLeftToFind));
}

void PileOfLeavesMode::setupCursor()
{
    setGameCursor();
}

void PileOfLeavesMode::Update(float dt)
{
    QuarrydaleGameMode::Update(dt);
    std::pair<int, int> const mouse = Corvane::MainLoop::GetLastMousePos();
    OnMouseMove(mouse.first, mouse.second);
}
