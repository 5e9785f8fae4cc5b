#include "CorvaneExtensions/Source/AnimationController.h"

#include "CorvaneExtensions/Source/SpriteAnimation.h"

#include <algorithm>

using namespace Corvane;

namespace
{

int const kMaxAdvancesPerUpdate = 1000;

} // namespace

AnimationController::AnimationController()
    : mCurrent(nullptr),
      mPosition(0),
      mFrameCount(0),
      mImageIndex(0),
      mFrameDuration(1.0f),
      mPlaysLeft(0),
      mReverse(false),
      mFrameStart(0.0f),
      mElapsed(0.0f)
{
}

Label AnimationController::GetCurAnimationName() const
{
    return mCurrent ? mCurrent->GetName() : Label();
}

void AnimationController::SetAnimation(SpriteAnimation const* animation, bool restart)
{
    if (animation == mCurrent && !restart)
        return;
    mFrameStart = 0.0f;
    mElapsed = 0.0f;
    mPosition = 0;
    mFrameCount = 0;
    mPlaysLeft = 0;
    mReverse = false;
    mFrameDuration = 1.0f;
    if (animation)
    {
        Begin(animation);
    }
    else
    {
        mCurrent = nullptr;
        mImageIndex = 0;
    }
}

void AnimationController::SetFrameIndex(int index)
{
    mCurrent = nullptr;
    mImageIndex = index;
}

void AnimationController::Begin(SpriteAnimation const* animation)
{
    mCurrent = animation;
    mFrameCount = animation->GetNumFrames();
    mPosition = 0;
    mPlaysLeft = animation->GetNumPlays();
    mReverse = false;
    ShowFrame();
}

void AnimationController::ShowFrame()
{
    AnimFrame const& frame = mCurrent->GetFrame(mPosition);
    mImageIndex = frame.index;
    mFrameDuration = frame.duration;
}

void AnimationController::Update(float dt)
{
    if (!mCurrent)
        return;
    mElapsed += dt;
    int advances = 0;
    while (mCurrent && mElapsed - mFrameStart > mFrameDuration)
    {
        float const next = mFrameStart + mFrameDuration;
        // Frames too short to be seen, or too short to move the start on at all,
        // must not keep one update busy: past a bound the rest of the time is dropped.
        mFrameStart = (next > mFrameStart && ++advances < kMaxAdvancesPerUpdate) ? next : mElapsed;
        Advance();
    }
}

void AnimationController::Advance()
{
    mPosition += mReverse ? -1 : 1;
    if (mPosition >= 0 && mPosition < mFrameCount)
    {
        ShowFrame();
        return;
    }
    if (mPlaysLeft >= 0)
        --mPlaysLeft;
    if (mPlaysLeft == 0)
    {
        SpriteAnimation const* const linked = mCurrent->GetLinkedAnimation();
        if (linked)
            Begin(linked);
        else
            mCurrent = nullptr;
        return;
    }
    if (mCurrent->IsPingPong())
    {
        mReverse = !mReverse;
        mPosition = mReverse ? mFrameCount - 2 : 1;
        mPosition = std::max(0, std::min(mPosition, mFrameCount - 1));
    }
    else
    {
        mPosition = 0;
    }
    ShowFrame();
}
