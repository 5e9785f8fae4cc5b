#pragma once

// The level record of the delivery game: its cargo patterns in document
// order, each a list of symbols (0 for A, 1 for B, 2 for C). The reader keeps
// no empty pattern, so every stored pattern has at least one symbol.

#include <vector>

class TrundelsDeliveryLevel
{
public:
    TrundelsDeliveryLevel() {}

    std::vector<std::vector<int> > patterns;
};
