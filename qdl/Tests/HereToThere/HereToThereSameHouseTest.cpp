// The truck waiting at a wrong house with its caged animal leaves the whole
// house open to the mouse: clicked again in its middle, where the riding cage
// or the truck's picture covers it, the house sends the truck on a new
// delivery from where it stands, the way round when the house lies behind it
// and straight on when ahead, and the animal is refused again. The truck's
// picture off the house still sounds the horn. Played through the driver,
// facing either way.

#include <limits>

#include <gtest/gtest.h>

#include "2DEngine/Source/Framework/ObjectDatabase.h"
#include "CorvaneExtensions/Source/SceneNode.h"
#include "qdl/Source/Game/HereToThere/HereToThereCart.h"
#include "qdl/Source/Game/HereToThere/HereToThereMode.h"
#include "qdl/Source/Game/HereToThere/HereToThereTarget.h"
#include "qdl/Tests/Driver/GameDriver.h"
#include "qdl/Tests/Driver/MiniGamePlay.h"
#include "qdl/Tests/HereToThere/HereToThereSupport.h"

using Corvane::Vector2;
using GameDriver::Child;
using GameDriver::CountPlays;
using GameDriver::SaveGameScreenshot;
using namespace HereToThereSupport;

namespace
{

using HereToThereSameHouse = HardGamePlay;

SceneNode* Named(SceneNode* node, char const* name)
{
    return node ? node->GetChildByName(Corvane::Label::GetUniqueString(name)) : nullptr;
}

// The point of the house's picture nearest its middle where the mouse meets the cover instead: the
// riding cage's mouse area or the truck's picture; (-1, -1) when the cover lies over none of it.
Vector2<float> CoveredPoint(Corvane::ObjectID house, SceneNode const* cover)
{
    HereToThereTarget* const target = House(house);
    SceneNode* const picture = target ? Named(target->GetLayoutNode(), "imageNode") : nullptr;
    Vector2<float> best(-1.0f, -1.0f);
    if (!picture || !cover)
        return best;
    Corvane::Rect<float> const bounds = picture->GlobalGetBounds();
    Vector2<float> const middle(bounds.x + bounds.width / 2, bounds.y + bounds.height / 2);
    float nearest = std::numeric_limits<float>::max();
    for (float y = bounds.y + 1.0f; y < bounds.y + bounds.height; y += 3.0f)
        for (float x = bounds.x + 1.0f; x < bounds.x + bounds.width; x += 3.0f)
        {
            float const distance = (x - middle.x) * (x - middle.x) + (y - middle.y) * (y - middle.y);
            if (distance < nearest && Game()->GetRootNode()->GetDescendentAtLocation(Vector2<float>(x, y)) == cover)
            {
                nearest = distance;
                best = Vector2<float>(x, y);
            }
        }
    return best;
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

        // The first click of the house in its middle; once the truck waits there, facing the other way each
        // time it came round, a click where its cage covers the house and one where its picture does.
        int directWays = 0;
        for (int click = 1; click <= 3; ++click)
        {
            SCOPED_TRACE(click);
            bool const direct = child.Look([houseID] { return DirectWayTo(houseID); });
            directWays += direct ? 1 : 0;
            int const selects = CountPlays(child, "SFX_SelectItem");
            int const shortDrives = CountPlays(child, "SFX_TrundelMoveShort");
            int const longDrives = CountPlays(child, "SFX_TrundelMoveLong");
            Vector2<float> const point = click == 1 ? house.centre : child.Look([click, animalID, houseID] {
                SceneNode* const cover = click == 2 ? Named(AnimalNode(animalID), "clickRect")
                                                    : Named(Cart()->GetLayoutNode(), "imageNode");
                return CoveredPoint(houseID, cover);
            });
            ASSERT_LE(0.0f, point.x) << "the truck covers none of the house";
            ASSERT_TRUE(ClickAt(child, point));
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
            SaveGameScreenshot(child, "HereToThere_Waiting_" + std::to_string(click));
        }
        EXPECT_EQ(0, CountPlays(child, "SFX_TrundelHorn"));
        // The truck's picture where it stands on the road, off the house, sounds the horn and sends nothing.
        Vector2<float> const road = child.Look([] {
            SceneNode* const truck = Named(Cart()->GetLayoutNode(), "imageNode");
            Corvane::Rect<float> const bounds = truck->GlobalGetBounds();
            Vector2<float> const corner(bounds.x + 4.0f, bounds.y + bounds.height - 4.0f);
            return Game()->GetRootNode()->GetDescendentAtLocation(corner) == truck ? corner : Vector2<float>(-1, -1);
        });
        ASSERT_LE(0.0f, road.x);
        int const selects = CountPlays(child, "SFX_SelectItem");
        ASSERT_TRUE(ClickAt(child, road));
        EXPECT_EQ(1, CountPlays(child, "SFX_TrundelHorn"));
        EXPECT_EQ(selects, CountPlays(child, "SFX_SelectItem"));
        EXPECT_FALSE(child.Look([] { return MaskShown(); }));
        // From the loading row and from the house's middle facing right the way is round; facing left, straight on.
        EXPECT_EQ(1, directWays);
        EXPECT_EQ(0, CountPlays(child, "General_CorrectAnswer"));
    });
}

} // namespace
