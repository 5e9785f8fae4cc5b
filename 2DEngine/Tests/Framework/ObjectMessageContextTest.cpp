// Broadcasts run with the broadcasting database's mode as the context mode, also
// when that mode is not the top, and the context is put back afterwards.

#include "2DEngine/Tests/Framework/MainLoopTestSupport.h"
#include "2DEngine/Tests/Framework/ObjectTestSupport.h"

namespace Corvane
{
namespace MainLoopTest
{
namespace
{

class ObjectMessageContextTest : public MainLoopFixture
{
};

TEST_F(ObjectMessageContextTest, HandlersSeeTheBroadcastingDatabaseAsTheContextDatabase)
{
    RecordingMode* below = new RecordingMode("below");
    RecordingMode* top = new RecordingMode("top");
    StartWith({below, top});
    ObjectDatabase* seen = nullptr;
    ObjectDatabase* belowDatabase = nullptr;
    ObjectDatabase* contextAfter = nullptr;
    ObjectDatabase* topDatabase = nullptr;
    RunPasses(2, [&](int pass) {
        if (pass != 1)
            return;
        belowDatabase = below->GetObjectDatabase();
        topDatabase = top->GetObjectDatabase();
        ObjectTest::PlainObject* listener = new ObjectTest::PlainObject("listener");
        listener->onMessage = [&](ObjectMessage const&) { seen = GetObjectDatabase(); };
        belowDatabase->AddObject(listener);
        belowDatabase->SendMessage(ObjectMessage(kInvalidObjectID, Label::GetUniqueString("Hola")));
        contextAfter = GetObjectDatabase();
    });
    ASSERT_NE(nullptr, belowDatabase);
    EXPECT_EQ(belowDatabase, seen);
    EXPECT_EQ(topDatabase, contextAfter);
}

TEST_F(ObjectMessageContextTest, AutoObjectAndGetObjectLookInTheContextDatabase)
{
    RecordingMode* mode = new RecordingMode("mode");
    StartWith({mode});
    bool foundByName = false;
    bool foundRole = false;
    bool missing = true;
    RunPasses(2, [&](int pass) {
        if (pass != 1)
            return;
        Label const name(L"Se\u00F1al");
        ObjectTest::Widget* widget = new ObjectTest::Widget("sign", 1.0f);
        ObjectID const id = mode->GetObjectDatabase()->AddObject(widget);
        ObjectTest::PlainObject* named = new ObjectTest::PlainObject("named", name);
        mode->GetObjectDatabase()->AddObject(named);
        foundByName = AutoObject<ObjectTest::PlainObject>(name).Get() == named;
        foundRole = GetObject<IVisible>(id) == static_cast<IVisible*>(widget);
        missing = GetObject<IVisible>(named->GetID()) == nullptr && !AutoObject<ObjectTest::Widget>(name);
        std::vector<ObjectID> const ids = {id, named->GetID(), kInvalidObjectID};
        std::vector<IEnable*> enables;
        GetObjects(ids, enables);
        missing = missing && enables.size() == 1 && enables[0] == static_cast<IEnable*>(widget);
    });
    EXPECT_TRUE(foundByName);
    EXPECT_TRUE(foundRole);
    EXPECT_TRUE(missing);
}

} // namespace
} // namespace MainLoopTest
} // namespace Corvane
