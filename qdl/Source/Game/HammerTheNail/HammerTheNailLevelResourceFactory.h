#pragma once

// The reader of "HammerTheNailLevel" resources: "Nail" and "Tool" elements at
// any depth of the level element, in document order. The tool box holds the
// "Tool" elements first, then one tool for each distinct (type, colour) of the
// nails, by type, then colour. An element whose type or colour is no name of
// the fix-it tables is left out (logged). A nail's "clickCount" is 0 or more,
// its place on the 800 x 600 screen. A level that would need more tools than
// the box has slots (cutting it short could drop the tool a nail needs), with
// a nail whose "clickCount" its picture list has no frame for, or whose nails
// need no click, is kept loaded but never registered (logged).

#include "qdl/Source/Game/LevelResourceFactory.h"
#include "qdl/Source/Game/HammerTheNail/HammerTheNailLevel.h"

class HammerTheNailLevelResourceFactory : public LevelResourceFactory<HammerTheNailLevel, kGameModeType_HammerTheNail>
{
protected:
    void readLevel(HammerTheNailLevel& level, Corvane::IAttributeContainer const& attributes,
                   std::wstring const& tag, Corvane::IXMLReader& reader, LevelNumbers& numbers) const override;
    void checkPlayable(HammerTheNailLevel const& level, LevelNumbers& numbers) const override;
};
