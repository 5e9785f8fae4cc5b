// Meters as screens use them: the value kept between 0 and the maximum through the
// meter role, bars that fill from their start edge with the pattern fixed to the
// bar, rows of full and empty units, and fraction texts, made from layout XML.

#include "CorvaneExtensions/Tests/Scene/ControlTestSupport.h"

#include "CorvaneExtensions/Source/MeterNodes.h"
#include "CorvaneExtensions/Source/TextSpriteNodes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

using namespace Corvane;
using namespace ControlTesting;

namespace
{

class MeterNodesTest : public ControlFixture
{
protected:
    void SetUp() override
    {
        ControlFixture::SetUp();
        // Fill red, background blue, 10 x 8 each; units green (full) and grey (empty), 6 x 4.
        LoadManifest(L"<testimages name=\"Barra\" count=\"2\" width=\"10\" height=\"8\" colors=\"ffff0000,ff0000ff\"/>"
                     L"<testimages name=\"SoloRelleno\" count=\"1\" width=\"10\" height=\"8\"/>"
                     L"<testimages name=\"Unidades\" count=\"2\" width=\"6\" height=\"4\" colors=\"ff00ff00,ff808080\"/>"
                     L"<testfont name=\"Cifras\" glyphWidth=\"7\" glyphHeight=\"11\"/>",
                     L"Medidores");
    }

    static ImageList const* List(char const* name) { return AutoResource<ImageList>(name).Get(); }

    template <class T>
    T* FromLayout(std::wstring const& element)
    {
        // Each layout under a name of its own: a manifest loads only once.
        std::wstring const name = L"Medidor" + std::to_wstring(++mLayouts);
        LoadLayout(name, element);
        return dynamic_cast<T*>(Instantiate(name.c_str()));
    }

    struct sPieces
    {
        float left = 1e9f;
        float right = -1e9f;
        float top = 1e9f;
        float bottom = -1e9f;
        int covered = 0;
        int firstSource = -1;
    };

    // Where the pieces of one image went in one draw, along the bar's axis.
    static sPieces PiecesOf(std::vector<sDrawCall> const& calls, IImage const* image, bool horizontal)
    {
        sPieces pieces;
        for (sDrawCall const& call : calls)
        {
            if (call.image != image)
                continue;
            bool const clipped = (call.state.flags & Graphics::DRAW_FLAG_SOURCE_RECT) != 0;
            float const width = clipped ? float(call.state.sourceRect.width) : float(image->GetWidth());
            float const height = clipped ? float(call.state.sourceRect.height) : float(image->GetHeight());
            if (pieces.firstSource < 0)
                pieces.firstSource = clipped ? (horizontal ? call.state.sourceRect.x : call.state.sourceRect.y) : 0;
            pieces.left = std::min(pieces.left, call.x);
            pieces.right = std::max(pieces.right, call.x + width);
            pieces.top = std::min(pieces.top, call.y);
            pieces.bottom = std::max(pieces.bottom, call.y + height);
            pieces.covered += static_cast<int>(horizontal ? width : height);
        }
        return pieces;
    }

    static std::vector<sDrawCall> Draw(SceneNode* node)
    {
        DrawRecordingCanvas canvas;
        node->DrawNode();
        return canvas.calls;
    }

    int mLayouts = 0;
};

} // namespace

// --- the meter component --------------------------------------------------------

TEST_F(MeterNodesTest, TheValueStaysBetweenZeroAndTheMaximum)
{
    MeterBarNode* bar = Add(new MeterBarNode(kMeterLeftToRight, 100, List("Barra")));
    IMeter* meter = dynamic_cast<IMeter*>(static_cast<SceneNode*>(bar));
    ASSERT_NE(nullptr, meter);
    EXPECT_EQ(0.0f, meter->GetMeterValue());
    meter->SetMeterValue(3.0f);
    EXPECT_EQ(0.0f, meter->GetMeterValue());

    meter->SetMeterMax(10.0f);
    meter->SetMeterValue(12.5f);
    EXPECT_EQ(10.0f, meter->GetMeterValue());
    meter->SetMeterValue(-2.0f);
    EXPECT_EQ(0.0f, meter->GetMeterValue());
    meter->SetMeterValue(7.5f);
    meter->SetMeterMax(4.0f);
    EXPECT_EQ(4.0f, meter->GetMeterMax());
    EXPECT_EQ(4.0f, meter->GetMeterValue());

    // A negative maximum is none, and a value that is not a number is empty.
    meter->SetMeterMax(-3.0f);
    EXPECT_EQ(0.0f, meter->GetMeterMax());
    EXPECT_EQ(0.0f, meter->GetMeterValue());
    meter->SetMeterMax(8.0f);
    meter->SetMeterValue(std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(0.0f, meter->GetMeterValue());
}

TEST_F(MeterNodesTest, TheFactoriesClampTheStartValueToTheMaximum)
{
    DiscreteMeterBarNode* units =
        FromLayout<DiscreteMeterBarNode>(L"<discretemeterbarnode images=\"Unidades\" size=\"3\" max=\"4\" start=\"10\"/>");
    ASSERT_NE(nullptr, units);
    EXPECT_EQ(4.0f, units->GetMeterMax());
    EXPECT_EQ(4.0f, units->GetMeterValue());
}

// --- continuous bars --------------------------------------------------------------

TEST_F(MeterNodesTest, BarsMeasureTheirLengthAlongTheirDirection)
{
    MeterBarNode* horizontal = FromLayout<MeterBarNode>(L"<meterbarnode images=\"Barra\" size=\"100\"/>");
    ASSERT_NE(nullptr, horizontal);
    EXPECT_EQ(100.0f, horizontal->GetWidth());
    EXPECT_EQ(8.0f, horizontal->GetHeight());

    MeterBarNode* vertical =
        FromLayout<MeterBarNode>(L"<meterbarnode images=\"Barra\" direction=\"bottomToTop\" size=\"-5\"/>");
    ASSERT_NE(nullptr, vertical);
    EXPECT_EQ(kMeterBottomToTop, vertical->GetDirection());
    EXPECT_EQ(10.0f, vertical->GetWidth());
    EXPECT_EQ(8.0f, vertical->GetHeight());

    // Direction names are exact: a wrong case is left to right.
    MeterBarNode* wrongCase =
        FromLayout<MeterBarNode>(L"<meterbarnode images=\"Barra\" direction=\"TopToBottom\" size=\"30\"/>");
    ASSERT_NE(nullptr, wrongCase);
    EXPECT_EQ(kMeterLeftToRight, wrongCase->GetDirection());
    EXPECT_EQ(30.0f, wrongCase->GetWidth());
}

TEST_F(MeterNodesTest, ABarWithoutMaximumDrawsOnlyItsBackground)
{
    MeterBarNode* bar =
        FromLayout<MeterBarNode>(L"<meterbarnode x=\"20\" y=\"10\" images=\"Barra\" size=\"35\" max=\"0\" start=\"5\"/>");
    ASSERT_NE(nullptr, bar);
    std::vector<sDrawCall> const calls = Draw(bar);
    EXPECT_EQ(0, PiecesOf(calls, List("Barra")->GetImage(0), true).covered);
    sPieces const background = PiecesOf(calls, List("Barra")->GetImage(1), true);
    EXPECT_EQ(35, background.covered);
    EXPECT_EQ(20.0f, background.left);
    EXPECT_EQ(55.0f, background.right);
}

TEST_F(MeterNodesTest, ALeftToRightBarFillsFromItsLeftEdge)
{
    MeterBarNode* bar =
        FromLayout<MeterBarNode>(L"<meterbarnode x=\"20\" y=\"10\" images=\"Barra\" size=\"100\" max=\"4\" start=\"1\"/>");
    ASSERT_NE(nullptr, bar);
    EXPECT_EQ(25, bar->GetFilledLength());
    sPieces const fill = PiecesOf(Draw(bar), List("Barra")->GetImage(0), true);
    EXPECT_EQ(25, fill.covered);
    EXPECT_EQ(20.0f, fill.left);
    EXPECT_EQ(45.0f, fill.right);
    EXPECT_EQ(0, fill.firstSource);
}

TEST_F(MeterNodesTest, ARightToLeftBarFillsFromItsRightEdgeWithThePatternFixedToTheBar)
{
    MeterBarNode* bar = FromLayout<MeterBarNode>(
        L"<meterbarnode x=\"20\" y=\"10\" images=\"Barra\" direction=\"rightToLeft\" size=\"100\" max=\"1\" "
        L"start=\"0.25\"/>");
    ASSERT_NE(nullptr, bar);
    std::vector<sDrawCall> const calls = Draw(bar);
    sPieces const fill = PiecesOf(calls, List("Barra")->GetImage(0), true);
    EXPECT_EQ(25, fill.covered);
    EXPECT_EQ(95.0f, fill.left);
    EXPECT_EQ(120.0f, fill.right);
    // 75 pixels into a 10-pixel pattern.
    EXPECT_EQ(5, fill.firstSource);
    // The background lies under the whole bar, drawn first.
    EXPECT_EQ(100, PiecesOf(calls, List("Barra")->GetImage(1), true).covered);
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(List("Barra")->GetImage(1), calls.front().image);
}

TEST_F(MeterNodesTest, AVerticalBarFillsUpwardsFromItsBottomEdge)
{
    MeterBarNode* bar = FromLayout<MeterBarNode>(
        L"<meterbarnode x=\"5\" y=\"10\" images=\"SoloRelleno\" direction=\"bottomToTop\" size=\"40\" max=\"10\" "
        L"start=\"3\"/>");
    ASSERT_NE(nullptr, bar);
    sPieces const fill = PiecesOf(Draw(bar), List("SoloRelleno")->GetImage(0), false);
    EXPECT_EQ(12, fill.covered);
    EXPECT_EQ(38.0f, fill.top);
    EXPECT_EQ(50.0f, fill.bottom);
    // 28 pixels into an 8-pixel pattern.
    EXPECT_EQ(4, fill.firstSource);
}

TEST_F(MeterNodesTest, AMeterTintsItsImagesWithItsGlobalColour)
{
    LoadLayout(L"Tinte", L"<scenenode alpha=\"0.5\"><meterbarnode images=\"Barra\" size=\"20\" max=\"1\" start=\"1\" "
                         L"color=\"#00ff00\"/></scenenode>");
    SceneNode* root = Instantiate(L"Tinte");
    ASSERT_NE(nullptr, root);
    std::vector<sDrawCall> const calls = Draw(root->GetChildren().front());
    ASSERT_FALSE(calls.empty());
    for (sDrawCall const& call : calls)
        EXPECT_EQ(ColorF(0, 1, 0, 0.5f), call.state.tint);
}

TEST_F(MeterNodesTest, AMeterWithoutImagesIsEmptyAndDrawsNothing)
{
    MeterBarNode* bar = FromLayout<MeterBarNode>(L"<meterbarnode images=\"NoExiste\" size=\"100\" max=\"1\" start=\"1\"/>");
    ASSERT_NE(nullptr, bar);
    EXPECT_EQ(0.0f, bar->GetWidth());
    EXPECT_EQ(0.0f, bar->GetHeight());
    EXPECT_TRUE(Draw(bar).empty());

    DiscreteMeterBarNode* units =
        FromLayout<DiscreteMeterBarNode>(L"<discretemeterbarnode size=\"5\" max=\"1\" start=\"1\"/>");
    ASSERT_NE(nullptr, units);
    EXPECT_EQ(0.0f, units->GetWidth());
    EXPECT_TRUE(Draw(units).empty());
}

// --- discrete bars ----------------------------------------------------------------

TEST_F(MeterNodesTest, DiscreteBarsShowTruncatedFullUnitsFromTheirStartEdge)
{
    DiscreteMeterBarNode* units = FromLayout<DiscreteMeterBarNode>(
        L"<discretemeterbarnode x=\"10\" y=\"3\" images=\"Unidades\" size=\"5\" offset=\"2\" max=\"4\" start=\"2\"/>");
    ASSERT_NE(nullptr, units);
    EXPECT_EQ(5.0f * 6.0f + 4.0f * 2.0f, units->GetWidth());
    EXPECT_EQ(4.0f, units->GetHeight());
    EXPECT_EQ(2, units->GetFullCount());
    {
        DrawRecordingCanvas canvas;
        units->DrawNode();
        EXPECT_EQ((std::vector<int>{0, 0, 1, 1, 1}), canvas.IndicesIn(*List("Unidades")));
        ASSERT_EQ(5u, canvas.calls.size());
        EXPECT_EQ(10.0f, canvas.calls[0].x);
        EXPECT_EQ(18.0f, canvas.calls[1].x);
        EXPECT_EQ(42.0f, canvas.calls[4].x);
        EXPECT_EQ(3.0f, canvas.calls[4].y);
    }

    DiscreteMeterBarNode* upwards = FromLayout<DiscreteMeterBarNode>(
        L"<discretemeterbarnode images=\"Unidades\" direction=\"bottomToTop\" size=\"4\" offset=\"1\" max=\"4\" "
        L"start=\"3\"/>");
    ASSERT_NE(nullptr, upwards);
    EXPECT_EQ(6.0f, upwards->GetWidth());
    EXPECT_EQ(4.0f * 4.0f + 3.0f, upwards->GetHeight());
    DrawRecordingCanvas canvas;
    upwards->DrawNode();
    // The full units end at the far (bottom) edge.
    EXPECT_EQ((std::vector<int>{1, 0, 0, 0}), canvas.IndicesIn(*List("Unidades")));
    ASSERT_EQ(4u, canvas.calls.size());
    EXPECT_EQ(15.0f, canvas.calls[3].y);
}

TEST_F(MeterNodesTest, ADiscreteBarWithoutMaximumOrUnitsDrawsNothing)
{
    DiscreteMeterBarNode* units =
        FromLayout<DiscreteMeterBarNode>(L"<discretemeterbarnode images=\"Unidades\" size=\"3\"/>");
    ASSERT_NE(nullptr, units);
    EXPECT_TRUE(Draw(units).empty());

    DiscreteMeterBarNode* none =
        FromLayout<DiscreteMeterBarNode>(L"<discretemeterbarnode images=\"Unidades\" size=\"-2\" offset=\"5\" max=\"1\"/>");
    ASSERT_NE(nullptr, none);
    EXPECT_EQ(0, none->GetCount());
    EXPECT_EQ(0.0f, none->GetWidth());
    EXPECT_TRUE(Draw(none).empty());
}

// --- fraction texts ---------------------------------------------------------------

TEST_F(MeterNodesTest, AFractionShowsTruncatedValueOverMaximum)
{
    FractionTextMeterNode* fraction = FromLayout<FractionTextMeterNode>(
        L"<fractiontextmeternode font=\"Cifras\" color=\"#ff0000\" max=\"10\" start=\"2.7\"/>");
    ASSERT_NE(nullptr, fraction);
    ASSERT_NE(nullptr, fraction->GetTextNode());
    EXPECT_EQ(std::wstring(L"2/10"), fraction->GetTextNode()->GetText());
    EXPECT_EQ(28.0f, fraction->GetWidth());
    EXPECT_EQ(11.0f, fraction->GetHeight());
    EXPECT_EQ(ColorF(1, 0, 0, 1), fraction->GetTextNode()->LocalGetColor());

    IMeter* meter = dynamic_cast<IMeter*>(static_cast<SceneNode*>(fraction));
    ASSERT_NE(nullptr, meter);
    meter->SetMeterValue(10.0f);
    EXPECT_EQ(std::wstring(L"10/10"), fraction->GetTextNode()->GetText());
    EXPECT_EQ(35.0f, fraction->GetWidth());
    meter->SetMeterMax(3.9f);
    EXPECT_EQ(std::wstring(L"3/3"), fraction->GetTextNode()->GetText());

    // The text is drawn by the child, in the fraction's colour.
    std::vector<sDrawCall> const calls = Draw(fraction);
    EXPECT_TRUE(calls.empty());
    DrawRecordingCanvas canvas;
    fraction->DrawScene();
    ASSERT_EQ(3u, canvas.calls.size());
    EXPECT_EQ(ColorF(1, 0, 0, 1), canvas.calls[0].state.tint);
}

TEST_F(MeterNodesTest, AFractionWithoutAFontIsEmpty)
{
    FractionTextMeterNode* fraction =
        FromLayout<FractionTextMeterNode>(L"<fractiontextmeternode font=\"NoExiste\" max=\"10\" start=\"2\"/>");
    ASSERT_NE(nullptr, fraction);
    EXPECT_EQ(std::wstring(L"2/10"), fraction->GetTextNode()->GetText());
    EXPECT_EQ(0.0f, fraction->GetWidth());
    DrawRecordingCanvas canvas;
    fraction->DrawScene();
    EXPECT_TRUE(canvas.calls.empty());
}

TEST_F(MeterNodesTest, AFractionWhoseTextWasTakenAwayStillCounts)
{
    FractionTextMeterNode* fraction =
        Add(new FractionTextMeterNode(AutoResource<Font>("Cifras").Get(), ColorF(0, 0, 0, 1), kHAlignment_Left));
    TextSpriteNode* text = fraction->GetTextNode();
    ASSERT_NE(nullptr, text);
    text->DestroySelf();
    Frame();
    EXPECT_EQ(nullptr, fraction->GetTextNode());
    fraction->SetMeterMax(5.0f);
    fraction->SetMeterValue(4.0f);
    EXPECT_EQ(4.0f, fraction->GetMeterValue());
}
