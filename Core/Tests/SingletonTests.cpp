#include "Core/Source/Singleton.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

using namespace Corvane;

namespace
{

std::vector<std::string>& DeletionLog()
{
    static std::vector<std::string> log;
    return log;
}

class IManager
{
public:
    virtual ~IManager() {}
};

class Manager : public IManager
{
public:
    explicit Manager(std::string name) : mName(std::move(name)) {}
    ~Manager() override { DeletionLog().push_back(mName); }

private:
    std::string mName;
};

// Creates a manager of its own while being deleted, as a late getter call would.
class LateCreator
{
public:
    ~LateCreator()
    {
        DeletionLog().push_back("late creator");
        AutoDeleteSingleton(new Manager("created late"));
    }
};

// Registered addresses are never dereferenced by the registry.
template <class T>
T* FakeService(int& storage)
{
    return reinterpret_cast<T*>(&storage);
}

// Restores a registration that another suite may have made.
template <class T>
struct SavedRegistration
{
    SavedRegistration(T* (*get)()) : previous(get()) {}
    ~SavedRegistration()
    {
        if (previous)
            RegisterSingleton(previous);
    }
    T* previous;
};

} // namespace

TEST(Singleton, RegisterReplacesAndUnregisterNeedsTheSamePointer)
{
    SavedRegistration<IPlatform> saved(&GetPlatform);
    int first = 0;
    int second = 0;
    RegisterSingleton(FakeService<IPlatform>(first));
    EXPECT_TRUE(IsPlatformRegistered());
    EXPECT_EQ(FakeService<IPlatform>(first), GetPlatform());
    RegisterSingleton(FakeService<IPlatform>(second));
    EXPECT_EQ(FakeService<IPlatform>(second), GetPlatform());

    UnregisterSingleton(FakeService<IPlatform>(first));
    EXPECT_EQ(FakeService<IPlatform>(second), GetPlatform());
    UnregisterSingleton(FakeService<IPlatform>(second));
    EXPECT_FALSE(IsPlatformRegistered());
    EXPECT_EQ(nullptr, GetPlatform());
}

TEST(Singleton, EachInterfaceKeepsItsOwnPointer)
{
    SavedRegistration<IGraphicsPlatform> graphics(&GetGraphicsPlatform);
    SavedRegistration<IAudioPlatform> audio(&GetAudioPlatform);
    SavedRegistration<INetworkPlatform> network(&GetNetworkPlatform);
    SavedRegistration<IFileSource> source(&GetFileSource);
    int a = 0, b = 0, c = 0, d = 0;
    RegisterSingleton(FakeService<IGraphicsPlatform>(a));
    RegisterSingleton(FakeService<IAudioPlatform>(b));
    RegisterSingleton(FakeService<INetworkPlatform>(c));
    RegisterSingleton(FakeService<IFileSource>(d));
    EXPECT_EQ(FakeService<IGraphicsPlatform>(a), GetGraphicsPlatform());
    EXPECT_EQ(FakeService<IAudioPlatform>(b), GetAudioPlatform());
    EXPECT_EQ(FakeService<INetworkPlatform>(c), GetNetworkPlatform());
    EXPECT_EQ(FakeService<IFileSource>(d), GetFileSource());
    EXPECT_TRUE(IsGraphicsPlatformRegistered());
    EXPECT_TRUE(IsAudioPlatformRegistered());
    EXPECT_TRUE(IsFileSourceRegistered());

    UnregisterSingleton(FakeService<IGraphicsPlatform>(a));
    UnregisterSingleton(FakeService<IAudioPlatform>(a));
    UnregisterSingleton(FakeService<INetworkPlatform>(c));
    EXPECT_FALSE(IsGraphicsPlatformRegistered());
    EXPECT_TRUE(IsAudioPlatformRegistered());
    EXPECT_EQ(nullptr, GetNetworkPlatform());
    UnregisterSingleton(FakeService<IAudioPlatform>(b));
    RegisterSingleton(static_cast<IFileSource*>(nullptr));
    EXPECT_FALSE(IsFileSourceRegistered());
}

namespace
{

bool DeleteAllDeletesNewestFirst()
{
    Internal::DeleteAllSingletons();
    bool ok = Internal::GetSingletonCount() == 0;
    // Without a registry nothing happens, twice.
    Internal::DeleteAllSingletons();
    Internal::DeleteAllSingletons();

    AutoDeleteSingleton(new Manager("file system"));
    AutoDeleteSingleton(static_cast<IManager*>(new Manager("resource manager")));
    AutoDeleteSingleton(static_cast<Manager*>(nullptr));
    AutoDeleteSingleton(new Manager("account manager"));
    ok = ok && Internal::GetSingletonCount() == 4 && DeletionLog().empty();

    Internal::DeleteAllSingletons();
    ok = ok && Internal::GetSingletonCount() == 0;
    ok = ok && DeletionLog() == std::vector<std::string>{"account manager", "resource manager", "file system"};

    Internal::DeleteAllSingletons();
    ok = ok && DeletionLog().size() == 3;

    // A registration afterwards starts a new registry.
    AutoDeleteSingleton(new Manager("download manager"));
    ok = ok && Internal::GetSingletonCount() == 1;
    Internal::DeleteAllSingletons();
    return ok && DeletionLog().back() == "download manager";
}

bool LateManagersAreDeletedToo()
{
    Internal::DeleteAllSingletons();
    AutoDeleteSingleton(new Manager("first"));
    AutoDeleteSingleton(new LateCreator());
    Internal::DeleteAllSingletons();
    return Internal::GetSingletonCount() == 0 &&
           DeletionLog() == std::vector<std::string>{"late creator", "created late", "first"};
}

} // namespace

// The shutdown registry is process-wide, so these run in a child process.
TEST(Singleton, DeleteAllDeletesNewestFirstAndForgetsTheRegistry)
{
    EXPECT_EXIT(_exit(DeleteAllDeletesNewestFirst() ? 0 : 1), ::testing::ExitedWithCode(0), "");
}

TEST(Singleton, ManagersCreatedDuringDeletionAreDeletedToo)
{
    EXPECT_EXIT(_exit(LateManagersAreDeletedToo() ? 0 : 1), ::testing::ExitedWithCode(0), "");
}
