#include "qdl/Source/Game/NodeFeedbackTasks.h"

#include "Core/Source/Angle.h"
#include "2DEngine/Source/Framework/Tasks.h"
#include "CorvaneExtensions/Source/NodeTasks.h"

using namespace Corvane;

Task* getNodeErrorShakeTask()
{
    Angle const left = Angle::FromDegrees(-10.0f);
    Angle const right = Angle::FromDegrees(10.0f);
    return new SerialTask(new NodeScaleTask(Vector2<float>(1.0f, 1.0f)),
                          new SerialTask(new NodeOrientationTask(left, 0.05f), new NodeOrientationTask(right, 0.1f)),
                          new SerialTask(new NodeOrientationTask(left, 0.1f), new NodeOrientationTask(right, 0.1f)),
                          new NodeOrientationTask(Angle::FromDegrees(0.0f), 0.05f));
}

Task* getNodeItemPickUpAnimTask()
{
    return new SerialTask(new SerialTask(new NodeScaleTask(Vector2<float>(1.1f, 1.1f)), new TimedTask(0.1f)),
                          new NodeScaleTask(Vector2<float>(1.0f, 1.0f)));
}
