#include "qdl/Tests/TrundelsDelivery/TrundelsDeliveryTestSupport.h"

#include <algorithm>

#include <gtest/gtest.h>

#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/ObjectDatabase.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Graphics/ImageList.h"
#include "CorvaneExtensions/Source/SceneNode.h"
#include "CorvaneExtensions/Source/SpriteNodes.h"
#include "qdl/Source/Game/GameConstants.h"
#include "qdl/Source/Game/TrundelsDelivery/DeliveryCart.h"
#include "qdl/Source/Game/TrundelsDelivery/DeliveryObject.h"
#include "qdl/Source/Game/TrundelsDelivery/TrundelsDeliveryLevel.h"
#include "qdl/Source/Game/TrundelsDelivery/TrundelsDeliveryMode.h"

using Corvane::Label;
using Corvane::ObjectID;
using Corvane::Vector2;

namespace TrundelsDeliveryTest
{

namespace
{

NodePathElement const kCargoPath[] = {"cargoImage", NodePathTerminator()};

// The choices in the tree, wherever they stand (on their place or in a cart).
void collectChoices(SceneNode* node, std::vector<DeliveryObject*>* found)
{
    if (!node)
        return;
    if (DeliveryObject* const choice = dynamic_cast<DeliveryObject*>(node->getLayoutController()))
        found->push_back(choice);
    for (SceneNode* const child : node->GetChildren())
        collectChoices(child, found);
}

TrundelsDeliveryMode* topGame()
{
    return dynamic_cast<TrundelsDeliveryMode*>(Corvane::MainLoop::GetTopMostMode(0));
}

} // namespace

int SmallCargoFrame(void const* image)
{
    Corvane::AutoResource<Corvane::ImageList> const list("TrundelDeliveryItems_Small");
    if (!list || !image)
        return -1;
    for (int frame = 0; frame < static_cast<int>(list->GetNumImages()); ++frame)
        if (static_cast<void const*>(list->GetImage(frame)) == image)
            return frame;
    return -1;
}

sYard ReadYard(Child& child)
{
    return child.Look([] {
        sYard yard;
        TrundelsDeliveryMode* const mode = topGame();
        if (!mode)
            return yard;
        yard.mode = mode;
        yard.level = mode->getLevel();
        yard.mapping = mode->getPatternIndexMapping();
        yard.loopsLeft = mode->getLoopsLeft();
        yard.outroStarted = mode->isOutroStarted();
        yard.answering = mode->isAnswering();
        yard.cartsToFill = mode->getCartsToFill();
        SceneNode const* const mask = mode->getClickMask();
        yard.maskShown = mask && mask->GlobalIsVisible();
        Corvane::ObjectDatabase* const database = mode->GetObjectDatabase();
        std::vector<DeliveryCart*> carts;
        for (ObjectID const id : database->GetObjectsWithRole(DeliveryCart::role()))
            if (DeliveryCart* const cart = dynamic_cast<DeliveryCart*>(database->GetObject(id)))
                carts.push_back(cart);
        // Cart_1 to Cart_6 by their place's name.
        std::sort(carts.begin(), carts.end(), [](DeliveryCart* a, DeliveryCart* b) {
            return std::string(a->GetLayoutNode()->GetParent()->GetNodeName().GetString()) <
                   std::string(b->GetLayoutNode()->GetParent()->GetNodeName().GetString());
        });
        for (DeliveryCart* const cart : carts)
        {
            StaticSpriteNode const* const cargo =
                dynamic_cast<StaticSpriteNode*>(cart->GetLayoutNode()->GetDescendent(kCargoPath));
            yard.carts.push_back(sCart{cargo ? SmallCargoFrame(cargo->getImage()) : -1,
                                       cargo && cargo->LocalIsVisible(), cart->getType()});
        }
        std::vector<DeliveryObject*> choices;
        collectChoices(RootDescendent(kPlayfieldPath), &choices);
        for (DeliveryObject* const choice : choices)
        {
            SceneNode* const image = choice->getImageNode();
            if (!image)
                continue;
            Corvane::Rect<float> const bounds = image->GlobalGetBounds();
            yard.choices.push_back(sChoice{choice->GetID(), choice->getType(),
                                           Vector2<int>(static_cast<int>(bounds.x + bounds.width / 2),
                                                        static_cast<int>(bounds.y + bounds.height / 2)),
                                           image->GetHitTest() && bounds.width > 0});
        }
        return yard;
    });
}

int NeededType(sYard const& yard, std::string* why)
{
    Corvane::AutoResource<TrundelsDeliveryLevel> const level(yard.level);
    if (!level)
    {
        *why = "no level record";
        return -1;
    }
    if (yard.carts.size() != 6u)
    {
        *why = std::to_string(yard.carts.size()) + " carts";
        return -1;
    }
    for (std::vector<int> const& pattern : level->patterns)
    {
        bool spelt = !pattern.empty();
        for (size_t i = 0; spelt && i < 5; ++i)
            spelt = yard.carts[i].cargoFrame == yard.mapping[static_cast<size_t>(pattern[i % pattern.size()])];
        if (spelt)
            return yard.mapping[static_cast<size_t>(pattern[5 % pattern.size()])];
    }
    *why = "carts 1 to 5 spell none of the level's patterns";
    return -1;
}

sChoice const* ChoiceOfType(sYard const& yard, int type)
{
    for (sChoice const& choice : yard.choices)
        if (choice.type == type)
            return &choice;
    return nullptr;
}

bool WaitUntilReady(Child& child)
{
    return child.WaitUntil(
        [] {
            TrundelsDeliveryMode* const mode = topGame();
            SceneNode const* const mask = mode ? mode->getClickMask() : nullptr;
            NodePathElement const truck[] = {"GameScreenRoot", "Playfield", "CargoRoot", "Cart_1", "DeliveryCart",
                                             "cart", NodePathTerminator()};
            AnimatedSpriteNode const* const body = RootDescendent<AnimatedSpriteNode>(truck);
            return mode && mask && !mask->GlobalIsVisible() && body &&
                   body->IsAnimationPlaying(Label::GetUniqueString("Idle-Left"));
        },
        "the yard to take clicks");
}

void DeliverTheRightCargo(Child& child)
{
    sYard const yard = ReadYard(child);
    ASSERT_TRUE(yard.mode);
    std::string why;
    int const needed = NeededType(yard, &why);
    ASSERT_GE(needed, 0) << why;
    // Cart 6 hides what it needs.
    EXPECT_EQ(needed, yard.carts[5].cargoFrame);
    EXPECT_FALSE(yard.carts[5].cargoShown);
    sChoice const* const right = ChoiceOfType(yard, needed);
    ASSERT_NE(nullptr, right);
    ASSERT_TRUE(right->clickable);
    ASSERT_TRUE(ClickAt(child, right->centre));
    EXPECT_TRUE(ReadYard(child).answering);
}

void StartGame(GameDriver::Driver& driver, GameModeDifficulty difficulty, bool playIntro)
{
    GameDriver::StartMiniGame(driver, difficulty, [playIntro] { return new TrundelsDeliveryMode(playIntro, -1); });
}

} // namespace TrundelsDeliveryTest
