// The delivery game's answers as a child meets them through the driver: every
// wrong choice answered by the voice its fault calls for and taken away while
// cart 6 stays empty; two presses in one frame answered once; the truck's horn.

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "2DEngine/Source/Framework/ObjectDatabase.h"
#include "CorvaneExtensions/Source/SceneNode.h"
#include "CorvaneExtensions/Source/SpriteNodes.h"
#include "qdl/Source/Game/TrundelsDelivery/DeliveryObject.h"
#include "qdl/Source/Game/TrundelsDelivery/TrundelsDeliveryConstants.h"
#include "qdl/Source/Game/TrundelsDelivery/TrundelsDeliveryMode.h"
#include "qdl/Tests/FrontEnd/FrontEndPlaySupport.h"
#include "qdl/Tests/TrundelsDelivery/TrundelsDeliveryTestSupport.h"

using namespace TrundelsDeliveryTest;
using FrontEndPlay::Top;

namespace
{

class TrundelsDeliveryRules : public FrontEndPlay::FrontEndPlayTest
{
};

// On the loop's thread.
bool craneIsSad()
{
    TrundelsDeliveryMode const* const mode = Top<TrundelsDeliveryMode>();
    AnimatedSpriteNode const* const crane = mode ? mode->getCrane() : nullptr;
    return crane && crane->IsAnimationPlaying(Corvane::Label::GetUniqueString("Sad"));
}

TEST_F(TrundelsDeliveryRules, EachWrongChoiceIsNamedByItsFaultAndGoesWhileCartSixStaysEmpty)
{
    StartGame(driver, kGameModeDifficulty_Medium);
    driver.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen("TrundelsDeliveryMode"));
        ASSERT_TRUE(WaitUntilReady(child));
        std::string why;
        int const needed = NeededType(ReadYard(child), &why);
        ASSERT_GE(needed, 0) << why;
        std::vector<sChoice> wrong;
        for (sChoice const& choice : ReadYard(child).choices)
            if (choice.type != needed)
                wrong.push_back(choice);
        ASSERT_EQ(4u, wrong.size());

        for (size_t i = 0; i < wrong.size(); ++i)
        {
            SCOPED_TRACE("wrong choice " + std::to_string(i + 1));
            size_t const before = child.Sounds().size();
            ASSERT_TRUE(ClickAt(child, wrong[i].centre));
            sYard const answering = ReadYard(child);
            EXPECT_TRUE(answering.maskShown);
            // Down, up, into the cart: then the crane is sad and the voice says why.
            ASSERT_TRUE(child.WaitUntil(craneIsSad, "the sad crane"));
            EXPECT_FALSE(ReadYard(child).carts[5].cargoShown);
            ASSERT_TRUE(WaitUntilReady(child));
            sYard const after = ReadYard(child);
            EXPECT_EQ(wrong.size() - i, after.choices.size());
            EXPECT_EQ(nullptr, ChoiceOfType(after, wrong[i].type));
            EXPECT_FALSE(after.carts[5].cargoShown);
            EXPECT_EQ(1u, after.cartsToFill);
            EXPECT_FALSE(after.answering);
            std::vector<std::string> const sounds = SoundsSince(child, before);
            EXPECT_EQ(1, CountOf(sounds, wrongChoiceLine(wrong[i].type, needed)));
            EXPECT_EQ(0, CountOf(sounds, "General_CorrectAnswer"));
        }
        // The right one is left, and still wins.
        DeliverTheRightCargo(child);
        ASSERT_TRUE(child.WaitUntil([] { return Top<TrundelsDeliveryMode>()->isOutroStarted(); }, "the game's outro"));
    });
}

TEST_F(TrundelsDeliveryRules, TwoPressesInOneFrameStartOneAnswerAndTheTruckHonks)
{
    StartGame(driver, kGameModeDifficulty_Easy);
    driver.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen("TrundelsDeliveryMode"));
        ASSERT_TRUE(WaitUntilReady(child));
        size_t const horn = child.Sounds().size();
        // On the cab, where the truck's picture is solid.
        Corvane::Vector2<int> const cab = child.Look([] {
            Corvane::Rect<float> const truck =
                GameDriver::Child::FindNode("GameScreenRoot/Playfield/CargoRoot/Cart_1/DeliveryCart/cart")
                    ->GlobalGetBounds();
            return Corvane::Vector2<int>(static_cast<int>(truck.x + 35), static_cast<int>(truck.y + 60));
        });
        ASSERT_TRUE(ClickAt(child, cab));
        EXPECT_EQ(1, CountOf(SoundsSince(child, horn), "SFX_TrundelHorn"));

        std::string why;
        sYard const yard = ReadYard(child);
        int const needed = NeededType(yard, &why);
        ASSERT_GE(needed, 0) << why;
        std::vector<Corvane::ObjectID> ids;
        ids.push_back(ChoiceOfType(yard, needed)->id);
        for (sChoice const& choice : yard.choices)
            if (choice.type != needed)
                ids.push_back(choice.id);
        size_t const before = child.Sounds().size();
        // The right choice and a wrong one pressed before the mask can show.
        child.RunOnLoop([&ids] {
            Corvane::ObjectDatabase* const database = Corvane::GetObjectDatabase();
            for (size_t i = 0; i < 2; ++i)
                dynamic_cast<DeliveryObject*>(database->GetObject(ids[i]))->handleMouseDown();
        });
        EXPECT_EQ(1, CountOf(SoundsSince(child, before), "SFX_TollerArm"));
        ASSERT_TRUE(child.WaitUntil([] { return Top<TrundelsDeliveryMode>()->isOutroStarted(); }, "the game's outro"));
        // A late call finds no cart to fill and does nothing.
        child.RunOnLoop([] { Top<TrundelsDeliveryMode>()->patternComplete(); });
        sYard const done = ReadYard(child);
        EXPECT_EQ(5u, done.choices.size());
        EXPECT_TRUE(done.carts[5].cargoShown);
        EXPECT_EQ(1, CountOf(SoundsSince(child, before), "General_CorrectAnswer"));
        EXPECT_EQ(0, CountOf(SoundsSince(child, before), "TrundelsDelivery_Wrong") +
                         CountOf(SoundsSince(child, before), "TrundelsDelivery_WrongType") +
                         CountOf(SoundsSince(child, before), "TrundelsDelivery_WrongColor"));
    });
}

} // namespace
