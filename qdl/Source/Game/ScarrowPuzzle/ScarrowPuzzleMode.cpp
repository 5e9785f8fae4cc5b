#include "qdl/Source/Game/ScarrowPuzzle/ScarrowPuzzleMode.h"

#include <algorithm>
#include <functional>
#include <vector>

#include "Core/Source/Log.h"
#include "Core/Source/Random.h"
#include "2DEngine/Source/Framework/Constant.h"
#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/ObjectDatabase.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Framework/Tasks.h"
#include "2DEngine/Source/Platform/MacOSX/PlatformServices.h"
#include "CorvaneExtensions/Source/NodeTasks.h"
#include "CorvaneExtensions/Source/SceneNode.h"
#include "CorvaneExtensions/Source/SpriteNodes.h"
#include "qdl/Source/Game/EnumTypeDeck.h"
#include "qdl/Source/Game/GameAudioManager.h"
#include "qdl/Source/Game/GameConstants.h"
#include "qdl/Source/Game/GameNodeLookup.h"
#include "qdl/Source/Game/LevelManager.h"
#include "qdl/Source/Game/ScarrowPuzzle/ScarrowPuzzleElements.h"
#include "qdl/Source/Game/ScarrowPuzzle/ScarrowPuzzleLevel.h"
#include "qdl/Source/Game/SimpleFunctionTask.h"

using Corvane::Label;
using Corvane::Vector2;

namespace
{

char const kWho[] = "ScarrowPuzzleMode";
typedef std::vector<Vector2<float> > Points;

NodePathElement const kBackgroundPath[2] = {"PuzzleBackground", NodePathTerminator()};
NodePathElement const kSourcePaths[ScarrowPuzzleMode::kMaxPieces][3] = {
    {"PuzzlePieces", "Source_1", NodePathTerminator()}, {"PuzzlePieces", "Source_2", NodePathTerminator()},
    {"PuzzlePieces", "Source_3", NodePathTerminator()}, {"PuzzlePieces", "Source_4", NodePathTerminator()},
    {"PuzzlePieces", "Source_5", NodePathTerminator()}};
NodePathElement const kPeekingPath[2] = {"ScarrowPeeking", NodePathTerminator()};
NodePathElement const kJumperPath[2] = {"ScarrowAnimNode", NodePathTerminator()};
NodePathElement const kDropMaskPath[2] = {"DropItem_ClickMask", NodePathTerminator()};
NodePathElement const kInputMaskPath[2] = {"MouseInput_ClickMask", NodePathTerminator()};
NodePathElement const kSlotsPath[2] = {"PuzzlePieceSlots", NodePathTerminator()};

Label label(char const* text)
{
    return Label::GetUniqueString(text);
}

Label gameLabel()
{
    static Label const game = label("ScarrowPuzzle");
    return game;
}

Vector2<float> point(char const* constant)
{
    return Vector2<float>(Corvane::Constant<Vector2<float> >(constant));
}

template <class T>
std::vector<T*> liveObjectsWithRole(Corvane::ObjectDatabase* database, char const* role)
{
    std::vector<T*> found;
    for (Corvane::ObjectID id : database->GetObjectsWithRole(label(role)))
        if (T* const object = dynamic_cast<T*>(database->GetObject(id)))
            found.push_back(object);
    return found;
}

} // namespace

ScarrowPuzzleMode::ScarrowPuzzleMode() : levelSetUp(false) {}

ScarrowPuzzleMode::~ScarrowPuzzleMode() {}

SceneNode* ScarrowPuzzleMode::findPlayfieldNode(NodePathElement const* path) const
{
    SceneNode* const root = GetRootNode();
    SceneNode* const playfield = root ? findGameNode(root, kPlayfieldPath, kWho) : nullptr;
    return playfield ? findGameNode(playfield, path, kWho) : nullptr;
}

void ScarrowPuzzleMode::Setup()
{
    QuarrydaleGameMode::Setup();
    if (!instantiateGameLayoutOrLeave("ScarrowPuzzleModeLayout", "ScarrowPuzzleMode"))
        return;
    // Without pieces the intro has no landing to wait for, and the empty board is won at once.
    bool const built = initializeLevel(GetLevelManager()->getLevelForGameModeType(kGameModeType_ScarrowPuzzle)) &&
                       !liveObjectsWithRole<ScarrowPuzzlePiece>(GetObjectDatabase(), "ScarrowPuzzle_PuzzlePiece").empty();
    if (SceneNode* const background = findPlayfieldNode(kBackgroundPath))
        setupMouseInputEatingNode(background);
    if (SceneNode* const inputMask = findPlayfieldNode(kInputMaskPath))
        setupMouseInputEatingNode(inputMask);
    if (SceneNode* const ground = findPlayfieldNode(kDropMaskPath))
    {
        ground->mouseDownSignal.connect([this](SceneNode*, Corvane::MouseButton, int, int) { cancelItemDragging(); });
        ground->SetHitTest(true);
    }
    GetAudioManager()->setMusicMode(kMusicMode_InGame, gameLabel());
    if (built)
        startIntroAnimation();
    else
    {
        setupInstructionMode(gameLabel(), kIntroFennState_Waving, false);
        if (SceneNode* const inputMask = findPlayfieldNode(kInputMaskPath))
            inputMask->LocalSetVisible(false);
    }
    levelSetUp = true;
}

int ScarrowPuzzleMode::backgroundFrame(int puzzleID)
{
    // The lowest int less one would overflow: a number below one has no frame.
    return puzzleID >= 1 ? puzzleID - 1 : -1;
}

std::vector<ScarrowPuzzlePieceSlotData> ScarrowPuzzleMode::piecesInPlay(ScarrowPuzzleLevel const& level, Label levelName)
{
    // One source place per piece: a sixth piece would have none, and its slot could never be filled.
    std::vector<ScarrowPuzzlePieceSlotData> pieces = level.puzzlePieces;
    if (pieces.size() > static_cast<std::size_t>(kMaxPieces))
    {
        Corvane::Internal::LogWrite("ScarrowPuzzle level %s has %d pieces; the game has places for %d, the rest are "
                                    "left out\n",
                                    levelName.GetString(), static_cast<int>(pieces.size()), kMaxPieces);
        pieces.resize(kMaxPieces);
    }
    return pieces;
}

bool ScarrowPuzzleMode::initializeLevel(Label levelName)
{
    Corvane::AutoResource<ScarrowPuzzleLevel> const level(levelName);
    if (!level)
    {
        levelNotFound("ScarrowPuzzleMode", levelName, gameLabel(), kIntroFennState_Waving);
        return false;
    }
    std::vector<ScarrowPuzzlePieceSlotData> pieces = piecesInPlay(*level, levelName);
    SceneNode* const slots = findPlayfieldNode(kSlotsPath);
    for (ScarrowPuzzlePieceSlotData const& data : pieces)
    {
        ScarrowPuzzlePieceSlot* const slot = new ScarrowPuzzlePieceSlot(data.image, data.pieceNum);
        slot->AddToCurScene(slots);
        slot->GetLayoutNode()->LocalSetLocation(data.x, data.y);
    }
    // Uniformly shuffled, so that the order of the file does not decide who draws which source.
    for (int i = static_cast<int>(pieces.size()) - 1; i > 0; --i)
        std::swap(pieces[i], pieces[Corvane::Random::GetIntRange(0, i)]);
    EnumTypeDeck<int> deck(kMaxPieces);
    for (ScarrowPuzzlePieceSlotData const& data : pieces)
    {
        ScarrowPuzzlePiece* const piece = new ScarrowPuzzlePiece(data);
        int const source = deck.DrawCard();
        piece->AddToCurScene(source >= 0 ? findPlayfieldNode(kSourcePaths[source]) : nullptr);
        piece->moveToStartPt();
    }
    if (pieces.empty())
        Corvane::Internal::LogWrite("ScarrowPuzzle level %s has no pieces; it ends at once\n", levelName.GetString());
    if (StaticSpriteNode* const background = dynamic_cast<StaticSpriteNode*>(findPlayfieldNode(kBackgroundPath)))
        background->setImage(label(kBoardPictures), backgroundFrame(level->puzzleID));
    return true;
}

void ScarrowPuzzleMode::startIntroAnimation()
{
    SceneNode* const peeking = findPlayfieldNode(kPeekingPath);
    if (!peeking)
    {
        Corvane::Internal::LogWrite("ScarrowPuzzle: the layout has no peeking scarecrow; the pieces fly at once\n");
        playIntroAnimation();
        return;
    }
    float const up = Corvane::ReadTimeConstant("ScarrowPeekMoveUpTime");
    float const down = Corvane::ReadTimeConstant("ScarrowPeekMoveDownTime");
    float const wait = Corvane::ReadTimeConstant("ScarrowPeekWaitTime");
    peeking->AddTask(newCallTask([] { GetAudioManager()->playSFX(label("SFX_ScarrowBricks")); }));
    char const* const peeks[2][2] = {{"ScarrowPeekingPos_1", "ScarrowPeekingPos_1_Up"},
                                     {"ScarrowPeekingPos_2", "ScarrowPeekingPos_2_Up"}};
    for (int peek = 0; peek < 2; ++peek)
    {
        if (peek == 1)
            peeking->AddTask(newCallTask([peeking] { peeking->LocalSetFlipH(true); }));
        peeking->AddTask(new NodeLocationTask(point(peeks[peek][0])));
        peeking->AddTask(new NodeLocationTask(point(peeks[peek][1]), up));
        peeking->AddTask(new Corvane::TimedTask(wait));
        peeking->AddTask(new NodeLocationTask(point(peeks[peek][0]), down));
    }
    peeking->AddTask(newCallTask([this] { playIntroAnimation(); }));
    peeking->AddTask(new Corvane::SelfDestructTask());
}

void ScarrowPuzzleMode::playIntroAnimation()
{
    ScarrowPuzzlePiece* last = nullptr;
    for (ScarrowPuzzlePiece* const piece : liveObjectsWithRole<ScarrowPuzzlePiece>(GetObjectDatabase(),
                                                                                   "ScarrowPuzzle_PuzzlePiece"))
    {
        piece->setUpIntroAnim();
        last = piece;
    }
    SceneNode* const jumper = findPlayfieldNode(kJumperPath);
    SceneNode* const inputMask = findPlayfieldNode(kInputMaskPath);
    Corvane::Object* const sequence = getSequenceObject();
    float const airTime = Corvane::ReadTimeConstant("JumpAnimAirTime");
    if (jumper)
    {
        // Without pieces there is no landing to wait for.
        if (last)
        {
            Corvane::CuePoint* const landed = Corvane::CuePoint::Create();
            jumper->AddTask(new Corvane::CuePointTask(landed));
            last->AddTask(new Corvane::CuePointTask(landed));
        }
        for (char const* path : {"ScarrowJumpingPath_1", "ScarrowJumpingPath_2", "ScarrowJumpingPath_3"})
            jumper->AddTask(new Corvane::ParallelTask(
                Corvane::kParallelCompleteWhenAllComplete,
                new NodeAnimationTask(label("StartJump"), kNodeAnimationTaskCompleteOnStart),
                new NodeCatmullRomPathTask(Corvane::Constant<Points>(path), airTime)));
    }
    else
        Corvane::Internal::LogWrite("ScarrowPuzzle: the layout has no jumping scarecrow\n");
    if (!sequence)
        return;
    if (jumper)
    {
        Corvane::CuePoint* const jumped = Corvane::CuePoint::Create();
        jumper->AddTask(new Corvane::CuePointTask(jumped));
        sequence->AddTask(new Corvane::CuePointTask(jumped));
    }
    sequence->AddTask(new Corvane::TimedTask(1.0f));
    sequence->AddTask(newCallTask([this] { setupInstructionMode(gameLabel(), kIntroFennState_Waving, true); }));
    if (inputMask)
    {
        Corvane::CuePoint* const instructed = Corvane::CuePoint::Create();
        sequence->AddTask(new Corvane::CuePointTask(instructed));
        inputMask->AddTask(new Corvane::CuePointTask(instructed));
        inputMask->AddTask(new NodeVisibleTask(false));
    }
}

void ScarrowPuzzleMode::Update(float dt)
{
    QuarrydaleGameMode::Update(dt);
    std::pair<int, int> const mouse = Corvane::MainLoop::GetLastMousePos();
    OnMouseMove(mouse.first, mouse.second);
    // A missing or empty level has no slot: an empty set counts as all filled.
    if (!levelSetUp)
        return;
    for (ScarrowPuzzlePieceSlot* const slot :
         liveObjectsWithRole<ScarrowPuzzlePieceSlot>(GetObjectDatabase(), "ScarrowPuzzle_PuzzlePieceSlot"))
        if (!slot->isFilled())
            return;
    playOutroAnimation();
}

void ScarrowPuzzleMode::playOutroAnimation()
{
    if (outroStarted)
        return;
    outroStarted = true;
    GetAudioManager()->playSpecificSoundVocal(label("ScarrowPuzzle_GameComplete"));
    if (Corvane::Object* const sequence = getSequenceObject())
    {
        sequence->AddTask(new Corvane::TimedTask(2.0f));
        sequence->AddTask(newCallTask([this] { endLevel(); }));
    }
}

void ScarrowPuzzleMode::cancelItemDragging()
{
    // A click on the ground drops on nothing, whatever slot the mouse last entered.
    if (DragTargetContainer* const targets = DragTargetContainer::GetInstance())
        targets->containedObject = Corvane::kInvalidObjectID;
    if (DragSource<ScarrowPuzzlePiece*>* const held = DragSource<ScarrowPuzzlePiece*>::GetHeldDragSource_Mutable())
        held->Release();
}

void ScarrowPuzzleMode::refreshMode()
{
    Corvane::MainLoop::UnwindToMode(new ScarrowPuzzleMode());
}

void ScarrowPuzzleMode::setupCursor()
{
    setGameCursor();
}
