#include "qdl/Source/Game/TrundelsDelivery/TrundelsDeliveryElements.h"

#include <string>
#include <vector>

#include "Core/Source/Log.h"
#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Framework/Tasks.h"
#include "CorvaneExtensions/Source/SceneNode.h"
#include "qdl/Source/Game/GameNodeLookup.h"
#include "qdl/Source/Game/TrundelsDelivery/TrundelsDeliveryMode.h"

using namespace Corvane;

char const* const kTrundelsDeliveryModeLayout = "TrundelsDeliveryModeLayout";
char const* const kDeliveryCartLayout = "DeliveryCartLayout";
char const* const kDeliveryObjectLayout = "DeliveryObjectLayout";

SceneNode* findDeliveryNode(SceneNode* root, NodePathElement const* path, char const* layoutName)
{
    return findLayoutNode(root, path, layoutName, "TrundelsDelivery");
}

void joinDeliveryQueues(Object* first, Object* second)
{
    if (!first || !second)
        return;
    CuePoint* const cue = CuePoint::Create();
    first->AddTask(new CuePointTask(cue));
    second->AddTask(new CuePointTask(cue));
}

TrundelsDeliveryMode* topDeliveryMode()
{
    TrundelsDeliveryMode* const mode = dynamic_cast<TrundelsDeliveryMode*>(MainLoop::GetTopMostMode(0));
    if (!mode)
        Internal::LogWrite("TrundelsDelivery: the top mode is not the delivery game\n");
    return mode;
}
