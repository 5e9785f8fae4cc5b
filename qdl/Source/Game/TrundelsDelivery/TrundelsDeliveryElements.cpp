#include "qdl/Source/Game/TrundelsDelivery/TrundelsDeliveryElements.h"

#include <exception>
#include <string>
#include <vector>

#include "Core/Source/Log.h"
#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Framework/Tasks.h"
#include "CorvaneExtensions/Source/SceneLayout.h"
#include "CorvaneExtensions/Source/SceneNode.h"
#include "qdl/Source/Game/TrundelsDelivery/TrundelsDeliveryMode.h"

using namespace Corvane;

char const* const kTrundelsDeliveryModeLayout = "TrundelsDeliveryModeLayout";
char const* const kDeliveryCartLayout = "DeliveryCartLayout";
char const* const kDeliveryObjectLayout = "DeliveryObjectLayout";

SceneNode* instantiateDeliveryLayout(char const* layoutName)
{
    AutoResource<SceneLayout> const layout(layoutName);
    if (!layout)
    {
        Internal::LogWrite("TrundelsDelivery: the scene layout \"%s\" is not loaded\n", layoutName);
        return nullptr;
    }
    try
    {
        return layout->InstantiateLayout(nullptr);
    }
    catch (std::exception const& error)
    {
        Internal::LogWrite("TrundelsDelivery: the scene layout \"%s\" could not be built: %s\n", layoutName,
                           error.what());
        return nullptr;
    }
}

void deleteUnattachedDeliveryTree(SceneNode* root)
{
    if (!root)
        return;
    std::vector<SceneNode*> const children(root->GetChildren().begin(), root->GetChildren().end());
    for (SceneNode* child : children)
        deleteUnattachedDeliveryTree(child);
    root->DetachFromParent();
    delete root;
}

SceneNode* findDeliveryNode(SceneNode* root, NodePathElement const* path, char const* layoutName)
{
    SceneNode* const node = root ? root->GetDescendent(path) : nullptr;
    if (!node && root)
    {
        std::string names;
        for (NodePathElement const* step = path; !IsNodePathTerminator(*step); ++step)
            if (char const* const* const name = boost::get<char const*>(step))
                names += (names.empty() ? "" : "/") + std::string(*name);
        Internal::LogWrite("TrundelsDelivery: the layout \"%s\" has no node %s\n", layoutName, names.c_str());
    }
    return node;
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
