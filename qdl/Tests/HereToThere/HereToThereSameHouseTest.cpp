// The truck waiting at a wrong house with its caged animal leaves that house
// open to the mouse: clicked again where a child clicks it, in its middle, the
// house sends the truck on a new delivery from where it stands, the way round
// when the house lies behind it and straight on when ahead, and the animal is
// refused again. Played through the driver, facing either way.

#include <gtest/gtest.h>

#include "2DEngine/Source/Framework/ObjectDatabase.h"
#include "CorvaneExtensions/Source/SceneNode.h"
#include "qdl/Source/Game/HereToThere/HereToThereMode.h"
#include "qdl/Source/Game/HereToThere/HereToThereTarget.h"
#include "qdl/Tests/Driver/GameDriver.h"
#include "qdl/Tests/Driver/MiniGamePlay.h"
#include "qdl/Tests/HereToThere/HereToThereSupport.h"

using Corvane::Vector2;
using GameDriver::Child;
using GameDriver::CountPlays;
using namespace HereToThereSupport;

namespace
{

using HereToThereSameHouse = HardGamePlay;

// What the mouse meets at the point: the house's picture when it is open to clicks.
bool HousePictureAt(Corvane::ObjectID house, Vector2<float> const& point)
{
    HereToThereTarget* const target = House(house);
    SceneNode* const picture = target ? target->GetLayoutNode()->GetChildByName(
                                            Corvane::Label::GetUniqueString("imageNode"))
                                      : nullptr;
    return picture && Game()->GetRootNode()->GetDescendentAtLocation(point) == picture;
}

// A house that refuses the animal: another colour or another shape, or both.
sPiece WrongHouseFor(std::pair<int, int> flag)
{
    for (bool const sameColour : {false, true})
        for (bool const sameShape : {false, true})
        {
            sPiece const house = HouseDiffering(flag, sameColour, sameShape);
            if (house.found)
                return house;
        }
    return sPiece();
}

TEST_F(HereToThereSameHouse, TheWrongHouseClickedAgainSendsTheTruckAgainFacingEitherWay)
{
    driver.Play([](Child& child) {
        ASSERT_TRUE(PassInstructions(child));
        sPiece const animal = child.Look([] { return WaitingAnimal(); });
        ASSERT_TRUE(animal.found);
        sPiece const house = child.Look([&animal] { return WrongHouseFor(animal.flag); });
        ASSERT_TRUE(house.found) << "the level drawn had no house but the animal's own";
        Corvane::ObjectID const animalID = animal.id;
        Corvane::ObjectID const houseID = house.id;
        ASSERT_TRUE(ClickAt(child, animal.centre));
        ASSERT_GE(child.FramesUntil([animalID] { return AnimalOnTruck(animalID) && !MaskShown(); }, "the animal on the truck"), 0);

        // The first click of the house and two more once the truck waits there, facing the other way each
        // time it came round.
        int directWays = 0;
        for (int click = 1; click <= 3; ++click)
        {
            SCOPED_TRACE(click);
            bool const direct = child.Look([houseID] { return DirectWayTo(houseID); });
            directWays += direct ? 1 : 0;
            int const selects = CountPlays(child, "SFX_SelectItem");
            int const shortDrives = CountPlays(child, "SFX_TrundelMoveShort");
            int const longDrives = CountPlays(child, "SFX_TrundelMoveLong");
            if (click > 1)
            {
                EXPECT_TRUE(child.Look([houseID, &house] { return HousePictureAt(houseID, house.centre); }));
            }
            ASSERT_TRUE(ClickAt(child, house.centre));
            EXPECT_EQ(selects + 1, CountPlays(child, "SFX_SelectItem"));
            EXPECT_EQ(shortDrives + (direct ? 1 : 0), CountPlays(child, "SFX_TrundelMoveShort"));
            EXPECT_EQ(longDrives + (direct ? 0 : 1), CountPlays(child, "SFX_TrundelMoveLong"));
            EXPECT_TRUE(child.Look([] { return MaskShown(); }));
            // The mouse is free again once the house has refused the animal, and its voice says so.
            ASSERT_GE(child.FramesUntil([] { return !MaskShown(); }, "the click mask to hide"), 0);
            for (int frame = 0; frame < 250 && CountPlays(child, "HereToThere_IncorrectAnswer") < click; ++frame)
                ASSERT_TRUE(child.Frames(1));
            EXPECT_EQ(click, CountPlays(child, "HereToThere_IncorrectAnswer"));
            EXPECT_TRUE(child.Look([animalID, houseID] {
                return AnimalOnTruck(animalID) && StandsAt(houseID);
            }));
        }
        // From the loading row and from the house's middle facing right the way is round; facing left, straight on.
        EXPECT_EQ(1, directWays);
        EXPECT_EQ(0, CountPlays(child, "General_CorrectAnswer"));
    });
}

} // namespace
