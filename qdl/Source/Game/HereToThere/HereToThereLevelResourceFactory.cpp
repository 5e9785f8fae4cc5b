#include "qdl/Source/Game/HereToThere/HereToThereLevelResourceFactory.h"

#include "2DEngine/Source/Framework/AttributeContainer.h"

void HereToThereLevelResourceFactory::readLevel(HereToThereLevel& level, Corvane::IAttributeContainer const& attributes,
                                                Corvane::IXMLReader& reader) const
{
    level.numBuildings = attributes.GetAttribute(L"numBuildings", 0);
    // Only the exact word: "1", "TRUE" or "trueish" must not turn the decoys' colour rule on.
    level.matchColor = attributes.GetAttribute(L"matchColor") == L"true";
    while (!reader.IsEOF())
    {
        Corvane::XMLElement const* const element = reader.ReadElement();
        if (!element || element->kind != Corvane::XMLElement::kStartElement || element->name != L"Animal")
            continue;
        HereToThereAnimalData animal;
        animal.type = static_cast<HereToThereObjectShape>(
            lookUpName(element->GetAttribute(L"type"), kHereToThereObjectShapeNames));
        animal.color = static_cast<HereToThereObjectColor>(
            lookUpName(element->GetAttribute(L"color"), kHereToThereObjectColorNames));
        level.animals.push_back(animal);
    }
}
