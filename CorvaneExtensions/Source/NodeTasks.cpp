#include "CorvaneExtensions/Source/NodeTasks.h"

#include "CorvaneExtensions/Source/SceneNode.h"
#include "CorvaneExtensions/Source/SpriteNodes.h"

#include <cmath>
#include <stdexcept>

using namespace Corvane;

namespace
{

SceneNode* NodeOf(Object* object, char const* message)
{
    SceneNode* node = dynamic_cast<SceneNode*>(object);
    if (!node)
        throw std::runtime_error(message);
    return node;
}

std::shared_ptr<NumberGenerator<float> > ConstDuration(float seconds)
{
    return std::make_shared<ConstNumberGenerator<float> >(seconds);
}

std::shared_ptr<Interpolator> Immediate()
{
    return std::make_shared<ImmediateInterpolator>();
}

std::shared_ptr<Interpolator> Linear()
{
    return std::make_shared<LinearInterpolator>();
}

} // namespace

// ---- NodeVector2Task -------------------------------------------------------------------------

NodeVector2Task::NodeVector2Task(std::shared_ptr<Vector2Generator<float> > const& target,
                                 std::shared_ptr<NumberGenerator<float> > const& duration,
                                 std::shared_ptr<Interpolator> const& interpolator, char const* notANodeMessage)
    : BetterInterpolatingTask(duration, interpolator),
      mTarget(target),
      mNotANodeMessage(notANodeMessage),
      mStarted(false)
{
}

TaskResult NodeVector2Task::Update(Object* object, float dt)
{
    SceneNode* node = NodeOf(object, mNotANodeMessage);
    if (!mStarted)
    {
        mStarted = true;
        mStart = GetValue(*node);
        mEnd = mTarget->Generate();
    }
    TaskResult const result = BetterInterpolatingTask::Update(object, dt);
    SetValue(*node, Vector2<float>(interpolate(mStart.x, mEnd.x), interpolate(mStart.y, mEnd.y)));
    return result;
}

// ---- NodeLocationTask ------------------------------------------------------------------------

NodeLocationTask::NodeLocationTask(std::shared_ptr<Vector2Generator<float> > const& target,
                                   std::shared_ptr<NumberGenerator<float> > const& duration,
                                   std::shared_ptr<Interpolator> const& interpolator)
    : NodeVector2Task(target, duration, interpolator, "NodeLocationTask must be applied to a SceneNode")
{
}

NodeLocationTask::NodeLocationTask(Vector2<float> const& target)
    : NodeLocationTask(ConstVector2FGenerator(target), ConstDuration(0.0f), Immediate())
{
}

NodeLocationTask::NodeLocationTask(int x, int y)
    : NodeLocationTask(Vector2<float>(static_cast<float>(x), static_cast<float>(y)))
{
}

NodeLocationTask::NodeLocationTask(Vector2<float> const& target, float duration)
    : NodeLocationTask(ConstVector2FGenerator(target), ConstDuration(duration), Linear())
{
}

NodeLocationTask::NodeLocationTask(float x, float y, float duration)
    : NodeLocationTask(Vector2<float>(x, y), duration)
{
}

NodeLocationTask::NodeLocationTask(int x, int y, float duration)
    : NodeLocationTask(Vector2<float>(static_cast<float>(x), static_cast<float>(y)), duration)
{
}

Task* NodeLocationTask::Clone() const
{
    return new NodeLocationTask(GetTarget()->Clone(), GetGenerator()->Clone(), GetInterpolator());
}

Vector2<float> NodeLocationTask::GetValue(SceneNode const& node) const
{
    return node.LocalGetLocation();
}

void NodeLocationTask::SetValue(SceneNode& node, Vector2<float> const& value) const
{
    node.LocalSetLocation(value.x, value.y);
}

// ---- NodeOrientationTask ---------------------------------------------------------------------

NodeOrientationTask::NodeOrientationTask(std::shared_ptr<NumberGenerator<Angle> > const& target,
                                         std::shared_ptr<NumberGenerator<float> > const& duration,
                                         std::shared_ptr<Interpolator> const& interpolator)
    : BetterInterpolatingTask(duration, interpolator), mTarget(target), mStarted(false)
{
}

NodeOrientationTask::NodeOrientationTask(std::shared_ptr<NumberGenerator<Angle> > const& target,
                                         std::shared_ptr<NumberGenerator<float> > const& duration)
    : NodeOrientationTask(target, duration, Linear())
{
}

NodeOrientationTask::NodeOrientationTask(Angle target)
    : NodeOrientationTask(std::make_shared<ConstNumberGenerator<Angle> >(target), ConstDuration(0.0f), Immediate())
{
}

NodeOrientationTask::NodeOrientationTask(std::shared_ptr<NumberGenerator<Angle> > const& target, float duration)
    : NodeOrientationTask(target, ConstDuration(duration), Linear())
{
}

NodeOrientationTask::NodeOrientationTask(Angle target, float duration)
    : NodeOrientationTask(std::make_shared<ConstNumberGenerator<Angle> >(target), duration)
{
}

Task* NodeOrientationTask::Clone() const
{
    return new NodeOrientationTask(mTarget->Clone(), GetGenerator()->Clone(), GetInterpolator());
}

TaskResult NodeOrientationTask::Update(Object* object, float dt)
{
    SceneNode* node = NodeOf(object, "NodeOrientationTask must be applied to a SceneNode");
    if (!mStarted)
    {
        mStarted = true;
        mStart = node->LocalGetOrientation().Wrap();
        mEnd = mTarget->Generate().Wrap();
        if (mEnd.GetRadians() > mStart.GetRadians() + Angle::pi())
            mEnd -= Angle::Circle();
        else if (mEnd.GetRadians() < mStart.GetRadians() - Angle::pi())
            mEnd += Angle::Circle();
    }
    TaskResult const result = BetterInterpolatingTask::Update(object, dt);
    node->LocalSetOrientation(Angle(interpolate(mStart.GetRadians(), mEnd.GetRadians())));
    return result;
}

// ---- NodeScaleTask ---------------------------------------------------------------------------

NodeScaleTask::NodeScaleTask(std::shared_ptr<Vector2Generator<float> > const& target,
                             std::shared_ptr<NumberGenerator<float> > const& duration,
                             std::shared_ptr<Interpolator> const& interpolator)
    : NodeVector2Task(target, duration, interpolator, "NodeScaleTask must be applied to a SceneNode")
{
}

NodeScaleTask::NodeScaleTask(Vector2<float> const& target)
    : NodeScaleTask(ConstVector2FGenerator(target), ConstDuration(0.0f), Immediate())
{
}

NodeScaleTask::NodeScaleTask(Vector2<float> const& target, float duration)
    : NodeScaleTask(ConstVector2FGenerator(target), ConstDuration(duration), Linear())
{
}

Task* NodeScaleTask::Clone() const
{
    return new NodeScaleTask(GetTarget()->Clone(), GetGenerator()->Clone(), GetInterpolator());
}

Vector2<float> NodeScaleTask::GetValue(SceneNode const& node) const
{
    return node.LocalGetScale();
}

void NodeScaleTask::SetValue(SceneNode& node, Vector2<float> const& value) const
{
    node.LocalSetScale(value);
}

// ---- NodeBezierLocationTask ------------------------------------------------------------------

NodeBezierLocationTask::NodeBezierLocationTask(Vector2<float> const& end, Vector2<float> const& control1,
                                               Vector2<float> const& control2, float duration)
    : InterpolatingTask(duration, Linear()),
      mEnd(end),
      mControl1(control1),
      mControl2(control2),
      mStarted(false)
{
}

Task* NodeBezierLocationTask::Clone() const
{
    return new NodeBezierLocationTask(mEnd, mControl1, mControl2, GetDuration());
}

TaskResult NodeBezierLocationTask::Update(Object* object, float dt)
{
    SceneNode* node = NodeOf(object, "NodeBezierLocationTask must be applied to a SceneNode");
    if (!mStarted)
    {
        mStarted = true;
        mStart = node->LocalGetLocation();
        mC = (mControl1 - mStart) * 3.0f;
        mB = (mControl2 - mControl1) * 3.0f - mC;
        mA = mEnd - mStart - mC - mB;
    }
    TaskResult const result = InterpolatingTask::Update(object, dt);
    float const t = interpolate(0.0f, 1.0f);
    float const t2 = t * t;
    float const t3 = t2 * t;
    node->LocalSetLocation(mA.x * t3 + mB.x * t2 + mC.x * t + mStart.x, mA.y * t3 + mB.y * t2 + mC.y * t + mStart.y);
    return result;
}

// ---- NodeCatmullRomPathTask ------------------------------------------------------------------

NodeCatmullRomPathTask::NodeCatmullRomPathTask(std::vector<Vector2<float> > const& points, float duration,
                                               std::shared_ptr<Interpolator> const& interpolator)
    : InterpolatingTask(duration, interpolator), mPoints(points), mAutoTangents(true), mStarted(false)
{
}

NodeCatmullRomPathTask::NodeCatmullRomPathTask(std::vector<Vector2<float> > const& points, float duration)
    : NodeCatmullRomPathTask(points, duration, Linear())
{
}

NodeCatmullRomPathTask::NodeCatmullRomPathTask(std::vector<Vector2<float> > const& points,
                                               Vector2<float> const& startTangent, Vector2<float> const& endTangent,
                                               float duration, std::shared_ptr<Interpolator> const& interpolator)
    : InterpolatingTask(duration, interpolator),
      mPoints(points),
      mStartTangent(startTangent),
      mEndTangent(endTangent),
      mAutoTangents(false),
      mStarted(false)
{
}

Task* NodeCatmullRomPathTask::Clone() const
{
    if (mAutoTangents)
        return new NodeCatmullRomPathTask(mPoints, GetDuration(), GetInterpolator());
    return new NodeCatmullRomPathTask(mPoints, mStartTangent, mEndTangent, GetDuration(), GetInterpolator());
}

TaskResult NodeCatmullRomPathTask::Update(Object* object, float dt)
{
    SceneNode* node = NodeOf(object, "NodeCatmullRomPathTask must be applied to a SceneNode");
    // There is no segment to follow and no last point to end on.
    if (mPoints.empty())
        return CompletedAfter(0.0f);
    int const count = static_cast<int>(mPoints.size());
    if (!mStarted)
    {
        mStarted = true;
        Vector2<float> const here = node->LocalGetLocation();
        mControlPoints.clear();
        mControlPoints.push_back(mAutoTangents ? here : mStartTangent);
        mControlPoints.push_back(here);
        mControlPoints.insert(mControlPoints.end(), mPoints.begin(), mPoints.end());
        mControlPoints.push_back(mAutoTangents ? mPoints.back() : mEndTangent);
    }
    TaskResult const result = InterpolatingTask::Update(object, dt);
    float const u = interpolate(0.0f, static_cast<float>(count));
    // An interpolator that undershoots (or yields no number) stays on the first segment.
    float const segment = u >= 0.0f ? std::floor(u) : 0.0f;
    if (segment < static_cast<float>(count))
    {
        int const i = static_cast<int>(segment);
        float const t = u == u ? u - segment : 0.0f;
        float const t2 = t * t;
        float const t3 = t2 * t;
        Vector2<float> const& q0 = mControlPoints[i];
        Vector2<float> const& q1 = mControlPoints[i + 1];
        Vector2<float> const& q2 = mControlPoints[i + 2];
        Vector2<float> const& q3 = mControlPoints[i + 3];
        auto axis = [t, t2, t3](float p0, float p1, float p2, float p3) {
            return 0.5f * (2.0f * p1 + (p2 - p0) * t + (2.0f * p0 - 5.0f * p1 + 4.0f * p2 - p3) * t2 +
                           (3.0f * p1 - p0 - 3.0f * p2 + p3) * t3);
        };
        node->LocalSetLocation(axis(q0.x, q1.x, q2.x, q3.x), axis(q0.y, q1.y, q2.y, q3.y));
    }
    else
    {
        node->LocalSetLocation(mPoints.back());
    }
    return result;
}

// ---- NodeAnimationTask -----------------------------------------------------------------------

NodeAnimationTask::NodeAnimationTask(Label animation, NodeAnimationTaskCompletion completion)
    : mAnimation(animation), mCompletion(completion), mElapsed(0.0f), mStarted(false)
{
}

NodeAnimationTask::NodeAnimationTask(Label animation, int completion)
    : NodeAnimationTask(animation, completion == 0 ? kNodeAnimationTaskCompleteOnStart
                                                   : kNodeAnimationTaskCompleteOnFinish)
{
}

Task* NodeAnimationTask::Clone() const
{
    return new NodeAnimationTask(mAnimation, mCompletion);
}

TaskResult NodeAnimationTask::Update(Object* object, float dt)
{
    AnimatedSpriteNode* sprite = dynamic_cast<AnimatedSpriteNode*>(object);
    if (!sprite)
        throw std::runtime_error("NodeAnimationTask applied to a non-AnimatedSpriteNode object");
    if (!mStarted)
    {
        mStarted = true;
        sprite->SetAnimation(mAnimation, false);
    }
    mElapsed += dt;
    if (mCompletion == kNodeAnimationTaskCompleteOnStart)
        return Complete;
    if (sprite->IsAnimationPlaying(mAnimation))
        return Incomplete;
    return CompletedAfter(mElapsed);
}

// ---- NodeVisibleTask -------------------------------------------------------------------------

NodeVisibleTask::NodeVisibleTask(bool visible) : mVisible(std::make_shared<ConstNumberGenerator<bool> >(visible))
{
}

NodeVisibleTask::NodeVisibleTask(std::shared_ptr<NumberGenerator<bool> > const& visible) : mVisible(visible)
{
}

Task* NodeVisibleTask::Clone() const
{
    return new NodeVisibleTask(mVisible->Clone());
}

TaskResult NodeVisibleTask::Update(Object* object, float)
{
    SceneNode* node = NodeOf(object, "NodeVisibleTask must be applied to a SceneNode");
    node->LocalSetVisible(mVisible->Generate());
    return CompletedAfter(0.0f);
}
