#include "2DEngine/Tests/Framework/ResourceTestSupport.h"

#include "2DEngine/Source/Framework/Constant.h"
#include "Core/Tests/Support/StderrCapture.h"

using namespace Corvane;
using namespace ResourceTesting;

namespace
{
    class ConstantTest : public ResourceFixture
    {
    protected:
        void SetUp() override
        {
            ResourceFixture::SetUp();
            CreateConstantResourceFactories();
        }

        void LoadConstants(std::wstring const& body)
        {
            Files().SetFile(L"GlobalConstants.xml", Manifest(body));
            manager->Load(L"GlobalConstants");
        }
    };

    void ExpectColor(ColorF const& expected, ColorF const& actual)
    {
        EXPECT_FLOAT_EQ(expected.r, actual.r);
        EXPECT_FLOAT_EQ(expected.g, actual.g);
        EXPECT_FLOAT_EQ(expected.b, actual.b);
        EXPECT_FLOAT_EQ(expected.a, actual.a);
    }
}

// ---- Scalars ----------------------------------------------------------------------------------

TEST_F(ConstantTest, ScalarKindsReadTheirAttributes)
{
    LoadConstants(L"<bool name='Flag' value='true'/>"
                  L"<int name='Count' value='42'/>"
                  L"<float name='Speed' value='2.5'/>"
                  L"<string name='Title' value='Hola'/>"
                  L"<vector2f name='Where' x='1.5' y='-2'/>"
                  L"<vector2i name='Cell' x='3' y='4'/>"
                  L"<rectf name='Area' x='1' y='2' w='3.5' h='4.5'/>"
                  L"<recti name='Box' x='5' y='6' w='7' h='8'/>");
    EXPECT_TRUE(bool(Constant<bool>("Flag")));
    EXPECT_EQ(42, int(Constant<int>("Count")));
    EXPECT_FLOAT_EQ(2.5f, float(Constant<float>("Speed")));
    EXPECT_EQ(L"Hola", std::wstring(Constant<std::wstring>(L8("Title"))));

    Vector2<float> where = Constant<Vector2<float> >("Where");
    EXPECT_FLOAT_EQ(1.5f, where.x);
    EXPECT_FLOAT_EQ(-2.0f, where.y);
    Vector2<int> cell = Constant<Vector2<int> >(L8("cell"));
    EXPECT_EQ(3, cell.x);
    EXPECT_EQ(4, cell.y);

    Rect<float> area = Constant<Rect<float> >("Area");
    EXPECT_FLOAT_EQ(1.0f, area.x);
    EXPECT_FLOAT_EQ(2.0f, area.y);
    EXPECT_FLOAT_EQ(3.5f, area.width);
    EXPECT_FLOAT_EQ(4.5f, area.height);
    Rect<int> box = Constant<Rect<int> >("Box");
    EXPECT_EQ(5, box.x);
    EXPECT_EQ(6, box.y);
    EXPECT_EQ(7, box.width);
    EXPECT_EQ(8, box.height);
}

TEST_F(ConstantTest, MissingAttributesGiveEachKindsDefaults)
{
    LoadConstants(L"<bool name='Flag'/><int name='Count'/><float name='Speed'/><string name='Title'/>"
                  L"<vector2f name='Where'/><recti name='Box'/><colorf name='Tint'/><colori name='Shade'/>");
    EXPECT_FALSE(bool(Constant<bool>("Flag")));
    EXPECT_EQ(0, int(Constant<int>("Count")));
    EXPECT_FLOAT_EQ(0.0f, float(Constant<float>("Speed")));
    EXPECT_TRUE(std::wstring(Constant<std::wstring>(L8("Title"))).empty());
    EXPECT_FLOAT_EQ(0.0f, Vector2<float>(Constant<Vector2<float> >("Where")).x);
    EXPECT_EQ(0, Rect<int>(Constant<Rect<int> >("Box")).height);
    ExpectColor(ColorF(1, 1, 1, 1), Constant<ColorF>("Tint"));
    ExpectColor(ColorF(1, 1, 1, 1), Constant<ColorF>("Shade"));
}

TEST_F(ConstantTest, UnreadableTextGivesZeroOrFalse)
{
    LoadConstants(L"<int name='Count' value='many'/><float name='Speed' value='fast'/>"
                  L"<bool name='Flag' value='yes'/><bool name='Shout' value='TRUE'/>"
                  L"<vector2i name='Cell' value='3,4'/>");
    EXPECT_EQ(0, int(Constant<int>("Count")));
    EXPECT_FLOAT_EQ(0.0f, float(Constant<float>("Speed")));
    EXPECT_FALSE(bool(Constant<bool>("Flag")));
    EXPECT_FALSE(bool(Constant<bool>("Shout")));
    // Vectors read only their own component attributes.
    Vector2<int> cell = Constant<Vector2<int> >(L8("Cell"));
    EXPECT_EQ(0, cell.x);
    EXPECT_EQ(0, cell.y);
}

TEST_F(ConstantTest, ColorsFromTextFloatsAndBytes)
{
    LoadConstants(L"<colorf name='Text' value='#FF8000' r='0'/>"
                  L"<colorf name='Floats' r='0.5' b='0.25'/>"
                  L"<colorf name='Bad' value='orange'/>"
                  L"<colori name='Red' r='255'/>"
                  L"<colori name='Wrapped' r='256' g='128' a='127'/>");
    ExpectColor(ColorF(1.0f, 128.0f / 255.0f, 0.0f, 1.0f), Constant<ColorF>("Text"));
    ExpectColor(ColorF(0.5f, 1.0f, 0.25f, 1.0f), Constant<ColorF>("Floats"));
    ExpectColor(ColorF(0, 0, 0, 1), Constant<ColorF>("Bad"));
    ExpectColor(ColorF(1, 1, 1, 1), Constant<ColorF>("Red"));
    ExpectColor(ColorF(0.0f, 128.0f / 255.0f, 1.0f, 127.0f / 255.0f), Constant<ColorF>("Wrapped"));
}

// ---- Arrays -----------------------------------------------------------------------------------

TEST_F(ConstantTest, ArraysHoldTheirChildrenInFileOrderAtAnyDepth)
{
    LoadConstants(L"<intarray name='Counts'>"
                  L"  <int value='1'/><item value='2'><deeper value='3'/></item>"
                  L"</intarray>"
                  L"<intarray name='Empty'/>"
                  L"<boolarray name='Flags'><b value='true'/><b value='yes'/></boolarray>"
                  L"<floatarray name='Speeds'><f value='0.5'/><f value='1e1'/></floatarray>"
                  L"<stringarray name='Words'><s value='uno'/><s value='dos'/></stringarray>"
                  L"<vector2farray name='Path'><p x='1' y='2'/><p x='3' y='4'/></vector2farray>"
                  L"<rectfarray name='Areas'><r x='1' w='2'/></rectfarray>"
                  L"<rectiarray name='Boxes'><r x='1' y='2' w='3' h='4'/><r/></rectiarray>"
                  L"<colorfarray name='Tints'><c value='#000000'/><c g='0'/></colorfarray>"
                  L"<coloriarray name='Shades'><c r='0'/></coloriarray>"
                  L"<int name='After' value='9'/>");

    std::vector<int> counts = Constant<std::vector<int> >("Counts");
    EXPECT_EQ((std::vector<int>{1, 2, 3}), counts);
    EXPECT_TRUE(std::vector<int>(Constant<std::vector<int> >("Empty")).empty());
    EXPECT_EQ((std::vector<bool>{true, false}), std::vector<bool>(Constant<std::vector<bool> >("Flags")));
    EXPECT_EQ((std::vector<float>{0.5f, 10.0f}), std::vector<float>(Constant<std::vector<float> >("Speeds")));
    EXPECT_EQ((std::vector<std::wstring>{L"uno", L"dos"}),
              std::vector<std::wstring>(Constant<std::vector<std::wstring> >("Words")));

    std::vector<Vector2<float> > path = Constant<std::vector<Vector2<float> > >("Path");
    ASSERT_EQ(2u, path.size());
    EXPECT_FLOAT_EQ(3.0f, path[1].x);
    EXPECT_FLOAT_EQ(4.0f, path[1].y);
    std::vector<Rect<float> > areas = Constant<std::vector<Rect<float> > >("Areas");
    ASSERT_EQ(1u, areas.size());
    EXPECT_FLOAT_EQ(2.0f, areas[0].width);
    std::vector<Rect<int> > boxes = Constant<std::vector<Rect<int> > >("Boxes");
    ASSERT_EQ(2u, boxes.size());
    EXPECT_EQ(4, boxes[0].height);
    EXPECT_EQ(0, boxes[1].width);

    std::vector<ColorF> tints = Constant<std::vector<ColorF> >("Tints");
    ASSERT_EQ(2u, tints.size());
    ExpectColor(ColorF(0, 0, 0, 1), tints[0]);
    ExpectColor(ColorF(1, 0, 1, 1), tints[1]);
    std::vector<ColorF> shades = Constant<std::vector<ColorF> >("Shades");
    ASSERT_EQ(1u, shades.size());
    ExpectColor(ColorF(0, 1, 1, 1), shades[0]);

    // The manifest goes on after an array whose children it consumed.
    EXPECT_EQ(9, int(Constant<int>("After")));
}

TEST_F(ConstantTest, ArrayChildrenAreNotResourcesOfTheirOwn)
{
    LoadConstants(L"<intarray name='Counts'><int name='Inner' value='5'/></intarray>");
    EXPECT_EQ((std::vector<int>{5}), std::vector<int>(Constant<std::vector<int> >("Counts")));
    EXPECT_EQ(nullptr, manager->GetResource(L8("Inner")));
}

// ---- Spanish names ----------------------------------------------------------------------------

TEST_F(ConstantTest, NamesAndTextWithAccents)
{
    LoadConstants(L"<string name='Canción' value='¡Vamos, niño!'/>");
    EXPECT_EQ(L"¡Vamos, niño!", std::wstring(Constant<std::wstring>(Label(L"Canción"))));
}

// ---- Missing constants ------------------------------------------------------------------------

TEST_F(ConstantTest, AMissingConstantReadsAsTheDefaultAndIsLoggedOnce)
{
    LoadConstants(L"<float name='Speed' value='2.5'/>");
    Constant<int> missing("NoSuchConstant");
    EXPECT_FALSE(missing.IsValid());

    testing::internal::CaptureStderr();
    int const first = missing;
    int const second = Constant<int>("NoSuchConstant");
    std::string const log = testing::internal::GetCapturedStderr();
    EXPECT_EQ(0, first);
    EXPECT_EQ(0, second);
    size_t const at = log.find("NoSuchConstant");
    ASSERT_NE(std::string::npos, at);
    EXPECT_EQ(std::string::npos, log.find("NoSuchConstant", at + 1));
}

TEST_F(ConstantTest, AConstantOfAnotherTypeReadsAsTheDefault)
{
    LoadConstants(L"<float name='Speed' value='2.5'/>");
    Constant<Vector2<float> > wrong("Speed");
    EXPECT_FALSE(wrong.IsValid());
    Vector2<float> value = wrong;
    EXPECT_FLOAT_EQ(0.0f, value.x);
    EXPECT_TRUE(Constant<float>("Speed").IsValid());
}

TEST_F(ConstantTest, TheSameNameInTwoManifestsIsRefused)
{
    LoadConstants(L"<float name='Speed' value='2.5'/>");
    Files().SetFile(L"More.xml", Manifest(L"<int name='speed' value='3'/>"));
    testing::internal::CaptureStderr();
    manager->Load(L"More");
    testing::internal::GetCapturedStderr();
    EXPECT_FLOAT_EQ(2.5f, float(Constant<float>("Speed")));
    EXPECT_FALSE(Constant<int>("Speed").IsValid());
}

// ---- Numbers no use can take ------------------------------------------------------------------

TEST_F(ConstantTest, NumbersThatAreNotFiniteAreRefusedWithTheirFileNameAndAttribute)
{
    struct sCase
    {
        wchar_t const* element;
        char const* name;
        char const* logged;
    };
    sCase const cases[] = {
        {L"<float name='Speed' value='NaN'/>", "Speed", "GlobalConstants.xml: Speed: \"value\" is \"NaN\""},
        {L"<vector2f name='Where' x='1' y='inf'/>", "Where", "Where: \"y\" is \"inf\", which a number cannot take"},
        {L"<rectf name='Area' x='1' y='2' w='1e40' h='4'/>", "Area", "Area: \"w\" is \"1e40\""},
        {L"<floatarray name='Steps'><f value='1'/><f value='-nan'/></floatarray>", "Steps",
         "Steps: \"value\" is \"-nan\""},
    };
    for (sCase const& c : cases)
    {
        SCOPED_TRACE(c.name);
        TestSupport::StderrCapture log;
        LoadConstants(c.element);
        std::string const logged = log.Take();
        EXPECT_NE(std::string::npos, logged.find(c.logged)) << logged;
        manager->Unload(L"GlobalConstants");
    }
    LoadConstants(L"<vector2f name='Where' x='1' y='inf'/><floatarray name='Steps'><f value='1'/><f value='nan'/>"
                  L"</floatarray>");
    EXPECT_FLOAT_EQ(0.0f, static_cast<Vector2<float> >(Constant<Vector2<float> >("Where")).y);
    EXPECT_EQ((std::vector<float>{1.0f, 0.0f}),
              static_cast<std::vector<float> >(Constant<std::vector<float> >("Steps")));
}

TEST_F(ConstantTest, AConstantReadAsATimeTakesOnlyWhatATimeCan)
{
    LoadConstants(L"<float name='Slide' value='0.35'/><float name='Back' value='-1'/>"
                  L"<float name='Forever' value='3e11'/><int name='Whole' value='2'/>");
    TestSupport::StderrCapture log;
    EXPECT_FLOAT_EQ(0.35f, ReadConstant("Slide", NumberRanges::kTime, 9.0f));
    EXPECT_FLOAT_EQ(9.0f, ReadConstant("Back", NumberRanges::kTime, 9.0f));
    EXPECT_FLOAT_EQ(9.0f, ReadConstant("Forever", NumberRanges::kTime, 9.0f));
    EXPECT_FLOAT_EQ(9.0f, ReadConstant("Forever", NumberRanges::kTime, 9.0f));
    EXPECT_FLOAT_EQ(9.0f, ReadConstant("Whole", NumberRanges::kTime, 9.0f)) << "an int is not a float constant";
    std::string const logged = log.Take();
    EXPECT_NE(std::string::npos,
              logged.find("GlobalConstants.xml: Back: \"value\" is \"-1\", which a time cannot take; 9 is used."))
        << logged;
    size_t const first = logged.find("Forever: \"value\" is \"3e+11\"");
    EXPECT_NE(std::string::npos, first) << logged;
    EXPECT_EQ(std::string::npos, logged.find("Forever", first + 1)) << "logged once";
}
