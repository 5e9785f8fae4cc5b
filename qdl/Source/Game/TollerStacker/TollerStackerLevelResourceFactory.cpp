#include "qdl/Source/Game/TollerStacker/TollerStackerLevelResourceFactory.h"

#include <algorithm>
#include <limits>
#include <set>
#include <string>
#include <utility>

#include "Core/Source/Log.h"
#include "Core/Source/XMLReader.h"
#include "qdl/Source/Game/TollerStacker/StackableObject.h"

using namespace Corvane;

void TollerStackerLevelResourceFactory::readLevel(TollerStackerLevel& level, IAttributeContainer const&,
                                                  std::wstring const&, IXMLReader& reader, LevelNumbers& numbers) const
{
    char const* const name = numbers.getLevel().GetString();
    char const* const file = numbers.getFile().c_str();
    while (!reader.IsEOF())
    {
        XMLElement const* const element = reader.ReadElement();
        if (!element || element->kind != XMLElement::kStartElement || element->name != L"StackObject")
            continue;
        // Size 1 is the smallest picture; 0 or less shows none.
        StackableObjectData const object = {
            numbers.wholeNumber(*element, element->name, L"size", 0, 1, std::numeric_limits<int>::max()),
            static_cast<StackObjectColor>(lookUpName(element->GetAttribute(L"color"), kStackObjectColorNames)),
            static_cast<StackObjectType>(lookUpName(element->GetAttribute(L"type"), kStackObjectTypeNames))};
        if (object.color < 0 || object.type < 0)
        {
            Internal::LogWrite("%s, level %s: a StackObject of an unknown colour or type is left out\n", file, name);
            continue;
        }
        int const sameColor = static_cast<int>(std::count_if(
            level.objects.begin(), level.objects.end(),
            [&object](StackableObjectData const& other) { return other.color == object.color; }));
        if (static_cast<int>(level.objects.size()) >= TollerStackerLevel::kMaxObjects ||
            sameColor >= TollerStackerLevel::kMaxObjectsPerColor)
        {
            Internal::LogWrite("%s, level %s: more than %d objects, or %d of one colour; the rest are left out\n", file,
                               name, TollerStackerLevel::kMaxObjects, TollerStackerLevel::kMaxObjectsPerColor);
            continue;
        }
        numbers.pictureFrame(element->name, L"size", object.size, object.size - 1,
                             StackableObject::imageListOf(object.color, object.type));
        level.objects.push_back(object);
    }
}

void TollerStackerLevelResourceFactory::checkPlayable(TollerStackerLevel const& level, LevelNumbers& numbers) const
{
    if (level.objects.empty())
        return numbers.refuseLevel("it has no StackObject the game can place");
    // Two objects of one colour and size share one right place: a stack holding both is never right.
    std::set<std::pair<int, int> > sizes;
    for (StackableObjectData const& object : level.objects)
        if (!sizes.insert(std::make_pair(static_cast<int>(object.color), object.size)).second)
            return numbers.refuseLevel("two of its objects have one colour and size " + std::to_string(object.size));
}
