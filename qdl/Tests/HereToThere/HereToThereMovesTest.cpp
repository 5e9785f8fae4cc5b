// Wrong and idle moves in the animal-delivery game, played through the driver:
// a house of the right colour but another shape and the reverse (the voice,
// the animal kept on the truck, the next drive from there), clicks that must
// do nothing, the direct way or the way round by the truck's place, the
// pointer left over another house during the drive, Quit during a drive, and
// a level that cannot be found.

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Core/Source/Label.h"
#include "Core/Source/MemoryStream.h"
#include "2DEngine/Source/Framework/ResourceManager.h"
#include "2DEngine/Source/Framework/Constant.h"
#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/ObjectDatabase.h"
#include "CorvaneExtensions/Source/SceneApplicationMode.h"
#include "CorvaneExtensions/Source/SceneLayout.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "CorvaneExtensions/Source/SceneNode.h"
#include "qdl/Source/Game/DragAndDrop.h"
#include "qdl/Source/Game/GameScreenHooks.h"
#include "qdl/Source/Game/LevelManager.h"
#include "qdl/Source/Game/StickerManager.h"
#include "qdl/Source/Game/HereToThere/HereToThereCart.h"
#include "qdl/Source/Game/HereToThere/HereToThereMode.h"
#include "qdl/Source/Game/HereToThere/HereToThereObject.h"
#include "qdl/Source/Game/HereToThere/HereToThereTarget.h"
#include "qdl/Tests/Driver/GameDriver.h"
#include "qdl/Tests/Driver/MiniGamePlay.h"
#include "qdl/Tests/HereToThere/HereToThereSupport.h"

using Corvane::Vector2;
using GameDriver::Child;
using namespace HereToThereSupport;

namespace
{

// The game at Hard for a profile in the middle of the story.
using HereToThereMoves = HardGamePlay;

using GameDriver::CountPlays;

// The first waiting animal, a house of its colour but another shape, one of its shape but another
// colour, and its own house.
struct sWrongMoves
{
    sPiece animal;
    sPiece sameColour;
    sPiece sameShape;
    sPiece right;
};

sWrongMoves FindWrongMoves()
{
    sWrongMoves moves;
    moves.animal = WaitingAnimal();
    moves.sameColour = HouseDiffering(moves.animal.flag, true, false);
    moves.sameShape = HouseDiffering(moves.animal.flag, false, true);
    moves.right = HouseWithFlag(moves.animal.flag);
    return moves;
}

TEST_F(HereToThereMoves, WrongHousesKeepTheAnimalAndIdleClicksDoNothing)
{
    driver.Play([](Child& child) {
        ASSERT_TRUE(PassInstructions(child));
        int const selectsBefore = CountPlays(child, "SFX_SelectItem");

        // A house clicked with no animal held: nothing plays, nothing moves.
        sPiece const anyHouse = child.Look([] { return HouseDiffering(std::make_pair(-2, -2), false, false); });
        ASSERT_TRUE(anyHouse.found);
        Vector2<float> const home = child.Look([] { return TruckAt(); });
        ASSERT_TRUE(ClickAt(child, anyHouse.centre));
        ASSERT_TRUE(child.Frames(5));
        EXPECT_EQ(selectsBefore, CountPlays(child, "SFX_SelectItem"));
        EXPECT_FALSE(child.Look([] { return MaskShown(); }));
        Vector2<float> const still = child.Look([] { return TruckAt(); });
        EXPECT_EQ(home.x, still.x);

        sWrongMoves const moves = child.Look([] { return FindWrongMoves(); });
        ASSERT_TRUE(moves.animal.found && moves.right.found);
        ASSERT_TRUE(ClickAt(child, moves.animal.centre));
        Corvane::ObjectID const id = moves.animal.id;
        ASSERT_GE(child.FramesUntil([id] { return AnimalOnTruck(id) && !MaskShown(); }, "the animal on the truck"), 0);

        // Another animal while one is loaded: it stays in its slot and is not held.
        sPiece const other = child.Look([] { return WaitingAnimal(); });
        if (other.found)
        {
            ASSERT_TRUE(ClickAt(child, other.centre));
            ASSERT_TRUE(child.Frames(3));
            EXPECT_EQ(other.centre.x, child.Look([] { return WaitingAnimal(); }).centre.x);
            EXPECT_TRUE(child.Look([id] {
                return DragSource<HereToThereObject*>::GetHeldDragSource_Mutable() ==
                       static_cast<DragSource<HereToThereObject*>*>(
                           dynamic_cast<HereToThereObject*>(Game()->GetObjectDatabase()->GetObject(id)));
            }));
        }

        // The right colour, another shape; then the right shape, another colour.
        int wrong = 0;
        for (sPiece const& house : {moves.sameColour, moves.sameShape})
        {
            if (!house.found)
                continue;
            Corvane::ObjectID const houseID = house.id;
            ASSERT_TRUE(ClickAt(child, house.centre));
            ++wrong;
            EXPECT_GE(child.FramesUntil([] { return !MaskShown(); }, "the click mask to hide"), 0);
            EXPECT_TRUE(child.Look([id, houseID] { return AnimalOnTruck(id) && StandsAt(houseID); }));
            if (char const* const folder = std::getenv("QDL_HERETOTHERE_SCREENSHOT_DIR"))
                child.SaveScreenshot(std::string(folder) + "/HereToThere_wrong_" + std::to_string(wrong) + ".png");
        }
        EXPECT_GE(wrong, 1) << "the level drawn had no house sharing only a colour or a shape";
        ASSERT_TRUE(child.Wait(4.0f));
        EXPECT_EQ(wrong, CountPlays(child, "HereToThere_IncorrectAnswer"));

        // The next drive starts from the wrong house: the direct way exactly when the truck stands on the
        // road's line facing the house, else round the screen.
        bool const direct = child.Look([&moves] { return DirectWayTo(moves.right.id); });
        int const shortBefore = CountPlays(child, "SFX_TrundelMoveShort");
        int const longBefore = CountPlays(child, "SFX_TrundelMoveLong");
        ASSERT_TRUE(ClickAt(child, moves.right.centre));
        EXPECT_EQ(shortBefore + (direct ? 1 : 0), CountPlays(child, "SFX_TrundelMoveShort"));
        EXPECT_EQ(longBefore + (direct ? 0 : 1), CountPlays(child, "SFX_TrundelMoveLong"));

        // The pointer left over another house for the whole drive changes nothing.
        sPiece const decoy = child.Look([&moves] { return HouseDiffering(moves.animal.flag, false, false); });
        if (decoy.found)
        {
            ASSERT_TRUE(child.MoveMouseTo(static_cast<int>(decoy.centre.x), static_cast<int>(decoy.centre.y)));
        }
        Corvane::ObjectID const rightID = moves.right.id;
        ASSERT_GE(FramesUntilSetDown(child, id), 0);
        EXPECT_TRUE(child.Look([id, rightID] {
            SceneNode* const attach = House(rightID)->GetLayoutNode()->GetDescendent(
                std::vector<NodePathElement>{"imageNode", "cageAttach", NodePathTerminator()}.data());
            return AnimalNode(id)->LocalGetLocation().x == attach->GlobalGetLocation().x;
        }));
        EXPECT_GE(child.FramesUntil([] { return TruckHome() && !MaskShown(); }, "the truck back home"), 0);
        EXPECT_EQ(1, CountPlays(child, "General_CorrectAnswer"));
    });
}

// The first real house, found by its role.
HereToThereTarget* AnyHouse()
{
    Corvane::ObjectDatabase* const database = Game()->GetObjectDatabase();
    for (Corvane::ObjectID id : database->GetObjectsWithRole(Corvane::Label::GetUniqueString("HereToThere_Target")))
        if (HereToThereTarget* const house = dynamic_cast<HereToThereTarget*>(database->GetObject(id)))
            return house;
    return nullptr;
}

TEST_F(HereToThereMoves, TheTruckDrivesStraightOnOnlyFromItsRoadsLineTowardAHouseAhead)
{
    driver.Play([](Child& child) {
        ASSERT_TRUE(PassInstructions(child));
        struct sCase
        {
            // Where the truck stands relative to the house's road: on its line or a pixel off it.
            float yOffset;
            bool facingLeft;
            // Left of the house (true) or right of it.
            bool leftOfHouse;
            bool direct;
        };
        sCase const cases[] = {
            {0.0f, false, true, true},   // facing right, the house ahead
            {0.0f, true, false, true},   // facing left, the house ahead
            {0.0f, true, true, false},   // facing left, the house behind
            {0.0f, false, false, false}, // facing right, the house behind
            {1.0f, false, true, false},  // ahead, but off the road's line
        };
        for (sCase const& test : cases)
        {
            int const shortBefore = CountPlays(child, "SFX_TrundelMoveShort");
            int const longBefore = CountPlays(child, "SFX_TrundelMoveLong");
            float const roadY = child.Look([&test] {
                HereToThereTarget* const house = AnyHouse();
                HereToThereCart* const cart = Cart();
                Corvane::Rect<float> const bounds = house->GetLayoutNode()->GlobalGetBounds();
                float const y = getHereToThereRoadEnd(test.facingLeft ? kRoadEnd_Left : kRoadEnd_Right,
                                                      house->getRoad()).y;
                cart->setCartFacing(test.facingLeft);
                cart->GetLayoutNode()->LocalSetLocation(test.leftOfHouse ? bounds.x - 40.0f : bounds.x + 40.0f,
                                                        y + test.yOffset);
                cart->startDeliverySequence(house);
                return y;
            });
            EXPECT_EQ(shortBefore + (test.direct ? 1 : 0), CountPlays(child, "SFX_TrundelMoveShort"));
            EXPECT_EQ(longBefore + (test.direct ? 0 : 1), CountPlays(child, "SFX_TrundelMoveLong"));
            // The direct way keeps to the road's line; the way round leaves the screen first.
            bool leftTheRoad = false;
            EXPECT_GE(child.FramesUntil(
                          [&] {
                              Vector2<float> const at = TruckAt();
                              leftTheRoad = leftTheRoad || at.y != roadY || at.x < -100.0f || at.x > 850.0f;
                              return StandsAt(AnyHouse()->GetID());
                          },
                          "the truck at the house"),
                      1);
            EXPECT_EQ(!test.direct, leftTheRoad);
            // With no animal held the check finds nothing to do; the mask is lifted by hand.
            ASSERT_TRUE(child.Frames(3));
            child.RunOnLoop([] { Game()->maskMouseInput(false); });
        }
    });
}

TEST_F(HereToThereMoves, QuitDuringADriveAsksAndNoGoesOnWhileYesLeavesTheAccountAsItWas)
{
    driver.Play([](Child& child) {
        ASSERT_TRUE(PassInstructions(child));
        std::string const before = child.AccountFile();
        sPiece const animal = child.Look([] { return WaitingAnimal(); });
        ASSERT_TRUE(ClickAt(child, animal.centre));
        Corvane::ObjectID const id = animal.id;
        ASSERT_GE(child.FramesUntil([id] { return AnimalOnTruck(id) && !MaskShown(); }, "the animal on the truck"), 0);
        sPiece const house = child.Look([&animal] { return HouseWithFlag(animal.flag); });
        ASSERT_TRUE(ClickAt(child, house.centre));
        ASSERT_TRUE(child.Frames(10));
        ASSERT_TRUE(child.Look([] { return MaskShown(); }));
        // The mask covers the playfield only: Quit still answers during the drive.
        ASSERT_TRUE(child.Click("QuitButton"));
        ASSERT_TRUE(child.WaitForScreen("QuitConfirmMode"));
        ASSERT_TRUE(child.WaitUntil([] { return Child::FindNode("NoButton") != nullptr; }, "the quit question"));
        ASSERT_TRUE(child.Wait(1.0f));
        ASSERT_TRUE(child.Click("NoButton"));
        ASSERT_TRUE(child.WaitForScreen("HereToThereMode"));
        EXPECT_GE(child.FramesUntil([] { return TruckHome() && !MaskShown(); }, "the truck back home"), 0);

        ASSERT_TRUE(child.Click("QuitButton"));
        ASSERT_TRUE(child.WaitForScreen("QuitConfirmMode"));
        ASSERT_TRUE(child.Wait(1.0f));
        ASSERT_TRUE(child.Click("YesButton"));
        ASSERT_TRUE(child.WaitForScreen("MainMenuMode"));
        std::string const after = child.AccountFile();
        EXPECT_NE("", GameDriver::AccountRecord(before, "SloamButton_StickerCount"));
        EXPECT_EQ(GameDriver::AccountRecord(before, "SloamButton_StickerCount"),
                  GameDriver::AccountRecord(after, "SloamButton_StickerCount"));
        EXPECT_EQ(GameDriver::AccountRecord(before, "SloamButton_StickerUnlockArray"),
                  GameDriver::AccountRecord(after, "SloamButton_StickerUnlockArray"));
        EXPECT_EQ("2", GameDriver::AccountRecord(after, "SloamButton_Progress"));
    });
}

TEST_F(HereToThereMoves, ALevelThatCannotBeFoundIsNamedWordForWordAndHelpAndQuitStay)
{
    driver.Play([](Child& child) {
        ASSERT_TRUE(PassInstructions(child));
        child.RunOnLoop([] { Game()->initializeLevel(Corvane::Label::GetUniqueString("NingunNivel\xc3\xb1")); });
        std::vector<std::string> const notes = child.Notifications();
        ASSERT_FALSE(notes.empty());
        EXPECT_EQ(": Difficulty Level Not Found for HereToThereMode. Fix the problem and press F5 to reload",
                  notes.back());
        // The log writes a character outside ASCII as '?'.
        EXPECT_NE(std::string::npos, child.Log().find("HereToThereMode: the level \"NingunNivel?\" is missing from "
                                                      "HereToThereMode.xml or could not be read\n"));
        EXPECT_TRUE(child.IsShown("HelpButton"));
        EXPECT_TRUE(child.IsShown("QuitButton"));
        EXPECT_EQ(std::vector<std::string>{"HereToThereMode"}, child.Screens());
    });
}

TEST_F(HereToThereMoves, TheTruckStaysSafeWithoutAnAnimalAndWithRoadsPastItsConstants)
{
    driver.Play([](Child& child) {
        ASSERT_TRUE(PassInstructions(child));
        child.RunOnLoop([] {
            HereToThereCart* const cart = Cart();
            ASSERT_NE(nullptr, cart);
            // Unloading with no animal on the truck queues nothing, on the truck or anywhere.
            int const tasks = cart->GetTasks().GetUnfinishedCount();
            cart->unloadCurrentObject(Layer());
            EXPECT_EQ(tasks, cart->GetTasks().GetUnfinishedCount());
            EXPECT_FALSE(cart->hasLoadedObject());
            // A road past the constants' lists takes the last entry; a road of a list takes its own.
            Vector2<float> const last = getHereToThereRoadEnd(kRoadEnd_Right, 2);
            Vector2<float> const past = getHereToThereRoadEnd(kRoadEnd_Right, 7);
            EXPECT_EQ(last.x, past.x);
            EXPECT_EQ(last.y, past.y);
            EXPECT_NE(getHereToThereRoadEnd(kRoadEnd_Left, 0).y, getHereToThereRoadEnd(kRoadEnd_Left, 1).y);
            // A drive lasts its length over the speed; a drive from a place to itself none.
            float const speed = Corvane::Constant<float>("TrundelBackgroundDrivingSpeed");
            EXPECT_FLOAT_EQ(500.0f / speed, cart->getDriveTime(Vector2<float>(0, 0), Vector2<float>(300, 400),
                                                              "TrundelBackgroundDrivingSpeed"));
            EXPECT_EQ(0.0f, cart->getDriveTime(Vector2<float>(5, 5), Vector2<float>(5, 5),
                                               "TrundelBackgroundDrivingSpeed"));
            // A speed that is not there (0) makes the drive instant instead of endless.
            EXPECT_EQ(0.0f, cart->getDriveTime(Vector2<float>(0, 0), Vector2<float>(300, 400), "NoSuchSpeed"));
            // A road end list left empty by broken content gives the origin, not a read past its end.
            auto* const ends = dynamic_cast<Corvane::Internal::ValueWrapper<std::vector<Vector2<float> > >*>(
                Corvane::GetResourceManager()->GetResource(Corvane::Label::GetUniqueString("RoadEnd_Left")));
            ASSERT_NE(nullptr, ends);
            ends->value.clear();
            Vector2<float> const none = getHereToThereRoadEnd(kRoadEnd_Left, 1);
            EXPECT_EQ(0.0f, none.x);
            EXPECT_EQ(0.0f, none.y);
        });
    });
    EXPECT_NE(std::string::npos, driver.Log().find("the truck moves at once"));
}

TEST_F(HereToThereMoves, PiecesAnswerToTheirLabelsAndAFreshGameReplacesEverythingEvenUnderHelp)
{
    driver.Play([](Child& child) {
        ASSERT_TRUE(PassInstructions(child));
        child.RunOnLoop([] {
            Corvane::ObjectDatabase* const database = Game()->GetObjectDatabase();
            Corvane::Object const* const cart = Cart();
            ASSERT_NE(nullptr, cart);
            EXPECT_EQ(Corvane::Label::GetUniqueString("HereToThere_Cart"), cart->GetName());
            EXPECT_EQ(cart, database->GetNamedObject(Corvane::Label::GetUniqueString("HereToThere_Cart")));
            for (char const* role : {"HereToThere_Object", "HereToThere_Target"})
            {
                Corvane::Label const label = Corvane::Label::GetUniqueString(role);
                std::vector<Corvane::ObjectID> const ids = database->GetObjectsWithRole(label);
                EXPECT_FALSE(ids.empty()) << role;
                for (Corvane::ObjectID id : ids)
                    EXPECT_EQ(label, database->GetObject(id)->GetRole()) << role;
            }
        });
        // The old game's truck parked out of its place, to tell the games apart.
        child.RunOnLoop([] { Cart()->GetLayoutNode()->LocalSetLocation(1.0f, 1.0f); });
        ASSERT_TRUE(child.Click("HelpButton"));
        ASSERT_TRUE(child.WaitForScreen("FennInstructionMode"));
        child.RunOnLoop([] { dynamic_cast<HereToThereMode*>(Corvane::MainLoop::GetTopMostMode(1))->refreshMode(); });
        ASSERT_TRUE(child.Frames(2));
        // The old game and its Help are gone; the new game (with its own overlay over it) is alone.
        std::vector<std::string> const screens = child.Screens();
        ASSERT_FALSE(screens.empty());
        EXPECT_EQ("HereToThereMode", screens.front());
        EXPECT_LE(screens.size(), 2u);
        ASSERT_TRUE(PassInstructions(child)) << child.TopScreen();
        EXPECT_TRUE(child.Look([] { return TruckHome(); }));
        EXPECT_LE(1, child.Look([] { return WaitingAnimalCount(); }));
    });
}

class HereToThereBadLevel : public GameDriver::PlayTest
{
protected:
    // The level manager outlives the play; the next play must not draw the level made here.
    void TearDown() override { *GetLevelManager() = LevelManager(); }
};

TEST_F(HereToThereBadLevel, FiveAnimalsAreCutToFourWithALogLineAndQuitLeavesTheAccountAsItWas)
{
    driver.SetAccountValue("AccountID", "PondoButton");
    driver.StartWith([] {
        // The only Easy level: five animals, more than the loading row holds.
        *GetLevelManager() = LevelManager();
        std::string const manifest =
            "<resources><HereToThereLevel name='CincoAnimales\xc3\xb1' difficulty='Easy' numBuildings='5'>"
            "<Animal type='Circle' color='Blue'/><Animal type='Star' color='Green'/>"
            "<Animal type='Square' color='Purple'/><Animal type='Triangle' color='Yellow'/>"
            "<Animal type='Star' color='Blue'/></HereToThereLevel></resources>";
        Corvane::MemoryStream stream(L"CincoAnimales");
        stream.Write(manifest.data(), manifest.size());
        stream.Seek(Corvane::kSeekBegin, 0);
        Corvane::GetResourceManager()->LoadFromStream(&stream, L"CincoAnimales");
        GetLevelManager()->setDifficulty(kGameModeDifficulty_Easy);
        GetStickerManager()->loadUnlockedStickerData();
        return new HereToThereMode();
    });
    driver.Play([](Child& child) {
        ASSERT_TRUE(PassInstructions(child));
        EXPECT_EQ(4, child.Look([] { return WaitingAnimalCount(); }));
        // Four animals' houses and one decoy; the fifth animal has neither house nor cage.
        EXPECT_EQ(5u, child.Look([] {
            return Game()->GetObjectDatabase()->GetObjectsWithRole(Corvane::Label::GetUniqueString("HereToThere_Target")).size();
        }));
        std::string const before = child.AccountFile();
        ASSERT_TRUE(child.Click("QuitButton"));
        ASSERT_TRUE(child.WaitForScreen("QuitConfirmMode"));
        ASSERT_TRUE(child.Wait(1.0f));
        ASSERT_TRUE(child.Click("YesButton"));
        ASSERT_TRUE(child.WaitForScreen("MainMenuMode"));
        std::string const after = child.AccountFile();
        EXPECT_NE("", GameDriver::AccountRecord(before, "PondoButton_StickerCount"));
        for (char const* key : {"AccountID", "PondoButton_StickerCount", "PondoButton_StickerUnlockArray"})
            EXPECT_EQ(GameDriver::AccountRecord(before, key), GameDriver::AccountRecord(after, key)) << key;
    });
    EXPECT_NE(std::string::npos, driver.Log().find("HereToThere: the level lists 5 animals; only the first 4 are used"))
        << driver.Log();
}

TEST_F(HereToThereBadLevel, ALevelWithoutAnimalsIsNeverDrawnAndTheChildIsToldItIsNotFound)
{
    driver.StartWith([] {
        *GetLevelManager() = LevelManager();
        std::string const manifest =
            "<resources><HereToThereLevel name='SinAnimales' difficulty='Medium' numBuildings='3'/></resources>";
        Corvane::MemoryStream stream(L"SinAnimales");
        stream.Write(manifest.data(), manifest.size());
        stream.Seek(Corvane::kSeekBegin, 0);
        Corvane::GetResourceManager()->LoadFromStream(&stream, L"SinAnimales");
        GetLevelManager()->setDifficulty(kGameModeDifficulty_Medium);
        return new HereToThereMode();
    });
    driver.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen("HereToThereMode", 3000));
        ASSERT_TRUE(child.Wait(1.0f));
        EXPECT_EQ(0, child.Look([] { return WaitingAnimalCount(); }));
        EXPECT_EQ(std::vector<std::string>{"HereToThereMode"}, child.Screens());
        EXPECT_TRUE(child.IsShown("QuitButton"));
    });
    EXPECT_TRUE(GameDriver::IsOnlyLevelNotFound(driver.Notifications(), driver.Log(), "HereToThereMode", "Medium"));
}

TEST_F(HereToThereBadLevel, ALayoutLackingANodeIsNamedWithItsLayoutAndTheChildCanStillLeave)
{
    driver.StartWith([] {
        // The truck's layout as broken content would have it: its right-facing attach node misnamed.
        Corvane::AutoResource<SceneLayout> const layout("HereToThereCartLayout");
        for (SceneLayout::LayoutDescriptor* child : layout->GetRootDescriptor()->children)
            if (child->nodeName == Corvane::Label::GetUniqueString("ObjectAttachNode_Flip"))
                const_cast<SceneLayout::LayoutDescriptor*>(child)->nodeName =
                    Corvane::Label::GetUniqueString("ObjectAttachNode_Volteado");
        return new HereToThereMode();
    });
    driver.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen("HereToThereMode"));
        ASSERT_TRUE(child.Frames(5));
        EXPECT_EQ(std::vector<std::string>{"HereToThereMode"}, child.Screens());
        std::vector<std::string> const notes = child.Notifications();
        ASSERT_EQ(1u, notes.size());
        EXPECT_NE(std::string::npos, notes[0].find("HereToThereMode: the layout \"HereToThereCartLayout\" lacks the node "
                                                   "\"ObjectAttachNode_Flip\". Fix the problem and press F5 to reload"))
            << notes[0];
        EXPECT_EQ(0, child.Look([] { return WaitingAnimalCount(); }));
        EXPECT_TRUE(child.IsShown("HelpButton"));
        ASSERT_TRUE(child.Click("QuitButton"));
        ASSERT_TRUE(child.WaitForScreen("QuitConfirmMode"));
        ASSERT_TRUE(child.Wait(1.0f));
        ASSERT_TRUE(child.Click("YesButton"));
        EXPECT_TRUE(child.WaitForScreen("MainMenuMode"));
    });
}

TEST_F(HereToThereBadLevel, ABrokenManifestIsNamedAndTheChildIsTakenToTheMainMenuWithTheAccountKept)
{
    driver.SetAccountValue("AccountID", "PondoButton");
    driver.UseContentCopy([](std::string const& folder) {
        // Cut off in the middle, as a file that was never completely written.
        ASSERT_TRUE(GameDriver::EditTextFile(folder + "/HereToThereMode.xml",
                                             [](std::string& text) { text.erase(text.size() / 2); }));
    });
    driver.StartWith([] {
        GetStickerManager()->loadUnlockedStickerData();
        return new HereToThereMode();
    });
    driver.Play([](Child& child) {
        // Without its own layout the game has no Quit button: the child is taken where Quit would lead.
        ASSERT_TRUE(child.WaitForScreen("MainMenuMode"));
        std::vector<std::string> const notes = child.Notifications();
        ASSERT_EQ(1u, notes.size());
        EXPECT_NE(std::string::npos, notes[0].find("HereToThereMode: the layout \"HereToThereModeLayout\" is missing. "
                                                   "Fix the problem and press F5 to reload"))
            << notes[0];
        std::string const account = child.AccountFile();
        EXPECT_EQ("PondoButton", GameDriver::AccountRecord(account, "AccountID"));
        EXPECT_EQ("3", GameDriver::AccountRecord(account, "PondoButton_StickerCount"));
    });
    EXPECT_NE(std::string::npos, driver.Log().find("Resource file HereToThereMode could not be loaded")) << driver.Log();
}

} // namespace
