#include "2DEngine/Tests/Framework/ObjectTestSupport.h"

#include "2DEngine/Source/Framework/Tasks.h"
#include "Core/Source/Error.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace Corvane
{
namespace
{

using ObjectTest::Entries;
using ObjectTest::EntriesWith;
using ObjectTest::Handler;
using ObjectTest::Journal;
using ObjectTest::PlainObject;
using ObjectTest::Widget;

typedef std::vector<std::string> Lines;

class ObjectDatabaseTest : public ::testing::Test
{
protected:
    void SetUp() override { Journal().clear(); }

    ObjectDatabase database;
};

// ---- Normal case: IDs, names, roles ----

TEST_F(ObjectDatabaseTest, IDsCarryTheSlotAndAreReusedWithTheNextGenerationAfterThePurge)
{
    PlainObject* first = new PlainObject("first");
    ObjectID const firstID = database.AddObject(first);
    EXPECT_EQ(0x00000000, firstID);
    EXPECT_EQ(firstID, first->GetID());
    ObjectID const secondID = database.AddObject(new PlainObject("second"));
    EXPECT_EQ(0x00000001, secondID);

    database.DestroyObject(firstID);
    EXPECT_EQ(nullptr, database.GetObject(firstID));
    // Still in memory until the purge at the end of the next update.
    EXPECT_TRUE(Entries("first deleted").empty());
    database.Update(0.02f);
    EXPECT_EQ(Lines{"first deleted"}, Entries("first deleted"));

    ObjectID const reusedID = database.AddObject(new PlainObject("third"));
    EXPECT_EQ(0x00010000, reusedID);
    EXPECT_FALSE(database.IsValidObjectID(firstID));
    EXPECT_EQ(nullptr, database.GetObject(firstID));
    EXPECT_NE(nullptr, database.GetObject(reusedID));
}

TEST_F(ObjectDatabaseTest, FreeSlotsAreReusedOldestFreedFirst)
{
    ObjectID a = database.AddObject(new PlainObject("a"));
    ObjectID b = database.AddObject(new PlainObject("b"));
    ObjectID c = database.AddObject(new PlainObject("c"));
    database.DestroyObject(c);
    database.DestroyObject(a);
    database.Update(0.02f);
    // The purge frees in slot order: a's slot, then c's.
    EXPECT_EQ(0x00010000, database.AddObject(new PlainObject("d")));
    EXPECT_EQ(0x00010002, database.AddObject(new PlainObject("e")));
    EXPECT_EQ(0x00000003, database.AddObject(new PlainObject("f")));
    EXPECT_NE(nullptr, database.GetObject(b));
    EXPECT_EQ(4u, database.GetSlotCount());
}

TEST_F(ObjectDatabaseTest, AddingALiveObjectTwiceChangesNothing)
{
    Widget* widget = new Widget("w", 1.0f);
    ObjectID const id = database.AddObject(widget);
    EXPECT_EQ(id, database.AddObject(widget));
    EXPECT_EQ(1u, database.GetSlotCount());
    EXPECT_EQ(1u, database.GetDrawables().size());
    EXPECT_EQ(Lines{"w got Add"}, Entries("w got"));
}

TEST_F(ObjectDatabaseTest, TheLaterOfTwoObjectsWithOneNameWinsAndDestroyingEitherForgetsTheName)
{
    Label const name = Label::GetUniqueString("Crane");
    ObjectID const older = database.AddObject(new PlainObject("older", name));
    ObjectID const later = database.AddObject(new PlainObject("later", name));
    EXPECT_EQ(database.GetObject(later), database.GetNamedObject(name));
    EXPECT_EQ(database.GetObject(later), database.GetNamedObject(Label::GetUniqueString("CRANE")));

    database.DestroyNamedObject(name);
    EXPECT_EQ(nullptr, database.GetObject(later));
    EXPECT_NE(nullptr, database.GetObject(older));
    EXPECT_EQ(nullptr, database.GetNamedObject(name));
}

TEST_F(ObjectDatabaseTest, DestroyingTheOlderNamesakeDoesNotForgetTheLaterOne)
{
    Label const name = Label::GetUniqueString("Scarrow");
    ObjectID const older = database.AddObject(new PlainObject("older", name));
    ObjectID const later = database.AddObject(new PlainObject("later", name));
    database.DestroyObject(older);
    EXPECT_EQ(database.GetObject(later), database.GetNamedObject(name));
}

TEST_F(ObjectDatabaseTest, RolesListObjectsInOrderOfAdditionUntilThePurge)
{
    Label const tool = Label::GetUniqueString("Tool");
    Label const red = Label::GetUniqueString("Red");
    ObjectID const hammer = database.AddObject(new PlainObject("hammer", Label(), {tool, red}));
    ObjectID const saw = database.AddObject(new PlainObject("saw", Label(), {tool}));
    EXPECT_EQ((std::vector<ObjectID>{hammer, saw}), database.GetObjectsWithRole(tool));
    EXPECT_EQ((std::vector<ObjectID>{hammer}), database.GetObjectsWithRole(red));
    EXPECT_TRUE(database.GetObjectsWithRole(Label::GetUniqueString("Nothing")).empty());

    database.DestroyObject(hammer);
    EXPECT_EQ(2u, database.GetObjectsWithRole(tool).size());
    database.Update(0.02f);
    EXPECT_EQ((std::vector<ObjectID>{saw}), database.GetObjectsWithRole(tool));
    EXPECT_TRUE(database.GetObjectsWithRole(red).empty());
}

TEST_F(ObjectDatabaseTest, DestroyObjectsWithRoleDestroysEveryHolder)
{
    Label const leaf = Label::GetUniqueString("Leaf");
    database.AddObject(new PlainObject("one", Label(), {leaf}));
    ObjectID const keep = database.AddObject(new PlainObject("keep"));
    database.AddObject(new PlainObject("two", Label(), {leaf}));
    database.DestroyObjectsWithRole(leaf);
    EXPECT_EQ((Lines{"one got Remove", "two got Remove"}), EntriesWith("got Remove"));
    database.Update(0.02f);
    EXPECT_TRUE(database.GetObjectsWithRole(leaf).empty());
    EXPECT_NE(nullptr, database.GetObject(keep));
}

TEST_F(ObjectDatabaseTest, TheDefaultRoleOfAPlainObjectIsNone)
{
    Object object;
    EXPECT_TRUE(object.GetRole().IsNull());
    EXPECT_TRUE(object.GetRole(0).IsNull());
    EXPECT_TRUE(object.GetRole(3).IsNull());
}

TEST_F(ObjectDatabaseTest, AClassWithOneRoleIsListedUnderIt)
{
    struct Single : Object
    {
        Label GetRole() const override { return Label::GetUniqueString("Single"); }
    };
    Single* single = new Single();
    ObjectID const id = database.AddObject(single);
    Object const* object = single;
    EXPECT_EQ(single->GetRole(), object->GetRole(0));
    EXPECT_TRUE(object->GetRole(1).IsNull());
    EXPECT_EQ((std::vector<ObjectID>{id}), database.GetObjectsWithRole(Label::GetUniqueString("Single")));
}

TEST_F(ObjectDatabaseTest, GetNextObjectVisitsOnlyLiveObjects)
{
    ObjectID const a = database.AddObject(new PlainObject("a"));
    ObjectID const b = database.AddObject(new PlainObject("b"));
    ObjectID const c = database.AddObject(new PlainObject("c"));
    database.DestroyObject(b);
    ObjectDatabase::sIterator iterator;
    EXPECT_EQ(a, database.GetNextObject(&iterator));
    EXPECT_EQ(c, database.GetNextObject(&iterator));
    EXPECT_EQ(kInvalidObjectID, database.GetNextObject(&iterator));
}

// ---- Update, purge and drawing ----

TEST_F(ObjectDatabaseTest, DrawablesAreDrawnByLayerAndEqualLayersInOrderOfAddition)
{
    Widget* top = new Widget("top", 5.0f);
    database.AddObject(top);
    Widget* first = new Widget("first", 1.0f);
    database.AddObject(first);
    database.AddObject(new Widget("second", 1.0f));
    database.AddObject(new Widget("bottom", -2.0f));
    database.Update(0.02f);
    database.Draw();
    EXPECT_EQ((Lines{"bottom draw", "first draw", "second draw", "top draw"}), EntriesWith("draw"));

    // The sort is stable: a widget moved to an equal layer keeps its place after the
    // others of that layer.
    Journal().clear();
    top->SetLayer(1.0f);
    database.Update(0.02f);
    database.Draw();
    EXPECT_EQ((Lines{"bottom draw", "first draw", "second draw", "top draw"}), EntriesWith("draw"));
    Journal().clear();
    first->SetLayer(1.0f);
    top->SetLayer(0.5f);
    database.Update(0.02f);
    database.Draw();
    EXPECT_EQ((Lines{"bottom draw", "top draw", "first draw", "second draw"}), EntriesWith("draw"));
}

TEST_F(ObjectDatabaseTest, ANaNLayerDoesNotBreakTheSort)
{
    for (int i = 0; i < 40; ++i)
    {
        float const layer = (i % 3 == 0) ? std::numeric_limits<float>::quiet_NaN() : static_cast<float>(i % 7);
        database.AddObject(new Widget("w" + std::to_string(i), layer));
    }
    database.Update(0.02f);
    EXPECT_EQ(40u, database.GetDrawables().size());
    database.Draw();
    EXPECT_EQ(40u, EntriesWith("draw").size());
}

TEST_F(ObjectDatabaseTest, AnObjectDestroyedDuringAnUpdateIsNoLongerDrawnOrRoutedAndIsDeletedAtItsEnd)
{
    Widget* victim = new Widget("victim", 1.0f);
    ObjectID const victimID = database.AddObject(victim);
    PlainObject* killer = new PlainObject("killer");
    database.AddObject(killer);
    bool stillListed = false;
    killer->onUpdate = [&](float) {
        database.DestroyObject(victimID);
        stillListed = database.GetDrawables().size() == 1;
        database.Draw();
        database.OnMouseDown(kMouseButtonPrimary, 10, 10);
    };
    database.Update(0.02f);
    EXPECT_TRUE(stillListed);
    EXPECT_TRUE(EntriesWith("victim draw").empty());
    EXPECT_TRUE(EntriesWith("victim down").empty());
    EXPECT_EQ(Lines{"victim deleted"}, Entries("victim deleted"));
    EXPECT_TRUE(database.GetDrawables().empty());
}

TEST_F(ObjectDatabaseTest, ObjectsAddedDuringAnUpdateAtNewSlotsJoinThePass)
{
    PlainObject* parent = new PlainObject("parent");
    database.AddObject(parent);
    PlainObject* child = nullptr;
    parent->onUpdate = [&](float) {
        if (!child)
        {
            child = new PlainObject("child");
            database.AddObject(child);
        }
    };
    database.Update(0.02f);
    ASSERT_NE(nullptr, child);
    EXPECT_EQ(1, child->GetUpdateCount());
}

TEST_F(ObjectDatabaseTest, AnObjectThatDestroysItselfInAnUpdateIsDeletedOnlyAfterThePass)
{
    PlainObject* self = new PlainObject("self");
    database.AddObject(self);
    PlainObject* after = new PlainObject("after");
    database.AddObject(after);
    self->onUpdate = [&](float) {
        self->DestroySelf();
        // The object is still whole while its own update runs.
        Journal().push_back("still here " + std::to_string(self->GetUpdateCount()));
    };
    database.Update(0.02f);
    EXPECT_EQ((Lines{"self got Add", "self got Remove", "still here 1", "self deleted"}),
              ([] {
                  Lines kept;
                  for (std::string const& entry : Journal())
                      if (entry.find("self") == 0 || entry.find("still") == 0)
                          kept.push_back(entry);
                  return kept;
              }()));
    EXPECT_EQ(1, after->GetUpdateCount());
}

TEST_F(ObjectDatabaseTest, ATaskThatDestroysItsObjectStopsTheRestOfItsUpdate)
{
    PlainObject* doomed = new PlainObject("doomed");
    database.AddObject(doomed);
    doomed->AddTask(new SelfDestructTask());
    bool updated = false;
    doomed->onUpdate = [&](float) { updated = true; };
    database.Update(0.02f);
    EXPECT_EQ(Lines{"doomed deleted"}, Entries("doomed deleted"));
    // It was destroyed by its serial queue, so its own Update did not run.
    EXPECT_FALSE(updated);
}

TEST_F(ObjectDatabaseTest, HandlersDestroyingOthersDuringABroadcastSkipThemButDeleteNothingYet)
{
    Label const ping = Label::GetUniqueString("Ping");
    PlainObject* first = new PlainObject("first");
    database.AddObject(first);
    PlainObject* second = new PlainObject("second");
    ObjectID const secondID = database.AddObject(second);
    PlainObject* third = new PlainObject("third");
    database.AddObject(third);
    first->onMessage = [&](ObjectMessage const& message) {
        if (message.message == ping)
        {
            database.DestroyObject(secondID);
            // A handler that runs an update mid-broadcast must not free the object the
            // broadcast is about to look at.
            database.Update(0.0f);
            database.AddObject(new PlainObject("newcomer"));
        }
    };
    Journal().clear();
    database.SendMessage(ObjectMessage(kInvalidObjectID, ping));
    EXPECT_EQ((Lines{"first got Ping", "third got Ping", "newcomer got Ping"}), EntriesWith("got Ping"));
    EXPECT_TRUE(Entries("second deleted").empty());
    database.Update(0.02f);
    EXPECT_EQ(Lines{"second deleted"}, Entries("second deleted"));
}

TEST_F(ObjectDatabaseTest, DestructorsThatDestroyOrAddObjectsDuringThePurgeAreSafe)
{
    struct Owner : PlainObject
    {
        Owner(ObjectDatabase& db, ObjectID child) : PlainObject("owner"), database(db), childID(child) {}
        ~Owner() override
        {
            database.DestroyObject(childID);
            database.AddObject(new PlainObject("orphanage"));
        }
        ObjectDatabase& database;
        ObjectID childID;
    };
    ObjectID const child = database.AddObject(new PlainObject("child"));
    ObjectID const owner = database.AddObject(new Owner(database, child));
    database.DestroyObject(owner);
    database.Update(0.02f);
    EXPECT_EQ(Lines{"owner deleted"}, Entries("owner deleted"));
    // The child sits behind the purge's cursor, so the next update deletes it.
    EXPECT_EQ(nullptr, database.GetObject(child));
    database.Update(0.02f);
    EXPECT_EQ(Lines{"child deleted"}, Entries("child deleted"));
}

TEST_F(ObjectDatabaseTest, DestroyingTheDatabaseDeletesEveryObjectWithoutRemoveMessages)
{
    {
        ObjectDatabase local;
        local.AddObject(new PlainObject("one"));
        ObjectID const two = local.AddObject(new PlainObject("two"));
        local.DestroyObject(two);
        Journal().clear();
    }
    EXPECT_EQ((Lines{"one deleted", "two deleted"}), Journal());
}

// ---- Invalid input ----

TEST_F(ObjectDatabaseTest, StaleForeignAndInvalidIDsFindNothingAndDestroyNothing)
{
    ObjectID const id = database.AddObject(new PlainObject("only"));
    for (ObjectID bad : {kInvalidObjectID, ObjectID(0x00010000), ObjectID(0x00000005), ObjectID(0x7FFF1234)})
    {
        EXPECT_FALSE(database.IsValidObjectID(bad));
        EXPECT_EQ(nullptr, database.GetObject(bad));
        database.DestroyObject(bad);
    }
    // An index past the slots reads as an empty slot rather than past the array.
    EXPECT_EQ(nullptr, database.GetObjectDescriptor(0x00000005).object);
    EXPECT_NE(nullptr, database.GetObject(id));
    database.DestroyNamedObject(Label::GetUniqueString("Nobody"));
    database.DestroyObjectsWithRole(Label::GetUniqueString("NoRole"));
    EXPECT_NE(nullptr, database.GetObject(id));
    EXPECT_EQ(kInvalidObjectID, database.AddObject(nullptr));
}

TEST_F(ObjectDatabaseTest, AnObjectOfAnotherDatabaseOrADestroyedOneIsRefused)
{
    ObjectDatabase other;
    PlainObject* object = new PlainObject("x");
    ObjectID const id = other.AddObject(object);
    EXPECT_THROW(database.AddObject(object), RuntimeError);
    EXPECT_EQ(0u, database.GetSlotCount());
    other.DestroyObject(id);
    EXPECT_THROW(other.AddObject(object), RuntimeError);
    EXPECT_EQ(1u, other.GetSlotCount());
}

TEST_F(ObjectDatabaseTest, TheDatabaseRefusesToGrowPastTheIDSpaceAndNeverHandsOutMinusOne)
{
    for (unsigned i = 0; i < ObjectDatabase::kMaxSlots; ++i)
        ASSERT_NE(kInvalidObjectID, database.AddObject(new Object()));
    EXPECT_EQ(65535u, database.GetSlotCount());

    // A failure leaves the database as it was; the caller keeps the object.
    Object extra;
    EXPECT_THROW(database.AddObject(&extra), RuntimeError);
    EXPECT_EQ(65535u, database.GetSlotCount());
    EXPECT_EQ(kInvalidObjectID, extra.GetID());
    EXPECT_EQ(nullptr, extra.GetDatabase());

    // The last slot is 0xFFFE; with generation 0xFFFF its ID is still not -1.
    ObjectID const last = 0x0000FFFE;
    ASSERT_TRUE(database.IsValidObjectID(last));
    EXPECT_EQ(65534u, GetObjectIDIndex(last));
}

TEST_F(ObjectDatabaseTest, TheGenerationWrapsAfter65536UsesOfASlot)
{
    ObjectID id = kInvalidObjectID;
    for (int use = 0; use < 65537; ++use)
    {
        id = database.AddObject(new Object());
        ASSERT_NE(kInvalidObjectID, id);
        ASSERT_EQ(0u, GetObjectIDIndex(id));
        ASSERT_EQ(static_cast<unsigned>(use & 0xFFFF), GetObjectIDGeneration(id));
        database.DestroyObject(id);
        database.Update(0.0f);
    }
    EXPECT_EQ(1u, database.GetSlotCount());
}

// ---- Non-ASCII names ----

TEST_F(ObjectDatabaseTest, NamesWithAccentsAreFoundByTheirLabel)
{
    Label const name(L"Cami\u00F3nGr\u00FAa");
    ObjectID const id = database.AddObject(new PlainObject("truck", name));
    EXPECT_EQ(database.GetObject(id), database.GetNamedObject(Label(L"Cami\u00F3nGr\u00FAa")));
    database.DestroyNamedObject(name);
    EXPECT_EQ(nullptr, database.GetObject(id));
}

} // namespace
} // namespace Corvane
