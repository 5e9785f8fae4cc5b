// Check boxes and radio buttons: their images by state and count, the caption
// that is clicked beside the box, the radio groups and their sounds.

#include <gtest/gtest.h>

#include <algorithm>

#include "2DEngine/Source/Graphics/KeyNames.h"
#include "2DEngine/Source/Widgets/CheckBoxObjects.h"
#include "2DEngine/Tests/Widgets/ControlTestSupport.h"

using namespace Corvane;
using namespace ControlTesting;

namespace
{

class CheckBoxObjectsTest : public ControlFixture
{
protected:
    CheckBoxObject* MakeBox(ImageList const* images, float x = 100.0f, float y = 100.0f, wchar_t const* text = L"")
    {
        CheckBoxObject* const box = Add(new CheckBoxObject(Label::GetUniqueString("Caja"), 1.0f,
                                                           Vector2<float>(x, y), images, 60.0f, text, TheFont(),
                                                           ColorF(0.0f, 0.0f, 0.0f, 1.0f)));
        box->SetSounds(TheSounds());
        Frame();
        return box;
    }

    RadioButtonObject* MakeRadio(char const* name, char const* group, ImageList const* images, float x)
    {
        RadioButtonObject* const radio = Add(new RadioButtonObject(name ? Label::GetUniqueString(name) : Label()));
        if (group)
            radio->SetGroup(Label::GetUniqueString(group));
        radio->SetImages(images);
        radio->SetLocation(Vector2<float>(x, 10.0f));
        radio->SetSounds(TheSounds());
        Frame();
        return radio;
    }
};

} // namespace

TEST_F(CheckBoxObjectsTest, CheckedImagesFollowTheUncheckedOnes)
{
    std::unique_ptr<ImageList> const ten = Solid(10, 20, 20);
    CheckBoxObject* const box = MakeBox(ten.get());
    box->SetChecked(true);
    EXPECT_EQ(5, box->GetImageIndex());
    box->Enable(false);
    EXPECT_EQ(8, box->GetImageIndex());

    std::unique_ptr<ImageList> const thirty = Solid(30, 8, 20);
    CheckBoxObject* const wide = MakeBox(thirty.get(), 300.0f);
    EXPECT_TRUE(wide->IsBackgroundThreeBrush());
    EXPECT_EQ(60.0f, wide->GetBounds().width);
    wide->SetChecked(true);
    Move(305, 105);
    EXPECT_EQ(6, wide->GetImageIndex());
    CanvasScope scope;
    wide->Draw();
    std::vector<int> drawn;
    for (auto const& call : scope.canvas.images)
        drawn.push_back(IndexOf(*thirty, call.image));
    std::sort(drawn.begin(), drawn.end());
    drawn.erase(std::unique(drawn.begin(), drawn.end()), drawn.end());
    EXPECT_EQ((std::vector<int>{18, 19, 20}), drawn);
}

TEST_F(CheckBoxObjectsTest, TheCaptionIsClickedWithoutThePixelTestAndStaysWhereItWasPlaced)
{
    std::unique_ptr<ImageList> const clear = Solid(10, 20, 20, 0x00FFFFFFu);
    CheckBoxObject* const box = MakeBox(clear.get(), 100.0f, 100.0f, L"S\u00ed");
    // The box is transparent: only the caption, 5 right of it, answers.
    EXPECT_EQ(Rect<float>(125.0f, 102.0f, 20.0f, 16.0f), box->GetTextRect());
    Click(110, 110);
    EXPECT_FALSE(box->IsChecked());
    Click(130, 110);
    EXPECT_TRUE(box->IsChecked());
    box->SetLocation(Vector2<float>(400.0f, 400.0f));
    Click(130, 110);
    EXPECT_FALSE(box->IsChecked());
    EXPECT_EQ((Names{"CheckBoxClick", "CheckBoxClick"}), recorder->Take());
}

TEST_F(CheckBoxObjectsTest, TheFirstClickPlaysCheckedTheSecondUnchecked)
{
    std::unique_ptr<ImageList> const ten = Solid(10, 20, 20);
    CheckBoxObject* const box = MakeBox(ten.get());
    Click(105, 105);
    Click(105, 105);
    EXPECT_EQ((Names{"Hot", "Down", "Checked", "Down", "Unchecked"}), audio->Take());
    box->Focus();
    EXPECT_EQ(1, Key(kKey_Space));
    EXPECT_EQ(0, Key(kKey_Escape));
    EXPECT_TRUE(box->IsChecked());
}

TEST_F(CheckBoxObjectsTest, RadioGroupsGoByGroupAndName)
{
    std::unique_ptr<ImageList> const five = Solid(5, 20, 20);
    RadioButtonObject* const a = MakeRadio("A", "Colores", five.get(), 10.0f);
    RadioButtonObject* const b = MakeRadio("B", "Colores", five.get(), 40.0f);
    RadioButtonObject* const other = MakeRadio("C", "Formas", five.get(), 70.0f);
    other->SetChecked(true);
    Click(15, 15);
    EXPECT_TRUE(a->IsChecked());
    EXPECT_EQ(2, a->GetImageIndex());
    Click(45, 15);
    EXPECT_FALSE(a->IsChecked());
    EXPECT_TRUE(b->IsChecked());
    EXPECT_TRUE(other->IsChecked());
    audio->Take();
    recorder->Take();
    // Checked already: it plays and sends again.
    Press(45, 15);
    Release(45, 15);
    EXPECT_EQ((Names{"Down", "Checked"}), audio->Take());
    EXPECT_EQ((Names{"RadioButtonClick"}), recorder->Take());

    // Without a group they still form one; without a name they are the same button.
    RadioButtonObject* const loose1 = MakeRadio("L1", nullptr, five.get(), 100.0f);
    RadioButtonObject* const loose2 = MakeRadio("L2", nullptr, five.get(), 130.0f);
    RadioButtonObject* const unnamed1 = MakeRadio(nullptr, "Sin", five.get(), 160.0f);
    RadioButtonObject* const unnamed2 = MakeRadio(nullptr, "Sin", five.get(), 190.0f);
    loose1->Click();
    loose2->Click();
    EXPECT_FALSE(loose1->IsChecked());
    unnamed1->Click();
    unnamed2->Click();
    EXPECT_TRUE(unnamed1->IsChecked());
    EXPECT_TRUE(unnamed2->IsChecked());
}

TEST_F(CheckBoxObjectsTest, WithoutImagesNothingFails)
{
    CheckBoxObject* const box = MakeBox(nullptr, 10.0f, 10.0f, L"Solo");
    RadioButtonObject* const radio = MakeRadio("Sola", "G", nullptr, 200.0f);
    CanvasScope scope;
    box->Draw();
    radio->Draw();
    EXPECT_TRUE(scope.canvas.images.empty());
    EXPECT_EQ(1u, scope.canvas.texts.size());
    Click(20, 12);
    EXPECT_EQ(0, radio->GetImageIndex());
}
