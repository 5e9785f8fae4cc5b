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
#include "2DEngine/Source/Widgets/ControlObject.h"
#include "2DEngine/Source/Widgets/ObjectFactory.h"

namespace Corvane
{

class IImageList;

class CheckBoxObject : public ControlObject, public TextComponent
{
public:
    explicit CheckBoxObject(Label name);
    // For code that builds a check box: a null text is empty.
    CheckBoxObject(Label name, float layer, Vector2<float> const& location, IImageList const* images, float width,
                   wchar_t const* text, Font const* font, ColorF const& color);

    // Places the caption rectangle when the box has a font; it does not follow later moves.
    void SetText(std::wstring const& text) override;
    // The box takes image 0's size (a three-slice list keeps the width).
    void SetImages(IImageList const* images);
    IImageList const* GetImages() const { return mImages; }

    // The box, or the caption rectangle without the pixel test.
    bool BoundsContains(float x, float y) const override;
    bool AlphaContains(int x, int y) const override;
    MessageResult OnKeyDown(int key) override;
    MessageResult OnMouseMove(int x, int y) override;
    MessageResult OnMouseDown(MouseButton button, int x, int y) override;
    MessageResult OnMouseUp(MouseButton button, int x, int y) override;
    void Draw() override;

    // Flips, plays "Checked" or "Unchecked", broadcasts "CheckBoxClick".
    void Click();

    bool IsChecked() const { return mChecked; }
    // Presets the state: no sound, no message.
    void SetChecked(bool checked) { mChecked = checked; }
    // More than ten images: a three-slice frame per state.
    bool IsBackgroundThreeBrush() const;
    bool HasFocusImages() const;
    // The state index, moved past the unchecked states when checked.
    int GetImageIndex() const;
    Rect<float> const& GetTextRect() const { return mTextRect; }
    bool IsHot() const { return mHot; }
    int GetAlphaSensitivity() const { return mAlphaSensitivity; }
    void SetAlphaSensitivity(int sensitivity) { mAlphaSensitivity = sensitivity; }
    SoundList const* GetSounds() const { return mSounds; }
    void SetSounds(SoundList const* sounds) { mSounds = sounds; }

private:
    bool mChecked;
    bool mHot;
    IImageList const* mImages;
    Rect<float> mTextRect;
    int mAlphaSensitivity;
    SoundList const* mSounds;
};

class RadioButtonObject : public ControlObject, public TextComponent
{
public:
    explicit RadioButtonObject(Label name);

    using ControlObject::GetRole;
    // "RadioButton": the database lists every radio button under it.
    Label GetRole() const override;

    void SetText(std::wstring const& text) override;
    void SetImages(IImageList const* images);
    IImageList const* GetImages() const { return mImages; }

    bool BoundsContains(float x, float y) const override;
    bool AlphaContains(int x, int y) const override;
    MessageResult OnKeyDown(int key) override;
    MessageResult OnMouseMove(int x, int y) override;
    MessageResult OnMouseDown(MouseButton button, int x, int y) override;
    MessageResult OnMouseUp(MouseButton button, int x, int y) override;
    void Draw() override;

    // Checks this button and unchecks the others of its group that have another
    // name, plays "Checked" and broadcasts "RadioButtonClick", also when it was
    // checked already.
    void Click();

    bool IsChecked() const { return mChecked; }
    // Presets the state of this button alone: no sound, no message.
    void SetChecked(bool checked) { mChecked = checked; }
    Label GetGroup() const { return mGroup; }
    void SetGroup(Label group) { mGroup = group; }
    bool IsBackgroundThreeBrush() const;
    bool HasFocusImages() const;
    // Checked shows the pressed image, unless disabled.
    int GetImageIndex() const;
    Rect<float> const& GetTextRect() const { return mTextRect; }
    bool IsHot() const { return mHot; }
    int GetAlphaSensitivity() const { return mAlphaSensitivity; }
    void SetAlphaSensitivity(int sensitivity) { mAlphaSensitivity = sensitivity; }
    SoundList const* GetSounds() const { return mSounds; }
    void SetSounds(SoundList const* sounds) { mSounds = sounds; }

private:
    Label mGroup;
    bool mChecked;
    bool mHot;
    IImageList const* mImages;
    Rect<float> mTextRect;
    int mAlphaSensitivity;
    SoundList const* mSounds;
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
