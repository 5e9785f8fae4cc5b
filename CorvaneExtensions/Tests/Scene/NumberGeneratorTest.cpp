// Number generators: constants, increments and their clones, vectors of two
// generators, and the "randomrange" resource.

#include "CorvaneExtensions/Tests/Scene/SpriteTestSupport.h"

#include "CorvaneExtensions/Source/NumberGenerator.h"
#include "CorvaneExtensions/Source/RandomRange.h"

#include "2DEngine/Source/Framework/Constant.h"
#include "Core/Source/Angle.h"

#include <gtest/gtest.h>

using namespace Corvane;
using namespace SpriteTesting;

// ---- Normal case ------------------------------------------------------------------------------

TEST(NumberGeneratorTest, AConstantAndItsCloneKeepTheirValue)
{
    ConstNumberGenerator<bool> yes(true);
    std::shared_ptr<NumberGenerator<bool> > clone = yes.Clone();
    EXPECT_TRUE(yes.Generate());
    EXPECT_TRUE(clone->Generate());
    EXPECT_NE(clone.get(), static_cast<NumberGenerator<bool>*>(&yes));
}

TEST(NumberGeneratorTest, AnIncrementYieldsTheStartThenAddsOneStepPerCall)
{
    IncrementNumberGenerator<Angle> turns(Angle(0.0f), Angle(0.5f));
    EXPECT_FLOAT_EQ(0.0f, turns.Generate().GetRadians());
    EXPECT_FLOAT_EQ(0.5f, turns.Generate().GetRadians());
    EXPECT_FLOAT_EQ(1.0f, turns.Generate().GetRadians());
}

TEST(NumberGeneratorTest, ACloneOfAnIncrementCarriesOnFromWhereItStandsAndRunsOnItsOwn)
{
    IncrementNumberGenerator<Angle> turns(Angle(0.0f), Angle(0.5f));
    turns.Generate();
    turns.Generate();
    std::shared_ptr<NumberGenerator<Angle> > clone = turns.Clone();
    EXPECT_FLOAT_EQ(1.0f, clone->Generate().GetRadians());
    EXPECT_FLOAT_EQ(1.5f, clone->Generate().GetRadians());
    // The original did not move with its clone.
    EXPECT_FLOAT_EQ(1.0f, turns.Generate().GetRadians());
}

TEST(NumberGeneratorTest, AnIncrementDrawsItsStartOnceAndItsStepEachTime)
{
    auto start = std::make_shared<IncrementNumberGenerator<float> >(10.0f, 100.0f);
    auto step = std::make_shared<IncrementNumberGenerator<float> >(1.0f, 1.0f);
    IncrementNumberGenerator<float> counter(start, step);
    // The start generator gave 10 at construction; steps 1, 2, 3 follow.
    EXPECT_FLOAT_EQ(10.0f, counter.Generate());
    EXPECT_FLOAT_EQ(11.0f, counter.Generate());
    EXPECT_FLOAT_EQ(13.0f, counter.Generate());
    EXPECT_FLOAT_EQ(110.0f, start->Generate());
}

TEST(NumberGeneratorTest, ACloneOfAnIncrementSharesItsStepGenerator)
{
    auto step = std::make_shared<IncrementNumberGenerator<float> >(1.0f, 1.0f);
    IncrementNumberGenerator<float> counter(std::make_shared<ConstNumberGenerator<float> >(0.0f), step);
    std::shared_ptr<NumberGenerator<float> > clone = counter.Clone();
    EXPECT_FLOAT_EQ(0.0f, clone->Generate());
    // The clone's call drew step 1 from the shared step generator, so the original
    // now adds 2.
    EXPECT_FLOAT_EQ(0.0f, counter.Generate());
    EXPECT_FLOAT_EQ(2.0f, counter.Generate());
}

TEST(NumberGeneratorTest, AVectorDrawsYBeforeX)
{
    auto shared = std::make_shared<IncrementNumberGenerator<float> >(0.0f, 1.0f);
    Vector2ToVector2Generator<float> vector(shared, shared);
    EXPECT_EQ(Vector2<float>(1.0f, 0.0f), vector.Generate());
    EXPECT_EQ(Vector2<float>(3.0f, 2.0f), vector.Generate());
}

TEST(NumberGeneratorTest, AVectorCloneClonesBothComponents)
{
    auto x = std::make_shared<IncrementNumberGenerator<float> >(0.0f, 1.0f);
    auto y = std::make_shared<IncrementNumberGenerator<float> >(10.0f, -1.0f);
    Vector2ToVector2Generator<float> vector(x, y);
    vector.Generate();
    std::shared_ptr<Vector2Generator<float> > clone = vector.Clone();
    EXPECT_EQ(Vector2<float>(1.0f, 9.0f), clone->Generate());
    EXPECT_EQ(Vector2<float>(2.0f, 8.0f), clone->Generate());
    EXPECT_EQ(Vector2<float>(1.0f, 9.0f), vector.Generate());
}

TEST(NumberGeneratorTest, AConstantVectorYieldsItsValue)
{
    std::shared_ptr<Vector2Generator<float> > at = ConstVector2FGenerator(Vector2<float>(3.5f, -2.0f));
    EXPECT_EQ(Vector2<float>(3.5f, -2.0f), at->Generate());
    EXPECT_EQ(Vector2<float>(3.5f, -2.0f), at->Clone()->Generate());
}

TEST(RandomRangeTest, ARangeIsReadThroughTheResourceManager)
{
    LoadedManifest manifest(L"Rangos",
                            L"<resources>\n"
                            L"  <randomrange name=\"Espera\" min=\"0.5\" max=\"2.5\"/>\n"
                            L"  <randomrange name=\"Pausa\u00f1a\" max=\"-1\"/>\n"
                            L"</resources>\n");
    AutoResource<Internal::ValueWrapper<RandomRange> > wait("Espera");
    ASSERT_TRUE(wait);
    EXPECT_FLOAT_EQ(0.5f, wait->value.min);
    EXPECT_FLOAT_EQ(2.5f, wait->value.max);
    // Non-ASCII names reach the label table as '?'; the bounds are not put in order.
    AutoResource<Internal::ValueWrapper<RandomRange> > pause("Pausa?a");
    ASSERT_TRUE(pause);
    EXPECT_FLOAT_EQ(0.0f, pause->value.min);
    EXPECT_FLOAT_EQ(-1.0f, pause->value.max);
}

// ---- Invalid input ----------------------------------------------------------------------------

TEST(RandomRangeTest, ARangeWithoutAttributesOrWithTextIsZeroToZero)
{
    RandomRangeResourceFactory factory;
    Internal::ValueWrapper<RandomRange>* range = nullptr;
    auto bare = MakeResource(factory, L"<randomrange name='Vacio'/>", &range);
    ASSERT_NE(nullptr, range);
    EXPECT_EQ(0.0f, range->value.min);
    EXPECT_EQ(0.0f, range->value.max);

    auto text = MakeResource(factory, L"<randomrange name='Letras' min='poco' max='mucho'/>", &range);
    ASSERT_NE(nullptr, range);
    EXPECT_EQ(0.0f, range->value.min);
    EXPECT_EQ(0.0f, range->value.max);
}
