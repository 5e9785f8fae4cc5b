#pragma once

// The reader of "HideAndSeekLevel" resources: "numHides", "numPreviewHides",
// "runSpeed" and "showTail" (true unless exactly "false") from the level
// element, and the "imageID" of every "Obstacle" element inside it, at any
// depth, in document order. A speed that is not a positive number and fewer
// than one run per hide are logged with the level's name; the cat copes with
// both.

#include "qdl/Source/Game/LevelResourceFactory.h"
#include "qdl/Source/Game/HideAndSeek/HideAndSeekLevel.h"

class HideAndSeekLevelResourceFactory : public LevelResourceFactory<HideAndSeekLevel, kGameModeType_HideAndSeek>
{
public:
    ~HideAndSeekLevelResourceFactory() override {}

protected:
    void readLevel(HideAndSeekLevel& level, Corvane::IAttributeContainer const& attributes,
                   Corvane::IXMLReader& reader) const override;
};
