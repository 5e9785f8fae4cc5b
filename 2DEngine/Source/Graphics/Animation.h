#ifndef CORVANE_GRAPHICS_ANIMATION_H
#define CORVANE_GRAPHICS_ANIMATION_H

// Animations map elapsed time to a frame of an image list at a fixed rate;
// the caller keeps the time. AlphaTask fades an object's alpha over time.

#include <cstdint>
#include <memory>

#include "Core/Source/Label.h"
#include "Core/Source/Rect.h"
#include "2DEngine/Source/Framework/Interpolators.h"
#include "2DEngine/Source/Framework/Tasks.h"
#include "2DEngine/Source/Graphics/Canvas.h"
#include "2DEngine/Source/Graphics/DrawState.h"

namespace Corvane
{

class IImageList;
class Object;

// Bit 0 (bounce, pingpong): the frames run back after running forward.
// Bit 1 (loop, pingpong): the pattern repeats for ever.
enum AnimationMode : int32_t
{
    kAnimationMode_Once = 0,
    kAnimationMode_Bounce = 1,
    kAnimationMode_Loop = 2,
    kAnimationMode_PingPong = 3
};

// A plain value, copied freely; the list is not owned.
class Animation
{
public:
    // No list, once, 1 frame per second.
    Animation();
    Animation(IImageList* imageList, AnimationMode mode, float fps);

    IImageList* GetImageList() const { return mImageList; }
    AnimationMode GetMode() const { return mMode; }
    float GetFPS() const { return mFPS; }

    // The size of frame 0; 0 without a list.
    int GetWidth() const;
    int GetHeight() const;

    // The frame to show time seconds after the start: once plays 0 .. n-1 and
    // holds the last; bounce plays 0 .. n-1, n-1 .. 0 and holds 0; loop repeats
    // 0 .. n-1; pingpong repeats 0 .. n-1, n-1 .. 0. Frame 0 without a list or
    // without frames; any time, however large or not finite, gives a frame of the list.
    int GetFrameNumberAt(float time) const;

private:
    IImageList* mImageList;
    AnimationMode mMode;
    float mFPS;
};

// An animation from the resource called name: its image list, and its
// attributes "fps" and "mode" ("once", "bounce", "loop", "pingpong", in any
// case) where present, else the given ones. An empty animation when there is
// no such resource.
Animation CreateAnimation(Label name, AnimationMode mode, float fps);

namespace Graphics
{

// 1 when the animation or its list is null; otherwise the frame's draw result.
int DrawAnimation(Animation const* animation, float time, float x, float y, sDrawState const& state,
                  ICanvas* canvas);
int DrawStretchedAnimation(Animation const* animation, float time, Rect<float>& rect, sDrawState const& state,
                           ICanvas* canvas);

} // namespace Graphics

// Fades an object with the IAlpha role from its alpha at the task's first
// update to the target alpha over the duration.
class AlphaTask : public InterpolatingTask
{
public:
    AlphaTask(float targetAlpha, float duration, std::shared_ptr<Interpolator> interpolator);
    // Linear.
    AlphaTask(float targetAlpha, float duration);

    // Same target, duration and (shared) interpolator; not started, so it
    // reads the object's alpha afresh.
    Task* Clone() const override;
    // Throws RuntimeError for an object without the IAlpha role.
    TaskResult Update(Object* object, float dt) override;

    float GetTargetAlpha() const { return mTargetAlpha; }

private:
    float mStartAlpha;
    float mTargetAlpha;
};

} // namespace Corvane

#endif
