#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

#include "Core/Source/Error.h"
#include "Core/Source/StringUtils.h"
#include "2DEngine/Source/Framework/Object.h"
#include "2DEngine/Source/Framework/ResourceManager.h"
#include "2DEngine/Source/Framework/Roles.h"
#include "2DEngine/Source/Graphics/Animation.h"
#include "2DEngine/Source/Graphics/ImageList.h"
#include "2DEngine/Tests/Graphics/ImageTestSupport.h"

using namespace ImageTesting;
using namespace Corvane::Graphics;

namespace
{
    // A list of n frames, frame i being i + 1 pixels wide.
    class Frames
    {
    public:
        explicit Frames(int count)
        {
            for (int i = 0; i < count; ++i)
                list.AddOwnedImage(new Image(i + 1, 2 * i + 3));
        }
        ImageList list;
    };

    int FrameAt(Animation const& animation, float time)
    {
        return animation.GetFrameNumberAt(time);
    }

    class Fading : public Object, public AlphaComponent
    {
    };

    class Plain : public Object
    {
    };
}

// ---------------------------------------------------------------------------
// Frames in time

TEST(AnimationTest, FourFramesAtTenPerSecondInEachMode)
{
    Frames frames(4);
    Animation const once(&frames.list, kAnimationMode_Once, 10.0f);
    Animation const loop(&frames.list, kAnimationMode_Loop, 10.0f);
    Animation const bounce(&frames.list, kAnimationMode_Bounce, 10.0f);
    Animation const pingpong(&frames.list, kAnimationMode_PingPong, 10.0f);
    EXPECT_EQ(2, FrameAt(once, 0.25f));
    EXPECT_EQ(3, FrameAt(once, 0.45f));
    EXPECT_EQ(3, FrameAt(once, 100.0f));
    EXPECT_EQ(0, FrameAt(loop, 0.45f));
    EXPECT_EQ(1, FrameAt(loop, 0.55f));
    EXPECT_EQ(3, FrameAt(bounce, 0.45f));
    EXPECT_EQ(1, FrameAt(bounce, 0.65f));
    EXPECT_EQ(0, FrameAt(bounce, 0.75f));
    EXPECT_EQ(0, FrameAt(bounce, 0.85f));
    EXPECT_EQ(0, FrameAt(bounce, 50.0f));
    EXPECT_EQ(3, FrameAt(pingpong, 0.35f));
    EXPECT_EQ(3, FrameAt(pingpong, 0.45f));
    EXPECT_EQ(0, FrameAt(pingpong, 0.85f));
    EXPECT_EQ(2, FrameAt(pingpong, 1.05f));
}

TEST(AnimationTest, NegativeTimeCountsBackFromTheEnd)
{
    Frames frames(4);
    for (AnimationMode mode : {kAnimationMode_Once, kAnimationMode_Bounce, kAnimationMode_Loop, kAnimationMode_PingPong})
    {
        Animation const animation(&frames.list, mode, 1.0f);
        EXPECT_EQ(3, FrameAt(animation, -1.0f)) << mode;
        EXPECT_EQ(1, FrameAt(animation, -3.0f)) << mode;
    }
    EXPECT_EQ(0, FrameAt(Animation(&frames.list, kAnimationMode_Once, 1.0f), -5.0f));
    EXPECT_EQ(0, FrameAt(Animation(&frames.list, kAnimationMode_Bounce, 1.0f), -9.0f));
    EXPECT_EQ(3, FrameAt(Animation(&frames.list, kAnimationMode_Loop, 1.0f), -5.0f));
    EXPECT_EQ(3, FrameAt(Animation(&frames.list, kAnimationMode_PingPong, 1.0f), -5.0f));
}

TEST(AnimationTest, AnyTimeGivesAFrameOfTheList)
{
    Frames frames(3);
    float const times[] = {1e30f, -1e30f, std::numeric_limits<float>::infinity(),
                           -std::numeric_limits<float>::infinity(), std::numeric_limits<float>::quiet_NaN(), 4e9f};
    for (AnimationMode mode : {kAnimationMode_Once, kAnimationMode_Bounce, kAnimationMode_Loop, kAnimationMode_PingPong})
    {
        Animation const animation(&frames.list, mode, 30.0f);
        for (float time : times)
        {
            int const frame = FrameAt(animation, time);
            EXPECT_GE(frame, 0);
            EXPECT_LT(frame, 3);
        }
    }
}

TEST(AnimationTest, EmptyAnimationsShowFrameZeroAndDrawNothing)
{
    Animation const none;
    EXPECT_EQ(nullptr, none.GetImageList());
    EXPECT_EQ(kAnimationMode_Once, none.GetMode());
    EXPECT_EQ(1.0f, none.GetFPS());
    EXPECT_EQ(0, FrameAt(none, 3.0f));
    EXPECT_EQ(0, none.GetWidth());

    ImageList empty;
    Animation const noFrames(&empty, kAnimationMode_Loop, 12.0f);
    EXPECT_EQ(0, FrameAt(noFrames, 7.5f));
    PieceRecorder canvas(10, 10);
    EXPECT_EQ(1, DrawAnimation(&noFrames, 1.0f, 0, 0, sDrawState::GetDefaults(), &canvas));
    EXPECT_EQ(1, DrawAnimation(&none, 1.0f, 0, 0, sDrawState::GetDefaults(), &canvas));
    EXPECT_EQ(1, DrawAnimation(nullptr, 1.0f, 0, 0, sDrawState::GetDefaults(), &canvas));
    Rect<float> rect(0, 0, 5, 5);
    EXPECT_EQ(1, DrawStretchedAnimation(&none, 1.0f, rect, sDrawState::GetDefaults(), &canvas));
    EXPECT_TRUE(canvas.pieces.empty());
}

TEST(AnimationTest, DrawsTheFrameOfTheTime)
{
    Frames frames(4);
    Animation const animation(&frames.list, kAnimationMode_Loop, 2.0f);
    EXPECT_EQ(1, animation.GetWidth());
    EXPECT_EQ(3, animation.GetHeight());
    PieceRecorder canvas(100, 100);
    EXPECT_EQ(0, DrawAnimation(&animation, 1.2f, 5, 6, sDrawState::GetDefaults(), &canvas));
    Rect<float> rect(1, 2, 30, 40);
    EXPECT_EQ(0, DrawStretchedAnimation(&animation, 2.6f, rect, sDrawState::GetDefaults(), &canvas));
    ASSERT_EQ(2u, canvas.pieces.size());
    EXPECT_EQ(frames.list.GetImage(2), canvas.pieces[0].image);
    EXPECT_EQ(5.0f, canvas.pieces[0].x);
    EXPECT_EQ(frames.list.GetImage(1), canvas.pieces[1].image);
    EXPECT_EQ(Rect<int>(1, 2, 30, 40), canvas.pieces[1].dest);
}

// ---------------------------------------------------------------------------
// Animations from resources

namespace
{
    class AnimationResourceTest : public ImageFileFixture
    {
    protected:
        void SetUp() override
        {
            ImageFileFixture::SetUp();
            manager = GetResourceManager();
            manager->AddResourceFactory(L"filmstrip", new FilmStripResourceFactory());
            std::wstring const text =
                L"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<resources>\n"
                L"<filmstrip name=\"gr\u00FAa\" src=\"tira\" cols=\"4\" fps=\"8\" mode=\"PingPong\"/>\n"
                L"<filmstrip name=\"pala\" src=\"tira\" cols=\"2\" mode=\"forward\"/>\n"
                L"<filmstrip name=\"grua_rota\" src=\"tira\" cols=\"4\" fps=\"inf\"/>\n"
                L"<filmstrip name=\"pala_rota\" src=\"tira\" cols=\"4\" fps=\"-3\"/>\n"
                L"<filmstrip name=\"pala_loca\" src=\"tira\" cols=\"4\" fps=\"1e6\"/>\n"
                L"</resources>\n";
            std::string const utf8 = ConvertStringWideToUTF8String(text);
            Files().SetFile(L"animaciones.xml", Bytes(utf8.begin(), utf8.end()));
            Files().SetFile(L"tira.png", MakePNG(8, 2, std::vector<Color32>(16, Color32(0xFFFFFFFFu))));
            manager->Load(L"animaciones");
        }

        void TearDown() override
        {
            manager->Cleanup();
            ImageFileFixture::TearDown();
        }

        ResourceManager* manager = nullptr;
    };
}

TEST_F(AnimationResourceTest, AttributesOverrideTheGivenModeAndRate)
{
    Animation const crane = CreateAnimation(Label(L"gr\u00FAa"), kAnimationMode_Once, 30.0f);
    ASSERT_NE(nullptr, crane.GetImageList());
    EXPECT_EQ(4, crane.GetImageList()->GetNumImages());
    EXPECT_EQ(kAnimationMode_PingPong, crane.GetMode());
    EXPECT_EQ(8.0f, crane.GetFPS());

    Animation const shovel = CreateAnimation(Label::GetUniqueString("pala"), kAnimationMode_Bounce, 12.0f);
    ASSERT_NE(nullptr, shovel.GetImageList());
    EXPECT_EQ(kAnimationMode_Bounce, shovel.GetMode());
    EXPECT_EQ(12.0f, shovel.GetFPS());
}

TEST_F(AnimationResourceTest, ARateNoAnimationCanTakeIsRefusedAndNamed)
{
    for (char const* name : {"grua_rota", "pala_rota", "pala_loca"})
    {
        LogCapture log;
        Animation const animation = CreateAnimation(Label::GetUniqueString(name), kAnimationMode_Loop, 12.0f);
        std::string const logged = log.Take();
        EXPECT_EQ(12.0f, animation.GetFPS()) << name;
        EXPECT_NE(std::string::npos, logged.find(std::string("animaciones.xml: ") + name + ": \"fps\"")) << logged;
    }
}

TEST_F(AnimationResourceTest, MissingResourceGivesAnEmptyAnimation)
{
    Animation const missing = CreateAnimation(Label::GetUniqueString("no_existe"), kAnimationMode_Loop, 5.0f);
    EXPECT_EQ(nullptr, missing.GetImageList());
    EXPECT_EQ(kAnimationMode_Once, missing.GetMode());
    EXPECT_EQ(1.0f, missing.GetFPS());
}

// ---------------------------------------------------------------------------
// AlphaTask

TEST(AlphaTaskTest, FadesLinearlyAndCompletesAtTheDuration)
{
    Fading object;
    object.SetAlpha(0.8f);
    AlphaTask task(0.0f, 1.0f);
    float const expected[4] = {0.6f, 0.4f, 0.2f, 0.0f};
    for (int i = 0; i < 4; ++i)
    {
        TaskResult const result = task.Update(&object, 0.25f);
        EXPECT_NEAR(expected[i], object.GetAlpha(), 1e-5f) << i;
        EXPECT_EQ(i < 3 ? TaskResult::kIncomplete : TaskResult::kComplete, result.status) << i;
    }
}

TEST(AlphaTaskTest, CloneReadsTheAlphaAfresh)
{
    Fading object;
    object.SetAlpha(1.0f);
    AlphaTask task(0.5f, 2.0f);
    task.Update(&object, 1.0f);
    EXPECT_NEAR(0.75f, object.GetAlpha(), 1e-5f);
    std::unique_ptr<Task> clone(task.Clone());
    AlphaTask* const copy = dynamic_cast<AlphaTask*>(clone.get());
    ASSERT_NE(nullptr, copy);
    EXPECT_EQ(0.5f, copy->GetTargetAlpha());
    EXPECT_EQ(2.0f, copy->GetDuration());
    EXPECT_EQ(task.GetInterpolator(), copy->GetInterpolator());
    object.SetAlpha(0.1f);
    copy->Update(&object, 1.0f);
    EXPECT_NEAR(0.3f, object.GetAlpha(), 1e-5f);
}

TEST(AlphaTaskTest, ObjectWithoutAlphaIsAnError)
{
    Plain object;
    AlphaTask task(0.0f, 1.0f);
    try
    {
        task.Update(&object, 0.1f);
        FAIL() << "no error";
    }
    catch (RuntimeError const& error)
    {
        EXPECT_NE(std::string::npos,
                  std::string(error.what()).find("AlphaTask applied to an object that does not implement IAlpha"));
    }
    EXPECT_THROW(task.Update(nullptr, 0.1f), RuntimeError);
}
