#pragma once

// The delivery game's cargo types: the frame of each cargo in the four cargo
// image lists, and the two tables that tell a wrong choice's fault (another
// kind of cargo, another colour, or both).

// 0 to 12; -1 for no cargo (a choice made without a level shows nothing).
typedef int TrundelsDeliveryType;

int const kNumTrundelsDeliveryTypes = 13;

// Equal groups are the same kind of cargo; group 0 has one member, 1 to 4 three each.
extern int const kTrundelsDeliveryKindGroups[kNumTrundelsDeliveryTypes];
// A QuarrydaleColor, or -1 for cargo of no particular colour (which counts as one colour).
extern int const kTrundelsDeliveryColorCodes[kNumTrundelsDeliveryTypes];

// The voice line for a choice of type `chosen` where `wanted` was needed:
// "TrundelsDelivery_WrongColor" for the same kind, else
// "TrundelsDelivery_WrongType" for the same colour, else "TrundelsDelivery_Wrong".
char const* wrongChoiceLine(TrundelsDeliveryType chosen, TrundelsDeliveryType wanted);
