#include "qdl/Source/Game/PlayfieldEntityYSort.h"

#include "CorvaneExtensions/Source/SceneNode.h"

using namespace Corvane;

namespace
{

float entityBottom(SceneNode const* node)
{
    static Label const bottomName = Label::GetUniqueString("PlayfieldEntityBottomLoc");
    if (SceneNode const* const marker = node->GetChildByName(bottomName))
        return marker->GlobalGetLocation().y;
    Rect<float> const bounds = node->GetCompositeBounds();
    return bounds.y + bounds.height;
}

} // namespace

bool PlayfieldEntityYSort(SceneNode const* a, SceneNode const* b)
{
    return entityBottom(a) < entityBottom(b);
}

void SortPlayfieldEntities(SceneNode* layer)
{
    if (layer)
        layer->SortChildren(PlayfieldEntityYSort);
}
