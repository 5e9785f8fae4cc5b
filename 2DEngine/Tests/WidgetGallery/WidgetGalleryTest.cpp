// The widget gallery (WidgetGallery.xml, over the generated content) run by the
// engine on the desktop platform: SDL mouse, key and text events go through the
// real platform, main loop and object database, and the test checks the
// messages and their senders, the sounds asked for, and the state images by
// pixels read back before each swap.
//
// Set CORVANE_GALLERY_SCREENSHOT to a file path to keep a picture of the
// gallery at the end of the run (PNG).

#include <gtest/gtest.h>

#include "2DEngine/Tests/WidgetGallery/GalleryTestSupport.h"

using namespace GalleryTesting;

TEST_F(WidgetGalleryTest, TheControlsAnswerTheMouseKeysAndTyping)
{
    sRun run;
    // Deleted with the engine's singletons.
    run.sounds = new SoundRecorder();
    typedef std::vector<std::string> Lines;

    // Buttons: hot, pressed, clicked; the 15-image frame at rest.
    run.steps.push_back({[] { PushMove(200, 70); }, [&] {
                             EXPECT_TRUE(IsColour(ReadPixel(186, 66), kButtonHot));
                             EXPECT_TRUE(IsColour(ReadPixel(330, 66), kButtonNormal));
                             EXPECT_EQ((Names{"Gallery_Hot"}), run.sounds->Take());
                         }});
    run.steps.push_back({[] { PushButton(true, 200, 70); }, [&] {
                             EXPECT_TRUE(IsColour(ReadPixel(186, 66), kButtonPressed));
                             EXPECT_EQ((Names{"Gallery_Down"}), run.sounds->Take());
                             EXPECT_TRUE(Heard(run).empty());
                         }});
    run.steps.push_back({[] { PushButton(false, 200, 70); }, [&] {
                             EXPECT_TRUE(IsColour(ReadPixel(186, 66), kButtonHot));
                             EXPECT_EQ((Lines{"ButtonClick Button5"}), Heard(run));
                         }});

    // The 10-image check box: checked and hot; then the radio group.
    run.steps.push_back({[] { PushClick(50, 142); }, [&] {
                             EXPECT_TRUE(IsColour(ReadPixel(50, 142), kCheckMark));
                             EXPECT_TRUE(IsColour(ReadPixel(43, 135), kBoxHot));
                             EXPECT_EQ((Lines{"CheckBoxClick Check10"}), Heard(run));
                             EXPECT_EQ((Names{"Gallery_Hot", "Gallery_Down", "Gallery_Checked"}),
                                       run.sounds->Take());
                         }});
    run.steps.push_back({[] {
                             PushClick(130, 190);
                             PushClick(220, 190);
                         },
                         [&] {
                             EXPECT_TRUE(IsColour(ReadPixel(130, 190), kBoxNormal));
                             EXPECT_TRUE(IsColour(ReadPixel(220, 190), kCheckMark));
                             EXPECT_FALSE(Named<RadioButtonObject>("RadioB")->IsChecked());
                             EXPECT_EQ((Lines{"RadioButtonClick RadioB", "RadioButtonClick RadioC"}), Heard(run));
                             run.sounds->Take();
                         }});

    // The slider dragged to its right end and back to its left end.
    run.steps.push_back({[] {
                             PushMove(48, 242);
                             PushButton(true, 48, 242);
                             PushMove(400, 242);
                             PushMove(700, 242);
                         },
                         [&] {
                             EXPECT_EQ(1.0f, Named<SliderObject>("Volume")->GetValue());
                             EXPECT_TRUE(IsColour(ReadPixel(272, 242), kButtonPressed));
                             EXPECT_TRUE(IsColour(ReadPixel(48, 236), 120, 144, 156));
                             EXPECT_EQ((Lines{"SliderValueChange Volume", "SliderValueChange Volume"}), Heard(run));
                             EXPECT_EQ((Names{"Gallery_Hot", "Gallery_Down", "Gallery_Snap"}), run.sounds->Take());
                         }});
    run.steps.push_back({[] {
                             PushButton(false, 700, 242);
                             PushButton(true, 272, 242);
                             PushMove(0, 242);
                             PushButton(false, 48, 242);
                         },
                         [&] {
                             EXPECT_EQ(0.0f, Named<SliderObject>("Volume")->GetValue());
                             EXPECT_TRUE(IsColour(ReadPixel(48, 242), kButtonHot));
                             EXPECT_TRUE(IsColour(ReadPixel(272, 236), 120, 144, 156));
                             EXPECT_EQ((Lines{"SliderValueChange Volume", "SliderReleased Volume"}), Heard(run));
                             run.sounds->Take();
                         }});

    // The keyboard adjust mode through the desktop keys: Right does nothing
    // until Insert, then steps a tick; Pause leaves the mode again.
    run.steps.push_back({[] {
                             Named<SliderObject>("Volume")->Focus();
                             PushKey(SDLK_RIGHT);
                             PushKey(SDLK_INSERT);
                             PushKey(SDLK_RIGHT);
                             PushKey(SDLK_PAUSE);
                             PushKey(SDLK_RIGHT);
                         },
                         [&] {
                             EXPECT_EQ(0.25f, Named<SliderObject>("Volume")->GetValue());
                             EXPECT_EQ((Lines{"SliderValueChange Volume"}), Heard(run));
                             run.sounds->Take();
                         }});

    // Typing into the text field.
    run.steps.push_back({[] {
                             PushClick(100, 300);
                             PushText("Quarry");
                             PushKey(SDLK_BACKSPACE);
                             PushKey(SDLK_a);
                         },
                         [&] {
                             EXPECT_EQ(L"Quarr", Named<TextEditObject>("Name")->GetValue());
                             EXPECT_EQ(7u, Heard(run).size());
                         }});

    // A row of the list, then the next one by key; the tree; and the Escape
    // key of the first button, which the focused list passes on.
    run.steps.push_back({[] {
                             Font const* font = AutoResource<Font>("Verdana12").Get();
                             int const row = font ? font->GetGlyphHeight() + 2 : 16;
                             PushClick(420, 136 + row * 2 + row / 2);
                             PushKey(SDLK_DOWN);
                             PushClick(640, 136 + row + row / 2);
                             PushKey(SDLK_ESCAPE);
                         },
                         [&] {
                             ListObject* const list = Named<ListObject>("Fruit");
                             EXPECT_EQ(3, list->GetSelectedItem());
                             Rect<float> const row = list->GetItemRect(3);
                             EXPECT_TRUE(IsColour(ReadPixel(int(row.x + row.width) - 4, int(row.y) + 3), 30, 136, 229));
                             TreeNode* const selected = Named<TreeObject>("Parts")->GetSelectedNode();
                             ASSERT_NE(nullptr, selected);
                             EXPECT_EQ(L"Framework", selected->GetText());
                             EXPECT_EQ((Lines{"ListSelectionChange Fruit", "ListSelectionChange Fruit",
                                              "TreeSelectionChange Parts", "ButtonClick Button4"}),
                                       Heard(run));
                             SaveScreenshot();
                         }});

    GalleryApplication application(&run);
    testing::internal::CaptureStderr();
    MainLoop::Execute();
    std::string const log = testing::internal::GetCapturedStderr();

    EXPECT_TRUE(run.finished) << "the script stopped at step " << run.next << " after " << run.frames
                              << " updates\n"
                              << log;
    EXPECT_EQ(std::string::npos, log.find("rror")) << log;
}
