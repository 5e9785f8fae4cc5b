#include "qdl/Source/Game/HideAndSeek/HideAndSeekLevelResourceFactory.h"

#include <limits>

#include "qdl/Source/Game/HideAndSeek/HideAndSeekConstants.h"

using namespace Corvane;

void HideAndSeekLevelResourceFactory::readLevel(HideAndSeekLevel& level, IAttributeContainer const& attributes,
                                                std::wstring const& tag, IXMLReader& reader,
                                                LevelNumbers& numbers) const
{
    int const most = std::numeric_limits<int>::max();
    // No hide to find wins at the first find; the cat needs one run at least to hide, and a
    // speed above 0 to take any time over it.
    level.numHides = numbers.wholeNumber(attributes, tag, L"numHides", 0, 0, most);
    level.numPreviewHides = numbers.wholeNumber(attributes, tag, L"numPreviewHides", 0, 1, most);
    level.runSpeed = numbers.decimalNumber(attributes, tag, L"runSpeed", 0.0f, std::numeric_limits<float>::min(),
                                           std::numeric_limits<float>::max());
    level.showTail = attributes.GetAttribute(L"showTail", true);

    while (!reader.IsEOF())
    {
        XMLElement const* const element = reader.ReadElement();
        if (!element || element->kind != XMLElement::kStartElement || element->name != L"Obstacle")
            continue;
        HideAndSeekObstacleData obstacle;
        obstacle.imageID = numbers.wholeNumber(*element, element->name, L"imageID", 0, 0, most);
        // The cat may hide behind any obstacle: one without its picture could never be clicked.
        numbers.pictureFrame(element->name, L"imageID", obstacle.imageID, obstacle.imageID,
                             kHideAndSeekObstaclePictures);
        level.obstacles.push_back(obstacle);
    }
}

void HideAndSeekLevelResourceFactory::checkPlayable(HideAndSeekLevel const& level, LevelNumbers& numbers) const
{
    // The cat hides behind an obstacle; with one only, it stays there.
    if (level.obstacles.empty())
        numbers.refuseLevel("it has no Obstacle");
}
