#include "qdl/Source/Game/GameMakers.h"

using namespace Corvane;

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
