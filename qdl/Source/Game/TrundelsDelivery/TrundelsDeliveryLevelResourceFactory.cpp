#include "qdl/Source/Game/TrundelsDelivery/TrundelsDeliveryLevelResourceFactory.h"

#include "Core/Source/Log.h"
#include "Core/Source/XMLReader.h"

using namespace Corvane;

std::vector<int> TrundelsDeliveryLevelResourceFactory::readPattern(std::wstring const& order)
{
    return readPatternLetters(order);
}

void TrundelsDeliveryLevelResourceFactory::readLevel(TrundelsDeliveryLevel& level, IAttributeContainer const&,
                                                     std::wstring const&, IXMLReader& reader,
                                                     LevelNumbers& numbers) const
{
    while (!reader.IsEOF())
    {
        XMLElement const* const element = reader.ReadElement();
        if (!element || element->kind != XMLElement::kStartElement || element->name != L"Pattern")
            continue;
        std::vector<int> pattern = readPattern(element->GetAttribute(L"order"));
        // The game steps through a pattern modulo its length.
        if (pattern.empty())
        {
            Internal::LogWrite("%s, level %s: a Pattern without the letters A, B or C is left out\n",
                               numbers.getFile().c_str(), numbers.getLevel().GetString());
            continue;
        }
        level.patterns.push_back(std::move(pattern));
    }
}

void TrundelsDeliveryLevelResourceFactory::checkPlayable(TrundelsDeliveryLevel const& level,
                                                         LevelNumbers& numbers) const
{
    if (level.patterns.empty())
        numbers.refuseLevel("it has no Pattern with the letters A, B or C");
}
