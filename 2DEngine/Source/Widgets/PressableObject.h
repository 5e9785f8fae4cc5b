#ifndef CORVANE_WIDGETS_PRESSABLEOBJECT_H
#define CORVANE_WIDGETS_PRESSABLEOBJECT_H

// The base of the widget objects a click acts on (the button, the check box
// and the radio button): their images, the pixel test's sensitivity, their
// sounds, and the pointer handling that lights the control up while the
// pointer is over it, captures a press on it and clicks on a release over it.

#include "Core/Source/Label.h"
#include "2DEngine/Source/Widgets/ControlObject.h"

namespace Corvane
{

class IAttributeContainer;
class IImageList;

class PressableObject : public ControlObject, public TextComponent
{
public:
    explicit PressableObject(Label name);
    PressableObject(Label name, float layer);

    // What the control does when clicked, by the mouse, a key or code.
    virtual void Click() = 0;
    // Each control sizes itself to its images in its own way.
    virtual void SetImages(IImageList const* images) = 0;
    IImageList const* GetImages() const { return mImages; }

    MessageResult OnMouseMove(int x, int y) override;
    MessageResult OnMouseDown(MouseButton button, int x, int y) override;
    MessageResult OnMouseUp(MouseButton button, int x, int y) override;

    bool IsHot() const { return mHot; }
    // 0 makes the whole rectangle clickable.
    int GetAlphaSensitivity() const { return mAlphaSensitivity; }
    void SetAlphaSensitivity(int sensitivity) { mAlphaSensitivity = sensitivity; }
    SoundList const* GetSounds() const { return mSounds; }
    void SetSounds(SoundList const* sounds) { mSounds = sounds; }

    // For the factories: "images", "sounds" and "alphaSensitivity" (25), where
    // the attributes have them.
    void ReadPressableAttributes(IAttributeContainer const& attributes);

protected:
    // The pixel test of image 0, or of the first three-slice frame as wide as
    // the bounds; passes without a sensitivity or without images.
    bool ImageAlphaContains(bool threeSlice, int x, int y) const;

    bool mHot;
    IImageList const* mImages;
    int mAlphaSensitivity;
    SoundList const* mSounds;
};

} // namespace Corvane

#endif
