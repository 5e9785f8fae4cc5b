// The animation controller stepping animations through simulated time.

#include "CorvaneExtensions/Source/AnimationController.h"
#include "CorvaneExtensions/Source/SpriteAnimation.h"
#include "CorvaneExtensions/Source/SpriteType.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace Corvane;

namespace
{

Label L8(char const* text)
{
    return Label::GetUniqueString(text);
}

// An animation of the frame list, each frame lasting 0.1 s.
SpriteAnimation Make(char const* name, char const* frames, int plays, bool pingPong = false,
                     char const* linked = nullptr)
{
    SpriteAnimation animation(L8(name), plays, pingPong, linked ? L8(linked) : Label());
    animation.SetFrameListString(frames, 10.0f, false);
    return animation;
}

// The image shown after each step of 0.1 s (in two halves, so that frames change
// between updates too), starting with the image shown before any time passed.
std::vector<int> Shown(AnimationController& controller, int steps)
{
    std::vector<int> shown{controller.GetImageIndex()};
    for (int i = 0; i < steps; ++i)
    {
        controller.Update(0.0501f);
        controller.Update(0.05f);
        shown.push_back(controller.GetImageIndex());
    }
    return shown;
}

} // namespace

// ---- Normal case ------------------------------------------------------------------------------

TEST(AnimationControllerTest, APingPongRunsBackAndForthUsingAPlayPerPassAndStopsOnTheLastFrame)
{
    SpriteAnimation const spin = Make("Giro", "0-3", 3, true);
    AnimationController controller;
    controller.SetAnimation(&spin, false);
    EXPECT_EQ((std::vector<int>{0, 1, 2, 3, 2, 1, 0, 1, 2, 3, 3, 3}), Shown(controller, 11));
    EXPECT_EQ(nullptr, controller.GetCurAnimation());
    EXPECT_TRUE(controller.GetCurAnimationName().IsNull());
}

TEST(AnimationControllerTest, ALoopStartsAgainAtTheFirstFrameAndAForeverAnimationNeverStops)
{
    SpriteAnimation const loop = Make("Vuelta", "4,5,6", 2);
    AnimationController controller;
    controller.SetAnimation(&loop, false);
    EXPECT_EQ((std::vector<int>{4, 5, 6, 4, 5, 6, 6}), Shown(controller, 6));

    SpriteAnimation const forever = Make("Siempre", "1,2", -1);
    controller.SetAnimation(&forever, false);
    std::vector<int> const shown = Shown(controller, 200);
    EXPECT_EQ(1, shown.back());
    EXPECT_EQ(2, shown[199]);
    EXPECT_EQ(L8("Siempre"), controller.GetCurAnimationName());
}

TEST(AnimationControllerTest, ALinkedAnimationFollowsOnItsFirstFrameWithoutLosingTime)
{
    SpriteType type(L8("Tipo"), L8("Cuadros"));
    type.AddAnimation(Make("Uno", "1,2", 1, false, "Dos"));
    type.AddAnimation(Make("Dos", "7,8", 1));
    AnimationController controller;
    controller.SetAnimation(type.GetAnimation(L8("Uno")), false);

    controller.Update(0.15f);
    EXPECT_EQ(2, controller.GetImageIndex());
    // 0.25 s in: the second frame of "Uno" ended at 0.2, so "Dos" shows its first
    // frame and is 0.05 s into it.
    controller.Update(0.1f);
    EXPECT_EQ(L8("Dos"), controller.GetCurAnimationName());
    EXPECT_EQ(7, controller.GetImageIndex());
    controller.Update(0.06f);
    EXPECT_EQ(8, controller.GetImageIndex());
    controller.Update(0.1f);
    EXPECT_EQ(nullptr, controller.GetCurAnimation());
    EXPECT_EQ(8, controller.GetImageIndex());
}

TEST(AnimationControllerTest, OneLargeStepPassesSeveralFrames)
{
    SpriteAnimation const walk = Make("Paso", "0-5", 1);
    AnimationController controller;
    controller.SetAnimation(&walk, false);
    controller.Update(0.35f);
    EXPECT_EQ(3, controller.GetImageIndex());
    EXPECT_EQ(3, controller.GetFramePosition());
}

TEST(AnimationControllerTest, SettingTheRunningAnimationAgainKeepsItsPlaceUnlessRestarted)
{
    SpriteAnimation const walk = Make("Paso", "0-5", 1);
    AnimationController controller;
    controller.SetAnimation(&walk, false);
    controller.Update(0.25f);
    controller.SetAnimation(&walk, false);
    EXPECT_EQ(2, controller.GetImageIndex());
    controller.Update(0.06f);
    EXPECT_EQ(3, controller.GetImageIndex());

    controller.SetAnimation(&walk, true);
    EXPECT_EQ(0, controller.GetImageIndex());
    controller.Update(0.06f);
    EXPECT_EQ(0, controller.GetImageIndex());
}

TEST(AnimationControllerTest, ANullAnimationStopsOnImageZeroAndAFrameIndexStopsOnThatImage)
{
    SpriteAnimation const walk = Make("Paso", "3-5", -1);
    AnimationController controller;
    EXPECT_EQ(0, controller.GetImageIndex());
    EXPECT_TRUE(controller.GetName().IsNull());
    controller.SetAnimation(&walk, false);
    EXPECT_EQ(3, controller.GetImageIndex());
    controller.SetFrameIndex(9);
    EXPECT_EQ(nullptr, controller.GetCurAnimation());
    controller.Update(5.0f);
    EXPECT_EQ(9, controller.GetImageIndex());

    controller.SetAnimation(&walk, false);
    controller.SetAnimation(nullptr, false);
    EXPECT_EQ(0, controller.GetImageIndex());
    EXPECT_TRUE(controller.GetCurAnimationName().IsNull());
}

// ---- Invalid input ----------------------------------------------------------------------------

TEST(AnimationControllerTest, AOneFramePingPongDoesNotLeaveItsFrame)
{
    SpriteAnimation const still = Make("Quieto", "4", 3, true);
    AnimationController controller;
    controller.SetAnimation(&still, false);
    EXPECT_EQ((std::vector<int>{4, 4, 4, 4}), Shown(controller, 3));
    EXPECT_EQ(nullptr, controller.GetCurAnimation());
}

TEST(AnimationControllerTest, AFrameTooShortToMoveTimeOnStillLetsTheUpdateEnd)
{
    SpriteAnimation blink(L8("Parpadeo"), -1, false, Label());
    blink.SetFrameList(AnimFrameList{AnimFrame(0, 1e-30f), AnimFrame(1, 1e-30f)});
    AnimationController controller;
    controller.SetAnimation(&blink, false);
    controller.Update(1000.0f);
    controller.Update(1000.0f);
    EXPECT_EQ(L8("Parpadeo"), controller.GetCurAnimationName());
    // The next frame still comes after its own duration.
    int const shown = controller.GetImageIndex();
    controller.Update(1e-31f);
    EXPECT_EQ(shown, controller.GetImageIndex());
}
