#include "qdl/Source/Game/HereToThere/HereToThereHousePlacement.h"

#include <algorithm>
#include <map>
#include <set>

#include "Core/Source/Log.h"
#include "Core/Source/Random.h"
#include "qdl/Source/Game/EnumTypeDeck.h"

namespace
{

typedef std::map<int, std::set<int> > UsedPairs;

int countFreePairs(UsedPairs& used)
{
    int free = 0;
    for (int shape = 0; shape < kNumHereToThereObjectShapes; ++shape)
        for (int color = 0; color < kNumHereToThereObjectColors; ++color)
            free += used[shape].count(color) ? 0 : 1;
    return free;
}

} // namespace

int getUsedHereToThereAnimalCount(HereToThereLevel const& level)
{
    return std::min(static_cast<int>(level.animals.size()), kNumHereToThereAnimalSlots);
}

void placeHereToThereHouses(HereToThereLevel const& level, HereToThereHouseSite& site)
{
    int const animals = getUsedHereToThereAnimalCount(level);
    if (animals < static_cast<int>(level.animals.size()))
        Corvane::Internal::LogWrite("HereToThere: the level lists %d animals; only the first %d are used\n",
                                    static_cast<int>(level.animals.size()), animals);

    EnumTypeDeck<int> slots(kNumHereToThereHouseSlots);
    UsedPairs used;
    int placed = 0;
    for (int i = 0; i < animals; ++i)
    {
        HereToThereAnimalData const& animal = level.animals[i];
        int const slot = slots.DrawCard();
        site.placeHouse(slot, animal.color, animal.type, slot / kNumHereToThereHouseSlotsPerRoad);
        ++placed;
        used[animal.type].insert(animal.color);
        if (level.matchColor)
            for (int shape = 0; shape < kNumHereToThereObjectShapes; ++shape)
                used[shape].insert(animal.color);
    }

    while (placed < level.numBuildings)
    {
        if (slots.getCardsLeft() == 0)
        {
            Corvane::Internal::LogWrite("HereToThere: the level wants %d houses; only %d slots are there\n",
                                        level.numBuildings, kNumHereToThereHouseSlots);
            break;
        }
        // Without a free pair the redraw below would never end.
        if (countFreePairs(used) == 0)
        {
            Corvane::Internal::LogWrite("HereToThere: the level wants %d houses; no colour and shape is left "
                                        "for more than %d\n",
                                        level.numBuildings, placed);
            break;
        }
        int color;
        int shape;
        do
        {
            color = Corvane::Random::GetIntRange(kNumHereToThereObjectColors - 1);
            shape = Corvane::Random::GetIntRange(kNumHereToThereObjectShapes - 1);
        } while (used[shape].count(color));
        int const slot = slots.DrawCard();
        site.placeHouse(slot, static_cast<HereToThereObjectColor>(color), static_cast<HereToThereObjectShape>(shape),
                        slot / kNumHereToThereHouseSlotsPerRoad);
        ++placed;
        used[shape].insert(color);
    }

    while (slots.getCardsLeft() > 0)
        site.placeDummyHouse(slots.DrawCard());
}
