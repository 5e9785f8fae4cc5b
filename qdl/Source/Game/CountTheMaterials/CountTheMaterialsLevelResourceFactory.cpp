#include "qdl/Source/Game/CountTheMaterials/CountTheMaterialsLevelResourceFactory.h"

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
                                                      IXMLReader& reader) const
{
    while (!reader.IsEOF())
    {
        XMLElement const* const element = reader.ReadElement();
        if (!element || element->kind != XMLElement::kStartElement)
            continue;
        if (element->name == L"Request")
        {
            level.requestedNumber = element->GetAttribute(L"number", 0);
            level.requestedMaterial = materialNamed(element->GetAttribute(L"material"));
            level.hasRequest = true;
        }
        else if (element->name == L"Material")
        {
            MaterialData const pile = {materialNamed(element->GetAttribute(L"type")),
                                       element->GetAttribute(L"number", 0)};
            if (++level.pilesInFile <= CountTheMaterialsLevel::kMaxPiles)
                level.materials.push_back(pile);
        }
    }
}

bool CountTheMaterialsLevelResourceFactory::isPlayable(CountTheMaterialsLevel const& level, Label name) const
{
    if (level.pilesInFile > CountTheMaterialsLevel::kMaxPiles)
        Internal::LogWrite("CountTheMaterials level %s has %d piles; the game has places for %d, the rest are left out\n",
                           name.GetString(), level.pilesInFile, CountTheMaterialsLevel::kMaxPiles);
    if (!level.hasRequest)
    {
        Internal::LogWrite("CountTheMaterials level %s has no Request and is not used\n", name.GetString());
        return false;
    }
    if (!isBuildingMaterial(level.requestedMaterial))
    {
        Internal::LogWrite("CountTheMaterials level %s requests a material that is not known and is not used\n",
                           name.GetString());
        return false;
    }
    for (MaterialData const& pile : level.materials)
        if (!isBuildingMaterial(pile.type))
        {
            Internal::LogWrite("CountTheMaterials level %s has a pile of a material that is not known and is not used\n",
                               name.GetString());
            return false;
        }
    return true;
}
