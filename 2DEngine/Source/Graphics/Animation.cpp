#include "2DEngine/Source/Graphics/Animation.h"

#include <cwctype>
#include <string>

#include "Core/Source/Error.h"
#include "Core/Source/StringUtils.h"
#include "2DEngine/Source/Framework/AttributeContainer.h"
#include "2DEngine/Source/Framework/ContentNumbers.h"
#include "2DEngine/Source/Framework/Object.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Framework/Roles.h"
#include "2DEngine/Source/Graphics/Drawing.h"
#include "2DEngine/Source/Graphics/ImageList.h"
#include "2DEngine/Source/Graphics/PixelMath.h"

namespace Corvane
{

Animation::Animation() : mImageList(nullptr), mMode(kAnimationMode_Once), mFPS(1.0f)
{
}

Animation::Animation(IImageList* imageList, AnimationMode mode, float fps)
    : mImageList(imageList), mMode(mode), mFPS(fps)
{
}

int Animation::GetWidth() const
{
    return mImageList ? mImageList->GetImageWidth(0) : 0;
}

int Animation::GetHeight() const
{
    return mImageList ? mImageList->GetImageHeight(0) : 0;
}

int Animation::GetFrameNumberAt(float time) const
{
    if (!mImageList)
        return 0;
    int64_t const n = mImageList->GetNumImages();
    // A list without frames would divide by zero; frame 0 is refused by the list when drawn.
    if (n <= 0)
        return 0;
    // 64 bits, the product limited to them, so that no time overflows the count.
    int64_t const f = Internal::TruncToInt64(time * mFPS);
    int64_t cycle = f / n;
    int64_t frame = f % n;
    if (frame < 0)
        frame += n;
    int64_t last = n - 1;
    if (mMode & kAnimationMode_Bounce)
    {
        if (cycle % 2 == 1)
            frame = n - 1 - frame;
        cycle /= 2;
        last = 0;
    }
    if (mMode & kAnimationMode_Loop)
        return int(frame);
    if (cycle > 0)
        return int(last);
    if (cycle < 0)
        return 0;
    return int(frame);
}

Animation CreateAnimation(Label name, AnimationMode mode, float fps)
{
    AutoResource<AttributeContainer> const attributes(name);
    if (!attributes)
        return Animation();
    // A rate that is not finite would freeze the animation on one frame or skip through it unseen.
    ContentReadScope const place(attributes.GetDescriptor()->GetManifest() + L".xml",
                                 ConvertStringUTF8ToWide(name.GetString()));
    float const rate = ReadNumber(*attributes, L"fps", fps, NumberRanges::kFrameRate);
    std::wstring word = attributes->GetAttribute(L"mode");
    for (wchar_t& c : word)
        c = wchar_t(std::towlower(c));
    if (word == L"once")
        mode = kAnimationMode_Once;
    else if (word == L"bounce")
        mode = kAnimationMode_Bounce;
    else if (word == L"loop")
        mode = kAnimationMode_Loop;
    else if (word == L"pingpong")
        mode = kAnimationMode_PingPong;
    AutoResource<IImageList> const list(name);
    return Animation(list.Get(), mode, rate);
}

namespace Graphics
{

int DrawAnimation(Animation const* animation, float time, float x, float y, sDrawState const& state,
                  ICanvas* canvas)
{
    if (!animation || !animation->GetImageList())
        return kNothingToDraw;
    return DrawImageList(animation->GetImageList(), animation->GetFrameNumberAt(time), x, y, state, canvas);
}

int DrawStretchedAnimation(Animation const* animation, float time, Rect<float>& rect, sDrawState const& state,
                           ICanvas* canvas)
{
    if (!animation || !animation->GetImageList())
        return kNothingToDraw;
    return DrawStretchedImageList(animation->GetImageList(), animation->GetFrameNumberAt(time), rect, state,
                                  canvas);
}

} // namespace Graphics

AlphaTask::AlphaTask(float targetAlpha, float duration, std::shared_ptr<Interpolator> interpolator)
    : InterpolatingTask(duration, std::move(interpolator)), mStartAlpha(0.0f), mTargetAlpha(targetAlpha)
{
}

AlphaTask::AlphaTask(float targetAlpha, float duration)
    : AlphaTask(targetAlpha, duration, std::make_shared<LinearInterpolator>())
{
}

Task* AlphaTask::Clone() const
{
    return new AlphaTask(mTargetAlpha, GetDuration(), GetInterpolator());
}

TaskResult AlphaTask::Update(Object* object, float dt)
{
    IAlpha* const alpha = dynamic_cast<IAlpha*>(object);
    if (!alpha)
        CORVANE_THROW("AlphaTask applied to an object that does not implement IAlpha");
    if (GetElapsed() == 0.0f)
        mStartAlpha = alpha->GetAlpha();
    TaskResult const result = InterpolatingTask::Update(object, dt);
    alpha->SetAlpha(interpolate(mStartAlpha, mTargetAlpha));
    return result;
}

} // namespace Corvane
