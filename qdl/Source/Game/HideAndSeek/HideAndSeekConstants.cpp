#include "qdl/Source/Game/HideAndSeek/HideAndSeekConstants.h"

#include "2DEngine/Source/Framework/Resource.h"
#include "CorvaneExtensions/Source/SceneLayout.h"

using Corvane::Label;

NodePathElement const kHideAndSeekClickMaskPath[2] = {"ClickMask", NodePathTerminator()};
NodePathElement const kHideAndSeekLayerPaths[kNumGameModeDifficulties][3] = {
    {"PlayfieldLayers", "YSortedLayer_Easy", NodePathTerminator()},
    {"PlayfieldLayers", "YSortedLayer_Medium", NodePathTerminator()},
    {"PlayfieldLayers", "YSortedLayer_Hard", NodePathTerminator()}};

NodePathElement const kHideAndSeekImageNodePath[2] = {"imageNode", NodePathTerminator()};
NodePathElement const kHideAndSeekRolloverNodePath[2] = {"rolloverNode", NodePathTerminator()};
NodePathElement const kHideAndSeekTailNodePath[2] = {"MistleTail", NodePathTerminator()};
NodePathElement const kHideAndSeekWrongAnimalPath[2] = {"wrongAnimal", NodePathTerminator()};
char const* const kHideAndSeekObstaclePictures = "HideAndSeekObstacle";

Label getHideAndSeekCharacterName()
{
    static Label const name = Label::GetUniqueString("HideAndSeek_Character");
    return name;
}

Label getHideAndSeekObstacleRole()
{
    static Label const role = Label::GetUniqueString("HideAndSeek_Obstacle");
    return role;
}

namespace
{

// The child descriptor whose node name the path step gives; the paths here name nodes by text only.
SceneLayout::LayoutDescriptor const* findChild(SceneLayout::LayoutDescriptor const* parent,
                                               NodePathElement const& step)
{
    char const* const* const name = boost::get<char const*>(&step);
    if (!name)
        return nullptr;
    Label const wanted = Label::GetUniqueString(*name);
    for (SceneLayout::LayoutDescriptor const* child : parent->children)
        if (child->nodeName == wanted)
            return child;
    return nullptr;
}

} // namespace

std::string findMissingLayoutNode(char const* layoutName, NodePathElement const* const* paths, int count)
{
    Corvane::AutoResource<SceneLayout> const layout(layoutName);
    if (!layout || !layout->GetRootDescriptor())
        return layoutName;
    for (int i = 0; i < count; ++i)
    {
        std::string where = layoutName;
        SceneLayout::LayoutDescriptor const* node = layout->GetRootDescriptor();
        for (NodePathElement const* step = paths[i]; !IsNodePathTerminator(*step); ++step)
        {
            char const* const* const name = boost::get<char const*>(step);
            where += std::string("/") + (name ? *name : "?");
            node = findChild(node, *step);
            if (!node)
                return where;
        }
    }
    return std::string();
}
