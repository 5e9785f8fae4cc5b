#pragma once

// The reader of "ToolShedLevel" resources: every "toolEntry" and "toolBox"
// start tag inside the level, at any depth, gives a tool or a box from its
// "toolType" and "color" attributes, matched exactly (case included) against
// the game's tool types and its four colours. An entry whose type or colour
// matches nothing has no picture and is left out, logged; so are boxes past
// the sixth. The level is registered by difficulty, also without tools: the
// game then ends it at once.

#include "qdl/Source/Game/LevelResourceFactory.h"
#include "qdl/Source/Game/ToolShed/ToolShedLevel.h"

class ToolShedLevelResourceFactory : public LevelResourceFactory<ToolShedLevel, kGameModeType_ToolShed>
{
protected:
    void readLevel(ToolShedLevel& level, Corvane::IAttributeContainer const& attributes, std::wstring const& tag,
                   Corvane::IXMLReader& reader, LevelNumbers& numbers) const override;
};
