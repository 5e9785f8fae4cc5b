#include "CorvaneExtensions/Source/SceneLayoutController.h"

#include "CorvaneExtensions/Source/SceneNode.h"

#include "2DEngine/Source/Framework/ObjectDatabase.h"

using namespace Corvane;

SceneLayoutController::SceneLayoutController() : layoutNode(nullptr)
{
}

SceneLayoutController::~SceneLayoutController()
{
}

void SceneLayoutController::ReceiveMessage(ObjectMessage const& message)
{
    if (message.message != ObjectDatabase::GetRemoveMessageName())
        return;
    ControllerDestroyed();
    if (SceneNode* node = layoutNode)
    {
        layoutNode = nullptr;
        node->setLayoutController(nullptr);
        node->DestroySelf();
    }
    destroyedSignal(this);
}

void SceneLayoutController::AddToScene(ObjectDatabase* database, SceneNode* parent)
{
    if (!database)
        return;
    database->AddObject(this);
    layoutNode = GetLayoutNode();
    if (!layoutNode)
        return;
    layoutNode->setLayoutController(this);
    layoutNode->AddToDatabase(database);
    if (parent)
        parent->AttachChild(layoutNode);
    AddedToScene();
}

void SceneLayoutController::AddToCurScene(SceneNode* parent)
{
    AddToScene(GetObjectDatabase(), parent);
}
