#include "qdl/Source/Game/GameNodeLookup.h"

#include <exception>
#include <string>
#include <vector>

#include "Core/Source/Log.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "CorvaneExtensions/Source/SceneLayout.h"

namespace
{

std::string pathText(NodePathElement const* path)
{
    std::string text;
    for (; path && !IsNodePathTerminator(*path); ++path)
    {
        if (!text.empty())
            text += "/";
        if (char const* const* name = boost::get<char const*>(path))
            text += *name;
        else if (std::string const* name = boost::get<std::string>(path))
            text += *name;
        else if (Corvane::Label const* name = boost::get<Corvane::Label>(path))
            text += name->GetString();
        else if (int const* index = boost::get<int>(path))
            text += "#" + std::to_string(*index);
        else
            text += "?";
    }
    return text;
}

} // namespace

SceneNode* findGameNode(SceneNode* from, NodePathElement const* path, char const* who)
{
    SceneNode* const node = from ? from->GetDescendent(path) : nullptr;
    if (!node)
        Corvane::Internal::LogWrite("%s: the node \"%s\" is missing from the layout\n", who, pathText(path).c_str());
    return node;
}

void logWrongGameNodeType(NodePathElement const* path, char const* who)
{
    Corvane::Internal::LogWrite("%s: the node \"%s\" is not of the kind the game needs\n", who,
                                pathText(path).c_str());
}

SceneNode* findGameRootNode(NodePathElement const* path, char const* who)
{
    SceneNode* const node = RootDescendent(path);
    if (!node)
        Corvane::Internal::LogWrite("%s: the node \"%s\" is missing from the layout\n", who, pathText(path).c_str());
    return node;
}

SceneNode* newElementLayout(char const* layoutName, char const* who)
{
    Corvane::AutoResource<SceneLayout> const layout(layoutName);
    if (!layout)
    {
        Corvane::Internal::LogWrite("%s: the scene layout \"%s\" is not loaded\n", who, layoutName);
        return nullptr;
    }
    try
    {
        return layout->InstantiateLayout(nullptr);
    }
    catch (std::exception const& error)
    {
        Corvane::Internal::LogWrite("%s: the scene layout \"%s\" could not be built: %s\n", who, layoutName,
                                    error.what());
        return nullptr;
    }
}

void deleteUnattachedTree(SceneNode* root)
{
    if (!root)
        return;
    std::vector<SceneNode*> const children(root->GetChildren().begin(), root->GetChildren().end());
    for (SceneNode* child : children)
        deleteUnattachedTree(child);
    root->DetachFromParent();
    delete root;
}

SceneNode* findLayoutNode(SceneNode* root, NodePathElement const* path, char const* layoutName, char const* who)
{
    SceneNode* const node = root ? root->GetDescendent(path) : nullptr;
    if (!node && root)
        Corvane::Internal::LogWrite("%s: the layout \"%s\" has no node %s\n", who, layoutName, pathText(path).c_str());
    return node;
}
