// The button node as screens use it: state images by image count, the mouse's
// press, drag off and back and release, keys, the pixel hit test, captions, sounds
// and "ButtonClick", built in code and from scene-layout XML.

#include "CorvaneExtensions/Tests/Scene/ControlTestSupport.h"

#include "CorvaneExtensions/Source/ButtonNode.h"

#include "CorvaneExtensions/AudioPlatform/BASS/SoundList.h"

#include <gtest/gtest.h>

#include <set>

using namespace Corvane;
using namespace ControlTesting;

namespace
{

class ButtonNodeTest : public ControlFixture
{
protected:
    // A button of count 40 x 20 images at (100, 50), or a frame of the given width.
    ButtonNode* MakeButton(int count, float frameWidth = 0.0f)
    {
        lists.push_back(MakeImageList(count, 40, 20));
        ButtonNode* button =
            new ButtonNode(Label(), lists.back().get(), frameWidth, nullptr, nullptr, ColorF(0, 0, 0, 1));
        button->LocalSetLocation(100.0f, 50.0f);
        return Add(button);
    }

    // The images the button draws now, as indices into its list.
    std::vector<int> DrawnIndices(ButtonNode* button)
    {
        DrawRecordingCanvas canvas;
        button->DrawNode();
        return canvas.IndicesIn(*static_cast<ImageList const*>(button->GetImages()));
    }

    std::set<int> DrawnSet(ButtonNode* button)
    {
        std::vector<int> const drawn = DrawnIndices(button);
        return std::set<int>(drawn.begin(), drawn.end());
    }

    std::vector<std::unique_ptr<ImageList>> lists;
};

} // namespace

// --- state images -------------------------------------------------------------

TEST_F(ButtonNodeTest, AFocusedIdleButtonShowsTheFocusImageOnlyWithFiveImages)
{
    ButtonNode* four = MakeButton(4);
    four->Focus();
    EXPECT_EQ(std::vector<int>{1}, DrawnIndices(four));

    ButtonNode* five = MakeButton(5);
    five->Focus();
    EXPECT_EQ(std::vector<int>{4}, DrawnIndices(five));
    EXPECT_EQ(std::vector<int>{0}, DrawnIndices(four));
}

TEST_F(ButtonNodeTest, AFrameButtonDrawsTheTripleOfItsState)
{
    ButtonNode* fifteen = MakeButton(15, 200.0f);
    EXPECT_EQ(200.0f, fifteen->GetWidth());
    EXPECT_EQ(20.0f, fifteen->GetHeight());
    fifteen->Focus();
    EXPECT_EQ((std::set<int>{12, 13, 14}), DrawnSet(fifteen));

    // Twelve images have no focus triple: the hot one stands in.
    ButtonNode* twelve = MakeButton(12, 120.0f);
    twelve->Focus();
    EXPECT_EQ((std::set<int>{3, 4, 5}), DrawnSet(twelve));
    twelve->Enable(false);
    EXPECT_EQ((std::set<int>{9, 10, 11}), DrawnSet(twelve));
}

TEST_F(ButtonNodeTest, PressedAndHotAndDisabledImages)
{
    ButtonNode* button = MakeButton(4);
    Move(110, 60);
    EXPECT_TRUE(button->IsHot());
    EXPECT_EQ(1, button->GetImageIndex());
    Press(110, 60);
    EXPECT_EQ(2, button->GetImageIndex());
    Release(110, 60);
    EXPECT_EQ(1, button->GetImageIndex());
    button->Enable(false);
    EXPECT_EQ(std::vector<int>{3}, DrawnIndices(button));
}

// --- mouse --------------------------------------------------------------------

TEST_F(ButtonNodeTest, AClickSendsButtonClickAndFiresTheSignal)
{
    ButtonNode* button = MakeButton(4);
    std::vector<ButtonNode*> clicked;
    button->clickSignal.connect([&clicked](ButtonNode* b) { clicked.push_back(b); });

    ClickAt(120, 60);
    ASSERT_EQ(1u, recorder->noted.size());
    EXPECT_EQ("ButtonClick", recorder->noted[0].message);
    EXPECT_EQ(button->GetID(), recorder->noted[0].sender);
    EXPECT_EQ(std::vector<ButtonNode*>{button}, clicked);
    EXPECT_EQ(nullptr, Capturing());
}

TEST_F(ButtonNodeTest, DraggingOffAndBackStillClicksOnAReleaseOverTheButton)
{
    ButtonNode* button = MakeButton(4);
    Move(110, 60);
    Press(110, 60);
    Move(300, 300);
    EXPECT_FALSE(button->IsHot());
    EXPECT_EQ(0, button->GetImageIndex());
    EXPECT_EQ(button, Capturing());
    Move(112, 62);
    EXPECT_TRUE(button->IsHot());
    EXPECT_EQ(2, button->GetImageIndex());
    Release(112, 62);
    EXPECT_EQ(Names{"ButtonClick"}, recorder->Take());
}

TEST_F(ButtonNodeTest, ReleasingAwayFromTheButtonNeverClicks)
{
    ButtonNode* button = MakeButton(4);
    Move(110, 60);
    Press(110, 60);
    Move(300, 300);
    EXPECT_EQ(1, Release(300, 300));
    EXPECT_TRUE(recorder->Take().empty());
    EXPECT_EQ(nullptr, Capturing());
    EXPECT_FALSE(button->IsHot());
}

TEST_F(ButtonNodeTest, ADisabledButtonNeitherCapturesNorBecomesHotButItsKeyCodeStillClicks)
{
    MakeSoundList(L"Pala", {L"Hot", L"Down", L"Release"});
    ButtonNode* button = MakeButton(4);
    button->SetSoundList(AutoResource<SoundList>("Pala").Get());
    button->SetKeyCode('Q');
    button->Enable(false);

    ClickAt(110, 60);
    EXPECT_FALSE(button->IsHot());
    EXPECT_EQ(nullptr, Capturing());
    EXPECT_TRUE(recorder->Take().empty());
    EXPECT_TRUE(SoundsPlayed().empty());
    EXPECT_EQ(3, button->GetImageIndex());

    EXPECT_EQ(1, Key('Q'));
    EXPECT_EQ(Names{"ButtonClick"}, recorder->Take());
    EXPECT_TRUE(SoundsPlayed().empty());
}

TEST_F(ButtonNodeTest, AButtonDisabledWhileHeldLetsGoOfTheCaptureOnTheRelease)
{
    MakeSoundList(L"Pala", {L"Hot", L"Down", L"Release"});
    ButtonNode* first = MakeButton(4);
    first->SetSoundList(AutoResource<SoundList>("Pala").Get());
    ButtonNode* second = MakeButton(4);
    second->LocalSetLocation(300.0f, 50.0f);
    Frame();

    Press(110, 60);
    EXPECT_EQ(first, Capturing());
    SoundsPlayed();
    first->Enable(false);
    Release(110, 60);
    EXPECT_EQ(nullptr, Capturing());
    EXPECT_TRUE(recorder->Take().empty());
    EXPECT_TRUE(SoundsPlayed().empty());

    // The rest of the screen answers again.
    ClickAt(310, 60);
    ASSERT_EQ(1u, recorder->noted.size());
    EXPECT_EQ(second->GetID(), recorder->noted[0].sender);
}

TEST_F(ButtonNodeTest, ADisabledButtonReleasedAwayFromItselfAlsoLetsGo)
{
    ButtonNode* button = MakeButton(4);
    Press(110, 60);
    button->Enable(false);
    Release(400, 400);
    EXPECT_EQ(nullptr, Capturing());
    EXPECT_TRUE(recorder->Take().empty());
}

// --- keys -----------------------------------------------------------------------

TEST_F(ButtonNodeTest, TheActivationKeysClickOnlyWithTheFocus)
{
    ButtonNode* button = MakeButton(4);
    EXPECT_EQ(0, Key(13));
    EXPECT_TRUE(recorder->Take().empty());
    button->Focus();
    EXPECT_EQ(1, Key(13));
    EXPECT_EQ(1, Key(32));
    EXPECT_EQ(1, Key(258));
    EXPECT_EQ(0, Key(65));
    EXPECT_EQ((Names{"ButtonClick", "ButtonClick", "ButtonClick"}), recorder->Take());
}

// Keys reach every node of the scene, shown or not.
TEST_F(ButtonNodeTest, AHiddenButtonStillAnswersItsKeys)
{
    ButtonNode* button = MakeButton(4);
    button->SetKeyCode('Q');
    button->Focus();
    button->LocalSetVisible(false);
    Frame();
    EXPECT_EQ(1, Key('Q'));
    EXPECT_EQ(1, Key(13));
    EXPECT_EQ((Names{"ButtonClick", "ButtonClick"}), recorder->Take());
}

// --- hit test -------------------------------------------------------------------

TEST_F(ButtonNodeTest, ThePixelTestNeedsAlphaAboveTheSensitivity)
{
    // Left half alpha 25, right half alpha 26.
    ImageList list;
    Image* image = new Image(40, 20);
    for (int y = 0; y < 20; ++y)
    {
        for (int x = 0; x < 40; ++x)
            image->SetPixel(x, y, Color32(x < 20 ? 0x19FFFFFFu : 0x1AFFFFFFu));
    }
    list.AddOwnedImage(image);
    ButtonNode* button = new ButtonNode(Label(), &list, 0.0f, nullptr, nullptr, ColorF(0, 0, 0, 1));
    button->LocalSetLocation(100.0f, 50.0f);
    Add(button);

    EXPECT_EQ(0, Press(105, 55));
    EXPECT_EQ(nullptr, Capturing());
    EXPECT_EQ(1, Press(125, 55));
    Release(125, 55);
    EXPECT_EQ(Names{"ButtonClick"}, recorder->Take());

    button->SetAlphaSensitivity(0);
    EXPECT_TRUE(button->GlobalPointIntersects(Vector2<float>(100.0f, 50.0f)));
    EXPECT_TRUE(button->GlobalPointIntersects(Vector2<float>(139.9f, 69.9f)));
    EXPECT_FALSE(button->GlobalPointIntersects(Vector2<float>(140.0f, 60.0f)));
}

TEST_F(ButtonNodeTest, AFrameButtonTestsTheAlphaOfItsFrameAtItsWidth)
{
    // Opaque caps, transparent middle.
    ImageList list;
    list.AddOwnedImage(SolidImage(10, 20, 0xFFFFFFFFu));
    list.AddOwnedImage(SolidImage(10, 20, 0x00FFFFFFu));
    list.AddOwnedImage(SolidImage(10, 20, 0xFFFFFFFFu));
    for (int i = 3; i < 6; ++i)
        list.AddOwnedImage(SolidImage(10, 20, 0xFFFFFFFFu));
    ButtonNode* button = new ButtonNode(Label(), &list, 100.0f, nullptr, nullptr, ColorF(0, 0, 0, 1));
    Add(button);
    EXPECT_TRUE(button->GlobalPointIntersects(Vector2<float>(5.0f, 5.0f)));
    EXPECT_FALSE(button->GlobalPointIntersects(Vector2<float>(50.0f, 5.0f)));
    EXPECT_TRUE(button->GlobalPointIntersects(Vector2<float>(95.0f, 5.0f)));
    EXPECT_FALSE(button->GlobalPointIntersects(Vector2<float>(105.0f, 5.0f)));
}

// --- captions and size ------------------------------------------------------------

TEST_F(ButtonNodeTest, WithoutImagesTheCaptionGivesTheSizeAndWithoutAFontTheSizeStays)
{
    FixedFont font;
    ButtonNode* button = new ButtonNode(Label(), nullptr, 0.0f, L"Se\u00f1al", &font, ColorF(0, 0, 0, 1));
    EXPECT_EQ(40.0f, button->GetWidth());
    EXPECT_EQ(12.0f, button->GetHeight());
    button->SetText(L"Ir");
    EXPECT_EQ(16.0f, button->GetWidth());

    button->SetFont(nullptr);
    button->SetText(L"Mucho m\u00e1s largo");
    EXPECT_EQ(16.0f, button->GetWidth());
    EXPECT_EQ(12.0f, button->GetHeight());
    delete button;
}

TEST_F(ButtonNodeTest, TheCaptionIsCentredOnWholePixels)
{
    FixedFont font;
    lists.push_back(MakeImageList(4, 41, 21));
    ButtonNode* button = new ButtonNode(Label(), lists.back().get(), 0.0f, L"ab", &font, ColorF(1, 0, 0, 1));
    button->LocalSetLocation(10.25f, 20.25f);
    Add(button);

    DrawRecordingCanvas canvas;
    button->DrawNode();
    ASSERT_EQ(3u, canvas.calls.size());
    sDrawCall const& firstGlyph = canvas.calls[1];
    EXPECT_EQ(ColorF(1, 0, 0, 1), firstGlyph.state.color);
    // The two glyphs make a 16 x 12 block centred on floor(10.25 + 20.5 + 0.5) and
    // floor(20.25 + 10.5 + 0.5).
    EXPECT_EQ(31.0f, firstGlyph.x + 8.0f);
    EXPECT_EQ(31.0f, firstGlyph.y + 6.0f);
    EXPECT_EQ(firstGlyph.x + 8.0f, canvas.calls[2].x);
}

TEST_F(ButtonNodeTest, AMissingTextResourceNamesItself)
{
    FixedFont font;
    ButtonNode button(Label(), nullptr, 0.0f, L"old", &font, ColorF(0, 0, 0, 1));
    button.SetTextFromResource(Label::GetUniqueString("BotonJugar"));
    EXPECT_EQ(L"Missing: \"BotonJugar\"", button.GetText());
    // The size follows the new caption.
    EXPECT_EQ(8.0f * 21, button.GetWidth());
}

TEST_F(ButtonNodeTest, SwappingImagesResizesAtOnce)
{
    ButtonNode* button = MakeButton(4);
    std::unique_ptr<ImageList> wide = MakeImageList(5, 64, 30);
    button->SetImages(wide.get(), 0.0f);
    EXPECT_EQ(64.0f, button->GetWidth());
    EXPECT_EQ(30.0f, button->GetHeight());
    std::unique_ptr<ImageList> frame = MakeImageList(6, 10, 25);
    button->SetImages(frame.get(), 150.0f);
    EXPECT_EQ(150.0f, button->GetWidth());
    EXPECT_EQ(25.0f, button->GetHeight());
}

// --- sounds -----------------------------------------------------------------------

TEST_F(ButtonNodeTest, EnterPressAndReleasePlayTheirSounds)
{
    MakeSoundList(L"Pala", {L"Hot", L"Down", L"Release"});
    ButtonNode* button = MakeButton(4);
    button->SetSoundList(AutoResource<SoundList>("Pala").Get());

    Move(110, 60);
    EXPECT_EQ(Names{"PalaHot"}, SoundsPlayed());
    Press(110, 60);
    EXPECT_EQ(Names{"PalaDown"}, SoundsPlayed());
    Release(110, 60);
    EXPECT_EQ(Names{"PalaRelease"}, SoundsPlayed());
    Move(300, 300);
    EXPECT_TRUE(SoundsPlayed().empty());

    // A click by key is silent.
    button->Focus();
    Key(13);
    EXPECT_TRUE(SoundsPlayed().empty());
}

TEST_F(ButtonNodeTest, OneSoundForEnterAndPressPlaysOnceWithinTheRepeatWindow)
{
    std::string const name = "Clic";
    MakeSound(name.c_str());
    LoadManifest(L"<soundlist name=\"Uno\"><sound event=\"Hot\" src=\"Clic\"/><sound event=\"Down\" src=\"Clic\"/>"
                 L"<sound event=\"Release\" src=\"Clic\"/></soundlist>",
                 L"UnoManifest");
    ButtonNode* button = MakeButton(4);
    button->SetSoundList(AutoResource<SoundList>("Uno").Get());

    Move(110, 60);
    clock.AdvanceMS(20);
    Press(110, 60);
    EXPECT_EQ(1u, library.Matching("ChannelPlay").size());
    clock.AdvanceMS(1);
    Release(110, 60);
    EXPECT_EQ(2u, library.Matching("ChannelPlay").size());
}

// --- from a layout --------------------------------------------------------------

TEST_F(ButtonNodeTest, ALayoutButtonReadsItsAttributes)
{
    MakeSoundList(L"Boton", {L"Hot", L"Down", L"Release"});
    LoadManifest(L"<testimages name=\"BotonImgs\" count=\"5\" width=\"60\" height=\"30\"/>"
                 L"<testfont name=\"Letra\" glyphWidth=\"6\" glyphHeight=\"10\"/>"
                 L"<string name=\"TextoJugar\" value=\"\u00a1Jugar!\"/>",
                 L"Recursos");
    LoadLayout(L"Menu", L"<scenenode><buttonnode nodeName=\"Jugar\" x=\"10\" y=\"20\" images=\"BotonImgs\" "
                        L"font=\"Letra\" text=\"Ca\u00f1\u00f3n\" keyCode=\"Space\" alphaSensitivity=\"0\" "
                        L"sounds=\"Boton\"/>"
                        L"<buttonnode nodeName=\"Otro\" textResource=\"TextoJugar\" font=\"Letra\" keyCode=\"q\"/>"
                        L"</scenenode>");
    SceneNode* menu = Instantiate(L"Menu");
    ASSERT_NE(nullptr, menu);
    ButtonNode* play = dynamic_cast<ButtonNode*>(menu->GetChildByName(Label::GetUniqueString("jugar")));
    ButtonNode* other = dynamic_cast<ButtonNode*>(menu->GetChildByName(Label::GetUniqueString("Otro")));
    ASSERT_NE(nullptr, play);
    ASSERT_NE(nullptr, other);

    EXPECT_EQ(60.0f, play->GetWidth());
    EXPECT_EQ(30.0f, play->GetHeight());
    EXPECT_EQ(L"Ca\u00f1\u00f3n", play->GetText());
    EXPECT_EQ(32, play->GetKeyCode());
    EXPECT_EQ(0, play->GetAlphaSensitivity());
    EXPECT_TRUE(play->GetHitTest());

    EXPECT_EQ(L"\u00a1Jugar!", other->GetText());
    EXPECT_EQ(42.0f, other->GetWidth());
    EXPECT_EQ('Q', other->GetKeyCode());
    EXPECT_EQ(25, other->GetAlphaSensitivity());

    ClickAt(20, 30);
    EXPECT_EQ((Names{"BotonDown", "BotonHot", "BotonRelease"}), SoundsPlayed());
    ASSERT_EQ(1u, recorder->noted.size());
    EXPECT_EQ(play->GetID(), recorder->noted[0].sender);
}

TEST_F(ButtonNodeTest, ALayoutNamingMissingImagesAndFontGivesAnEmptyButton)
{
    LoadLayout(L"Vacio", L"<scenenode><buttonnode nodeName=\"B\" images=\"NoHay\" font=\"NiEsta\" text=\"x\" "
                         L"sounds=\"Tampoco\"/></scenenode>");
    SceneNode* root = Instantiate(L"Vacio");
    ASSERT_NE(nullptr, root);
    ButtonNode* button = dynamic_cast<ButtonNode*>(root->GetChildByName(Label::GetUniqueString("B")));
    ASSERT_NE(nullptr, button);
    EXPECT_EQ(0.0f, button->GetWidth());
    EXPECT_EQ(0.0f, button->GetHeight());
    EXPECT_EQ(nullptr, button->GetImages());
    DrawRecordingCanvas canvas;
    scene->mode->Draw();
    EXPECT_TRUE(canvas.calls.empty());
    EXPECT_EQ(0, Press(0, 0));
    button->Click();
    EXPECT_EQ(Names{"ButtonClick"}, recorder->Take());
}
