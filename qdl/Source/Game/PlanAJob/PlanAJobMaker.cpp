#include "qdl/Source/Game/GameMakers.h"

#include "qdl/Source/Game/PlanAJob/PlanAJobMode.h"

Corvane::ApplicationMode* createPlanAJobGame(Corvane::Label level)
{
    return new PlanAJobMode(level);
}
