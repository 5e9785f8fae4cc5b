#include "qdl/Tests/HideAndSeek/HideAndSeekPlayer.h"

#include <algorithm>
#include <cmath>

#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/ObjectDatabase.h"
#include "2DEngine/Source/Graphics/Image.h"
#include "CorvaneExtensions/Source/SceneNode.h"
#include "CorvaneExtensions/Source/SpriteNodes.h"
#include "qdl/Source/Game/HideAndSeek/HideAndSeekCharacter.h"
#include "qdl/Source/Game/HideAndSeek/HideAndSeekConstants.h"
#include "qdl/Source/Game/HideAndSeek/HideAndSeekMode.h"
#include "qdl/Source/Game/HideAndSeek/HideAndSeekObstacle.h"

using namespace Corvane;

namespace HideAndSeekPlayer
{

HideAndSeekMode* Game()
{
    for (int depth = 0; MainLoop::GetTopMostMode(depth); ++depth)
        if (HideAndSeekMode* const game = dynamic_cast<HideAndSeekMode*>(MainLoop::GetTopMostMode(depth)))
            return game;
    return nullptr;
}

HideAndSeekCharacter* Cat()
{
    HideAndSeekMode* const game = Game();
    return game ? dynamic_cast<HideAndSeekCharacter*>(
                      game->GetObjectDatabase()->GetNamedObject(getHideAndSeekCharacterName()))
                : nullptr;
}

std::vector<HideAndSeekObstacle*> Obstacles()
{
    std::vector<HideAndSeekObstacle*> obstacles;
    HideAndSeekMode* const game = Game();
    if (!game)
        return obstacles;
    ObjectDatabase* const database = game->GetObjectDatabase();
    for (ObjectID id : database->GetObjectsWithRole(getHideAndSeekObstacleRole()))
        if (HideAndSeekObstacle* const obstacle = dynamic_cast<HideAndSeekObstacle*>(database->GetObject(id)))
            obstacles.push_back(obstacle);
    return obstacles;
}

HideAndSeekObstacle* ObstacleByID(ObjectID id)
{
    HideAndSeekMode* const game = Game();
    return game ? dynamic_cast<HideAndSeekObstacle*>(game->GetObjectDatabase()->GetObject(id)) : nullptr;
}

SceneNode* CatRoot()
{
    HideAndSeekCharacter* const cat = Cat();
    return cat ? cat->getLayoutNode() : nullptr;
}

bool CatShown()
{
    SceneNode* const root = CatRoot();
    return root && root->GlobalIsVisible();
}

std::string CatAnimation()
{
    SceneNode* const root = CatRoot();
    AnimatedSpriteNode* const image =
        root ? dynamic_cast<AnimatedSpriteNode*>(root->GetDescendent(kHideAndSeekImageNodePath)) : nullptr;
    if (!image || !image->GetCurAnimationName().IsValid())
        return std::string();
    return image->GetCurAnimationName().GetString();
}

bool MaskShown()
{
    HideAndSeekMode* const game = Game();
    SceneNode* const mask = game ? game->getClickMask() : nullptr;
    return mask && mask->GlobalIsVisible();
}

namespace
{

// How far short of its stop the cat may last be seen: two steps at the fastest run.
float const kSightTolerance = 30.0f;

int PixelAlpha(StaticSpriteNode const* image, int x, int y)
{
    IImage const* const picture = image->getImage();
    if (!picture || x < 0 || y < 0 || x >= picture->GetWidth() || y >= picture->GetHeight())
        return 0;
    return static_cast<int>((picture->GetPixel(x, y) >> 24) & 0xFF);
}

} // namespace

bool OpaquePoint(HideAndSeekObstacle* obstacle, int* x, int* y)
{
    StaticSpriteNode* const image = obstacle ? dynamic_cast<StaticSpriteNode*>(obstacle->getImageNode()) : nullptr;
    if (!image || !image->getImage())
        return false;
    int const width = image->getImage()->GetWidth();
    int const height = image->getImage()->GetHeight();
    // Rings around the middle, nearest first; a point well inside the opaque part, not on an edge.
    for (int radius = 0; radius < std::max(width, height); radius += 2)
        for (int dy = -radius; dy <= radius; dy += 2)
            for (int dx = -radius; dx <= radius; dx += 2)
            {
                if (std::max(std::abs(dx), std::abs(dy)) != radius)
                    continue;
                int const px = width / 2 + dx;
                int const py = height / 2 + dy;
                if (PixelAlpha(image, px, py) > 200 && PixelAlpha(image, px - 3, py) > 200 &&
                    PixelAlpha(image, px + 3, py) > 200 && PixelAlpha(image, px, py - 3) > 200 &&
                    PixelAlpha(image, px, py + 3) > 200)
                {
                    Rect<float> const bounds = image->GlobalGetBounds();
                    *x = static_cast<int>(bounds.x) + px;
                    *y = static_cast<int>(bounds.y) + py;
                    return true;
                }
            }
    return false;
}

bool TransparentPoint(HideAndSeekObstacle* obstacle, int* x, int* y)
{
    StaticSpriteNode* const image = obstacle ? dynamic_cast<StaticSpriteNode*>(obstacle->getImageNode()) : nullptr;
    if (!image || PixelAlpha(image, 2, 2) > 128)
        return false;
    Rect<float> const bounds = image->GlobalGetBounds();
    *x = static_cast<int>(bounds.x) + 2;
    *y = static_cast<int>(bounds.y) + 2;
    return true;
}

void CatWatcher::Watch()
{
    if (CatShown())
        lastSeen = CatRoot()->GlobalGetLocation();
}

ObjectID CatWatcher::HidingPlace() const
{
    // The loop may run two steps between two looks, so the cat may have been
    // last seen a step short of where it stopped: the nearest corner within reach counts.
    ObjectID nearest = kInvalidObjectID;
    float best = kSightTolerance;
    for (HideAndSeekObstacle* obstacle : Obstacles())
    {
        Vector2<float> const corner = obstacle->getLayoutNode()->GlobalGetLocation();
        float const distance = std::hypot(corner.x - lastSeen.x, corner.y - (lastSeen.y + 10.0f));
        if (distance < best)
        {
            best = distance;
            nearest = obstacle->GetID();
        }
    }
    return nearest;
}

ObjectID WaitForHidingPlace(GameDriver::Child& child, CatWatcher& watcher)
{
    bool const vanished = child.WaitUntil(
        [&watcher] {
            watcher.Watch();
            return Game() && !CatShown() && !MaskShown();
        },
        "the cat to hide");
    if (!vanished)
        return kInvalidObjectID;
    return child.Look([&watcher] { return watcher.HidingPlace(); });
}

bool ClickObstacle(GameDriver::Child& child, ObjectID obstacle)
{
    int x = 0;
    int y = 0;
    if (!child.Look([obstacle, &x, &y] { return OpaquePoint(ObstacleByID(obstacle), &x, &y); }))
        return false;
    return ClickAt(child, x, y);
}

} // namespace HideAndSeekPlayer
