#include "qdl/Tests/GameBase/GameBaseTestGame.h"

#include <cstring>
#include <memory>
#include <string>

#include "Core/Source/Log.h"
#include "Core/Source/MemoryStream.h"
#include "Core/Source/XMLReader.h"
#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/Tasks.h"
#include "CorvaneExtensions/Source/SceneLayout.h"
#include "CorvaneExtensions/Source/SceneNode.h"
#include "qdl/Source/Game/GameAudioManager.h"
#include "qdl/Source/Game/GameScreenHooks.h"
#include "qdl/Source/Game/LevelManager.h"
#include "qdl/Source/Game/SimpleFunctionTask.h"

using Corvane::Label;

namespace
{

// Built from the game's real neighbours: the title's background and round
// buttons stand for the targets, the base's shared Help and Quit images.
char const kLayoutXML[] =
    "<scenelayout name=\"GameBaseTestLayout\">"
    "<scenenode nodeName=\"GameScreenRoot\" width=\"800\" height=\"600\">"
    "  <staticspritenode nodeName=\"Background\" src=\"Title_Background\"/>"
    "  <scenenode nodeName=\"Playfield\" width=\"800\" height=\"600\">"
    "    <buttonnode nodeName=\"Target0\" name=\"Target0\" images=\"Button_Title_Options\" x=\"130\" y=\"260\"/>"
    "    <buttonnode nodeName=\"Target1\" name=\"Target1\" images=\"Button_Title_Credits\" x=\"290\" y=\"260\"/>"
    "    <buttonnode nodeName=\"Target2\" name=\"Target2\" images=\"Button_Title_Quit\" x=\"450\" y=\"260\"/>"
    "    <buttonnode nodeName=\"Target3\" name=\"Target3\" images=\"Button_InGame_Help\" x=\"610\" y=\"268\"/>"
    "  </scenenode>"
    "  <scenenode nodeName=\"ClickMask\" width=\"800\" height=\"600\" visible=\"false\"/>"
    "  <scenenode nodeName=\"UI_attach\" width=\"800\" height=\"600\">"
    "    <buttonnode nodeName=\"HelpButton\" name=\"HelpButton\" images=\"Button_InGame_Help\""
    "                sounds=\"UIButtonSounds\" x=\"16\" y=\"504\" visible=\"false\"/>"
    "    <buttonnode nodeName=\"QuitButton\" name=\"QuitButton\" images=\"Button_InGame_Quit\""
    "                sounds=\"UIButtonSounds\" x=\"704\" y=\"504\" visible=\"false\"/>"
    "  </scenenode>"
    "</scenenode>"
    "</scenelayout>";

// Read at each set-up: the node factories it refers to belong to one run of the engine.
std::unique_ptr<SceneLayout> readTestLayout()
{
    uint32_t const length = static_cast<uint32_t>(std::strlen(kLayoutXML));
    Corvane::ReadOnlyMemoryStream attributeStream(L"GameBaseTestLayout", kLayoutXML, length);
    std::unique_ptr<Corvane::IXMLReader> attributeReader(Corvane::CreateXMLReader(&attributeStream));
    Corvane::XMLElement const element = *attributeReader->ReadElement();
    Corvane::ReadOnlyMemoryStream stream(L"GameBaseTestLayout", kLayoutXML, length);
    std::unique_ptr<Corvane::IXMLReader> reader(Corvane::CreateXMLReader(&stream));
    std::unique_ptr<Corvane::IResourceDescriptor> layout(SceneLayoutResourceFactory().CreateResource(
        L"GameBaseTest", Label::GetUniqueString("GameBaseTestLayout"), element, *reader));
    if (!dynamic_cast<SceneLayout*>(layout.get()))
        return nullptr;
    return std::unique_ptr<SceneLayout>(dynamic_cast<SceneLayout*>(layout.release()));
}

char const* const kLevelNames[kNumGameModeDifficulties][3] = {
    {"GameBaseTest_Easy_Target0", "GameBaseTest_Easy_Target1", "GameBaseTest_Easy_Target2"},
    {"GameBaseTest_Medium_Target1", "GameBaseTest_Medium_Target2", "GameBaseTest_Medium_Target3"},
    {"GameBaseTest_Hard_Target3", "GameBaseTest_Hard_Target0", "GameBaseTest_Hard_Target2"},
};

int instances = 0;

} // namespace

GameBaseTestGame::GameBaseTestGame(bool playIntro, int loops)
    : playIntro(playIntro), loopsLeft(loopsLeftAfterThisOne(loops)), levelType(kLevelType), rightTarget(-1), wrongMoves(0), outros(0),
      blockerID(Corvane::kInvalidObjectID)
{
    ++instances;
}

GameBaseTestGame::~GameBaseTestGame()
{
    --instances;
}

int GameBaseTestGame::liveInstances()
{
    return instances;
}

Label GameBaseTestGame::gameLabel()
{
    return getGameModeLabel(kGameModeType_ToolShed);
}

std::vector<Label> GameBaseTestGame::registerLevels()
{
    std::vector<Label> all;
    for (int difficulty = 0; difficulty < kNumGameModeDifficulties; ++difficulty)
        for (char const* name : kLevelNames[difficulty])
        {
            Label const level = Label::GetUniqueString(name);
            GetLevelManager()->addLevelForGameModeType(kLevelType, level, static_cast<GameModeDifficulty>(difficulty));
            all.push_back(level);
        }
    return all;
}

int GameBaseTestGame::targetOfLevel(Label level)
{
    std::string const name = level.GetString();
    std::string const tag = "_Target";
    size_t const at = name.rfind(tag);
    if (at == std::string::npos || at + tag.size() + 1 != name.size())
        return -1;
    int const target = name.back() - '0';
    return target >= 0 && target < kNumTargets ? target : -1;
}

std::vector<GameModeType>& GameBaseTestGame::requestedTypes()
{
    static std::vector<GameModeType> types;
    return types;
}

void GameBaseTestGame::install(bool playIntro, int loops)
{
    registerLevels();
    requestedTypes().clear();
    GetGameScreenHooks().createGameMode = [playIntro, loops](GameModeType type, Label) -> Corvane::ApplicationMode* {
        requestedTypes().push_back(type);
        return new GameBaseTestGame(playIntro, loops);
    };
}

void GameBaseTestGame::Setup()
{
    QuarrydaleGameMode::Setup();
    std::unique_ptr<SceneLayout> const layout = readTestLayout();
    SceneNode* const root = layout ? layout->InstantiateLayout(GetObjectDatabase(), GetRootNode()) : nullptr;
    NodePathElement const maskPath[] = {"ClickMask", NodePathTerminator()};
    if (SceneNode* const mask = root ? root->GetDescendent(maskPath) : nullptr)
    {
        setupMouseInputEatingNode(mask);
        blockerID = mask->GetID();
    }
    level = GetLevelManager()->getLevelForGameModeType(levelType);
    rightTarget = targetOfLevel(level);
    if (rightTarget < 0)
        Corvane::Internal::LogWrite("GameBaseTestGame: the level \"%s\" names no target\n", level.GetString());
    // Also without a level, so that the child can leave.
    setupInstructionMode(gameLabel(), kIntroFennState_Waving, playIntro);
}

void GameBaseTestGame::ReceiveMessage(Corvane::ObjectMessage const& message)
{
    QuarrydaleGameMode::ReceiveMessage(message);
    static Label const click = Label::GetUniqueString("ButtonClick");
    if (message.message != click || outroStarted)
        return;
    Corvane::Object const* const sender = GetObject(message.sender);
    if (!sender)
        return;
    std::string const name = sender->GetName().GetString();
    if (name.size() != 7 || name.compare(0, 6, "Target") != 0)
        return;
    if (name[6] - '0' == rightTarget)
    {
        startOutro();
        return;
    }
    ++wrongMoves;
    GetAudioManager()->playInGameFeedbackVocal(false);
    resetHintTimer(2);
}

void GameBaseTestGame::startOutro()
{
    if (outroStarted)
        return;
    outroStarted = true;
    ++outros;
    if (SceneNode* const mask = dynamic_cast<SceneNode*>(GetObject(blockerID)))
        mask->LocalSetVisible(true);
    GetAudioManager()->playInGameFeedbackVocal(true);
    Corvane::Object* const sequence = getSequenceObject();
    sequence->AddTask(new Corvane::TimedTask(1.0f));
    sequence->AddTask(
        new SimpleFunctionTask<GameBaseTestGame>([this](GameBaseTestGame*, float) { finishOutro(); }));
}

void GameBaseTestGame::finishOutro()
{
    if (loopsLeft > 0)
        refreshMode();
    else
        endLevel();
}

void GameBaseTestGame::refreshMode()
{
    Corvane::MainLoop::UnwindToMode(new GameBaseTestGame(false, loopsLeft));
}

void GameBaseTestGame::setupCursor()
{
    setGameCursor();
}
