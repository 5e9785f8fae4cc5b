#include "qdl/Tests/HereToThere/HereToThereSupport.h"

#include <cmath>

#include <gtest/gtest.h>

#include "Core/Source/Label.h"
#include "2DEngine/Source/Framework/Constant.h"
#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/ObjectDatabase.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Graphics/ImageList.h"
#include "CorvaneExtensions/Source/SpriteNodes.h"
#include "qdl/Source/Game/HereToThere/HereToThereCart.h"
#include "qdl/Source/Game/HereToThere/HereToThereConstants.h"
#include "qdl/Source/Game/HereToThere/HereToThereMode.h"
#include "qdl/Source/Game/HereToThere/HereToThereObject.h"
#include "qdl/Source/Game/HereToThere/HereToThereTarget.h"
#include "qdl/Source/Game/LevelManager.h"
#include "qdl/Source/Game/StickerManager.h"

using Corvane::Vector2;
using GameDriver::Child;

namespace HereToThereSupport
{

namespace
{

SceneNode* Path(SceneNode* from, std::vector<std::string> const& steps)
{
    for (std::string const& step : steps)
    {
        if (!from)
            return nullptr;
        from = from->GetChildByName(Corvane::Label::GetUniqueString(step.c_str()));
    }
    return from;
}

Vector2<float> Centre(SceneNode const* node)
{
    Corvane::Rect<float> const bounds = node->GlobalGetBounds();
    return Vector2<float>(bounds.x + bounds.width / 2, bounds.y + bounds.height / 2);
}

// The layout root standing in a slot, or null for an empty slot.
SceneNode* InSlot(char const* kind, int slot)
{
    SceneNode* const node = Path(Layer(), {std::string(kind) + "_" + std::to_string(slot + 1)});
    return node && !node->GetChildren().empty() ? node->GetChildren().front() : nullptr;
}

} // namespace

HereToThereMode* Game()
{
    return dynamic_cast<HereToThereMode*>(Corvane::MainLoop::GetTopMostMode(0));
}

HereToThereCart* Cart()
{
    HereToThereMode* const game = Game();
    return game ? dynamic_cast<HereToThereCart*>(game->GetObjectDatabase()->GetNamedObject(
                      Corvane::Label::GetUniqueString("HereToThere_Cart")))
                : nullptr;
}

SceneNode* Layer()
{
    HereToThereMode* const game = Game();
    return game ? Path(game->GetRootNode(), {"GameScreenRoot", "Playfield", "YSorted"}) : nullptr;
}

bool MaskShown()
{
    HereToThereMode* const game = Game();
    SceneNode* const mask = game ? Path(game->GetRootNode(), {"GameScreenRoot", "Playfield", "Material_ClickMask"})
                                 : nullptr;
    return mask && mask->LocalIsVisible();
}

std::pair<int, int> FlagOf(SceneNode const* shapeNode)
{
    StaticSpriteNode const* const sprite = dynamic_cast<StaticSpriteNode const*>(shapeNode);
    if (!sprite || !sprite->getImage())
        return std::make_pair(-1, -1);
    for (int shape = 0; shape < kNumHereToThereObjectShapes; ++shape)
    {
        Corvane::AutoResource<Corvane::ImageList> const list(getHereToThereFlagImageList(shape));
        for (int colour = 0; list && colour < list->GetNumImages(); ++colour)
            if (list->GetImage(colour) == sprite->getImage())
                return std::make_pair(shape, colour);
    }
    return std::make_pair(-1, -1);
}

sPiece WaitingAnimal()
{
    sPiece piece;
    for (int slot = 0; slot < 4 && !piece.found; ++slot)
    {
        SceneNode* const root = InSlot("Source", slot);
        SceneNode* const clickRect = Path(root, {"clickRect"});
        if (!clickRect)
            continue;
        piece.found = true;
        piece.slot = slot;
        piece.id = root->getLayoutController() ? root->getLayoutController()->GetID() : -1;
        piece.flag = FlagOf(Path(root, {"cartImageNode", "shapeNode"}));
        piece.centre = Centre(clickRect);
    }
    return piece;
}

int WaitingAnimalCount()
{
    int count = 0;
    for (int slot = 0; slot < 4; ++slot)
        count += InSlot("Source", slot) ? 1 : 0;
    return count;
}

namespace
{

template <class Accept>
sPiece FindHouse(Accept const& accept)
{
    sPiece piece;
    for (int slot = 0; slot < 12 && !piece.found; ++slot)
    {
        SceneNode* const root = InSlot("Target", slot);
        SceneNode* const picture = Path(root, {"imageNode"});
        if (!picture || !root->getLayoutController())
            continue;
        std::pair<int, int> const flag = FlagOf(Path(picture, {"flag", "shapeNode"}));
        if (!accept(slot, flag))
            continue;
        piece.found = true;
        piece.slot = slot;
        piece.id = root->getLayoutController()->GetID();
        piece.flag = flag;
        piece.centre = Centre(picture);
    }
    return piece;
}

} // namespace

sPiece HouseWithFlag(std::pair<int, int> flag, int skipSlot)
{
    return FindHouse([&](int slot, std::pair<int, int> house) { return slot != skipSlot && house == flag; });
}

sPiece HouseDiffering(std::pair<int, int> flag, bool sameColour, bool sameShape)
{
    return FindHouse([&](int, std::pair<int, int> house) {
        return house != flag && (house.first == flag.first) == sameShape && (house.second == flag.second) == sameColour;
    });
}

SceneNode* AnimalNode(Corvane::ObjectID animal)
{
    HereToThereMode* const game = Game();
    HereToThereObject* const object =
        game ? dynamic_cast<HereToThereObject*>(game->GetObjectDatabase()->GetObject(animal)) : nullptr;
    return object ? object->GetLayoutNode() : nullptr;
}

int FramesUntilSetDown(GameDriver::Child& child, Corvane::ObjectID animal)
{
    return child.FramesUntil(
        [animal] {
            SceneNode* const node = AnimalNode(animal);
            return node && node->GetParent() == Layer();
        },
        "the animal set down");
}

bool AnimalOnTruck(Corvane::ObjectID animal)
{
    SceneNode* const node = AnimalNode(animal);
    HereToThereCart* const cart = Cart();
    return node && cart && node->GetParent() && node->GetParent()->GetParent() == cart->GetLayoutNode();
}

bool TruckHome()
{
    HereToThereCart* const cart = Cart();
    if (!cart || !cart->GetLayoutNode())
        return false;
    Vector2<float> const idle = Corvane::Constant<Vector2<float> >("TrundelIdleLocation");
    Vector2<float> const at = cart->GetLayoutNode()->LocalGetLocation();
    return at.x == idle.x && at.y == idle.y && cart->isFacingLeft();
}

void HardGamePlay::SetUpPlay()
{
    driver.SetAccountValue("AccountID", "SloamButton");
    driver.SetAccountValue("SloamButton_Progress", "2");
    driver.StartWith([] {
        GetLevelManager()->setDifficulty(kGameModeDifficulty_Hard);
        // As the profile confirmation does for the chosen profile.
        GetStickerManager()->loadUnlockedStickerData();
        return new HereToThereMode();
    });
}

HereToThereTarget* House(Corvane::ObjectID id)
{
    HereToThereMode* const game = Game();
    return game ? dynamic_cast<HereToThereTarget*>(game->GetObjectDatabase()->GetObject(id)) : nullptr;
}

Vector2<float> TruckAt()
{
    HereToThereCart* const cart = Cart();
    return cart && cart->GetLayoutNode() ? cart->GetLayoutNode()->LocalGetLocation() : Vector2<float>(-1, -1);
}

bool DirectWayTo(Corvane::ObjectID house)
{
    HereToThereCart* const cart = Cart();
    HereToThereTarget* const target = House(house);
    Vector2<float> const at = TruckAt();
    float const left = target->GetLayoutNode()->GlobalGetBounds().x;
    Vector2<float> const entry = cart->getEnterScreenStartPoint(target);
    return at.y == entry.y && (cart->isFacingLeft() ? left <= at.x : at.x <= left);
}

bool StandsAt(Corvane::ObjectID house)
{
    HereToThereTarget* const target = House(house);
    if (!target)
        return false;
    Vector2<float> const car = target->getCarPosition();
    Vector2<float> const at = TruckAt();
    return at.x == car.x && at.y == car.y;
}

bool PassInstructions(Child& child)
{
    // Through the loading screen to the game, whose overlay comes up over it shortly after and is
    // closed with OK once its button is up; a game that shows none is taken after a second alone.
    if (!child.WaitForLoading())
        return false;
    bool sawOverlay = false;
    int alone = 0;
    for (int frame = 0; frame < 3000; ++frame)
    {
        std::string const top = child.TopScreen();
        if (top == "HereToThereMode" && (sawOverlay || ++alone > 50))
            return true;
        if (top == "FennInstructionMode")
        {
            sawOverlay = true;
            if (child.IsShown("OkButton"))
            {
                child.Click("OkButton");
                continue;
            }
        }
        if (!child.Frames(1))
            return false;
    }
    ADD_FAILURE() << "the game did not come up past its overlay; on top: " << child.TopScreen()
                  << (sawOverlay ? ", after its overlay" : ", no overlay seen");
    return false;
}

int DeliverEveryAnimal(Child& child)
{
    int delivered = 0;
    for (;;)
    {
        sPiece const animal = child.Look([] { return WaitingAnimal(); });
        if (!animal.found)
            return delivered;
        EXPECT_NE(-1, animal.flag.first) << "the flag of the animal in slot " << animal.slot << " shows nothing";
        EXPECT_TRUE(ClickAt(child, animal.centre));
        Corvane::ObjectID const id = animal.id;
        EXPECT_GE(child.FramesUntil([id] { return AnimalOnTruck(id) && !MaskShown(); }, "the animal on the truck"), 0)
            << "the truck did not load the animal of slot " << animal.slot;
        // An animal on its way: the hint that points to the houses.
        EXPECT_EQ(2, child.Look([] { return Game()->getHintLevel(); }));

        sPiece const house = child.Look([&animal] { return HouseWithFlag(animal.flag); });
        EXPECT_TRUE(house.found) << "no house for the flag " << animal.flag.first << "," << animal.flag.second;
        if (!house.found)
            return delivered;
        EXPECT_TRUE(ClickAt(child, house.centre));
        // Set down at the house: in the playfield layer, its cage hidden, 50 below the house's "cageAttach".
        EXPECT_GE(FramesUntilSetDown(child, id), 0);
        child.RunOnLoop([id, &house] {
            SceneNode* const node = AnimalNode(id);
            ASSERT_NE(nullptr, node);
            EXPECT_FALSE(node->GetChildByName(Corvane::Label::GetUniqueString("cartImageNode"))->LocalIsVisible());
            HereToThereMode* const game = Game();
            SceneNode* const target = dynamic_cast<SceneLayoutController*>(
                                          game->GetObjectDatabase()->GetObject(house.id))->GetLayoutNode();
            Vector2<float> const attach =
                target->GetChildByName(Corvane::Label::GetUniqueString("imageNode"))
                    ->GetChildByName(Corvane::Label::GetUniqueString("cageAttach"))
                    ->GlobalGetLocation();
            EXPECT_FLOAT_EQ(attach.x, node->LocalGetLocation().x);
            EXPECT_FLOAT_EQ(attach.y + 50.0f, node->LocalGetLocation().y);
        });
        // Gone 2.0 s (100 frames) after it was set down.
        int const gone = child.FramesUntil([id] { return AnimalNode(id) == nullptr; }, "the animal to go");
        EXPECT_NEAR(100, gone, 2) << "frames from the animal set down to its going";
        EXPECT_GE(child.FramesUntil([] { return TruckHome() && !MaskShown(); }, "the truck back home"), 0)
            << "the truck did not come home facing left";
        EXPECT_EQ(1, child.Look([] { return Game()->getHintLevel(); }));
        ++delivered;
    }
}

} // namespace HereToThereSupport
