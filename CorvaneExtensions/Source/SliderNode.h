#ifndef CORVANE_EXTENSIONS_SLIDERNODE_H
#define CORVANE_EXTENSIONS_SLIDERNODE_H

// The horizontal slider of the scene graph: a three-slice channel and a thumb that
// the mouse drags, that a click on the channel centres under the pointer, or that
// the arrow keys move in the keyboard adjust mode. Its value runs from 0 to 1;
// every change sends "SliderValueChange" and the end of a drag "SliderReleased".
// Made from the "slidernode" tag.

#include "CorvaneExtensions/Source/NodeFactory.h"
#include "CorvaneExtensions/Source/SceneNode.h"

#include "2DEngine/Source/Framework/Roles.h"

namespace Corvane
{
class IImageList;
class SoundList;
}

class SliderNode : public SceneNode, public Corvane::EnableComponent
{
public:
    // The node starts at the thumb position (a layout's location replaces it); the
    // value is set without a message or a sound.
    SliderNode(Corvane::Label name, Corvane::Vector2<float> const& thumbPosition, Corvane::IImageList const* channel,
               Corvane::IImageList const* thumb, Corvane::IImageList const* disabledChannel, float width,
               float initialValue);

    // "LostFocus" from anyone ends the adjust mode.
    void ReceiveMessage(Corvane::ObjectMessage const& message) override;
    Corvane::MessageResult OnKeyDown(int key) override;
    // Follows a drag while holding the capture, else tracks the hot thumb. Always
    // reports the move unhandled.
    Corvane::MessageResult OnMouseMove(int x, int y) override;
    bool CanFocus() const override;
    bool GlobalPointIntersects(Corvane::Vector2<float> const& point) const override;
    void DrawAt(Corvane::Vector2<float> const& offset) override;

    // The thumb's place divided by its free travel; 0 when the thumb cannot travel.
    float GetValue() const;
    // Presets the value: no message, no sound.
    void SetValue(float value) { SetValueInternal(value, false); }
    // Snaps the value when snapping is on; with notify, plays "Snap" on a snapped
    // change and sends "SliderValueChange" even when the value stayed.
    void SetValueInternal(float value, bool notify);
    // Moves by delta, kept within 0 to 1, with notification.
    void Slide(float delta);
    float ThumbOffsetToValue(float offset) const;
    float ValueToThumbOffset(float value) const;

    // The number of snap positions, spread evenly from 0 to 1.
    void SetTickCount(int count) { mTickCount = count; }
    int GetTickCount() const { return mTickCount; }
    void SetSnap(bool snap) { mSnap = snap; }
    bool GetSnap() const { return mSnap; }
    // The step of the arrow keys in the adjust mode.
    float GetKeyStep() const;

    bool IsInAdjustMode() const { return mAdjustMode; }
    bool IsHot() const { return mHot; }
    // x is the thumb offset, y its vertical offset, both relative to the node.
    Corvane::Vector2<float> const& GetThumbPosition() const { return mThumbPosition; }
    // The thumb image shown now.
    int GetThumbImageIndex() const;

    void SetAlphaSensitivity(int sensitivity) { mAlphaSensitivity = sensitivity; }
    int GetAlphaSensitivity() const { return mAlphaSensitivity; }
    // Not owned; null plays nothing.
    void SetSoundList(Corvane::SoundList const* sounds) { mSounds = sounds; }
    Corvane::SoundList const* GetSoundList() const { return mSounds; }

    // Points in the parent's frame, as GlobalToLocalPoint gives them.
    bool ThumbHitTest(Corvane::Vector2<int> const& point) const;
    bool ChannelHitTest(Corvane::Vector2<int> const& point) const;

private:
    void HandleMouseDown(int x, int y);
    void HandleMouseUp();
    void HotRule();
    float ThumbWidth() const;
    float ThumbHeight() const;
    // The thumb offset for a pointer x, kept on the channel.
    float ClampThumbOffset(float offset) const;

    Corvane::IImageList const* mChannelImages;
    Corvane::IImageList const* mDisabledChannelImages;
    Corvane::Vector2<float> mThumbPosition;
    Corvane::IImageList const* mThumbImages;
    float mGrabOffset;
    bool mHot;
    int mAlphaSensitivity;
    int mTickCount;
    bool mSnap;
    bool mAdjustMode;
    Corvane::SoundList const* mSounds;
};

class SliderNodeDescriptor : public SceneNodeDescriptor
{
public:
    SliderNodeDescriptor() : width(0.0f), thumbOffsetY(0.0f), initialValue(0.0f), alphaSensitivity(25) {}

    Corvane::Label channelImages;
    Corvane::Label thumbImages;
    Corvane::Label disabledChannelImages;
    float width;
    float thumbOffsetY;
    float initialValue;
    int alphaSensitivity;
    Corvane::Label sounds;
};

// "slidernode": "channelImages", "disableImages", "thumbImages", "width" (0),
// "thumbOffsetY" (0), "initialValue" (0), "alphaSensitivity" (25), "sounds".
class SliderNodeFactory : public SceneNodeFactory
{
public:
    SceneNodeDescriptor* CreateDescriptor(Corvane::IAttributeContainer const& attributes) const override;
    SceneNode* CreateNode(SceneNodeDescriptor const* descriptor) const override;
};

#endif
