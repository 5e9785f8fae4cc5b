#include "qdl/Source/Game/GameMakers.h"

Corvane::ApplicationMode* createPlanAJobGame(Corvane::Label)
{
    return gameNotAvailableYet("PlanAJob");
}
