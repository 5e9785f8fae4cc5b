#pragma once

// The reader of "TollerStackerLevel" resources: one object per "StackObject"
// element at any depth ("size", "color" Red or Blue, "type" Girder or Log,
// names matched exactly). Objects the game could not place are left out and
// logged: an unknown colour or type, an eleventh object, a sixth of one colour.

#include "qdl/Source/Game/LevelResourceFactory.h"
#include "qdl/Source/Game/TollerStacker/TollerStackerLevel.h"

class TollerStackerLevelResourceFactory : public LevelResourceFactory<TollerStackerLevel, kGameModeType_TollerStacker>
{
protected:
    void readLevel(TollerStackerLevel& level, Corvane::IAttributeContainer const& attributes,
                   Corvane::IXMLReader& reader) const override;
};
