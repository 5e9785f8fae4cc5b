// The story through the stacking and delivery games: a profile that stopped
// before TollerStacker continues into it, and winning it and then
// TrundelsDelivery moves the story on to PaintIt.

#include <string>

#include <gtest/gtest.h>

#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/ObjectDatabase.h"
#include "qdl/Source/Game/TollerStacker/TollerStackerMode.h"
#include "qdl/Source/Game/TrundelsDelivery/DeliveryObject.h"
#include "qdl/Source/Game/TrundelsDelivery/TrundelsDeliveryMode.h"
#include "qdl/Tests/FrontEnd/FrontEndPlaySupport.h"
#include "qdl/Tests/TollerStacker/TollerStackerTestSupport.h"

using namespace TollerStackerTest;
using FrontEndPlay::Top;

namespace
{

class TollerStackerStory : public FrontEndPlay::FrontEndPlayTest
{
};

// Until the game on top is a fresh loop (or the game has gone).
template <class Mode>
bool WaitForFreshLoop(Child& child)
{
    return child.WaitUntil(
        [] {
            Mode const* const mode = Top<Mode>();
            return !mode || !mode->isOutroStarted();
        },
        "the outro to give way");
}

// The delivery game's answer, read from the cart still to fill.
void DeliverOnce(Child& child)
{
    ASSERT_TRUE(child.WaitUntil(
        [] {
            TrundelsDeliveryMode const* const mode = Top<TrundelsDeliveryMode>();
            SceneNode const* const mask = mode ? mode->getClickMask() : nullptr;
            return mask && !mask->GlobalIsVisible();
        },
        "the click mask to hide"));
    ASSERT_TRUE(child.Wait(1.6f));
    Corvane::Vector2<int> const point = child.Look([] {
        TrundelsDeliveryMode* const mode = Top<TrundelsDeliveryMode>();
        int const needed = mode->getPatternIndexMapping()[static_cast<size_t>(
            mode->getPattern()[static_cast<size_t>(TrundelsDeliveryMode::kNumCarts - 1) % mode->getPattern().size()])];
        NodePathElement const places[] = {"GameScreenRoot", "Playfield", NodePathTerminator()};
        for (SceneNode* const place : RootDescendent(places)->GetChildren())
            for (SceneNode* const child : place->GetChildren())
            {
                DeliveryObject const* const choice = dynamic_cast<DeliveryObject*>(child->getLayoutController());
                if (choice && choice->getType() == needed)
                {
                    Corvane::Rect<float> const bounds = choice->getImageNode()->GlobalGetBounds();
                    return Corvane::Vector2<int>(static_cast<int>(bounds.x + bounds.width / 2),
                                                 static_cast<int>(bounds.y + bounds.height / 2));
                }
            }
        return Corvane::Vector2<int>(-1, -1);
    });
    ASSERT_TRUE(ClickAt(child, point));
    ASSERT_TRUE(child.WaitUntil([] { return Top<TrundelsDeliveryMode>()->isOutroStarted(); }, "the game's outro"));
}

TEST_F(TollerStackerStory, ContinuingAtStepSixPlaysTollerStackerThenTrundelsDeliveryOnToPaintIt)
{
    driver.SetAccountValue("PondoButton_Progress", "6");
    driver.Play([](Child& child) {
        ASSERT_TRUE(GameDriver::ContinueTheStory(child, "EasyButton"));
        ASSERT_TRUE(child.WaitForScreen("FennInstructionMode"));
        EXPECT_EQ((FrontEndPlay::Screens{"TollerStackerMode", "FennInstructionMode"}), child.Screens());
        ASSERT_TRUE(child.Click("OkButton"));

        int const stackLoops = 1 + ReadTable(child).roundsLeft;
        for (int loop = 0; loop < stackLoops; ++loop)
        {
            ASSERT_TRUE(WaitForFreshLoop<TollerStackerMode>(child));
            ASSERT_TRUE(WaitUntilSettled(child));
            StackEverything(child);
            if (HasFatalFailure())
                return;
        }
        ASSERT_TRUE(child.WaitForScreen("FennInstructionMode"));
        EXPECT_EQ("7", GameDriver::AccountRecord(child.AccountFile(), "PondoButton_Progress"));
        EXPECT_EQ("TrundelsDeliveryMode", child.Screens().front());
        ASSERT_TRUE(child.Click("OkButton"));

        int const deliveries = 1 + child.Look([] { return Top<TrundelsDeliveryMode>()->getLoopsLeft(); });
        for (int loop = 0; loop < deliveries; ++loop)
        {
            ASSERT_TRUE(WaitForFreshLoop<TrundelsDeliveryMode>(child));
            DeliverOnce(child);
            if (HasFatalFailure())
                return;
        }
        // The sticker, then the next step of the story (a game not built yet leaves the child there).
        ASSERT_TRUE(child.WaitForScreen("StickerUnlockMode"));
        for (int second = 0; second < 12 && GameDriver::AccountRecord(child.AccountFile(), "PondoButton_Progress") != "8";
             ++second)
            ASSERT_TRUE(child.Wait(1.0f));
        EXPECT_EQ("8", GameDriver::AccountRecord(child.AccountFile(), "PondoButton_Progress"));
    });
}

} // namespace
