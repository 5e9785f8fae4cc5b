#pragma once

// The reader of "PaintItLevel" resources: every "Pattern" element inside the
// level, at any depth, in document order; its "order" letters A, B and C in
// either case become 0, 1 and 2, any other character is skipped. A pattern
// without one of the three letters is logged and left out; a level left
// without patterns is not registered.

#include <string>
#include <vector>

#include "qdl/Source/Game/LevelResourceFactory.h"
#include "qdl/Source/Game/PaintTheHouse/PaintItLevel.h"

class PaintItLevelResourceFactory : public LevelResourceFactory<PaintItLevel, kGameModeType_PaintIt>
{
public:
    // The symbols of an "order" text.
    static std::vector<int> readPatternOrder(std::wstring const& order);

protected:
    void readLevel(PaintItLevel& level, Corvane::IAttributeContainer const& attributes, std::wstring const& tag,
                   Corvane::IXMLReader& reader, LevelNumbers& numbers) const override;
    void checkPlayable(PaintItLevel const& level, LevelNumbers& numbers) const override;
};
