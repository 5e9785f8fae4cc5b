#include "qdl/Source/Game/TollerStacker/TollerStackerElements.h"

#include <string>
#include <vector>

#include "Core/Source/Log.h"
#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "CorvaneExtensions/Source/NodePath.h"
#include "CorvaneExtensions/Source/SceneNode.h"
#include "qdl/Source/Game/GameNodeLookup.h"
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

SceneNode* findStackerNode(SceneNode* root, NodePathElement const* path, char const* layoutName)
{
    return findLayoutNode(root, path, layoutName, "TollerStacker");
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
