// A screen of text, meter and structural nodes on the OpenGL screen: one layout
// holding a text sprite with an outline, a styled text sprite, a bar, a unit meter,
// a fraction, a text field, a grid and a scene reference is read from a manifest,
// driven with injected input, and read back pixel by pixel.

#include "CorvaneExtensions/Tests/Scene/DisplayTestSupport.h"
#include "CorvaneExtensions/Tests/Scene/SpriteTestSupport.h"

#include "CorvaneExtensions/Source/MeterNodes.h"
#include "CorvaneExtensions/Source/NodeGridNode.h"
#include "CorvaneExtensions/Source/TextEditNode.h"
#include "CorvaneExtensions/Source/TextSpriteNodes.h"

#include <gtest/gtest.h>

using namespace Corvane;
using namespace ControlTesting;
using namespace DisplayTesting;

namespace
{

constexpr int kWidth = 320;
constexpr int kHeight = 240;

std::wstring const kResources =
    L"<testimages name=\"Barra\" count=\"2\" width=\"10\" height=\"8\" colors=\"FFFF0000,FF0000FF\"/>"
    L"<testimages name=\"Unidades\" count=\"2\" width=\"6\" height=\"4\" colors=\"FF00FF00,FF808080\"/>"
    L"<testimages name=\"Marco\" count=\"9\" width=\"4\" height=\"4\" colors=\"FF000080\"/>"
    L"<testimage name=\"Cursor\" width=\"2\" height=\"20\" argb=\"FFFF00FF\"/>"
    L"<testfont name=\"Letra\" glyphWidth=\"8\" glyphHeight=\"12\"/>"
    L"<scenelayout name=\"Letrero\"><rectnode width=\"30\" height=\"20\" color=\"#FFFFFF\"/></scenelayout>";

std::wstring const kScreen =
    L"<scenenode>"
    L"<textspritenode nodeName=\"Saludo\" x=\"10\" y=\"10\" font=\"Letra\" text=\"Hola\" color=\"#FF0000\"/>"
    L"<textspritenode nodeName=\"Contorno\" x=\"80\" y=\"10\" font=\"Letra\" text=\"a\" color=\"#0000FF\" "
    L"textMode=\"outline\" bgColor=\"#00FF00\"/>"
    L"<styledtextspritenode nodeName=\"Estilo\" x=\"10\" y=\"30\" font=\"Letra\" color=\"#00FFFF\" "
    L"text=\"&lt;style color=&quot;#FFFF00&quot;&gt;ab&lt;/style&gt;cd\"/>"
    L"<meterbarnode nodeName=\"Energ\u00eda\" x=\"10\" y=\"60\" images=\"Barra\" size=\"100\" max=\"4\" start=\"1\"/>"
    L"<discretemeterbarnode nodeName=\"Vidas\" x=\"10\" y=\"80\" images=\"Unidades\" size=\"5\" offset=\"2\" "
    L"max=\"5\" start=\"2\"/>"
    L"<fractiontextmeternode nodeName=\"Cuenta\" x=\"150\" y=\"60\" font=\"Letra\" color=\"#FFFFFF\" max=\"10\" "
    L"start=\"3\"/>"
    L"<texteditnode nodeName=\"Nombre\" x=\"10\" y=\"100\" width=\"100\" fieldImages=\"Marco\" "
    L"cursorImage=\"Cursor\" font=\"Letra\" color=\"#FFFF00\"/>"
    L"<nodegridnode nodeName=\"Rejilla\" x=\"150\" y=\"100\" maxWidth=\"50\" hSpacing=\"4\" vSpacing=\"4\">"
    L"<rectnode nodeName=\"rojo\" width=\"20\" height=\"10\" color=\"#FF0000\"/>"
    L"<rectnode width=\"20\" height=\"10\" color=\"#00FF00\"/>"
    L"<rectnode width=\"20\" height=\"10\" color=\"#0000FF\"/></nodegridnode>"
    L"<sceneref scenename=\"Letrero\" x=\"250\" y=\"150\"/>"
    L"</scenenode>";

class TextMeterDisplayTest : public ControlScreenFixture
{
protected:
    void SetUp() override
    {
        ControlFixture::SetUp();
        if (!HasVideo())
            GTEST_SKIP() << "no display: " << SDL_GetError();
        ASSERT_NO_FATAL_FAILURE(display.Open("Textos", kWidth, kHeight));

        GetResourceManager()->AddResourceFactory(L"testimage", new SpriteTesting::TestImageFactory());
        LoadManifest(kResources, L"Textos");
        LoadLayout(L"Marcador", kScreen);
        screen = Instantiate(L"Marcador");
        ASSERT_NE(nullptr, screen);
    }
};

} // namespace

TEST_F(TextMeterDisplayTest, TheScreenDrawsTextMetersGridAndReference)
{
    Redraw();
    // Plain text, four 8-pixel glyphs.
    EXPECT_RGB(255, 0, 0, ReadPixel(12, 15));
    EXPECT_RGB(255, 0, 0, ReadPixel(40, 20));
    EXPECT_RGB(0, 0, 0, ReadPixel(44, 15));
    // An outlined glyph: blue inside, green just outside.
    EXPECT_RGB(0, 0, 255, ReadPixel(84, 16));
    EXPECT_RGB(0, 255, 0, ReadPixel(79, 16));
    EXPECT_RGB(0, 0, 0, ReadPixel(75, 16));
    // Styled text: the marked run yellow, the rest in the default cyan.
    EXPECT_RGB(255, 255, 0, ReadPixel(12, 35));
    EXPECT_RGB(255, 255, 0, ReadPixel(24, 35));
    EXPECT_RGB(0, 255, 255, ReadPixel(28, 35));
    EXPECT_RGB(0, 255, 255, ReadPixel(40, 35));
    // A quarter of the bar filled red over its blue background.
    EXPECT_RGB(255, 0, 0, ReadPixel(12, 63));
    EXPECT_RGB(255, 0, 0, ReadPixel(33, 63));
    EXPECT_RGB(0, 0, 255, ReadPixel(37, 63));
    EXPECT_RGB(0, 0, 255, ReadPixel(108, 63));
    // Two of five units full.
    EXPECT_RGB(0, 255, 0, ReadPixel(12, 81));
    EXPECT_RGB(0, 0, 0, ReadPixel(17, 81));
    EXPECT_RGB(0, 255, 0, ReadPixel(20, 81));
    EXPECT_RGB(128, 128, 128, ReadPixel(28, 81));
    EXPECT_RGB(128, 128, 128, ReadPixel(44, 81));
    // "3/10": four white glyphs.
    EXPECT_RGB(255, 255, 255, ReadPixel(152, 65));
    EXPECT_RGB(255, 255, 255, ReadPixel(180, 65));
    EXPECT_RGB(0, 0, 0, ReadPixel(184, 65));
    // The empty field's frame, no caret without the focus.
    EXPECT_RGB(0, 0, 128, ReadPixel(11, 101));
    EXPECT_RGB(0, 0, 128, ReadPixel(60, 110));
    EXPECT_RGB(0, 0, 128, ReadPixel(15, 110));
    // The grid's rows: red and green side by side, blue below.
    EXPECT_RGB(255, 0, 0, ReadPixel(155, 105));
    EXPECT_RGB(0, 255, 0, ReadPixel(180, 105));
    EXPECT_RGB(0, 0, 255, ReadPixel(155, 119));
    EXPECT_RGB(0, 0, 0, ReadPixel(180, 119));
    // The referenced layout's board where the reference put it.
    EXPECT_RGB(255, 255, 255, ReadPixel(255, 155));
    EXPECT_RGB(0, 0, 0, ReadPixel(245, 155));
}

TEST_F(TextMeterDisplayTest, TypingMeterChangesAndGridReflowShowOnScreen)
{
    TextEditNode* name = Find<TextEditNode>(L"Nombre");
    MeterBarNode* energy = Find<MeterBarNode>(L"Energ\u00eda");
    DiscreteMeterBarNode* lives = Find<DiscreteMeterBarNode>(L"Vidas");
    FractionTextMeterNode* count = Find<FractionTextMeterNode>(L"Cuenta");
    NodeGridNode* grid = Find<NodeGridNode>(L"Rejilla");
    ASSERT_TRUE(name && energy && lives && count && grid);

    // A press on the field, then typing.
    ClickAt(60, 110);
    ASSERT_TRUE(name->HasFocus());
    EXPECT_EQ(kMessageHandled, scene->mode->OnTextInput(L"\u00d1u"));
    Redraw();
    EXPECT_RGB(255, 255, 0, ReadPixel(16, 110));
    EXPECT_RGB(255, 255, 0, ReadPixel(28, 110));
    // The caret stands just after the text, the frame beyond it.
    EXPECT_RGB(255, 0, 255, ReadPixel(30, 110));
    EXPECT_RGB(0, 0, 128, ReadPixel(40, 110));
    EXPECT_EQ(2, static_cast<int>(recorder->Take().size()));

    // The meters follow their values on the next draw.
    energy->SetMeterValue(4.0f);
    lives->SetMeterValue(5.0f);
    count->SetMeterValue(10.0f);
    Redraw();
    EXPECT_RGB(255, 0, 0, ReadPixel(108, 63));
    EXPECT_RGB(0, 255, 0, ReadPixel(44, 81));
    EXPECT_RGB(255, 255, 255, ReadPixel(188, 65));

    // Without its first child the grid closes up into one row.
    SceneNode* red = grid->GetChildByName(Label::GetUniqueString("rojo"));
    ASSERT_NE(nullptr, red);
    red->DestroySelf();
    Redraw();
    EXPECT_RGB(0, 255, 0, ReadPixel(155, 105));
    EXPECT_RGB(0, 0, 255, ReadPixel(180, 105));
    EXPECT_RGB(0, 0, 0, ReadPixel(155, 119));
}
