#include "qdl/Source/Game/TrundelsDelivery/TrundelsDeliveryConstants.h"

int const kTrundelsDeliveryKindGroups[kNumTrundelsDeliveryTypes] = {0, 4, 4, 4, 2, 2, 2, 3, 3, 3, 1, 1, 1};
int const kTrundelsDeliveryColorCodes[kNumTrundelsDeliveryTypes] = {-1, 0, 5, 3, 3, 0, -1, 2, 0, -1, -1, 2, 0};

namespace
{

bool isType(TrundelsDeliveryType type)
{
    return type >= 0 && type < kNumTrundelsDeliveryTypes;
}

} // namespace

char const* wrongChoiceLine(TrundelsDeliveryType chosen, TrundelsDeliveryType wanted)
{
    if (!isType(chosen) || !isType(wanted))
        return "TrundelsDelivery_Wrong";
    if (kTrundelsDeliveryKindGroups[chosen] == kTrundelsDeliveryKindGroups[wanted])
        return "TrundelsDelivery_WrongColor";
    if (kTrundelsDeliveryColorCodes[chosen] == kTrundelsDeliveryColorCodes[wanted])
        return "TrundelsDelivery_WrongType";
    return "TrundelsDelivery_Wrong";
}
