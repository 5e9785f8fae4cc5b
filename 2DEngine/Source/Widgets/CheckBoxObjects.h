#ifndef CORVANE_WIDGETS_CHECKBOXOBJECTS_H
#define CORVANE_WIDGETS_CHECKBOXOBJECTS_H

// The toggles of widget layouts: the check box ("checkbox"), which flips and
// broadcasts "CheckBoxClick", and the radio button ("radiobutton"), which checks
// itself, unchecks the other radio buttons of its group in the context database
// and broadcasts "RadioButtonClick". Both carry a caption; the check box's is
// clickable beside its box.

#include <string>

#include "Core/Source/Color.h"
#include "Core/Source/Rect.h"
#include "Core/Source/Vector2.h"
#include "2DEngine/Source/Widgets/ObjectFactory.h"
#include "2DEngine/Source/Widgets/PressableObject.h"

namespace Corvane
{

class IImageList;

// What the check box and the radio button share: the checked state, the box's
// images (more than ten: a three-slice frame per state) and the caption right
// of the box, which takes clicks with the box.
class ToggleObject : public PressableObject
{
public:
    explicit ToggleObject(Label name);
    ToggleObject(Label name, float layer);

    // Places the caption rectangle when the box has a font; it does not follow later moves.
    void SetText(std::wstring const& text) override;
    // The box takes image 0's size (a three-slice list keeps the width).
    void SetImages(IImageList const* images) override;

    // The box, or the caption rectangle without the pixel test.
    bool BoundsContains(float x, float y) const override;
    bool AlphaContains(int x, int y) const override;
    // Enter, Space or the game pad's A click the focused toggle.
    MessageResult OnKeyDown(int key) override;

    bool IsChecked() const { return mChecked; }
    // Presets the state of this toggle alone: no sound, no message.
    void SetChecked(bool checked) { mChecked = checked; }
    // More than ten images: a three-slice frame per state.
    bool IsBackgroundThreeBrush() const;
    Rect<float> const& GetTextRect() const { return mTextRect; }

protected:
    // The box's image of that index, single or three-slice.
    void DrawBox(int index) const;
    // The caption at its rectangle, or centred on a three-slice box.
    void DrawCaption(bool centred) const;

    bool mChecked;
    Rect<float> mTextRect;
};

class CheckBoxObject : public ToggleObject
{
public:
    explicit CheckBoxObject(Label name);
    // For code that builds a check box: a null text is empty.
    CheckBoxObject(Label name, float layer, Vector2<float> const& location, IImageList const* images, float width,
                   wchar_t const* text, Font const* font, ColorF const& color);

    void Draw() override;

    // Flips, plays "Checked" or "Unchecked", broadcasts "CheckBoxClick".
    void Click() override;

    bool HasFocusImages() const;
    // The state index, moved past the unchecked states when checked.
    int GetImageIndex() const;
};

class RadioButtonObject : public ToggleObject
{
public:
    explicit RadioButtonObject(Label name);

    using ControlObject::GetRole;
    // "RadioButton": the database lists every radio button under it.
    Label GetRole() const override;

    void Draw() override;

    // Checks this button and unchecks the others of its group that have another
    // name, plays "Checked" and broadcasts "RadioButtonClick", also when it was
    // checked already.
    void Click() override;

    Label GetGroup() const { return mGroup; }
    void SetGroup(Label group) { mGroup = group; }
    bool HasFocusImages() const;
    // Checked shows the pressed image, unless disabled.
    int GetImageIndex() const;

private:
    Label mGroup;
};

// "images", "sounds", "alphaSensitivity" (25).
class CheckBoxObjectFactory : public IObjectFactory
{
public:
    Object* CreateObject(Label name, IAttributeContainer const& attributes) const override;
};

// "images", "sounds", "alphaSensitivity" (25), "group".
class RadioButtonObjectFactory : public IObjectFactory
{
public:
    Object* CreateObject(Label name, IAttributeContainer const& attributes) const override;
};

} // namespace Corvane

#endif
