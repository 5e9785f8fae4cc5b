#pragma once

// The reader of "TrundelsDeliveryLevel" resources: one pattern per "Pattern"
// element at any depth, its "order" read letter by letter (A or a for 0, B or
// b for 1, C or c for 2, every other character skipped). A pattern without
// any of those letters is logged and not kept; a level left without patterns
// is not registered.

#include <string>
#include <vector>

#include "qdl/Source/Game/LevelResourceFactory.h"
#include "qdl/Source/Game/TrundelsDelivery/TrundelsDeliveryLevel.h"

class TrundelsDeliveryLevelResourceFactory
    : public LevelResourceFactory<TrundelsDeliveryLevel, kGameModeType_TrundelsDelivery>
{
public:
    // The symbols of an "order" text.
    static std::vector<int> readPattern(std::wstring const& order);

protected:
    void readLevel(TrundelsDeliveryLevel& level, Corvane::IAttributeContainer const& attributes,
                   std::wstring const& tag, Corvane::IXMLReader& reader, LevelNumbers& numbers) const override;
    void checkPlayable(TrundelsDeliveryLevel const& level, LevelNumbers& numbers) const override;
};
