// Check boxes and radio buttons as screens use them: checked image sets, clicks
// on the box and on the caption, sounds and messages, radio groups that uncheck
// by role, presetting a choice from code, and layouts.

#include "CorvaneExtensions/Tests/Scene/ControlTestSupport.h"

#include "CorvaneExtensions/Source/CheckBoxNode.h"
#include "CorvaneExtensions/Source/RadioButtonNode.h"

#include "CorvaneExtensions/AudioPlatform/BASS/SoundList.h"

#include <gtest/gtest.h>

#include <set>

using namespace Corvane;
using namespace ControlTesting;

namespace
{

class CheckBoxRadioNodeTest : public ControlFixture
{
protected:
    CheckBoxNode* MakeCheckBox(int count, Vector2<float> const& at, Font const* font = nullptr,
                               wchar_t const* text = nullptr)
    {
        lists.push_back(MakeImageList(count, 20, 20));
        return Add(new CheckBoxNode(Label(), at, lists.back().get(), 90.0f, text, font, ColorF(0, 0, 0, 1)));
    }

    RadioButtonNode* MakeRadio(char const* group, char const* name, Vector2<float> const& at, int count = 4)
    {
        lists.push_back(MakeImageList(count, 20, 20));
        return Add(new RadioButtonNode(Label::GetUniqueString(group), Label::GetUniqueString(name), at,
                                       lists.back().get(), 0.0f, nullptr, nullptr, ColorF(0, 0, 0, 1)));
    }

    std::vector<int> Drawn(SceneNode* node, ImageList const& list)
    {
        DrawRecordingCanvas canvas;
        node->DrawNode();
        return canvas.IndicesIn(list);
    }

    std::vector<std::unique_ptr<ImageList>> lists;
};

} // namespace

// --- check box images -------------------------------------------------------------

TEST_F(CheckBoxRadioNodeTest, ACheckedBoxShowsTheSecondSet)
{
    CheckBoxNode* box = MakeCheckBox(10, Vector2<float>(10, 10));
    box->SetCheck(true);
    EXPECT_EQ(std::vector<int>{5}, Drawn(box, *lists.back()));
    box->Enable(false);
    EXPECT_EQ(std::vector<int>{8}, Drawn(box, *lists.back()));
    box->Enable(true);
    box->Focus();
    EXPECT_EQ(std::vector<int>{9}, Drawn(box, *lists.back()));
}

TEST_F(CheckBoxRadioNodeTest, EightImagesHaveNoFocusImage)
{
    CheckBoxNode* box = MakeCheckBox(8, Vector2<float>(10, 10));
    box->SetCheck(true);
    box->Focus();
    EXPECT_EQ(std::vector<int>{5}, Drawn(box, *lists.back()));
    box->SetCheck(false);
    EXPECT_EQ(std::vector<int>{1}, Drawn(box, *lists.back()));
}

TEST_F(CheckBoxRadioNodeTest, AFrameBoxDrawsItsCheckedTripleFromTheMiddleOfTheList)
{
    CheckBoxNode* box = MakeCheckBox(30, Vector2<float>(10, 10));
    EXPECT_EQ(90.0f, box->GetWidth());
    box->SetCheck(true);
    Move(15, 15);
    std::vector<int> const drawn = Drawn(box, *lists.back());
    EXPECT_EQ((std::set<int>{18, 19, 20}), std::set<int>(drawn.begin(), drawn.end()));
}

// --- check box clicks ---------------------------------------------------------------

TEST_F(CheckBoxRadioNodeTest, EachClickFlipsTheBoxWithItsSoundAndMessage)
{
    MakeSoundList(L"Caja", {L"Hot", L"Down", L"Checked", L"Unchecked"});
    CheckBoxNode* box = MakeCheckBox(10, Vector2<float>(10, 10));
    box->SetSoundList(AutoResource<SoundList>("Caja").Get());

    Move(15, 15);
    EXPECT_EQ(Names{"CajaHot"}, SoundsPlayed());
    Press(15, 15);
    EXPECT_EQ(Names{"CajaDown"}, SoundsPlayed());
    Release(15, 15);
    EXPECT_TRUE(box->IsChecked());
    EXPECT_EQ(Names{"CajaChecked"}, SoundsPlayed());
    ASSERT_EQ(1u, recorder->noted.size());
    EXPECT_EQ("CheckBoxClick", recorder->noted[0].message);
    EXPECT_EQ(box->GetID(), recorder->noted[0].sender);
    recorder->noted.clear();

    Press(15, 15);
    SoundsPlayed();
    Release(15, 15);
    EXPECT_FALSE(box->IsChecked());
    EXPECT_EQ(Names{"CajaUnchecked"}, SoundsPlayed());
    EXPECT_EQ(Names{"CheckBoxClick"}, recorder->Take());
    EXPECT_EQ(nullptr, Capturing());
}

TEST_F(CheckBoxRadioNodeTest, PressingOnTheBackgroundAndReleasingOverTheBoxToggles)
{
    CheckBoxNode* box = MakeCheckBox(10, Vector2<float>(10, 10));
    EXPECT_EQ(0, Press(300, 300));
    Release(15, 15);
    EXPECT_TRUE(box->IsChecked());
    EXPECT_EQ(Names{"CheckBoxClick"}, recorder->Take());
}

TEST_F(CheckBoxRadioNodeTest, TheCaptionIsClickableWhereverTheBoxHasMoved)
{
    FixedFont font;
    CheckBoxNode* box = MakeCheckBox(10, Vector2<float>(0, 0), &font, L"M\u00fasica");
    box->LocalSetLocation(200.0f, 100.0f);
    Frame();
    // The caption: 6 glyphs of 8 x 12 from x 225, y floor(100 + 10 - 6 + 0.5) = 104.
    Rect<float> const caption = box->GetCaptionRect();
    EXPECT_EQ(Rect<float>(225.0f, 104.0f, 48.0f, 12.0f), caption);
    ClickAt(225, 104);
    EXPECT_TRUE(box->IsChecked());
    ClickAt(272, 115);
    EXPECT_FALSE(box->IsChecked());
    ClickAt(273, 110);
    ClickAt(250, 116);
    ClickAt(222, 110);
    EXPECT_FALSE(box->IsChecked());
    EXPECT_EQ((Names{"CheckBoxClick", "CheckBoxClick"}), recorder->Take());
}

TEST_F(CheckBoxRadioNodeTest, TheCheckBoxCaptionIsDrawnBesideTheBox)
{
    FixedFont font;
    CheckBoxNode* box = MakeCheckBox(10, Vector2<float>(30, 40), &font, L"S\u00ed");
    DrawRecordingCanvas canvas;
    box->DrawNode();
    ASSERT_EQ(3u, canvas.calls.size());
    // Left-aligned from 30 + 20 + 5, centred on floor(40 + 10 + 0.5).
    EXPECT_EQ(55.0f, canvas.calls[1].x);
    EXPECT_EQ(50.0f, canvas.calls[1].y + 6.0f);
}

TEST_F(CheckBoxRadioNodeTest, AFocusedBoxTogglesWithTheActivationKeysOnly)
{
    CheckBoxNode* box = MakeCheckBox(10, Vector2<float>(10, 10));
    EXPECT_EQ(0, Key(32));
    box->Focus();
    EXPECT_EQ(1, Key(32));
    EXPECT_TRUE(box->IsChecked());
    EXPECT_EQ(0, Key(40));
    EXPECT_EQ(1, Key(258));
    EXPECT_FALSE(box->IsChecked());
    // A hidden box still takes its keys.
    box->LocalSetVisible(false);
    Frame();
    EXPECT_EQ(1, Key(13));
    EXPECT_TRUE(box->IsChecked());
}

TEST_F(CheckBoxRadioNodeTest, ABoxDisabledWhileHeldLetsGoWithoutToggling)
{
    CheckBoxNode* box = MakeCheckBox(10, Vector2<float>(10, 10));
    Move(15, 15);
    Press(15, 15);
    box->Enable(false);
    Move(300, 300);
    // A disabled box keeps its hot flag.
    EXPECT_TRUE(box->IsHot());
    Release(15, 15);
    EXPECT_EQ(nullptr, Capturing());
    EXPECT_FALSE(box->IsChecked());
    EXPECT_TRUE(recorder->Take().empty());
}

// --- radio buttons --------------------------------------------------------------

TEST_F(CheckBoxRadioNodeTest, ClickingARadioButtonUnchecksTheOthersOfItsGroupOnly)
{
    RadioButtonNode* easy = MakeRadio("Dificultad", "Facil", Vector2<float>(10, 10));
    RadioButtonNode* hard = MakeRadio("Dificultad", "Dificil", Vector2<float>(40, 10));
    RadioButtonNode* english = MakeRadio("Idioma", "Ingles", Vector2<float>(70, 10));
    easy->SetCheck(true);
    english->SetCheck(true);
    EXPECT_TRUE(recorder->Take().empty());

    ClickAt(45, 15);
    EXPECT_TRUE(hard->IsChecked());
    EXPECT_FALSE(easy->IsChecked());
    EXPECT_TRUE(english->IsChecked());
    // Only the clicked button speaks.
    ASSERT_EQ(1u, recorder->noted.size());
    EXPECT_EQ("RadioButtonClick", recorder->noted[0].message);
    EXPECT_EQ(hard->GetID(), recorder->noted[0].sender);
}

TEST_F(CheckBoxRadioNodeTest, AScreenRecheckingWhileHandlingTheClickIsNotHeardAgain)
{
    RadioButtonNode* first = MakeRadio("Perfil", "Uno", Vector2<float>(10, 10));
    RadioButtonNode* second = MakeRadio("Perfil", "Dos", Vector2<float>(40, 10));
    int heard = 0;
    // A screen that answers a click by presetting the other choice.
    struct Screen : public Object
    {
        int* heard;
        RadioButtonNode* other;
        void ReceiveMessage(ObjectMessage const& message) override
        {
            if (message.message != Label::GetUniqueString("RadioButtonClick"))
                return;
            ++*heard;
            other->SetCheck(true);
        }
    };
    Screen* screen = new Screen();
    screen->heard = &heard;
    screen->other = first;
    scene->Database()->AddObject(screen);

    ClickAt(45, 15);
    EXPECT_EQ(1, heard);
    EXPECT_TRUE(first->IsChecked());
    EXPECT_FALSE(second->IsChecked());
}

TEST_F(CheckBoxRadioNodeTest, AButtonSharingAnotherMembersNameDoesNotUncheckIt)
{
    RadioButtonNode* first = MakeRadio("Grupo", "Mismo", Vector2<float>(10, 10));
    RadioButtonNode* twin = MakeRadio("Grupo", "Mismo", Vector2<float>(40, 10));
    first->SetCheck(true);
    twin->SetCheck(true);
    EXPECT_TRUE(first->IsChecked());
    EXPECT_TRUE(twin->IsChecked());
}

// Two null names are the same name: neither unchecks the other.
TEST_F(CheckBoxRadioNodeTest, UnnamedButtonsOfAGroupDoNotUncheckEachOther)
{
    lists.push_back(MakeImageList(4, 20, 20));
    RadioButtonNode* first = Add(new RadioButtonNode(Label::GetUniqueString("G"), Label(), Vector2<float>(0, 0),
                                                     lists.back().get(), 0, nullptr, nullptr, ColorF(0, 0, 0, 1)));
    RadioButtonNode* second = Add(new RadioButtonNode(Label::GetUniqueString("G"), Label(), Vector2<float>(30, 0),
                                                      lists.back().get(), 0, nullptr, nullptr, ColorF(0, 0, 0, 1)));
    first->SetCheck(true);
    second->SetCheck(true);
    EXPECT_TRUE(first->IsChecked());
    EXPECT_TRUE(second->IsChecked());
}

TEST_F(CheckBoxRadioNodeTest, ACheckedRadioButtonShowsPressedOrFocusImage)
{
    RadioButtonNode* five = MakeRadio("A", "Cinco", Vector2<float>(10, 10), 5);
    ImageList const& fiveList = *lists.back();
    RadioButtonNode* four = MakeRadio("B", "Cuatro", Vector2<float>(40, 10), 4);
    ImageList const& fourList = *lists.back();
    five->SetCheck(true);
    four->SetCheck(true);
    EXPECT_EQ(std::vector<int>{4}, Drawn(five, fiveList));
    EXPECT_EQ(std::vector<int>{2}, Drawn(four, fourList));
    four->SetCheck(false);
    EXPECT_EQ(std::vector<int>{0}, Drawn(four, fourList));
    four->Enable(false);
    four->SetCheck(true);
    EXPECT_EQ(std::vector<int>{3}, Drawn(four, fourList));
}

TEST_F(CheckBoxRadioNodeTest, RadioButtonsPlayHotAndDownButNothingOnTheClick)
{
    MakeSoundList(L"Radio", {L"Hot", L"Down", L"Release", L"Checked"});
    RadioButtonNode* radio = MakeRadio("G", "R", Vector2<float>(10, 10));
    radio->SetSoundList(AutoResource<SoundList>("Radio").Get());
    Move(15, 15);
    EXPECT_EQ(Names{"RadioHot"}, SoundsPlayed());
    Press(15, 15);
    EXPECT_EQ(Names{"RadioDown"}, SoundsPlayed());
    Release(15, 15);
    EXPECT_TRUE(SoundsPlayed().empty());
    EXPECT_TRUE(radio->IsChecked());
    radio->Focus();
    EXPECT_EQ(1, Key(13));
    EXPECT_EQ((Names{"RadioButtonClick", "RadioButtonClick"}), recorder->Take());
}

TEST_F(CheckBoxRadioNodeTest, ARadioDisabledWhileHeldLetsGoWithoutChecking)
{
    RadioButtonNode* radio = MakeRadio("G", "R", Vector2<float>(10, 10));
    Press(15, 15);
    radio->Enable(false);
    Release(15, 15);
    EXPECT_EQ(nullptr, Capturing());
    EXPECT_FALSE(radio->IsChecked());
    EXPECT_TRUE(recorder->Take().empty());
}

// --- layouts ----------------------------------------------------------------------

TEST_F(CheckBoxRadioNodeTest, LayoutsBuildBoxesAndRadioGroups)
{
    LoadManifest(L"<testimages name=\"Cajas\" count=\"10\" width=\"24\" height=\"24\"/>"
                 L"<testimages name=\"Radios\" count=\"5\" width=\"30\" height=\"30\"/>"
                 L"<testfont name=\"Letra\"/>"
                 L"<string name=\"TextoMusica\" value=\"M\u00fasica\"/>",
                 L"Recursos");
    LoadLayout(L"Opciones",
               L"<scenenode>"
               L"<checkboxnode nodeName=\"Musica\" x=\"10\" y=\"10\" images=\"Cajas\" font=\"Letra\" "
               L"textResource=\"TextoMusica\"/>"
               L"<radiobuttonnode nodeName=\"Espanol\" name=\"Espanol\" group=\"Idioma\" x=\"10\" y=\"50\" "
               L"images=\"Radios\" text=\"Espa\u00f1ol\"/>"
               L"<radiobuttonnode nodeName=\"Ingles\" name=\"Ingles\" group=\"Idioma\" x=\"50\" y=\"50\" "
               L"images=\"Radios\"/>"
               L"<checkboxnode nodeName=\"Rota\" images=\"NoHay\" x=\"200\" y=\"200\"/>"
               L"</scenenode>");
    SceneNode* root = Instantiate(L"Opciones");
    ASSERT_NE(nullptr, root);
    auto* music = dynamic_cast<CheckBoxNode*>(root->GetChildByName(Label::GetUniqueString("Musica")));
    auto* spanish = dynamic_cast<RadioButtonNode*>(root->GetChildByName(Label::GetUniqueString("Espanol")));
    auto* english = dynamic_cast<RadioButtonNode*>(root->GetChildByName(Label::GetUniqueString("Ingles")));
    auto* broken = dynamic_cast<CheckBoxNode*>(root->GetChildByName(Label::GetUniqueString("Rota")));
    ASSERT_TRUE(music && spanish && english && broken);

    EXPECT_EQ(L"M\u00fasica", music->GetText());
    EXPECT_EQ(24.0f, music->GetWidth());
    EXPECT_EQ(Label::GetUniqueString("idioma"), spanish->GetGroup());
    EXPECT_EQ(L"Espa\u00f1ol", spanish->GetText());
    EXPECT_EQ(Label::GetUniqueString("RadioButton"), spanish->GetRole());
    EXPECT_EQ(2u, scene->Database()->GetObjectsWithRole(Label::GetUniqueString("RadioButton")).size());
    EXPECT_EQ(0.0f, broken->GetWidth());
    EXPECT_EQ(0.0f, broken->GetHeight());

    ClickAt(15, 55);
    ClickAt(55, 55);
    EXPECT_FALSE(spanish->IsChecked());
    EXPECT_TRUE(english->IsChecked());
    // The caption of the box, right of it.
    ClickAt(40, 20);
    EXPECT_TRUE(music->IsChecked());
    ClickAt(205, 205);
    EXPECT_EQ((Names{"RadioButtonClick", "RadioButtonClick", "CheckBoxClick"}), recorder->Take());

    DrawRecordingCanvas canvas;
    broken->DrawNode();
    EXPECT_TRUE(canvas.calls.empty());
}
