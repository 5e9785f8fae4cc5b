#include "qdl/Source/Game/CountTheMaterials/CountTheMaterialsElements.h"

#include <exception>
#include <vector>

#include "Core/Source/Log.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "CorvaneExtensions/Source/SceneLayout.h"
#include "CorvaneExtensions/Source/SceneNode.h"
#include "qdl/Source/Game/GameNodeLookup.h"

using namespace Corvane;

char const* const kCountTheMaterialModeLayout = "CountTheMaterialModeLayout";
char const* const kMaterialSourceLayout = "MaterialSourceLayout";
char const* const kMaterialTargetLayout = "MaterialTargetLayout";
char const* const kMaterialLoaderLayout = "MaterialLoaderLayout";
char const* const kSloamBGLayout = "SloamBGLayout";

namespace
{

struct sElementNodes
{
    char const* layout;
    // Paths below the layout's root, "/" between the names.
    std::vector<char const*> paths;
};

std::vector<sElementNodes> const& elementNodes()
{
    static std::vector<sElementNodes> const nodes = {
        {kMaterialSourceLayout, {"imageNode", "imageNode/highlightNode"}},
        {kMaterialTargetLayout,
         {"sloamImage", "sloamImage/HighlightBox", "sloamImage/HighlightBox/imageNode",
          "sloamImage/HighlightBox/MaterialCount", "MaterialsInCart"}},
        {kMaterialLoaderLayout,
         {"truckImage", "truckImage/ShovelNode", "truckImage/materialAttach", "truckImage/materialAttach_flip"}},
        {kSloamBGLayout, {}},
    };
    return nodes;
}

SceneNode* followPath(SceneNode* node, std::string const& path)
{
    size_t start = 0;
    while (node && start <= path.size())
    {
        size_t const end = path.find('/', start);
        std::string const step = path.substr(start, end == std::string::npos ? std::string::npos : end - start);
        node = node->GetChildByName(Label::GetUniqueString(step.c_str()));
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return node;
}

} // namespace

SceneNode* instantiateElementLayout(char const* layoutName, ObjectDatabase* database, SceneNode* parent)
{
    AutoResource<SceneLayout> const layout(layoutName);
    if (!layout)
    {
        Internal::LogWrite("CountTheMaterials: the scene layout \"%s\" is not loaded\n", layoutName);
        return nullptr;
    }
    try
    {
        return database ? layout->InstantiateLayout(database, parent) : layout->InstantiateLayout(parent);
    }
    catch (std::exception const& error)
    {
        Internal::LogWrite("CountTheMaterials: the scene layout \"%s\" could not be built: %s\n", layoutName,
                           error.what());
        return nullptr;
    }
}

std::string findMissingElementNode()
{
    for (sElementNodes const& element : elementNodes())
    {
        SceneNode* const root = instantiateElementLayout(element.layout, nullptr, nullptr);
        if (!root)
            return std::string(element.layout) + " cannot be built";
        std::string missing;
        for (char const* path : element.paths)
            if (!followPath(root, path))
            {
                missing = std::string(element.layout) + " has no node " + path;
                break;
            }
        deleteUnattachedTree(root);
        if (!missing.empty())
            return missing;
    }
    return std::string();
}
