#include "qdl/Source/Game/LevelManager.h"

#include <algorithm>
#include <limits>

#include "Core/Source/Log.h"
#include "Core/Source/Random.h"
#include "2DEngine/Source/Framework/Account.h"
#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "qdl/Source/Game/GameMakers.h"
#include "qdl/Source/Game/GameScreenHooks.h"
#include "qdl/Source/Game/LevelProgressionData.h"
#include "qdl/Source/Game/ProfileKeys.h"

using namespace Corvane;

namespace
{

Account* currentAccount()
{
    return GetAccountManager()->GetCurrentAccount();
}

// Queues the mode as the only one on the stack; a screen not built yet gives
// no mode and starts nothing.
bool unwindTo(ApplicationMode* mode, char const* what)
{
    if (!mode)
    {
        Internal::LogWrite("The %s screen is not available; nothing is started\n", what);
        return false;
    }
    MainLoop::UnwindToMode(mode);
    return true;
}

bool unwindToMainMenu()
{
    sGameScreenHooks const& hooks = GetGameScreenHooks();
    return unwindTo(hooks.createMainMenuMode ? hooks.createMainMenuMode() : nullptr, "main menu");
}

} // namespace

LevelManager::LevelManager()
    : levels(kNumGameModeDifficulties), difficulty(kGameModeDifficulty_Medium), progressIndex(0), freePlay(true),
      stepQueued(false)
{
}

void LevelManager::addLevelForGameModeType(GameModeType type, Label level, GameModeDifficulty difficultyOfLevel)
{
    if (difficultyOfLevel < 0 || difficultyOfLevel >= kNumGameModeDifficulties)
    {
        Internal::LogWrite("Level %s has no difficulty of Easy, Medium or Hard and is not used\n", level.GetString());
        return;
    }
    std::vector<Label>& list = levels[difficultyOfLevel][type];
    // Two equal labels in one list would make the no-repeat draw loop for ever.
    if (std::find(list.begin(), list.end(), level) != list.end())
        return;
    list.push_back(level);
}

void LevelManager::removeLevelForGameModeType(GameModeType type, Label level)
{
    for (std::map<GameModeType, std::vector<Label> >& games : levels)
    {
        std::vector<Label>& list = games[type];
        list.erase(std::remove(list.begin(), list.end(), level), list.end());
    }
}

std::vector<Label> const& LevelManager::getLevels(GameModeType type, GameModeDifficulty difficultyOfLevels)
{
    static std::vector<Label> const none;
    if (difficultyOfLevels < 0 || difficultyOfLevels >= kNumGameModeDifficulties)
        return none;
    return levels[difficultyOfLevels][type];
}

Label LevelManager::getLevelForGameModeType(GameModeType type)
{
    std::vector<Label> const& list = levels[difficulty][type];
    if (list.empty())
        return Label();

    Label chosen = list.front();
    if (list.size() > 1)
    {
        int const last = static_cast<int>(list.size()) - 1;
        do
        {
            chosen = list[std::min(last, std::max(0, Random::GetIntRange(last)))];
        } while (chosen == lastLevel);
    }
    lastLevel = chosen;
    return chosen;
}

void LevelManager::setDifficulty(GameModeDifficulty value)
{
    if (value >= 0 && value < kNumGameModeDifficulties)
        difficulty = value;
}

void LevelManager::setLevelProgression(Label name)
{
    progressionName = name;
    if (!getLevelProgression())
        Internal::LogWrite("Level progression %s is not loaded\n", name.GetString());
    loadLevelProgressionDataFromAccount();
}

LevelProgressionData const* LevelManager::getLevelProgression() const
{
    if (progressionName.IsNull())
        return nullptr;
    return AutoResource<LevelProgressionData>(progressionName).Get();
}

std::wstring LevelManager::progressKey() const
{
    Account const* const account = currentAccount();
    if (!account)
        return std::wstring();
    return profileKey(*account, L"_Progress");
}

void LevelManager::loadLevelProgressionDataFromAccount()
{
    Account const* const account = currentAccount();
    // The position just past the last step is the story's end; one further could only come from
    // damage, and would end the story, show the book and start again from the first step
    // without a word. Without the story loaded only the start can be judged.
    LevelProgressionData const* const progression = getLevelProgression();
    int const end = progression ? static_cast<int>(progression->entries.size()) : std::numeric_limits<int>::max();
    progressIndex = account ? account->ReadValue(progressKey(), 0, 0, end) : 0;
}

void LevelManager::saveProgress(int value)
{
    Account* const account = currentAccount();
    if (!account)
        return;
    if (!account->WriteValue(progressKey(), value))
        Internal::LogWrite("The story position could not be saved\n");
}

void LevelManager::resetLevelProgress()
{
    progressIndex = 0;
    saveProgress(0);
}

bool LevelManager::pushGameModeOfType(Label game, Label level)
{
    int const type = getGameModeTypeForLabel(game);
    if (type < 0)
    {
        Internal::LogWrite("The story names no known game \"%s\"; nothing is started\n", game.GetString());
        return false;
    }
    sGameScreenHooks const& hooks = GetGameScreenHooks();
    ApplicationMode* const mode =
        hooks.createGameMode ? hooks.createGameMode(static_cast<GameModeType>(type), level) : nullptr;
    return unwindTo(mode, game.GetString());
}

bool LevelManager::startCutscene(Label cutscene)
{
    sGameScreenHooks const& hooks = GetGameScreenHooks();
    return unwindTo(hooks.createCutsceneMode ? hooks.createCutsceneMode(cutscene) : nullptr, "cutscene");
}

bool LevelManager::endStory()
{
    sGameScreenHooks const& hooks = GetGameScreenHooks();
    bool started = unwindToMainMenu();
    if (ApplicationMode* const book = hooks.createStickerBookMode ? hooks.createStickerBookMode() : nullptr)
    {
        MainLoop::PushMode(book);
        started = true;
    }
    progressIndex = 0;
    saveProgress(0);
    return started;
}

bool LevelManager::beginNextLevelProgressionMode()
{
    if (stepQueued && MainLoop::IsModeChangePending())
    {
        Internal::LogWrite("A story step is already under way; no second one is started\n");
        return false;
    }
    bool const started = beginNextStep();
    stepQueued = started;
    return started;
}

bool LevelManager::beginNextStep()
{
    LevelProgressionData const* const progression = getLevelProgression();
    if (!progression)
    {
        // Without the story the saved position cannot be judged; keep it for when the story is back.
        Internal::LogWrite("No level progression is loaded; back to the main menu\n");
        return unwindToMainMenu();
    }

    std::vector<LevelProgressionEntry> const& entries = progression->entries;
    int const count = static_cast<int>(entries.size());
    if (progressIndex >= count)
        return endStory();

    LevelProgressionEntry const* entry = &entries[progressIndex];
    bool const afterVideo = entry->type == LevelProgressionEntry::kVideo;
    if (afterVideo)
    {
        // Videos are not played: the entry after it runs instead.
        if (progressIndex + 1 >= count)
            return endStory();
        ++progressIndex;
        entry = &entries[progressIndex];
    }
    bool started = false;
    switch (entry->type)
    {
    case LevelProgressionEntry::kLevel:
        if (!isGameContentLoaded(getGameModeTypeForLabel(entry->id)))
            return waitAtGameOnMainMenu();
        // The level of an entry reached past a video is not passed on.
        started = pushGameModeOfType(entry->id, afterVideo ? Label() : entry->level);
        break;
    case LevelProgressionEntry::kCutscene:
        started = startCutscene(entry->id);
        break;
    default:
        break;
    }
    saveProgress(progressIndex);
    ++progressIndex;
    return started;
}

bool LevelManager::waitAtGameOnMainMenu()
{
    // The saved position names the game, so the story takes it up again, and nothing past it is passed.
    saveProgress(progressIndex);
    return unwindToMainMenu();
}

LevelManager* GetLevelManager()
{
    static LevelManager* const manager = new LevelManager();
    return manager;
}
