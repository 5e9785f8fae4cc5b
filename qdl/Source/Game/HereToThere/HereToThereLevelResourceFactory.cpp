#include "qdl/Source/Game/HereToThere/HereToThereLevelResourceFactory.h"

#include "2DEngine/Source/Framework/AttributeContainer.h"
#include "qdl/Source/Game/HereToThere/HereToThereHousePlacement.h"

void HereToThereLevelResourceFactory::readLevel(HereToThereLevel& level, Corvane::IAttributeContainer const& attributes,
                                                std::wstring const& tag, Corvane::IXMLReader& reader,
                                                LevelNumbers& numbers) const
{
    // The houses stand in the slots of the three roads.
    level.numBuildings = numbers.wholeNumber(attributes, tag, L"numBuildings", 0, 0, kNumHereToThereHouseSlots);
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

void HereToThereLevelResourceFactory::checkPlayable(HereToThereLevel const& level, LevelNumbers& numbers) const
{
    // With no animal to deliver the game would wait for ever.
    if (level.animals.empty())
        numbers.refuseLevel("it has no Animal");
}
