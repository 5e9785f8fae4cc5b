#ifndef CORVANE_EXTENSIONS_ANIMATIONCONTROLLER_H
#define CORVANE_EXTENSIONS_ANIMATIONCONTROLLER_H

// Steps one sprite's current animation through time: frame durations, plays,
// ping-pong and the linked animation that follows. An object of its own in the
// object database, updated there; the sprite reads the image index it shows.

#include "2DEngine/Source/Framework/Object.h"
#include "Core/Source/Label.h"

class SpriteAnimation;

class AnimationController : public Corvane::Object
{
public:
    AnimationController();

    Corvane::Label GetName() const override { return mName; }
    // Consumes the time: every frame whose duration has fully passed is left behind.
    void Update(float dt) override;

    // Nothing when the animation is the current one and restart is false. A null
    // animation stops and shows image 0. The animation must outlive its playing (the
    // sprite type resource holds it).
    void SetAnimation(SpriteAnimation const* animation, bool restart);
    // Stops the animation and shows the image.
    void SetFrameIndex(int index);

    // Null when stopped.
    SpriteAnimation const* GetCurAnimation() const { return mCurrent; }
    Corvane::Label GetCurAnimationName() const;
    int GetImageIndex() const { return mImageIndex; }
    int GetFramePosition() const { return mPosition; }
    float GetFrameDuration() const { return mFrameDuration; }
    // Negative plays for ever.
    int GetPlaysLeft() const { return mPlaysLeft; }
    bool IsReversed() const { return mReverse; }

private:
    // Starts the animation at its first frame, keeping the times.
    void Begin(SpriteAnimation const* animation);
    void Advance();
    void ShowFrame();

    Corvane::Label mName;
    SpriteAnimation const* mCurrent;
    int mPosition;
    int mFrameCount;
    int mImageIndex;
    float mFrameDuration;
    int mPlaysLeft;
    bool mReverse;
    float mFrameStart;
    float mElapsed;
};

#endif
