#pragma once

// The reader of "TollerStackerLevel" resources: one object per "StackObject"
// element at any depth ("size", "color" Red or Blue, "type" Girder or Log,
// names matched exactly, "size" 1 or more). Objects the game could not place
// are left out and logged: an unknown colour or type, an eleventh object, a
// sixth of one colour. A level without objects, with an object larger than
// its pictures, or with two of one colour and size (never stacked right), is
// not registered.

#include "qdl/Source/Game/LevelResourceFactory.h"
#include "qdl/Source/Game/TollerStacker/TollerStackerLevel.h"

class TollerStackerLevelResourceFactory : public LevelResourceFactory<TollerStackerLevel, kGameModeType_TollerStacker>
{
protected:
    void readLevel(TollerStackerLevel& level, Corvane::IAttributeContainer const& attributes,
                   std::wstring const& tag, Corvane::IXMLReader& reader, LevelNumbers& numbers) const override;
    void checkPlayable(TollerStackerLevel const& level, LevelNumbers& numbers) const override;
};
