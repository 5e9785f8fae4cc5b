#pragma once

// The reader of "HideAndSeekLevel" resources: "numHides", "numPreviewHides",
// "runSpeed" and "showTail" (true unless exactly "false") from the level
// element, and the "imageID" of every "Obstacle" element inside it, at any
// depth, in document order. "numHides" and "imageID" are 0 or more,
// "numPreviewHides" 1 or more, "runSpeed" above 0; a level without them,
// without obstacles, or with an "imageID" the obstacle pictures lack, is not
// registered.

#include "qdl/Source/Game/LevelResourceFactory.h"
#include "qdl/Source/Game/HideAndSeek/HideAndSeekLevel.h"

class HideAndSeekLevelResourceFactory : public LevelResourceFactory<HideAndSeekLevel, kGameModeType_HideAndSeek>
{
public:
    ~HideAndSeekLevelResourceFactory() override {}

protected:
    void readLevel(HideAndSeekLevel& level, Corvane::IAttributeContainer const& attributes,
                   std::wstring const& tag, Corvane::IXMLReader& reader, LevelNumbers& numbers) const override;
    void checkPlayable(HideAndSeekLevel const& level, LevelNumbers& numbers) const override;
};
