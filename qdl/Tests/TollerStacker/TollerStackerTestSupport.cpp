#include "qdl/Tests/TollerStacker/TollerStackerTestSupport.h"

#include <algorithm>
#include <map>
#include <tuple>

#include <gtest/gtest.h>

#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/ObjectDatabase.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "CorvaneExtensions/Source/SceneNode.h"
#include "qdl/Source/Game/TollerStacker/StackableObject.h"
#include "qdl/Source/Game/TollerStacker/StackingTarget.h"
#include "qdl/Source/Game/TollerStacker/TollerStackerLevel.h"
#include "qdl/Source/Game/TollerStacker/TollerStackerMode.h"
#include "qdl/Tests/FrontEnd/FrontEndPlaySupport.h"

using Corvane::Label;
using Corvane::ObjectID;
using Corvane::Vector2;

namespace TollerStackerTest
{

namespace
{

NodePathElement const kImagePath[] = {"imageNode", NodePathTerminator()};
NodePathElement const kClickPath[] = {"clickNode", NodePathTerminator()};

Vector2<int> centreOf(SceneNode const* node)
{
    if (!node)
        return Vector2<int>(-1, -1);
    Corvane::Rect<float> const bounds = node->GlobalGetBounds();
    return Vector2<int>(static_cast<int>(bounds.x + bounds.width / 2), static_cast<int>(bounds.y + bounds.height / 2));
}

std::string parentName(SceneNode const* node)
{
    SceneNode const* const parent = node ? node->GetParent() : nullptr;
    return parent && parent->GetNodeName().IsValid() ? parent->GetNodeName().GetString() : "";
}

} // namespace

sTable ReadTable(Child& child)
{
    return child.Look([] {
        sTable table;
        TollerStackerMode* const mode = dynamic_cast<TollerStackerMode*>(Corvane::MainLoop::GetTopMostMode(0));
        if (!mode)
            return table;
        table.mode = mode;
        table.level = mode->getLevel();
        table.roundsLeft = mode->getRoundsLeft();
        table.outroStarted = mode->isOutroStarted();
        Corvane::ObjectDatabase* const database = mode->GetObjectDatabase();
        if (DragSource<StackableObject*> const* const held = DragSource<StackableObject*>::GetHeldDragSource())
            table.held = held->GetID();
        for (ObjectID const id : database->GetObjectsWithRole(Label::GetUniqueString("TollerStacker_StackableObject")))
        {
            StackableObject* const object = dynamic_cast<StackableObject*>(database->GetObject(id));
            if (!object)
                continue;
            SceneNode* const root = object->GetLayoutNode();
            SceneNode* const image = root ? root->GetDescendent(kImagePath) : nullptr;
            table.objects.push_back(sObject{id, object->getSize(), object->getColor(), object->getType(),
                                            object->getIsOnGround(), object->isFalling(),
                                            image && image->GetHitTest(), centreOf(image), parentName(root)});
        }
        for (ObjectID const id : database->GetObjectsWithRole(Label::GetUniqueString("TollerStacker_StackableTarget")))
        {
            StackingTarget* const target = dynamic_cast<StackingTarget*>(database->GetObject(id));
            if (!target)
                continue;
            SceneNode* const root = target->GetLayoutNode();
            table.platforms.push_back(sPlatform{id, target->getColor(), parentName(root),
                                                centreOf(root ? root->GetDescendent(kClickPath) : nullptr),
                                                target->getStack()});
        }
        return table;
    });
}

bool WaitUntilSettled(Child& child)
{
    // The game gone from the top ends the wait as well: it can no longer settle.
    bool gone = false;
    bool const ended = child.WaitUntil(
        [&gone] {
            TollerStackerMode* const mode = dynamic_cast<TollerStackerMode*>(Corvane::MainLoop::GetTopMostMode(0));
            gone = mode == nullptr;
            if (gone)
                return true;
            Corvane::ObjectDatabase* const database = mode->GetObjectDatabase();
            for (ObjectID const id :
                 database->GetObjectsWithRole(Label::GetUniqueString("TollerStacker_StackableObject")))
            {
                StackableObject* const object = dynamic_cast<StackableObject*>(database->GetObject(id));
                SceneNode* const root = object ? object->GetLayoutNode() : nullptr;
                SceneNode* const image = root ? root->GetDescendent(kImagePath) : nullptr;
                if (object && (!object->getIsOnGround() || object->isFalling() || !image || !image->GetHitTest()))
                    return false;
            }
            return true;
        },
        "the objects to settle");
    return ended && !gone;
}

bool WaitUntilLanded(Child& child)
{
    return child.WaitUntil(
        [] {
            TollerStackerMode* const mode = dynamic_cast<TollerStackerMode*>(Corvane::MainLoop::GetTopMostMode(0));
            if (!mode)
                return false;
            Corvane::ObjectDatabase* const database = mode->GetObjectDatabase();
            for (ObjectID const id : database->GetObjectsWithRole(Label::GetUniqueString("TollerStacker_StackableObject")))
            {
                StackableObject const* const object = dynamic_cast<StackableObject*>(database->GetObject(id));
                if (object && object->isFalling())
                    return false;
            }
            return true;
        },
        "the objects to land");
}

sObject const* FindObject(sTable const& table, ObjectID id)
{
    for (sObject const& object : table.objects)
        if (object.id == id)
            return &object;
    return nullptr;
}

sPlatform const* PlatformOf(sTable const& table, int color)
{
    for (sPlatform const& platform : table.platforms)
        if (platform.color == color)
            return &platform;
    return nullptr;
}

bool MatchesLevel(sTable const& table, std::string* why)
{
    std::vector<std::tuple<int, int, int> > expected;
    bool const found = !table.level.IsNull() && table.mode;
    if (found)
    {
        Corvane::AutoResource<TollerStackerLevel> const level(table.level);
        if (!level)
        {
            *why = "the level record is not loaded";
            return false;
        }
        for (StackableObjectData const& data : level->objects)
            expected.emplace_back(data.size, data.color, data.type);
    }
    std::vector<std::tuple<int, int, int> > shown;
    for (sObject const& object : table.objects)
        shown.emplace_back(object.size, object.color, object.type);
    std::sort(expected.begin(), expected.end());
    std::sort(shown.begin(), shown.end());
    if (expected != shown)
    {
        *why = "the objects on screen are not the level's (" + std::to_string(shown.size()) + " against " +
               std::to_string(expected.size()) + ")";
        return false;
    }
    return true;
}

void StackEverything(Child& child)
{
    sTable const start = ReadTable(child);
    ASSERT_TRUE(start.mode);
    std::string why;
    ASSERT_TRUE(MatchesLevel(start, &why)) << why;
    // Red's platform on the left; Blue's on the right, or on the left without Red.
    bool const hasRed = std::any_of(start.objects.begin(), start.objects.end(),
                                    [](sObject const& object) { return object.color == kStackObjectColor_Red; });
    for (int color : {kStackObjectColor_Red, kStackObjectColor_Blue})
    {
        std::vector<sObject> objects;
        for (sObject const& object : start.objects)
            if (object.color == color)
                objects.push_back(object);
        sPlatform const* const platform = PlatformOf(start, color);
        if (objects.empty())
        {
            EXPECT_EQ(nullptr, platform);
            continue;
        }
        ASSERT_NE(nullptr, platform);
        EXPECT_EQ(color == kStackObjectColor_Blue && hasRed ? "Target_Right" : "Target_Left", platform->place);
        std::sort(objects.begin(), objects.end(), [](sObject const& a, sObject const& b) { return a.size > b.size; });
        for (size_t rank = 0; rank < objects.size(); ++rank)
        {
            ASSERT_TRUE(ClickAt(child, objects[rank].centre));
            ASSERT_TRUE(ClickAt(child, platform->click));
            sTable const after = ReadTable(child);
            sObject const* const placed = FindObject(after, objects[rank].id);
            ASSERT_NE(nullptr, placed);
            EXPECT_EQ("StackPoint_" + std::to_string(rank + 1), placed->place);
        }
    }
}

void StartGame(GameDriver::Driver& driver, GameModeDifficulty difficulty, bool playIntro)
{
    GameDriver::StartMiniGame(driver, difficulty, [playIntro] { return new TollerStackerMode(playIntro, -1); });
}

} // namespace TollerStackerTest
