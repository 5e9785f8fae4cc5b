#ifndef CORVANE_EXTENSIONS_NODETASKS_H
#define CORVANE_EXTENSIONS_NODETASKS_H

// Tasks that animate one local attribute of the scene node they are queued on:
// location along a line, a cubic Bezier curve or a Catmull-Rom path; orientation
// (the shorter way round); scale; visibility; the running animation of an animated
// sprite. Targets and durations may come from generators, drawn when the task
// starts, so every clone of one task may go somewhere else.
//
// Each task throws std::runtime_error when run on an object of the wrong kind.

#include "CorvaneExtensions/Source/NumberGenerator.h"

#include "2DEngine/Source/Framework/Interpolators.h"
#include "2DEngine/Source/Framework/Tasks.h"
#include "Core/Source/Angle.h"
#include "Core/Source/Label.h"
#include "Core/Source/Vector2.h"

#include <memory>
#include <vector>

class SceneNode;

// Moves a two-component local attribute of the node from its value at the first
// update to a target drawn then.
class NodeVector2Task : public Corvane::BetterInterpolatingTask
{
public:
    Corvane::TaskResult Update(Corvane::Object* object, float dt) override;

    Corvane::Vector2<float> const& GetStart() const { return mStart; }
    Corvane::Vector2<float> const& GetEnd() const { return mEnd; }

protected:
    // The message is thrown when the task runs on an object that is not a scene node.
    NodeVector2Task(std::shared_ptr<Vector2Generator<float> > const& target,
                    std::shared_ptr<NumberGenerator<float> > const& duration,
                    std::shared_ptr<Corvane::Interpolator> const& interpolator, char const* notANodeMessage);

    std::shared_ptr<Vector2Generator<float> > const& GetTarget() const { return mTarget; }
    virtual Corvane::Vector2<float> GetValue(SceneNode const& node) const = 0;
    virtual void SetValue(SceneNode& node, Corvane::Vector2<float> const& value) const = 0;

private:
    std::shared_ptr<Vector2Generator<float> > mTarget;
    char const* mNotANodeMessage;
    Corvane::Vector2<float> mStart;
    Corvane::Vector2<float> mEnd;
    bool mStarted;
};

class NodeLocationTask : public NodeVector2Task
{
public:
    NodeLocationTask(std::shared_ptr<Vector2Generator<float> > const& target,
                     std::shared_ptr<NumberGenerator<float> > const& duration,
                     std::shared_ptr<Corvane::Interpolator> const& interpolator);
    // Immediate: the node jumps there in the first update.
    explicit NodeLocationTask(Corvane::Vector2<float> const& target);
    NodeLocationTask(int x, int y);
    // Linear over the duration in seconds.
    NodeLocationTask(Corvane::Vector2<float> const& target, float duration);
    NodeLocationTask(float x, float y, float duration);
    NodeLocationTask(int x, int y, float duration);

    Corvane::Task* Clone() const override;

protected:
    Corvane::Vector2<float> GetValue(SceneNode const& node) const override;
    void SetValue(SceneNode& node, Corvane::Vector2<float> const& value) const override;
};

class NodeOrientationTask : public Corvane::BetterInterpolatingTask
{
public:
    NodeOrientationTask(std::shared_ptr<NumberGenerator<Corvane::Angle> > const& target,
                        std::shared_ptr<NumberGenerator<float> > const& duration,
                        std::shared_ptr<Corvane::Interpolator> const& interpolator);
    // Linear over the drawn duration.
    NodeOrientationTask(std::shared_ptr<NumberGenerator<Corvane::Angle> > const& target,
                        std::shared_ptr<NumberGenerator<float> > const& duration);
    // Immediate.
    explicit NodeOrientationTask(Corvane::Angle target);
    // Linear over the duration in seconds.
    NodeOrientationTask(std::shared_ptr<NumberGenerator<Corvane::Angle> > const& target, float duration);
    NodeOrientationTask(Corvane::Angle target, float duration);

    Corvane::Task* Clone() const override;
    // Turns from the node's orientation to the target, both wrapped, the shorter way.
    Corvane::TaskResult Update(Corvane::Object* object, float dt) override;

    Corvane::Angle GetStart() const { return mStart; }
    Corvane::Angle GetEnd() const { return mEnd; }

private:
    Corvane::Angle mStart;
    Corvane::Angle mEnd;
    std::shared_ptr<NumberGenerator<Corvane::Angle> > mTarget;
    bool mStarted;
};

class NodeScaleTask : public NodeVector2Task
{
public:
    NodeScaleTask(std::shared_ptr<Vector2Generator<float> > const& target,
                  std::shared_ptr<NumberGenerator<float> > const& duration,
                  std::shared_ptr<Corvane::Interpolator> const& interpolator);
    // Immediate.
    explicit NodeScaleTask(Corvane::Vector2<float> const& target);
    // Linear over the duration in seconds.
    NodeScaleTask(Corvane::Vector2<float> const& target, float duration);

    Corvane::Task* Clone() const override;

protected:
    Corvane::Vector2<float> GetValue(SceneNode const& node) const override;
    void SetValue(SceneNode& node, Corvane::Vector2<float> const& value) const override;
};

// A cubic Bezier curve from the node's location at the first update, pulled toward
// two control points, to the end point; linear in time.
class NodeBezierLocationTask : public Corvane::InterpolatingTask
{
public:
    NodeBezierLocationTask(Corvane::Vector2<float> const& end, Corvane::Vector2<float> const& control1,
                           Corvane::Vector2<float> const& control2, float duration);

    Corvane::Task* Clone() const override;
    Corvane::TaskResult Update(Corvane::Object* object, float dt) override;

private:
    Corvane::Vector2<float> mStart;
    Corvane::Vector2<float> mEnd;
    Corvane::Vector2<float> mControl1;
    Corvane::Vector2<float> mControl2;
    // Per axis: position = a t^3 + b t^2 + c t + start.
    Corvane::Vector2<float> mA;
    Corvane::Vector2<float> mB;
    Corvane::Vector2<float> mC;
    bool mStarted;
};

// Through each path point in turn from the node's location at the first update,
// the fraction of the duration spread evenly over the segments. Without points the
// node stays where it is and the task finishes at once.
class NodeCatmullRomPathTask : public Corvane::InterpolatingTask
{
public:
    // Automatic tangents: the start tangent point is the node's location, the end
    // tangent point the last path point.
    NodeCatmullRomPathTask(std::vector<Corvane::Vector2<float> > const& points, float duration,
                           std::shared_ptr<Corvane::Interpolator> const& interpolator);
    NodeCatmullRomPathTask(std::vector<Corvane::Vector2<float> > const& points, float duration);
    NodeCatmullRomPathTask(std::vector<Corvane::Vector2<float> > const& points,
                           Corvane::Vector2<float> const& startTangent, Corvane::Vector2<float> const& endTangent,
                           float duration, std::shared_ptr<Corvane::Interpolator> const& interpolator);

    Corvane::Task* Clone() const override;
    Corvane::TaskResult Update(Corvane::Object* object, float dt) override;

    // Empty until the first update: start tangent, start location, the path points,
    // end tangent.
    std::vector<Corvane::Vector2<float> > const& GetControlPoints() const { return mControlPoints; }

private:
    std::vector<Corvane::Vector2<float> > mPoints;
    Corvane::Vector2<float> mStartTangent;
    Corvane::Vector2<float> mEndTangent;
    bool mAutoTangents;
    std::vector<Corvane::Vector2<float> > mControlPoints;
    bool mStarted;
};

enum NodeAnimationTaskCompletion
{
    // Completes in the update that starts the animation.
    kNodeAnimationTaskCompleteOnStart = 0,
    // Completes once the animation is no longer playing.
    kNodeAnimationTaskCompleteOnFinish = 1
};

// Starts an animation of an animated sprite; an animation already running under that
// name is not restarted.
class NodeAnimationTask : public Corvane::Task
{
public:
    NodeAnimationTask(Corvane::Label animation, NodeAnimationTaskCompletion completion);
    // 0 completes on start; any other value waits for the end.
    NodeAnimationTask(Corvane::Label animation, int completion);

    Corvane::Task* Clone() const override;
    // Waiting for the end, the task reports as its time the whole time since it began.
    Corvane::TaskResult Update(Corvane::Object* object, float dt) override;

    Corvane::Label GetAnimation() const { return mAnimation; }
    NodeAnimationTaskCompletion GetCompletion() const { return mCompletion; }

private:
    Corvane::Label mAnimation;
    NodeAnimationTaskCompletion mCompletion;
    float mElapsed;
    bool mStarted;
};

// Shows or hides the node and finishes at once, using no time.
class NodeVisibleTask : public Corvane::Task
{
public:
    explicit NodeVisibleTask(bool visible);
    explicit NodeVisibleTask(std::shared_ptr<NumberGenerator<bool> > const& visible);

    Corvane::Task* Clone() const override;
    Corvane::TaskResult Update(Corvane::Object* object, float dt) override;

private:
    std::shared_ptr<NumberGenerator<bool> > mVisible;
};

#endif
