#include "qdl/Source/Game/GameMakers.h"

Corvane::ApplicationMode* createTrundelsDeliveryGame(Corvane::Label)
{
    return gameNotAvailableYet("TrundelsDelivery");
}
