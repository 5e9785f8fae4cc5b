#include "qdl/Source/Game/TollerStacker/TollerStackerLevelResourceFactory.h"

#include <algorithm>

#include "Core/Source/Log.h"
#include "Core/Source/StringUtils.h"
#include "Core/Source/XMLReader.h"

using namespace Corvane;

void TollerStackerLevelResourceFactory::readLevel(TollerStackerLevel& level, IAttributeContainer const& attributes,
                                                  IXMLReader& reader) const
{
    std::string const name = TruncateStringWideToASCII(attributes.GetAttribute(L"name"));
    while (!reader.IsEOF())
    {
        XMLElement const* const element = reader.ReadElement();
        if (!element || element->kind != XMLElement::kStartElement || element->name != L"StackObject")
            continue;
        StackableObjectData const object = {
            element->GetAttribute(L"size", 0),
            static_cast<StackObjectColor>(lookUpName(element->GetAttribute(L"color"), kStackObjectColorNames)),
            static_cast<StackObjectType>(lookUpName(element->GetAttribute(L"type"), kStackObjectTypeNames))};
        if (object.color < 0 || object.type < 0)
        {
            Internal::LogWrite("TollerStacker level %s: a StackObject of an unknown colour or type is left out\n",
                               name.c_str());
            continue;
        }
        int const sameColor = static_cast<int>(std::count_if(
            level.objects.begin(), level.objects.end(),
            [&object](StackableObjectData const& other) { return other.color == object.color; }));
        if (static_cast<int>(level.objects.size()) >= TollerStackerLevel::kMaxObjects ||
            sameColor >= TollerStackerLevel::kMaxObjectsPerColor)
        {
            Internal::LogWrite("TollerStacker level %s: more than %d objects, or %d of one colour; the rest are left out\n",
                               name.c_str(), TollerStackerLevel::kMaxObjects, TollerStackerLevel::kMaxObjectsPerColor);
            continue;
        }
        level.objects.push_back(object);
    }
}
