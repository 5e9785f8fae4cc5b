#include "qdl/Source/Game/StreetSigns/StreetSignLevelResourceFactory.h"

#include "Core/Source/Log.h"
#include "Core/Source/XMLReader.h"

using namespace Corvane;

void StreetSignLevelResourceFactory::readLevel(StreetSignLevel& level, IAttributeContainer const&,
                                               IXMLReader& reader) const
{
    char const* const name = static_cast<ResourceWrapper<StreetSignLevel>&>(level).GetName().GetString();
    int unknown = 0;
    int signs = 0;
    while (!reader.IsEOF())
    {
        XMLElement const* const element = reader.ReadElement();
        if (!element || element->kind != XMLElement::kStartElement)
            continue;
        if (element->name == L"attRequest")
        {
            if (element->HasAttribute(L"color"))
                level.attRequests.push_back(Label::FromString(element->GetAttribute(L"color")));
            if (element->HasAttribute(L"shape"))
                level.attRequests.push_back(Label::FromString(element->GetAttribute(L"shape")));
        }
        else if (element->name == L"signEntry")
        {
            StreetSignData sign;
            sign.color = static_cast<StreetSignColor>(lookUpName(element->GetAttribute(L"color"), kStreetSignColorNames));
            sign.shape = static_cast<StreetSignShape>(lookUpName(element->GetAttribute(L"shape"), kStreetSignShapeNames));
            if (sign.color < 0 || sign.shape < 0)
                ++unknown;
            else if (++signs <= StreetSignLevel::kMaxSigns)
                level.signEntries.push_back(sign);
        }
    }
    if (unknown > 0)
        Internal::LogWrite("StreetSigns level %s: %d signs name a colour or shape that is not known and are left out\n",
                           name, unknown);
    if (signs > StreetSignLevel::kMaxSigns)
        Internal::LogWrite("StreetSigns level %s has %d signs; the game has places for %d, the rest are left out\n", name,
                           signs, StreetSignLevel::kMaxSigns);
}
