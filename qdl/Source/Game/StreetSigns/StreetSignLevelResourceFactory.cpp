#include "qdl/Source/Game/StreetSigns/StreetSignLevelResourceFactory.h"

#include "Core/Source/Log.h"
#include "Core/Source/XMLReader.h"

using namespace Corvane;

void StreetSignLevelResourceFactory::readLevel(StreetSignLevel& level, IAttributeContainer const&, std::wstring const&,
                                               IXMLReader& reader, LevelNumbers& numbers) const
{
    char const* const name = numbers.getLevel().GetString();
    char const* const file = numbers.getFile().c_str();
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
        Internal::LogWrite("%s, level %s: %d signs name a colour or shape that is not known and are left out\n",
                           file, name, unknown);
    if (signs > StreetSignLevel::kMaxSigns)
        Internal::LogWrite("%s, level %s has %d signs; the game has places for %d, the rest are left out\n", file,
                           name, signs, StreetSignLevel::kMaxSigns);
}

void StreetSignLevelResourceFactory::checkPlayable(StreetSignLevel const& level, LevelNumbers& numbers) const
{
    // The child collects signs for a request: without either the loop never ends.
    if (level.attRequests.empty())
        numbers.refuseLevel("it has no attRequest");
    else if (level.signEntries.empty())
        numbers.refuseLevel("it has no signEntry the game can show");
}
