#ifndef CORVANE_EXTENSIONS_NODEPATH_H
#define CORVANE_EXTENSIONS_NODEPATH_H

// Paths from a node to one of its descendants: an array of steps, each naming one
// child by index, by label or by name text, closed by a NodePathTerminator.

#include "Core/Source/Label.h"

#include <boost/variant.hpp>

#include <string>

class SceneNode;

// Marks the end of a node path.
struct NodePathTerminator
{
};

typedef boost::variant<int, Corvane::Label, char const*, std::string, std::wstring, NodePathTerminator>
    NodePathElement;

// One step from a node: the child the element names, or null.
class NodePathVisitor : public boost::static_visitor<SceneNode*>
{
public:
    explicit NodePathVisitor(SceneNode* node) : mNode(node) {}

    SceneNode* operator()(int index) const;
    SceneNode* operator()(Corvane::Label const& name) const;
    SceneNode* operator()(char const* name) const;
    SceneNode* operator()(std::string const& name) const;
    SceneNode* operator()(std::wstring const& name) const;
    // The terminator names no child.
    SceneNode* operator()(NodePathTerminator const&) const { return nullptr; }

private:
    SceneNode* mNode;
};

class ConstNodePathVisitor : public boost::static_visitor<SceneNode const*>
{
public:
    explicit ConstNodePathVisitor(SceneNode const* node) : mNode(node) {}

    SceneNode const* operator()(int index) const;
    SceneNode const* operator()(Corvane::Label const& name) const;
    SceneNode const* operator()(char const* name) const;
    SceneNode const* operator()(std::string const& name) const;
    SceneNode const* operator()(std::wstring const& name) const;
    SceneNode const* operator()(NodePathTerminator const&) const { return nullptr; }

private:
    SceneNode const* mNode;
};

inline bool IsNodePathTerminator(NodePathElement const& element)
{
    return boost::get<NodePathTerminator>(&element) != nullptr;
}

// The path resolved from the current scene's root; null without a current scene
// or when a step fails.
SceneNode* RootDescendent(NodePathElement const* path);

// The same, down-cast to a node type; null when the node found is of another type.
template <class T>
T* RootDescendent(NodePathElement const* path)
{
    return dynamic_cast<T*>(RootDescendent(path));
}

#endif
