#include "qdl/Source/Game/GameMakers.h"
#include "qdl/Source/Game/TrundelsDelivery/TrundelsDeliveryMode.h"

Corvane::ApplicationMode* createTrundelsDeliveryGame(Corvane::Label)
{
    return new TrundelsDeliveryMode(true, -1);
}
