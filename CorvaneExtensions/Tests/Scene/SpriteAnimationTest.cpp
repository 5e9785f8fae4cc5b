// Sprite animations, animation lists and sprite types: frame-list text, the
// "animation" element, error texts, and the two resource kinds.

#include "CorvaneExtensions/Tests/Scene/SpriteTestSupport.h"

#include "CorvaneExtensions/Source/SpriteAnimation.h"
#include "CorvaneExtensions/Source/SpriteType.h"

#include "Core/Tests/Support/StderrCapture.h"

#include <boost/lexical_cast.hpp>

#include <gtest/gtest.h>

using namespace Corvane;
using namespace SpriteTesting;

namespace
{

Label L8(char const* text)
{
    return Label::GetUniqueString(text);
}

// The message of the parse error the frame list gives, or "no error".
std::string FrameListError(std::string const& text)
{
    try
    {
        ParseFrameList(text);
    }
    catch (AnimationParseError const& error)
    {
        return error.what();
    }
    return "no error";
}

SpriteAnimation ReadAnimation(std::wstring const& text)
{
    ElementSource source(text);
    return SpriteAnimation(source.Element(), source.Reader());
}

std::string AnimationError(std::wstring const& text)
{
    try
    {
        ReadAnimation(text);
    }
    catch (AnimationParseError const& error)
    {
        return error.what();
    }
    return "no error";
}

std::vector<int> Indices(SpriteAnimation const& animation)
{
    std::vector<int> indices;
    for (AnimFrame const& frame : animation.GetFrames())
        indices.push_back(frame.index);
    return indices;
}

} // namespace

// ---- Normal case ------------------------------------------------------------------------------

TEST(FrameListTest, ItemsAndRangesInBothDirections)
{
    EXPECT_EQ((std::vector<int>{0, 1, 2, 3, 7, 5, 4}), ParseFrameList("0-3,7,5-4"));
    EXPECT_EQ((std::vector<int>{12, 3}), ParseFrameList(" 12 ,\t3 "));
    EXPECT_EQ((std::vector<int>{2, 2}), ParseFrameList("2-2,2"));
    EXPECT_EQ((std::vector<int>{1, 2}), ParseFrameList("1,\n2"));
    EXPECT_TRUE(ParseFrameList("").empty());
    EXPECT_TRUE(ParseFrameList("  \n ").empty());
}

TEST(SpriteAnimationTest, DurationIsSharedByTheFramesAndFPSGivesEachItsShare)
{
    SpriteAnimation timed = ReadAnimation(L"<animation name='Giro' frameList='0-3' duration='2'/>");
    ASSERT_EQ(4, timed.GetNumFrames());
    for (AnimFrame const& frame : timed.GetFrames())
        EXPECT_FLOAT_EQ(0.5f, frame.duration);

    SpriteAnimation rated = ReadAnimation(L"<animation name='Giro' frameList='0-3' fps='10'/>");
    EXPECT_FLOAT_EQ(0.1f, rated.GetFrame(3).duration);

    // "duration" wins over "fps"; a bare frame list shows one frame per second.
    SpriteAnimation both = ReadAnimation(L"<animation frameList='0,1' fps='10' duration='4'/>");
    EXPECT_FLOAT_EQ(2.0f, both.GetFrame(0).duration);
    SpriteAnimation bare = ReadAnimation(L"<animation frameList='5'/>");
    EXPECT_EQ(std::vector<int>{5}, Indices(bare));
    EXPECT_FLOAT_EQ(1.0f, bare.GetFrame(0).duration);
}

TEST(SpriteAnimationTest, FrameElementsGiveEachFrameItsOwnDuration)
{
    SpriteAnimation animation = ReadAnimation(L"<animation name='Pasos'>"
                                              L"<frame index='4' duration='0.25'/><otro index='9'/>"
                                              L"<frame index='2'/></animation>");
    EXPECT_EQ((std::vector<int>{4, 2}), Indices(animation));
    EXPECT_FLOAT_EQ(0.25f, animation.GetFrame(0).duration);
    EXPECT_FLOAT_EQ(1.0f, animation.GetFrame(1).duration);
}

TEST(SpriteAnimationTest, PlaysLoopsPingPongAndLinkAreRead)
{
    SpriteAnimation once = ReadAnimation(L"<animation name='A'/>");
    EXPECT_EQ(1, once.GetNumPlays());
    EXPECT_FALSE(once.IsPingPong());
    EXPECT_TRUE(once.GetLinkedAnimationName().IsNull());
    EXPECT_EQ(std::vector<int>{0}, Indices(once));

    EXPECT_EQ(-1, ReadAnimation(L"<animation numPlays='0'/>").GetNumPlays());
    EXPECT_EQ(3, ReadAnimation(L"<animation numLoops='2'/>").GetNumPlays());
    EXPECT_EQ(1, ReadAnimation(L"<animation numLoops='-4'/>").GetNumPlays());
    EXPECT_EQ(5, ReadAnimation(L"<animation numPlays='5' numLoops='9'/>").GetNumPlays());

    SpriteAnimation linked = ReadAnimation(L"<animation name='Uno' pingPong='true' linkedAnimation='Dos'/>");
    EXPECT_TRUE(linked.IsPingPong());
    EXPECT_EQ(L8("dos"), linked.GetLinkedAnimationName());
    EXPECT_EQ(L8("uno"), linked.GetName());
}

TEST(SpriteTypeTest, ListAnimationsComeFirstAndTheTypeReplacesThemAndResolvesLinks)
{
    LoadedManifest manifest(
        L"Sprites",
        L"<resources>\n"
        L"  <testimagelist name='Cuadros' count='4'/>\n"
        L"  <spriteanimationlist name='Compartidas'>\n"
        L"    <animation name='Saludo' frameList='0-1' fps='10' linkedAnimation='Quieto'/>\n"
        L"    <animation name='Quieto' frameList='3'/>\n"
        L"  </spriteanimationlist>\n"
        L"  <spritetype name='Gr\u00faa' images='Cuadros' animationList='Compartidas'>\n"
        L"    <animation name='Quieto' frameList='2' numPlays='0'/>\n"
        L"    <ignorado><animation name='Escondido'/></ignorado>\n"
        L"    <animation name='Giro' frameList='0-3' pingPong='true'/>\n"
        L"  </spritetype>\n"
        L"</resources>\n");

    AutoResource<SpriteAnimationList> list("Compartidas");
    ASSERT_TRUE(list);
    EXPECT_EQ(2u, list->GetAnimations().size());

    AutoResource<SpriteType> type("Gr?a");
    ASSERT_TRUE(type);
    EXPECT_EQ(L8("Gr?a"), type->GetName());
    EXPECT_EQ(L8("Cuadros"), type->GetImages());
    EXPECT_EQ(3u, type->GetAnimations().size());
    EXPECT_EQ(nullptr, type->GetAnimation(L8("Escondido")));
    SpriteAnimation const* still = type->GetAnimation(L8("Quieto"));
    ASSERT_NE(nullptr, still);
    EXPECT_EQ(std::vector<int>{2}, Indices(*still));
    // The list's greeting links to the type's own "Quieto", not the list's.
    SpriteAnimation const* greeting = type->GetAnimation(L8("Saludo"));
    ASSERT_NE(nullptr, greeting);
    EXPECT_EQ(still, greeting->GetLinkedAnimation());
    EXPECT_EQ(nullptr, type->GetAnimation(L8("Giro"))->GetLinkedAnimation());
}

TEST(SpriteTypeTest, LinksFollowAnAnimationAddedLater)
{
    SpriteType type(L8("Tipo"), L8("Cuadros"));
    type.AddAnimation(SpriteAnimation(L8("Uno"), 1, false, L8("Dos")));
    EXPECT_EQ(nullptr, type.GetAnimation(L8("Uno"))->GetLinkedAnimation());
    type.AddAnimation(SpriteAnimation(L8("Dos"), 1, false, Label()));
    EXPECT_EQ(type.GetAnimation(L8("Dos")), type.GetAnimation(L8("Uno"))->GetLinkedAnimation());

    // A copy links among its own animations.
    SpriteType copy(type);
    EXPECT_EQ(copy.GetAnimation(L8("Dos")), copy.GetAnimation(L8("Uno"))->GetLinkedAnimation());
}

// ---- Invalid input ----------------------------------------------------------------------------

TEST(FrameListTest, BadTokensAreNamedWithLineAndPosition)
{
    EXPECT_EQ("illegal token ',' (line 1, pos 3). (Expected an integer).", FrameListError("1,,2"));
    EXPECT_EQ("illegal token '2' (line 1, pos 4). (Expected ',').", FrameListError("1 2"));
    EXPECT_EQ("unrecognized token ';' (line 1, pos 2)", FrameListError("1;2"));
    EXPECT_EQ("illegal token ',' (line 1, pos 1). ", FrameListError(",1"));
    EXPECT_EQ("illegal token '-' (line 2, pos 1). ", FrameListError("\n-3"));
    EXPECT_EQ("illegal token '<end of list>' (line 1, pos 3). (Expected an integer).", FrameListError("1-"));
    EXPECT_EQ("illegal token '<end of list>' (line 1, pos 3). (Expected an integer).", FrameListError("1,"));
    EXPECT_EQ("illegal token '-' (line 2, pos 3). (Expected an integer).", FrameListError("0,\n1--2"));
    EXPECT_EQ("unrecognized token 'a' (line 1, pos 1)", FrameListError("a"));
}

TEST(FrameListTest, ANumberBeyondTheIntRangeFailsItsConversion)
{
    EXPECT_THROW(ParseFrameList("1,99999999999"), boost::bad_lexical_cast);
}

TEST(FrameListTest, AHugeRangeIsAContentErrorNotAnAllocation)
{
    EXPECT_EQ("frame list longer than 65536 frames (line 1, pos 13)", FrameListError("0-2000000000"));
    EXPECT_EQ(65536u, ParseFrameList("0-65535").size());
    EXPECT_EQ("frame list longer than 65536 frames (line 1, pos 10)", FrameListError("0-65535,9"));
}

TEST(SpriteAnimationTest, AnErrorNamesTheAnimationAndThenTheTypeOrList)
{
    EXPECT_EQ("in animation \"Salto\": illegal token '2' (line 1, pos 4). (Expected ',').",
              AnimationError(L"<animation name='Salto' frameList='1 2'/>"));
    EXPECT_EQ("illegal token '2' (line 1, pos 4). (Expected ',').", AnimationError(L"<animation frameList='1 2'/>"));

    SpriteTypeResourceFactory types;
    SpriteType* type = nullptr;
    try
    {
        MakeResource(types, L"<spritetype name='Gr\u00faa'><animation name='Ca\u00edda' frameList='1;2'/></spritetype>",
                     &type);
        ADD_FAILURE() << "no error";
    }
    catch (AnimationParseError const& error)
    {
        EXPECT_STREQ("in SpriteType \"Gr?a\": in animation \"Ca?da\": unrecognized token ';' (line 1, pos 2)",
                     error.what());
        EXPECT_EQ("Gr?a", error.getSpriteTypeName());
    }

    SpriteAnimationListResourceFactory lists;
    SpriteAnimationList* list = nullptr;
    try
    {
        MakeResource(lists, L"<spriteanimationlist name='Lista'><animation frameList=','/></spriteanimationlist>",
                     &list);
        ADD_FAILURE() << "no error";
    }
    catch (AnimationParseError const& error)
    {
        EXPECT_STREQ("in SpriteAnimationList \"Lista\": illegal token ',' (line 1, pos 1). ", error.what());
    }
}

TEST(SpriteAnimationTest, TheTypeNameWinsOverTheListNameAndAnEmptyMessageIsUnspecified)
{
    AnimationParseError error("");
    EXPECT_STREQ("(unspecified error)", error.what());
    error.setSpriteAnimationListName("Lista");
    error.setAnimName("Uno");
    EXPECT_STREQ("in SpriteAnimationList \"Lista\": in animation \"Uno\": (unspecified error)", error.what());
    error.setSpriteTypeName("Tipo");
    EXPECT_STREQ("in SpriteType \"Tipo\": in animation \"Uno\": (unspecified error)", error.what());
}

TEST(SpriteAnimationTest, DurationsAndRatesNoFrameCanTakeCountAsOneSecond)
{
    struct sCase
    {
        wchar_t const* text;
        float firstFrame;
        // The refused attribute the log names, or null when nothing is refused.
        char const* refused;
    };
    sCase const cases[] = {
        {L"<animation frameList='0,1' duration='0'/>", 0.5f, nullptr},
        {L"<animation><frame duration='0'/></animation>", 1.0f, nullptr},
        {L"<animation name='Giro' frameList='0' fps='-3'/>", 1.0f, "Prueba.xml: animation Giro: \"fps\" is \"-3\""},
        // A frame lasting 1e-38 s would be stepped through millions of times per update.
        {L"<animation frameList='0' fps='1e38'/>", 1.0f, "\"fps\" is \"1e38\", which a frame rate cannot take"},
        {L"<animation frameList='0,1' duration='inf'/>", 0.5f, "\"duration\" is \"inf\", which a time cannot take"},
        {L"<animation frameList='0' duration='NaN'/>", 1.0f, "\"duration\" is \"NaN\""},
        {L"<animation><frame duration='1e30'/></animation>", 1.0f, "\"duration\" is \"1e30\""},
    };
    for (sCase const& c : cases)
    {
        ::TestSupport::StderrCapture log;
        float const firstFrame = ReadAnimation(c.text).GetFrame(0).duration;
        std::string const logged = log.Take();
        EXPECT_FLOAT_EQ(c.firstFrame, firstFrame) << ConvertStringWideToUTF8String(c.text);
        if (c.refused)
            EXPECT_NE(std::string::npos, logged.find(c.refused)) << logged;
        else
            EXPECT_EQ("", logged);
    }

    SpriteAnimation coded;
    coded.SetFrameList(AnimFrameList{AnimFrame(1, 0.0f), AnimFrame(2, -1.0f), AnimFrame(3, 0.2f)});
    EXPECT_FLOAT_EQ(1.0f, coded.GetFrame(0).duration);
    EXPECT_FLOAT_EQ(1.0f, coded.GetFrame(1).duration);
    EXPECT_FLOAT_EQ(0.2f, coded.GetFrame(2).duration);
    coded.SetFrameList(AnimFrameList());
    EXPECT_EQ(std::vector<int>{0}, Indices(coded));
}

TEST(SpriteAnimationTest, AnAnimationWithoutFramesIsLoggedWithItsFileAndName)
{
    wchar_t const* const texts[] = {L"<animation name='Quieta'/>", L"<animation name='Quieta' frameList=' \n'/>",
                                    L"<animation name='Quieta' fps='4'><frame index='3'/></animation>"};
    for (wchar_t const* text : texts)
    {
        ::TestSupport::StderrCapture log;
        EXPECT_EQ(std::vector<int>{0}, Indices(ReadAnimation(text)));
        EXPECT_EQ("Prueba.xml: animation Quieta: it has no frames, so its sprite stands still on frame 0.\n",
                  log.Take())
            << ConvertStringWideToUTF8String(text);
    }
}

TEST(SpriteTypeTest, AMissingListOrLinkIsNotAnError)
{
    SpriteTypeResourceFactory types;
    SpriteType* type = nullptr;
    auto resource = MakeResource(types,
                                 L"<spritetype name='Solo' images='Nada' animationList='NoExiste'>"
                                 L"<animation name='Uno' linkedAnimation='Ninguna'/></spritetype>",
                                 &type);
    ASSERT_NE(nullptr, type);
    ASSERT_NE(nullptr, type->GetAnimation(L8("Uno")));
    EXPECT_EQ(nullptr, type->GetAnimation(L8("Uno"))->GetLinkedAnimation());
    EXPECT_EQ(1u, type->GetAnimations().size());
}

// ---- A failure leaves state unchanged ---------------------------------------------------------

TEST(SpriteTypeTest, ABrokenTypeInAManifestFailsTheLoadAndLeavesNoHalfType)
{
    LoadedManifest manifest(L"Roto",
                            L"<resources>\n"
                            L"  <spritetype name='Rota' images='Cuadros'>\n"
                            L"    <animation name='Buena' frameList='0'/>\n"
                            L"    <animation name='Mala' frameList='0,,1'/>\n"
                            L"  </spritetype>\n"
                            L"</resources>\n");
    EXPECT_FALSE(AutoResource<SpriteType>("Rota"));
}
