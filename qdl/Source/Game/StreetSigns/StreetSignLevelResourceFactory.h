#pragma once

// The reader of "StreetSignLevel" resources. Every start tag inside the level,
// at any depth, is examined: an "attRequest" appends the label of its "color"
// and then of its "shape" (each when present; any text, labels ignore case);
// a "signEntry" gives a sign whose "color" and "shape" are matched exactly
// (case included) against the five sign colours and five sign shapes. A sign
// whose colour or shape matches nothing has no picture and is left out,
// logged; so are signs past the twelfth. A level without a request or without
// signs is not registered; the others are registered by difficulty.

#include "qdl/Source/Game/LevelResourceFactory.h"
#include "qdl/Source/Game/StreetSigns/StreetSignLevel.h"

class StreetSignLevelResourceFactory : public LevelResourceFactory<StreetSignLevel, kGameModeType_StreetSigns>
{
protected:
    void readLevel(StreetSignLevel& level, Corvane::IAttributeContainer const& attributes, std::wstring const& tag,
                   Corvane::IXMLReader& reader, LevelNumbers& numbers) const override;
    void checkPlayable(StreetSignLevel const& level, LevelNumbers& numbers) const override;
};
