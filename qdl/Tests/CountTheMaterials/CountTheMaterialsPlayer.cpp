#include "qdl/Tests/CountTheMaterials/CountTheMaterialsPlayer.h"

#include <map>
#include <utility>

#include "Core/Source/StringUtils.h"
#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Graphics/ImageList.h"
#include "CorvaneExtensions/Source/SceneNode.h"
#include "CorvaneExtensions/Source/SpriteNodes.h"
#include "CorvaneExtensions/Source/TextSpriteNodes.h"
#include "qdl/Source/Game/CountTheMaterials/CountTheMaterialsConstants.h"
#include "qdl/Source/Game/CountTheMaterials/CountTheMaterialsMode.h"

using GameDriver::Child;

namespace CountTheMaterialsPlayer
{

namespace
{

// The material and frame of a picture, found among the pile pictures.
std::pair<int, int> Recognise(Corvane::IImage const* image)
{
    if (!image)
        return {-1, -1};
    for (int material = 0; material < kNumBuildingMaterials; ++material)
    {
        Corvane::AutoResource<Corvane::ImageList> const list(kBuildingMaterialImages[material]);
        if (!list)
            continue;
        for (int frame = 0; frame < list->GetNumImages(); ++frame)
            if (list->GetImage(frame) == image)
                return {material, frame};
    }
    return {-1, -1};
}

sSeen SeePicture(std::string const& path)
{
    sSeen seen;
    seen.path = path;
    StaticSpriteNode const* const sprite = dynamic_cast<StaticSpriteNode const*>(Child::FindNode(path));
    if (!sprite || !sprite->GlobalIsVisible())
        return seen;
    std::pair<int, int> const found = Recognise(sprite->getImage());
    seen.material = found.first;
    seen.count = found.first >= 0 ? found.second + 1 : -1;
    return seen;
}

} // namespace

std::string PlayfieldPath(std::string const& below)
{
    return "GameScreenRoot/Playfield/" + below;
}

sSeen ReadRequest(Child& child)
{
    return child.Look([] {
        std::string const box = PlayfieldPath("YSortedLayer/MaterialTarget/sloamImage/HighlightBox");
        sSeen seen = SeePicture(box + "/imageNode");
        TextSpriteNode const* const text = dynamic_cast<TextSpriteNode const*>(Child::FindNode(box + "/MaterialCount"));
        SceneNode const* const shown = Child::FindNode(box);
        seen.count = text && shown && shown->GlobalIsVisible()
                         ? std::stoi(Corvane::ConvertStringWideToUTF8String(text->GetText()))
                         : -1;
        return seen;
    });
}

std::vector<sSeen> ReadPiles(Child& child)
{
    return child.Look([] {
        std::vector<sSeen> piles;
        for (int place = 0; place < 5; ++place)
            piles.push_back(SeePicture(PlayfieldPath("YSortedLayer/MaterialSources_" + std::to_string(place) +
                                                     "/MaterialSource/imageNode")));
        return piles;
    });
}

int FindPile(std::vector<sSeen> const& piles, sSeen const& request)
{
    for (size_t place = 0; place < piles.size(); ++place)
        if (piles[place].material == request.material && piles[place].count == request.count)
            return static_cast<int>(place);
    return -1;
}

::CountTheMaterialsMode* TopGame()
{
    return dynamic_cast<CountTheMaterialsMode*>(Corvane::MainLoop::GetTopMostMode(0));
}

bool WaitForPiles(Child& child)
{
    return child.WaitUntil(
        [] {
            CountTheMaterialsMode const* const game = TopGame();
            SceneNode const* const mask = game ? game->getClickMask() : nullptr;
            return mask && !mask->GlobalIsVisible();
        },
        "the piles to take clicks");
}

bool CloseOverlay(Child& child)
{
    if (!child.WaitForScreen("FennInstructionMode"))
        return false;
    if (child.IsShown("OkButton"))
        child.Click("OkButton");
    return child.WaitUntil([] { return TopGame() != nullptr; }, "the game on top");
}

} // namespace CountTheMaterialsPlayer
