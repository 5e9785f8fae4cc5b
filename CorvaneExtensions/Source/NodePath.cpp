#include "CorvaneExtensions/Source/NodePath.h"

#include "CorvaneExtensions/Source/SceneApplicationMode.h"
#include "CorvaneExtensions/Source/SceneNode.h"

using namespace Corvane;

namespace
{

template <class Node>
Node* ChildAtIndex(Node* node, int index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= node->GetChildren().size())
        return nullptr;
    auto it = node->GetChildren().begin();
    std::advance(it, index);
    return *it;
}

} // namespace

SceneNode* NodePathVisitor::operator()(int index) const
{
    return ChildAtIndex(mNode, index);
}

SceneNode* NodePathVisitor::operator()(Label const& name) const
{
    return mNode->GetChildByName(name);
}

SceneNode* NodePathVisitor::operator()(char const* name) const
{
    return name ? mNode->GetChildByName(Label::GetUniqueString(name)) : nullptr;
}

SceneNode* NodePathVisitor::operator()(std::string const& name) const
{
    return mNode->GetChildByName(Label::FromString(name));
}

SceneNode* NodePathVisitor::operator()(std::wstring const& name) const
{
    return mNode->GetChildByName(Label::FromString(name));
}

SceneNode const* ConstNodePathVisitor::operator()(int index) const
{
    return ChildAtIndex(mNode, index);
}

SceneNode const* ConstNodePathVisitor::operator()(Label const& name) const
{
    return mNode->GetChildByName(name);
}

SceneNode const* ConstNodePathVisitor::operator()(char const* name) const
{
    return name ? mNode->GetChildByName(Label::GetUniqueString(name)) : nullptr;
}

SceneNode const* ConstNodePathVisitor::operator()(std::string const& name) const
{
    return mNode->GetChildByName(Label::FromString(name));
}

SceneNode const* ConstNodePathVisitor::operator()(std::wstring const& name) const
{
    return mNode->GetChildByName(Label::FromString(name));
}

SceneNode* RootDescendent(NodePathElement const* path)
{
    SceneNode* root = SceneApplicationMode::GetCurSceneRootNode();
    return root ? root->GetDescendent(path) : nullptr;
}
