#include "qdl/Source/Game/MiniGameElement.h"

#include <cxxabi.h>

#include <cstdlib>
#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "Core/Source/Log.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "CorvaneExtensions/Source/SceneApplicationMode.h"
#include "CorvaneExtensions/Source/SceneLayout.h"
#include "CorvaneExtensions/Source/SceneNode.h"
#include "qdl/Source/Game/FrontEnd/FrontEndMode.h"
#include "qdl/Source/Game/GameAudioManager.h"
#include "qdl/Source/Game/GameConstants.h"

using Corvane::Label;
using Corvane::ObjectID;

namespace
{

Label rolloverSound()
{
    static Label const label = Label::GetUniqueString("SFX_ObjectRollover");
    return label;
}

// A tree that never joined a database has no owner but its builder.
void deleteDetachedTree(SceneNode* node)
{
    std::vector<SceneNode*> const children(node->GetChildren().begin(), node->GetChildren().end());
    for (SceneNode* child : children)
        deleteDetachedTree(child);
    delete node;
}

std::string readableTypeName(char const* mangled)
{
    int status = 0;
    char* const demangled = abi::__cxa_demangle(mangled, nullptr, nullptr, &status);
    std::string const name = status == 0 && demangled ? demangled : mangled;
    std::free(demangled);
    return name;
}

} // namespace

namespace MiniGameElementInternal
{

void reportWrongTopMode(char const* element, char const* wanted)
{
    Corvane::Internal::LogWrite("%s: the top mode is not a %s; the element does nothing\n", element,
                                readableTypeName(wanted).c_str());
}

void followMouse(ObjectID copy)
{
    if (copy == Corvane::kInvalidObjectID)
        return;
    Corvane::ObjectDatabase* const database = Corvane::GetObjectDatabase();
    SceneNode* const node = database ? dynamic_cast<SceneNode*>(database->GetObject(copy)) : nullptr;
    if (!node)
        return;
    std::pair<int, int> const mouse = Corvane::MainLoop::GetLastMousePos();
    node->LocalSetLocation(static_cast<float>(mouse.first), static_cast<float>(mouse.second));
}

SceneNode* makeMouseFollowCopy(Label layoutName, ObjectID* copy)
{
    Corvane::ObjectDatabase* const database = Corvane::GetObjectDatabase();
    SceneNode* parent = RootDescendent(kFXLayerPath);
    if (!parent)
        parent = SceneApplicationMode::GetCurSceneRootNode();
    if (!database || !parent)
        return nullptr;
    SceneNode* const root = MiniGameElement::instantiateElementLayout(layoutName);
    parent->AttachChild(root);
    root->AddToDatabase(database);
    root->LocalSetLocation(-900.0f, -900.0f);
    *copy = root->GetID();
    return root;
}

void destroyMouseFollowCopy(ObjectID* copy)
{
    Corvane::ObjectDatabase* const database = Corvane::GetObjectDatabase();
    // An ID of an object already gone is ignored by the database.
    if (database && *copy != Corvane::kInvalidObjectID && database->GetObject(*copy))
        database->DestroyObject(*copy);
    *copy = Corvane::kInvalidObjectID;
}

} // namespace MiniGameElementInternal

MiniGameElement::MiniGameElement(char const* layoutName_, NodePathElement const* inputPath_,
                                 NodePathElement const* rolloverPath_)
    : layoutRoot(nullptr),
      layoutName(Label::GetUniqueString(layoutName_)),
      inputPath(inputPath_),
      rolloverPath(rolloverPath_)
{
    layoutRoot = instantiateElementLayout(layoutName);
}

MiniGameElement::~MiniGameElement()
{
    // Once added, the scene destroys the layout with the element; before that it is ours.
    if (!GetDatabase() && layoutRoot && !layoutRoot->GetDatabase())
        deleteDetachedTree(layoutRoot);
}

SceneNode* MiniGameElement::instantiateElementLayout(Label name)
{
    Corvane::AutoResource<SceneLayout> const layout(name);
    SceneNode* root = nullptr;
    if (!layout)
        Corvane::Internal::LogWrite("The element layout \"%s\" is not loaded\n", name.GetString());
    else
    {
        try
        {
            root = layout->InstantiateLayout(nullptr);
        }
        catch (std::exception const& error)
        {
            Corvane::Internal::LogWrite("The element layout \"%s\" could not be built: %s\n", name.GetString(),
                                        error.what());
        }
    }
    return root ? root : new SceneNode();
}

SceneNode* MiniGameElement::findLayoutNode(NodePathElement const* path) const
{
    return layoutRoot && path ? layoutRoot->GetDescendent(path) : nullptr;
}

void MiniGameElement::setupMouseHandling()
{
    SceneNode* const input = getInputNode();
    if (!input)
    {
        Corvane::Internal::LogWrite("The element layout \"%s\" has no input node %s\n", layoutName.GetString(),
                                    describeNodePath(inputPath).c_str());
        return;
    }
    // The scene destroys the node together with the element, so no slot outlives its element.
    input->mouseUpSignal.connect([this](SceneNode*, Corvane::MouseButton, int, int) { handleMouseUp(); });
    input->mouseDownSignal.connect([this](SceneNode*, Corvane::MouseButton, int, int) { handleMouseDown(); });
    input->mouseEnterSignal.connect([this](SceneNode*) { handleMouseEnter(); });
    input->mouseExitSignal.connect([this](SceneNode*) { handleMouseExit(); });
}

void MiniGameElement::acceptMouseInput(bool accept)
{
    if (SceneNode* const input = getInputNode())
        input->SetHitTest(accept);
}

void MiniGameElement::handleMouseEnter()
{
    if (!rolloverPath)
        return;
    if (SceneNode* const rollover = findLayoutNode(rolloverPath))
        rollover->LocalSetVisible(true);
    GetAudioManager()->playSFX(rolloverSound());
}

void MiniGameElement::handleMouseExit()
{
    if (!rolloverPath)
        return;
    if (SceneNode* const rollover = findLayoutNode(rolloverPath))
        rollover->LocalSetVisible(false);
}

void MiniGameElement::finishWiring()
{
    setupMouseHandling();
    acceptMouseInput(true);
}
