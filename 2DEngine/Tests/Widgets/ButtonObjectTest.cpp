// The button: clicks by press and release inside, its own key code without
// the focus, its state images by count, its size and its sounds.

#include <gtest/gtest.h>

#include <algorithm>

#include "Core/Source/XMLReader.h"

#include "2DEngine/Source/Graphics/KeyNames.h"
#include "2DEngine/Source/Widgets/ButtonObject.h"
#include "2DEngine/Tests/Widgets/ControlTestSupport.h"

using namespace Corvane;
using namespace ControlTesting;

namespace
{

class ButtonObjectTest : public ControlFixture
{
protected:
    ButtonObject* MakeButton(ImageList const* images, char const* name = "Boton")
    {
        ButtonObject* const button = Add(new ButtonObject(Label::GetUniqueString(name)));
        button->SetImages(images);
        button->SetLocation(Vector2<float>(100.0f, 100.0f));
        button->SetSounds(TheSounds());
        Frame();
        return button;
    }

    // The images drawn, by index in the list.
    std::vector<int> Drawn(ButtonObject* button, ImageList const& list)
    {
        CanvasScope scope;
        button->Draw();
        std::vector<int> indices;
        for (auto const& call : scope.canvas.images)
            indices.push_back(IndexOf(list, call.image));
        std::sort(indices.begin(), indices.end());
        return indices;
    }
};

} // namespace

TEST_F(ButtonObjectTest, OnlyAPressAndReleaseInsideClick)
{
    std::unique_ptr<ImageList> const list = Solid(4, 40, 20);
    ButtonObject* const button = MakeButton(list.get());
    // Pressed inside, released outside: nothing, and the capture is let go.
    EXPECT_EQ(1, Press(110, 110));
    EXPECT_TRUE(button->HasCapture());
    EXPECT_EQ(2, button->GetImageIndex());
    Release(300, 300);
    EXPECT_FALSE(button->HasCapture());
    EXPECT_TRUE(recorder->Take().empty());
    // Released inside without a press on it: nothing.
    EXPECT_EQ(1, Release(110, 110));
    EXPECT_TRUE(recorder->Take().empty());
    Press(110, 110);
    Release(139, 119);
    ASSERT_EQ(1u, recorder->heard.size());
    EXPECT_EQ("ButtonClick", recorder->heard[0].first);
    EXPECT_EQ(button->GetID(), recorder->heard[0].second);
}

TEST_F(ButtonObjectTest, ItsKeyCodeClicksWithoutTheFocus)
{
    std::unique_ptr<ImageList> const list = Solid(4, 40, 20);
    ButtonObject* const button = MakeButton(list.get());
    button->SetKeyCode(GetKeyCodeByName(L"Escape") & 0xFFFF);
    ButtonObject* const other = MakeButton(list.get(), "Otro");
    other->Focus();
    EXPECT_EQ(1, Key(kKey_Escape));
    EXPECT_EQ(1, Key(kKey_Enter));
    ASSERT_EQ(2u, recorder->heard.size());
    EXPECT_EQ(button->GetID(), recorder->heard[0].second);
    EXPECT_EQ(other->GetID(), recorder->heard[1].second);
    EXPECT_EQ(0, Key('A'));
    // A click by key plays nothing.
    EXPECT_TRUE(audio->Take().empty());
}

TEST_F(ButtonObjectTest, FocusImagesGoByTheCount)
{
    std::unique_ptr<ImageList> const four = Solid(4, 40, 20);
    ButtonObject* const button = MakeButton(four.get());
    button->Focus();
    EXPECT_EQ((std::vector<int>{1}), Drawn(button, *four));

    std::unique_ptr<ImageList> const fifteen = Solid(15, 10, 20);
    button->SetImages(fifteen.get());
    button->SetBounds(Rect<float>(100.0f, 100.0f, 30.0f, 20.0f));
    EXPECT_TRUE(button->HasFocusImages());
    EXPECT_EQ((std::vector<int>{12, 13, 14}), Drawn(button, *fifteen));
    std::unique_ptr<ImageList> const twelve = Solid(12, 10, 20);
    button->SetImages(twelve.get());
    EXPECT_FALSE(button->HasFocusImages());
    EXPECT_EQ((std::vector<int>{3, 4, 5}), Drawn(button, *twelve));
}

TEST_F(ButtonObjectTest, TheSizeFollowsImagesThenCaption)
{
    std::unique_ptr<ImageList> const frame = Solid(12, 10, 24);
    ButtonObject* const button = MakeButton(nullptr);
    button->SetBounds(Rect<float>(5.0f, 6.0f, 70.0f, 80.0f));
    // Without images or a font the layout's bounds stay, and nothing is drawn.
    button->SetText(L"Hola");
    EXPECT_EQ(Rect<float>(5.0f, 6.0f, 70.0f, 80.0f), button->GetBounds());
    EXPECT_TRUE(Drawn(button, *frame).empty());
    button->SetFont(TheFont());
    button->SetText(L"Ca\u00f1\u00f3n");
    EXPECT_EQ(Rect<float>(5.0f, 6.0f, 50.0f, 16.0f), button->GetBounds());
    // A three-slice frame keeps the width and takes its height.
    button->SetImages(frame.get());
    EXPECT_EQ(Rect<float>(5.0f, 6.0f, 50.0f, 24.0f), button->GetBounds());
    CanvasScope scope;
    button->Draw();
    // Centred on (30, 18): the 50 x 16 caption's corner lands at (5, 10).
    ASSERT_EQ(1u, scope.canvas.texts.size());
    EXPECT_EQ(5.0f, scope.canvas.texts[0].x);
    EXPECT_EQ(10.0f, scope.canvas.texts[0].y);
}

TEST_F(ButtonObjectTest, HotPlaysOnceForEachEntry)
{
    std::unique_ptr<ImageList> const list = Solid(4, 40, 20);
    MakeButton(list.get());
    EXPECT_EQ(0, Move(110, 110));
    Move(115, 112);
    Move(300, 300);
    Move(110, 110);
    Press(110, 110);
    EXPECT_EQ((Names{"Hot", "Hot", "Down"}), audio->Take());
}

TEST_F(ButtonObjectTest, TheFactoryReadsItsAttributes)
{
    std::unique_ptr<ImageList> const list = Solid(5, 40, 20);
    Load(L"Botones", L"<testimage name=\"Unico\" width=\"3\" height=\"3\"/>");
    XMLElement element(XMLElement::kStartElement, L"button");
    element.SetAttributes({{L"sounds", L"Sounds"}, {L"alphaSensitivity", L"0"}, {L"keyCode", L"Escape"},
                           {L"scalable", L"true"}, {L"images", L"NoHay"}});
    std::unique_ptr<Object> made(GetObjectFactory()->CreateObject(L"button", Label(), element));
    ButtonObject* const button = dynamic_cast<ButtonObject*>(made.get());
    ASSERT_NE(nullptr, button);
    EXPECT_EQ(nullptr, button->GetImages());
    EXPECT_EQ(TheSounds(), button->GetSounds());
    EXPECT_EQ(0, button->GetAlphaSensitivity());
    EXPECT_EQ(27, button->GetKeyCode());
    EXPECT_TRUE(button->IsScalable());
}
