#pragma once

// The reader of "HammerTheNailLevel" resources: "Nail" and "Tool" elements at
// any depth of the level element, in document order. The tool box holds the
// "Tool" elements first, then one tool for each distinct (type, colour) of the
// nails, by type, then colour. An element whose type or colour is no name of
// the fix-it tables is left out (logged); a level that would need more tools
// than the box has slots is kept loaded but never registered (logged), since
// cutting it short could drop the tool a nail needs.

#include "qdl/Source/Game/LevelResourceFactory.h"
#include "qdl/Source/Game/HammerTheNail/HammerTheNailLevel.h"

class HammerTheNailLevelResourceFactory : public LevelResourceFactory<HammerTheNailLevel, kGameModeType_HammerTheNail>
{
protected:
    void readLevel(HammerTheNailLevel& level, Corvane::IAttributeContainer const& attributes,
                   Corvane::IXMLReader& reader) const override;
    bool isPlayable(HammerTheNailLevel const& level, Corvane::Label name) const override;
};
