#include "qdl/Source/Game/CountTheMaterials/CountTheMaterialsLevelResourceFactory.h"

#include <limits>

#include "Core/Source/Log.h"
#include "Core/Source/XMLReader.h"

using namespace Corvane;

namespace
{

BuildingMaterial materialNamed(std::wstring const& text)
{
    return static_cast<BuildingMaterial>(lookUpName(text, kBuildingMaterialNames));
}

} // namespace

void CountTheMaterialsLevelResourceFactory::readLevel(CountTheMaterialsLevel& level, IAttributeContainer const&,
                                                      std::wstring const&, IXMLReader& reader,
                                                      LevelNumbers& numbers) const
{
    int const most = std::numeric_limits<int>::max();
    while (!reader.IsEOF())
    {
        XMLElement const* const element = reader.ReadElement();
        if (!element || element->kind != XMLElement::kStartElement)
            continue;
        // A pile or a request of no item shows no picture and cannot be counted.
        if (element->name == L"Request")
        {
            level.requestedNumber = numbers.wholeNumber(*element, element->name, L"number", 0, 1, most);
            level.requestedMaterial = materialNamed(element->GetAttribute(L"material"));
            level.hasRequest = true;
        }
        else if (element->name == L"Material")
        {
            MaterialData const pile = {materialNamed(element->GetAttribute(L"type")),
                                       numbers.wholeNumber(*element, element->name, L"number", 0, 1, most)};
            if (++level.pilesInFile > CountTheMaterialsLevel::kMaxPiles)
                continue;
            // A pile of n items is frame n - 1 of its material's pictures.
            numbers.pictureFrame(element->name, L"number", pile.number, pile.number - 1,
                                 buildingMaterialImageList(pile.type));
            level.materials.push_back(pile);
        }
    }
}

void CountTheMaterialsLevelResourceFactory::checkPlayable(CountTheMaterialsLevel const& level,
                                                          LevelNumbers& numbers) const
{
    if (level.pilesInFile > CountTheMaterialsLevel::kMaxPiles)
        Internal::LogWrite("%s, level %s has %d piles; the game has places for %d, the rest are left out\n",
                           numbers.getFile().c_str(), numbers.getLevel().GetString(), level.pilesInFile,
                           CountTheMaterialsLevel::kMaxPiles);
    if (!level.hasRequest)
        return numbers.refuseLevel("it has no Request");
    if (!isBuildingMaterial(level.requestedMaterial))
        return numbers.refuseLevel("it requests a material that is not known");
    bool answered = false;
    for (MaterialData const& pile : level.materials)
    {
        if (!isBuildingMaterial(pile.type))
            return numbers.refuseLevel("it has a pile of a material that is not known");
        answered |= pile.type == level.requestedMaterial && pile.number == level.requestedNumber;
    }
    if (!answered)
        numbers.refuseLevel("no pile it lays out is the one requested");
}
