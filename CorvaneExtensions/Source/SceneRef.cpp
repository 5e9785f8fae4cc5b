#include "CorvaneExtensions/Source/SceneRef.h"

#include "CorvaneExtensions/Source/SceneLayout.h"

#include "2DEngine/Source/Framework/Resource.h"
#include "Core/Source/Log.h"
#include "Core/Source/StringUtils.h"

using namespace Corvane;

namespace
{

// The references being instantiated on this thread, outermost first.
int& NestingDepth()
{
    thread_local int depth = 0;
    return depth;
}

class NestingScope
{
public:
    NestingScope() { ++NestingDepth(); }
    ~NestingScope() { --NestingDepth(); }
    NestingScope(NestingScope const&) = delete;
    NestingScope& operator=(NestingScope const&) = delete;
};

} // namespace

SceneNodeDescriptor* SceneRefFactory::CreateDescriptor(IAttributeContainer const& attributes) const
{
    std::string const name = TruncateStringWideToASCII(attributes.GetAttribute(std::wstring(L"scenename")));
    Label const label = Label::FromString(name);
    AutoResource<SceneLayout> const layout(label);
    if (!layout)
        throw SceneLayoutException("sceneref: layout \"" + name + "\" not found");
    SceneRefDescriptor* d = new SceneRefDescriptor();
    d->sceneName = label;
    return d;
}

SceneNode* SceneRefFactory::CreateNode(SceneNodeDescriptor const* descriptor) const
{
    SceneRefDescriptor const* d = dynamic_cast<SceneRefDescriptor const*>(descriptor);
    if (!d)
        return nullptr;
    AutoResource<SceneLayout> const layout(d->sceneName);
    if (!layout)
    {
        Internal::LogWrite("sceneref: layout \"%s\" is no longer loaded; nothing is built in its place\n",
                           d->sceneName.GetString());
        return nullptr;
    }
    if (NestingDepth() >= kMaxNesting)
    {
        Internal::LogWrite("sceneref: layout \"%s\" nests scene references more than %d deep; left out\n",
                           d->sceneName.GetString(), kMaxNesting);
        return nullptr;
    }
    NestingScope scope;
    return layout->InstantiateLayout(static_cast<SceneNode*>(nullptr));
}
