#include "qdl/Source/Game/TrundelsDelivery/TrundelsDeliveryLevelResourceFactory.h"

#include "Core/Source/Log.h"
#include "Core/Source/StringUtils.h"
#include "Core/Source/XMLReader.h"

using namespace Corvane;

std::vector<int> TrundelsDeliveryLevelResourceFactory::readPattern(std::wstring const& order)
{
    return readPatternLetters(order);
}

void TrundelsDeliveryLevelResourceFactory::readLevel(TrundelsDeliveryLevel& level,
                                                     IAttributeContainer const& attributes, IXMLReader& reader) const
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
            Internal::LogWrite("TrundelsDelivery level %s: a Pattern without the letters A, B or C is left out\n",
                               TruncateStringWideToASCII(attributes.GetAttribute(L"name")).c_str());
            continue;
        }
        level.patterns.push_back(std::move(pattern));
    }
}
