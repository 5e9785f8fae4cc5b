#include "qdl/Source/Game/GameMakers.h"

#include <string>

#include "Core/Source/Log.h"
#include "Core/Source/StringUtils.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Framework/ResourceManager.h"
#include "CorvaneExtensions/Source/SceneLayout.h"
#include "qdl/Source/Game/FrontEnd/FrontEndMode.h"

using namespace Corvane;

namespace
{

struct sGameContent
{
    wchar_t const* manifest;
    char const* layout;
};

// By GameModeType value.
sGameContent const kGameContent[kNumGameModeTypes] = {
    {L"ToolShedMode", "ToolShedModeLayout"},
    {L"StreetSignsMode", "StreetSignsModeLayout"},
    {L"PlanAJobMode", "PlanAJobModeLayout"},
    {L"PaintTheHouseMode", "PaintTheHouseModeLayout"},
    {L"TollerStackerMode", "TollerStackerModeLayout"},
    {L"HammerTheNailMode", "HammerTheNailModeLayout"},
    {L"CountTheMaterialsMode", "CountTheMaterialModeLayout"},
    {L"TrundelsDeliveryMode", "TrundelsDeliveryModeLayout"},
    {L"PileOfLeavesMode", "PileOfLeavesModeLayout"},
    {L"ScarrowPuzzleMode", "ScarrowPuzzleModeLayout"},
    {L"HideAndSeekMode", "HideAndSeekModeLayout"},
    {L"HereToThereMode", "HereToThereModeLayout"},
};

} // namespace

ApplicationMode* createGameModeOfType(GameModeType type, Label level)
{
    switch (type)
    {
    case kGameModeType_ToolShed: return createToolShedGame(level);
    case kGameModeType_StreetSigns: return createStreetSignsGame(level);
    case kGameModeType_PlanAJob: return createPlanAJobGame(level);
    case kGameModeType_PaintIt: return createPaintTheHouseGame(level);
    case kGameModeType_TollerStacker: return createTollerStackerGame(level);
    case kGameModeType_HammerTheNail: return createHammerTheNailGame(level);
    case kGameModeType_CountTheMaterials: return createCountTheMaterialsGame(level);
    case kGameModeType_TrundelsDelivery: return createTrundelsDeliveryGame(level);
    case kGameModeType_PileOfLeaves: return createPileOfLeavesGame(level);
    case kGameModeType_ScarrowPuzzle: return createScarrowPuzzleGame(level);
    case kGameModeType_HideAndSeek: return createHideAndSeekGame(level);
    case kGameModeType_HereToThere: return createHereToThereGame(level);
    case kNumGameModeTypes: break;
    }
    return nullptr;
}

bool isGameContentLoaded(int type)
{
    if (type < 0 || type >= kNumGameModeTypes)
        return true;
    sGameContent const& content = kGameContent[type];
    eLoadingJobStatus status = kLoadingJobStatus_Complete;
    if (!GetResourceManager()->GetLoadStatus(content.manifest, &status))
        return true;
    char const* const game = getGameModeLabel(static_cast<GameModeType>(type)).GetString();
    std::wstring const what = L"the game " + ConvertStringUTF8ToWide(game);
    if (!isManifestLoaded(content.manifest, what, game))
        return false;
    if (AutoResource<SceneLayout>(content.layout))
        return true;
    Internal::LogWrite("%s: the scene layout %s is not in %ls.xml, so the game stays closed\n", game, content.layout,
                       content.manifest);
    notifyLoadError(content.manifest, L"The layout \"" + ConvertStringUTF8ToWide(content.layout) +
                                          L"\" is not in the file, so " + what + L" cannot be opened.");
    return false;
}
