#ifndef CORVANE_WIDGETS_CONTROLLOGIC_H
#define CORVANE_WIDGETS_CONTROLLOGIC_H

// What a widget object and its scene-node twin compute alike, written once for
// both: the state image, slider values and snapping, the list's rows and key
// steps, and the text field's limits, caret and scrolling.

#include <cstddef>
#include <string>

#include "Core/Source/Rect.h"
#include "Core/Source/Vector2.h"

namespace Corvane
{

class Font;
class IImageList;

namespace ControlLogic
{

// Key codes that activate a focused button, check box or radio button.
constexpr int kKeyEnter = 13;
constexpr int kKeySpace = 32;
constexpr int kKeyGamePadA = 258;
// The keyboard adjust-mode keys: 512 enters, 512 or 513 leaves.
constexpr int kKeyAdjustMode = 512;
constexpr int kKeyAdjustModeLeave = 513;

bool IsActivationKey(int key);

// The number of images in the list; 0 without one.
int ImageCount(IImageList const* images);
// Image 0's size, or 0 without it.
int ImageWidth(IImageList const* images, int index);
int ImageHeight(IImageList const* images, int index);

// The state image: 3 disabled, 2 pressed (captured while hot), 1 hot, 4 focused
// with focus images, 1 focused without, 0 normal.
int StateIndex(bool enabled, bool captured, bool hot, bool focused, bool focusImages);

// Slider values. A thumb that cannot travel (travel 0 or less) stands at value 0.
float ThumbOffsetToValue(float offset, float travel);
float ValueToThumbOffset(float value, float travel);
// The tick nearest to the value, the first of equally near ones; one tick is
// the value 1, no ticks leave the value as it is.
float SnapToTicks(float value, int numTicks);
// The step of the Left and Right keys in the adjust mode.
float SliderKeyStep(bool snap, int numTicks);
// A snapping slider with one tick or none has nowhere to move.
bool SliderCanFocus(bool snap, int numTicks);

// List rows. The interior of a nine-slice frame: the bounds less image 3's
// width on the left, image 5's on the right, image 0's height on top and images
// 1 and 7's heights in all; the whole bounds without images.
Rect<float> FrameInterior(Rect<float> const& bounds, IImageList const* images);
// A row's rectangle: (index - first) rows down the interior, as high as a row or
// what is left of the interior below it (negative for rows below).
Rect<float> ListRowRect(Rect<float> const& interior, float rowHeight, int index, int first);
// The rows from first on that are a full row high; at least 1.
int ListVisibleRowCount(Rect<float> const& interior, float rowHeight, int first, int count);
// Left and top edges in, right and bottom out.
bool RectContains(Rect<float> const& rect, float x, float y);

// Up (38) and Down (40) over a list with a selection: the new selection and
// first visible row. Without a selection either key picks row 0 from the top.
// Returns whether the selection changed (a message is due); false for other keys.
struct sListStep
{
    bool handled;
    bool selectionChanged;
    int selected;
    int first;
};
sListStep ListKeyStep(int key, int count, int selected, int first, Rect<float> const& interior, float rowHeight);

// What a text field is measured against: its font, frame and width, and how it
// shows its characters. A frame whose left edge (image 3) has no height counts
// as no frame: the box would never reach the glyph height.
struct sTextFieldFrame
{
    sTextFieldFrame(Font const* font, IImageList const* fieldImages, float width, bool passwordMode,
                    wchar_t passwordCharacter, int align);

    Font const* font;
    IImageList const* fieldImages;
    float width;
    bool passwordMode;
    wchar_t passwordCharacter;
    // 0 left, 1 centre, 2 right.
    int align;
};

// The field images a field may use: null for a list whose image 3 has no height.
IImageList const* UsableFieldImages(IImageList const* images);

// The value of a one-line field under its limits, with its caret and the
// horizontal scroll that keeps the caret in the box.
class TextFieldModel
{
public:
    static constexpr int kNoLimit = -1;

    TextFieldModel();

    std::wstring const& GetValue() const { return mValue; }
    unsigned GetCaret() const { return mCaret; }
    // Relative to the field's top-left corner.
    Vector2<float> const& GetCaretPosition() const { return mCaretPosition; }
    float GetScroll() const { return mScroll; }
    int GetMaxCharacters() const { return mMaxCharacters; }
    int GetMaxStringWidth() const { return mMaxStringWidth; }
    // Negative values mean no limit.
    void SetMaxCharacters(int count) { mMaxCharacters = count < 0 ? kNoLimit : count; }
    void SetMaxStringWidth(int width) { mMaxStringWidth = width < 0 ? kNoLimit : width; }
    void SetCaret(unsigned caret) { mCaret = caret; }

    // Stores the text cut to the limits, keeps the caret in it and recomputes
    // the caret position and scroll.
    void SetValue(std::wstring const& text, sTextFieldFrame const& frame);
    // Each returns whether the value changed (a "TextEditChange" is due).
    bool InsertCharacter(wchar_t c, sTextFieldFrame const& frame);
    bool DeleteCharacterBeforeCaret(sTextFieldFrame const& frame);
    bool DeleteCharacterAfterCaret(sTextFieldFrame const& frame);

    // A focused field's key: whether it passes on (512, 513, Enter, Tab, Escape),
    // else edits or moves the caret; every other key is swallowed.
    enum eKeyResult
    {
        kKeyPassedOn,
        kKeySwallowed,
        kKeyChangedValue
    };
    eKeyResult HandleKey(int key, sTextFieldFrame const& frame);
    static bool PassesKeyOn(int key);

    // The value as drawn: password characters in password mode.
    std::wstring GetShownText(sTextFieldFrame const& frame) const;

    // Measures: the kerned widths of the characters, each with its follower.
    static float TextWidth(std::wstring const& text, sTextFieldFrame const& frame);
    static float LeadingWidth(std::wstring const& text, std::size_t count, sTextFieldFrame const& frame);
    static float TextBoxWidth(sTextFieldFrame const& frame);
    // 0 without a font; with a frame the smallest multiple of image 3's height
    // that reaches the glyph height.
    static float TextBoxHeight(sTextFieldFrame const& frame);
    // The frame's top and bottom edges around the box; 0 without field images.
    static float FieldHeight(sTextFieldFrame const& frame);
    Vector2<float> TextLocation(sTextFieldFrame const& frame) const;

private:
    std::wstring mValue;
    unsigned mCaret;
    Vector2<float> mCaretPosition;
    float mScroll;
    int mMaxCharacters;
    int mMaxStringWidth;
};

} // namespace ControlLogic
} // namespace Corvane

#endif
