// The layout designer over the widget gallery and over the loading screen, run
// by the engine on the desktop platform: SDL mouse, key and text events go
// through the real platform, main loop and object database; the test checks
// the window, the frames and rows, the edited objects and pixels read back.
//
// Set CORVANE_DESIGNER_SCREENSHOT to a file path to keep a picture of the
// designer with a button selected and its full column (PNG).

#include <gtest/gtest.h>

#include "2DEngine/Source/Widgets/DesignerObjects.h"
#include "2DEngine/Source/Widgets/PropertyEditorObjects.h"
#include "2DEngine/Source/Widgets/SpriteObjects.h"
#include "2DEngine/Tests/WidgetGallery/GalleryTestSupport.h"

using namespace GalleryTesting;

namespace
{

typedef std::vector<std::wstring> Texts;

LayoutInstance* Instance(wchar_t const* layout)
{
    Layout* const found = AutoResource<Layout>(Label::FromString(std::wstring(layout))).Get();
    return found ? found->GetInstance(Label()) : nullptr;
}

std::vector<ObjectID> const& WithRole(Label role)
{
    return GetObjectDatabase()->GetObjectsWithRole(role);
}

std::vector<PropertyEditorObject*> Rows()
{
    std::vector<PropertyEditorObject*> rows;
    for (ObjectID id : WithRole(PropertyEditorObject::GetRoleLabel()))
        if (PropertyEditorObject* row = dynamic_cast<PropertyEditorObject*>(GetObjectDatabase()->GetObject(id)))
            rows.push_back(row);
    return rows;
}

Texts RowNames()
{
    Texts names;
    for (PropertyEditorObject* row : Rows())
        names.push_back(row->GetPropertyName());
    return names;
}

template <class T>
T* Row(wchar_t const* name)
{
    for (PropertyEditorObject* row : Rows())
        if (row->GetPropertyName() == name)
            return dynamic_cast<T*>(row);
    return nullptr;
}

ListObject* ListOf(wchar_t const* name)
{
    OptionPropertyEditorObject* const row = Row<OptionPropertyEditorObject>(name);
    return row ? dynamic_cast<ListObject*>(GetObjectDatabase()->GetObject(row->GetList())) : nullptr;
}

std::wstring SelectedText(wchar_t const* name)
{
    ListObject* const list = ListOf(name);
    return list && list->GetSelectedItem() >= 0 ? list->GetItemText(list->GetSelectedItem()) : L"-";
}

Rect<float> FieldRect(wchar_t const* name)
{
    TextPropertyEditorObject* const row = Row<TextPropertyEditorObject>(name);
    IBounds* const field = row ? GetObject<IBounds>(row->GetTextEdit()) : nullptr;
    return field ? field->GetBounds() : Rect<float>(0, 0, 0, 0);
}

void PushDrag(int fromX, int fromY, int toX, int toY)
{
    PushMove(fromX, fromY);
    PushButton(true, fromX, fromY);
    PushMove(toX, toY);
    PushButton(false, toX, toY);
}

Rect<float> BoundsOf(char const* name)
{
    IBounds* const bounds = Named<IBounds>(name);
    return bounds ? bounds->GetBounds() : Rect<float>(-1, -1, -1, -1);
}

::testing::AssertionResult WindowIs(int width, int height)
{
    int w = 0;
    int h = 0;
    SDL_GetWindowSize(GalleryTesting::Window(), &w, &h);
    if (w == width && h == height)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the window is " << w << " x " << h;
}

int const kFrameGrey[3] = {191, 191, 191};
int const kFrameRed[3] = {255, 0, 0};
int const kWhite[3] = {255, 255, 255};

} // namespace

TEST_F(WidgetGalleryTest, TheDesignerEditsTheGalleryAndClosingKeepsTheEdits)
{
    sRun run;
    run.sounds = new SoundRecorder();
    // Empty space of the column, below every row.
    int const emptyX = 1000;
    int const emptyY = 590;

    run.steps.push_back({[] { ASSERT_NE(kInvalidObjectID, OpenLayoutDesigner(Instance(L"WidgetGallery"))); },
                         [] {
                             EXPECT_TRUE(WindowIs(1024, 600));
                             EXPECT_EQ(kInvalidObjectID, OpenLayoutDesigner(Instance(L"WidgetGallery")));
                             EXPECT_TRUE(IsColour(ReadPixel(800, 300), kWhite)) << "the column's outline";
                             EXPECT_TRUE(IsColour(ReadPixel(1023, 300), kWhite));
                             EXPECT_EQ(Instance(L"WidgetGallery")->GetObjectIDs().size(),
                                       WithRole(DesignerObject::GetRoleLabel()).size());
                             EXPECT_TRUE(IsColour(ReadPixel(240, 60), kFrameGrey));
                             EXPECT_TRUE(Rows().empty());
                         }});
    // A click selects the five-image button: a red frame and its fourteen rows.
    run.steps.push_back({[] { PushClick(240, 76); },
                         [] {
                             EXPECT_TRUE(IsColour(ReadPixel(240, 60), kFrameRed));
                             EXPECT_TRUE(IsColour(ReadPixel(40, 140), kFrameGrey)) << "another frame";
                             EXPECT_EQ((Texts{L"Layer", L"Location::X", L"Location::Y", L"Bounds::W", L"Bounds::H",
                                              L"Color::R", L"Color::G", L"Color::B", L"Color::A", L"Enable",
                                              L"Visible", L"Font", L"Text Mode", L"Text"}),
                                       RowNames());
                             EXPECT_EQ(L"Verdana12", SelectedText(L"Font"));
                             ListObject* const modes = ListOf(L"Text Mode");
                             ASSERT_NE(nullptr, modes);
                             ASSERT_EQ(3, modes->GetItemCount());
                             EXPECT_EQ(L"Normal", modes->GetItemText(0));
                             EXPECT_EQ(L"Outline", modes->GetItemText(1));
                             EXPECT_EQ(L"Drop Shadow", modes->GetItemText(2));
                             EXPECT_EQ(L"Normal", SelectedText(L"Text Mode"));
                             SaveScreenshot("CORVANE_DESIGNER_SCREENSHOT");
                         }});
    // An exact drag, then the right edge, then the top-left corner.
    run.steps.push_back({[] { PushDrag(240, 76, 270, 106); },
                         [] { EXPECT_EQ(Rect<float>(210, 90, 120, 32), BoundsOf("Button5")); }});
    run.steps.push_back({[] { PushDrag(328, 100, 400, 100); },
                         [] { EXPECT_EQ(Rect<float>(210, 90, 191, 32), BoundsOf("Button5")); }});
    run.steps.push_back({[] { PushDrag(211, 91, 200, 80); },
                         [] { EXPECT_EQ(Rect<float>(200, 80, 201, 42), BoundsOf("Button5")); }});
    // The arrow keys nudge the selection by one pixel.
    run.steps.push_back({[] {
                             PushKey(SDLK_RIGHT);
                             PushKey(SDLK_DOWN);
                         },
                         [] { EXPECT_EQ(Rect<float>(201, 81, 201, 42), BoundsOf("Button5")); }});
    // Typing into "Location::X" moves the button as typed; text without a number gives 0.
    run.steps.push_back({[] {
                             Rect<float> const field = FieldRect(L"Location::X");
                             PushClick(int(field.x + field.width / 2), int(field.y + field.height / 2));
                             PushKey(SDLK_END);
                             for (int i = 0; i < 5; ++i)
                                 PushKey(SDLK_BACKSPACE);
                             PushText("1");
                         },
                         [] { EXPECT_FLOAT_EQ(1.0f, BoundsOf("Button5").x); }});
    run.steps.push_back({[] { PushText("23"); }, [] { EXPECT_FLOAT_EQ(123.0f, BoundsOf("Button5").x); }});
    run.steps.push_back({[] {
                             for (int i = 0; i < 3; ++i)
                                 PushKey(SDLK_BACKSPACE);
                             PushText("abc");
                         },
                         [] { EXPECT_FLOAT_EQ(0.0f, BoundsOf("Button5").x); }});
    run.steps.push_back({[] {
                             for (int i = 0; i < 3; ++i)
                                 PushKey(SDLK_BACKSPACE);
                             PushText("201");
                         },
                         [] { EXPECT_FLOAT_EQ(201.0f, BoundsOf("Button5").x); }});
    // The slider has no font: "(None)".
    run.steps.push_back({[] {
                             Rect<float> const slider = BoundsOf("Volume");
                             PushClick(int(slider.x + slider.width / 2), int(slider.y + slider.height / 2));
                         },
                         [] { EXPECT_EQ(L"(None)", SelectedText(L"Font")); }});
    // A click on the empty surface empties the column.
    run.steps.push_back({[=] { PushClick(emptyX, emptyY); },
                         [] {
                             EXPECT_TRUE(Rows().empty());
                             EXPECT_EQ(nullptr, GetObjectDatabase()->GetFocus());
                         }});
    // With a selection F9 goes to it and does nothing.
    run.steps.push_back({[] {
                             PushClick(260, 100);
                             PushKey(SDLK_F9);
                         },
                         [] {
                             EXPECT_TRUE(IsLayoutDesignerOpen());
                             EXPECT_TRUE(WindowIs(1024, 600));
                             EXPECT_FALSE(Rows().empty());
                         }});
    // Without one F9 closes the designer; the moved button stays where it was put.
    run.steps.push_back({[=] {
                             PushClick(emptyX, emptyY);
                             PushKey(SDLK_F9);
                         },
                         [] {
                             EXPECT_FALSE(IsLayoutDesignerOpen());
                             EXPECT_TRUE(WindowIs(800, 600));
                             EXPECT_TRUE(WithRole(DesignerObject::GetRoleLabel()).empty());
                             EXPECT_TRUE(Rows().empty());
                             EXPECT_EQ(nullptr, Named<Object>("Corvane::PropertyListEditorObject"));
                             EXPECT_EQ(Rect<float>(201, 81, 201, 42), BoundsOf("Button5"));
                             EXPECT_TRUE(IsColour(ReadPixel(206, 86), kButtonNormal));
                         }});
    // Loading the layout again gives back its XML's values.
    run.steps.push_back({[] { AutoResource<Layout>("WidgetGallery")->Load(Label()); },
                         [] {
                             EXPECT_EQ(Rect<float>(180, 60, 120, 32), BoundsOf("Button5"));
                             EXPECT_TRUE(IsColour(ReadPixel(186, 66), kButtonNormal));
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

TEST_F(WidgetGalleryTest, OverTheLoadingScreenTheTextGetsATenPixelFrameThatOnlyMoves)
{
    sRun run;
    run.sounds = new SoundRecorder();
    run.manifests = {L"WidgetGallery", L"Loading"};
    run.layout = L"LoadingMode";

    run.steps.push_back({[] { ASSERT_NE(kInvalidObjectID, OpenLayoutDesigner(Instance(L"LoadingMode"))); },
                         [] {
                             EXPECT_TRUE(WindowIs(1024, 600));
                             DesignerObject* const frame = Named<DesignerObject>("LoadingText::DesignerObject");
                             ASSERT_NE(nullptr, frame);
                             EXPECT_EQ(Rect<float>(400, 420, 10, 10), frame->GetBounds());
                         }});
    // Grabbed at its bottom-right pixel, where a control would resize.
    run.steps.push_back({[] { PushDrag(409, 429, 459, 449); },
                         [] {
                             TextSpriteObject* const text = Named<TextSpriteObject>("LoadingText");
                             ASSERT_NE(nullptr, text);
                             EXPECT_EQ(Vector2<float>(450, 440), text->GetLocation());
                             EXPECT_EQ(Rect<float>(450, 440, 10, 10),
                                       Named<DesignerObject>("LoadingText::DesignerObject")->GetBounds());
                             EXPECT_EQ((Texts{L"Layer", L"Location::X", L"Location::Y", L"Color::R", L"Color::G",
                                              L"Color::B", L"Color::A", L"Visible", L"Font", L"Text Mode",
                                              L"Horiz. Align", L"Vert. Align", L"Horiz. Flip", L"Vert. Flip",
                                              L"Text"}),
                                       RowNames());
                             EXPECT_EQ(L"Drop Shadow", SelectedText(L"Text Mode"));
                             EXPECT_EQ(L"Center", SelectedText(L"Horiz. Align"));
                         }});
    // The program ends with the designer open.
    GalleryApplication application(&run);
    testing::internal::CaptureStderr();
    MainLoop::Execute();
    std::string const log = testing::internal::GetCapturedStderr();

    EXPECT_TRUE(run.finished) << "the script stopped at step " << run.next << " after " << run.frames
                              << " updates\n"
                              << log;
    EXPECT_EQ(std::string::npos, log.find("rror")) << log;
}
