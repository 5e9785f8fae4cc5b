#include "qdl/Source/Game/HideAndSeek/HideAndSeekLevelResourceFactory.h"

#include <cmath>

#include "Core/Source/Log.h"
#include "Core/Source/StringUtils.h"

using namespace Corvane;

void HideAndSeekLevelResourceFactory::readLevel(HideAndSeekLevel& level, IAttributeContainer const& attributes,
                                                IXMLReader& reader) const
{
    level.numHides = attributes.GetAttribute(L"numHides", 0);
    level.numPreviewHides = attributes.GetAttribute(L"numPreviewHides", 0);
    level.runSpeed = attributes.GetAttribute(L"runSpeed", 0.0f);
    level.showTail = attributes.GetAttribute(L"showTail", true);

    std::string const name = TruncateStringWideToASCII(attributes.GetAttribute(L"name").c_str());
    if (!(level.runSpeed > 0.0f && std::isfinite(level.runSpeed)))
        Internal::LogWrite("HideAndSeekLevel \"%s\": runSpeed %g is not a positive speed; the cat's runs will be "
                           "instant\n",
                           name.c_str(), static_cast<double>(level.runSpeed));
    if (level.numPreviewHides < 1)
        Internal::LogWrite("HideAndSeekLevel \"%s\": numPreviewHides %d counts as 1\n", name.c_str(),
                           level.numPreviewHides);

    while (!reader.IsEOF())
    {
        XMLElement const* const element = reader.ReadElement();
        if (!element || element->kind != XMLElement::kStartElement || element->name != L"Obstacle")
            continue;
        HideAndSeekObstacleData obstacle;
        obstacle.imageID = element->GetAttribute(L"imageID", 0);
        level.obstacles.push_back(obstacle);
    }
}
