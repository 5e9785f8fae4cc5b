#ifndef CORVANE_WIDGETS_SLIDEROBJECTS_H
#define CORVANE_WIDGETS_SLIDEROBJECTS_H

// The horizontal slider of widget layouts ("slider"): a three-slice channel and
// a thumb dragged by the mouse or moved by Left and Right in the keyboard adjust
// mode, with a value from 0 to 1 that may snap to ticks; it broadcasts
// "SliderValueChange" and "SliderReleased". The scroll bar ("scrollbar"): a
// vertical channel with two arrow buttons that it makes and places.

#include "2DEngine/Source/Widgets/ControlObject.h"
#include "2DEngine/Source/Widgets/ObjectFactory.h"

namespace Corvane
{

class IImageList;

class SliderObject : public ControlObject
{
public:
    explicit SliderObject(Label name);

    // Keeps the value: the thumb moves with the bounds.
    void SetBounds(Rect<float> const& bounds) override;
    void Draw() override;
    // Not while snapping to one tick or none.
    bool CanFocus() const override;
    // "LostFocus" ends the adjust mode.
    void ReceiveMessage(ObjectMessage const& message) override;
    // The opaque part of the thumb; the channel takes no clicks.
    bool AlphaContains(int x, int y) const override;
    MessageResult OnKeyDown(int key) override;
    MessageResult OnMouseMove(int x, int y) override;
    MessageResult OnMouseDown(MouseButton button, int x, int y) override;
    MessageResult OnMouseUp(MouseButton button, int x, int y) override;

    void SetChannelImages(IImageList const* images) { mChannelImages = images; }
    IImageList const* GetChannelImages() const { return mChannelImages; }
    // Set after the channel: the height becomes the taller of both, the value 0.
    void SetThumbImages(IImageList const* images);
    IImageList const* GetThumbImages() const { return mThumbImages; }

    // The thumb's place over its travel; 0 when it cannot travel.
    float GetValue() const;
    // Moves the thumb without a message; not limited to 0 .. 1.
    void SetValue(float value) { SetValueInternal(value, false); }
    // Snaps when snapping; with notify plays "Snap" on a snapped change and
    // broadcasts "SliderValueChange", changed or not.
    void SetValueInternal(float value, bool notify);
    // By the delta, kept within 0 .. 1, with notification.
    void Slide(float delta);
    float ValueToThumbLocation(float value) const;
    float ThumbLocationToValue(float location) const;
    // Broadcasts "SliderValueChange".
    void ValueChange();

    int GetNumTicks() const { return mNumTicks; }
    void SetNumTicks(int numTicks) { mNumTicks = numTicks; }
    bool GetSnapToTicks() const { return mSnapToTicks; }
    // Snaps the thumb at once.
    void SetSnapToTicks(bool snap);
    float GetThumbX() const { return mThumbX; }
    bool IsAdjusting() const { return mAdjusting; }
    bool IsHot() const { return mHot; }
    // The thumb image drawn now.
    int GetThumbImageIndex() const;
    int GetAlphaSensitivity() const { return mAlphaSensitivity; }
    void SetAlphaSensitivity(int sensitivity) { mAlphaSensitivity = sensitivity; }
    SoundList const* GetSounds() const { return mSounds; }
    void SetSounds(SoundList const* sounds) { mSounds = sounds; }

private:
    // The thumb's free travel: the bounds' width less the thumb's.
    float Travel() const;

    IImageList const* mChannelImages;
    float mThumbX;
    IImageList const* mThumbImages;
    float mGrabOffset;
    bool mHot;
    int mAlphaSensitivity;
    int mNumTicks;
    bool mSnapToTicks;
    bool mAdjusting;
    SoundList const* mSounds;
};

class ScrollBarObject : public ControlObject
{
public:
    // Adds its two arrow buttons, named by its name followed by "ScrollUp" and
    // "ScrollDown", to the context database, which owns them.
    explicit ScrollBarObject(Label name);

    // The arrows go one layer above the channel.
    void SetLayer(float layer) override;
    // The up arrow at the top, the down arrow at the bottom.
    void SetBounds(Rect<float> const& bounds) override;
    void Draw() override;

    void SetChannelImages(IImageList const* images) { mChannelImages = images; }
    IImageList const* GetChannelImages() const { return mChannelImages; }
    // Stored, never drawn.
    void SetThumbImages(IImageList const* images) { mThumbImages = images; }
    IImageList const* GetThumbImages() const { return mThumbImages; }
    void SetUpArrowImages(IImageList const* images);
    void SetDownArrowImages(IImageList const* images);
    // Given to both arrows too.
    void SetSounds(SoundList const* sounds);
    SoundList const* GetSounds() const { return mSounds; }

    Label GetUpButtonName() const;
    Label GetDownButtonName() const;

private:
    IImageList const* mChannelImages;
    IImageList const* mThumbImages;
    SoundList const* mSounds;
};

// "channelImages", "thumbImages", "sounds", "alphaSensitivity" (25), "numTicks",
// "snapToTicks".
class SliderObjectFactory : public IObjectFactory
{
public:
    Object* CreateObject(Label name, IAttributeContainer const& attributes) const override;
};

// "channelImages", "thumbImages", "downArrowImages", "upArrowImages", "sounds".
class ScrollBarObjectFactory : public IObjectFactory
{
public:
    Object* CreateObject(Label name, IAttributeContainer const& attributes) const override;
};

} // namespace Corvane

#endif
