#include "qdl/Source/Game/TollerStacker/TollerStackerElements.h"

#include <exception>
#include <string>
#include <vector>

#include "Core/Source/Log.h"
#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "CorvaneExtensions/Source/NodePath.h"
#include "CorvaneExtensions/Source/SceneLayout.h"
#include "CorvaneExtensions/Source/SceneNode.h"
#include "qdl/Source/Game/TollerStacker/StackableObject.h"
#include "qdl/Source/Game/TollerStacker/StackingTarget.h"
#include "qdl/Source/Game/TollerStacker/TollerStackerMode.h"

using namespace Corvane;

char const* const kTollerStackerModeLayout = "TollerStackerModeLayout";
char const* const kStackableObjectLayout = "StackableObjectLayout";
char const* const kStackTargetLayout = "StackTargetLayout";

Label stackableObjectRole()
{
    static Label const role = Label::GetUniqueString("TollerStacker_StackableObject");
    return role;
}

Label stackableTargetRole()
{
    static Label const role = Label::GetUniqueString("TollerStacker_StackableTarget");
    return role;
}

SceneNode* instantiateStackerLayout(char const* layoutName)
{
    AutoResource<SceneLayout> const layout(layoutName);
    if (!layout)
    {
        Internal::LogWrite("TollerStacker: the scene layout \"%s\" is not loaded\n", layoutName);
        return nullptr;
    }
    try
    {
        return layout->InstantiateLayout(nullptr);
    }
    catch (std::exception const& error)
    {
        Internal::LogWrite("TollerStacker: the scene layout \"%s\" could not be built: %s\n", layoutName,
                           error.what());
        return nullptr;
    }
}

void deleteUnattachedStackerTree(SceneNode* root)
{
    if (!root)
        return;
    std::vector<SceneNode*> const children(root->GetChildren().begin(), root->GetChildren().end());
    for (SceneNode* child : children)
        deleteUnattachedStackerTree(child);
    root->DetachFromParent();
    delete root;
}

SceneNode* findStackerNode(SceneNode* root, NodePathElement const* path, char const* layoutName)
{
    SceneNode* const node = root ? root->GetDescendent(path) : nullptr;
    if (!node && root)
    {
        std::string names;
        for (NodePathElement const* step = path; !IsNodePathTerminator(*step); ++step)
            if (char const* const* const name = boost::get<char const*>(step))
                names += (names.empty() ? "" : "/") + std::string(*name);
        Internal::LogWrite("TollerStacker: the layout \"%s\" has no node %s\n", layoutName, names.c_str());
    }
    return node;
}

TollerStackerMode* topStackerMode()
{
    TollerStackerMode* const mode = dynamic_cast<TollerStackerMode*>(MainLoop::GetTopMostMode(0));
    if (!mode)
        Internal::LogWrite("TollerStacker: the top mode is not the stacking game\n");
    return mode;
}

StackableObject* stackableObjectOf(ObjectID id)
{
    ObjectDatabase* const database = GetObjectDatabase();
    return database ? dynamic_cast<StackableObject*>(database->GetObject(id)) : nullptr;
}

StackingTarget* stackingTargetOf(ObjectID id)
{
    ObjectDatabase* const database = GetObjectDatabase();
    return database ? dynamic_cast<StackingTarget*>(database->GetObject(id)) : nullptr;
}
