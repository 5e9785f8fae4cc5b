// The application's defaults and registration, and the default behaviour of
// an application mode: its object database, opacity and background.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "2DEngine/Source/Framework/Application.h"
#include "2DEngine/Source/Framework/ApplicationMode.h"
#include "2DEngine/Tests/Framework/MainLoopTestSupport.h"

namespace Corvane
{
namespace
{

class NamedApplication : public BaseApplication
{
public:
    NamedApplication(wchar_t const* product, wchar_t const* title)
    {
        mDescriptor.productName = product;
        mDescriptor.windowTitle = title;
    }
};

class CountingObject : public Object
{
public:
    explicit CountingObject(int* updates) : mUpdates(updates) {}
    void Update(float) override { ++*mUpdates; }

private:
    int* mUpdates;
};

class KeyObject : public Object, public InputHandlerComponent
{
public:
    explicit KeyObject(int* keys) : mKeys(keys) {}
    MessageResult OnKeyDown(int key) override
    {
        *mKeys = key;
        return kMessageHandled;
    }

private:
    int* mKeys;
};

class PlainMode : public ApplicationMode
{
};

// --- normal case -----------------------------------------------------------

TEST(ApplicationTest, BaseApplicationHoldsTheEngineDefaults)
{
    BaseApplication application;

    sApplicationDescriptor const& descriptor = application.GetDescriptor();
    EXPECT_EQ(std::wstring(L"[Company Name]"), descriptor.companyName);
    EXPECT_EQ(std::wstring(L"[Product Name]"), descriptor.productName);
    EXPECT_EQ(std::wstring(L"[Copyright]"), descriptor.copyright);
    EXPECT_EQ(std::wstring(L"[User Version]"), descriptor.userVersion);
    EXPECT_EQ(std::wstring(L"[Full Version]"), descriptor.fullVersion);
    EXPECT_EQ(nullptr, descriptor.windowTitle);
    for (uint16_t part : descriptor.version)
        EXPECT_EQ(0, part);

    EXPECT_TRUE(application.GetConfig().singleInstance);
    EXPECT_FALSE(application.GetConfig().runInBackground);

    sWindowConfig const& window = application.GetDefaultWindowConfig();
    EXPECT_EQ(kWindowMode_FullScreen, window.mode);
    EXPECT_EQ(1u, window.aspectLock);
    EXPECT_EQ(800, window.width);
    EXPECT_EQ(600, window.height);
    EXPECT_EQ(2ul, application.GetDefaultGraphicsPlatformCaps());
}

TEST(ApplicationTest, ConstructionRegistersAndDestructionClearsTheApplication)
{
    {
        BaseApplication application;
        EXPECT_EQ(&application, GetApplication());
    }
    EXPECT_EQ(nullptr, GetApplication());
}

TEST(ApplicationTest, WindowTitleFallsBackToTheProductName)
{
    NamedApplication untitled(L"Building Site", nullptr);
    EXPECT_EQ(std::wstring(L"Building Site"), GetApplicationWindowTitle(untitled.GetDescriptor()));

    NamedApplication titled(L"Building Site", L"Site");
    EXPECT_EQ(std::wstring(L"Site"), GetApplicationWindowTitle(titled.GetDescriptor()));
}

TEST(ApplicationTest, ModeIsOpaqueAndUpdatesItsObjects)
{
    PlainMode mode;
    EXPECT_TRUE(mode.IsOpaque());

    int updates = 0;
    ObjectDatabase* database = mode.GetObjectDatabase();
    ASSERT_NE(nullptr, database);
    database->AddObject(new CountingObject(&updates));
    mode.Update(0.02f);
    mode.Update(0.02f);
    EXPECT_EQ(2, updates);
}

TEST(ApplicationTest, ModeRoutesKeysToItsObjectsByDefault)
{
    PlainMode mode;
    int key = 0;
    KeyObject* object = new KeyObject(&key);
    mode.GetObjectDatabase()->AddObject(object);
    mode.GetObjectDatabase()->SetFocus(object);

    EXPECT_EQ(kMessageHandled, mode.OnKeyDown(65));
    EXPECT_EQ(65, key);
}

// --- invalid input -------------------------------------------------------------

TEST(ApplicationTest, WindowTitleWithNoNamesIsEmpty)
{
    NamedApplication nameless(nullptr, nullptr);
    EXPECT_EQ(std::wstring(), GetApplicationWindowTitle(nameless.GetDescriptor()));
}

TEST(ApplicationTest, DrawBackgroundWithoutGraphicsPlatformDrawsNothing)
{
    Internal::DimScreenHook const saved = Internal::GetDimScreenHook();
    MainLoopTest::CallLog().clear();
    Internal::SetDimScreenHook(&MainLoopTest::RecordDim);
    ASSERT_FALSE(IsGraphicsPlatformRegistered());

    PlainMode mode;
    mode.DrawBackground();
    EXPECT_EQ(0, MainLoopTest::Count(MainLoopTest::CallLog(), "dim"));

    {
        MainLoopTest::FakeGraphicsPlatform hardware(kGraphicsPlatformCaps_Hardware);
        mode.DrawBackground();
    }
    EXPECT_EQ(1, MainLoopTest::Count(MainLoopTest::CallLog(), "dim"));
    Internal::SetDimScreenHook(saved);
}

// --- non-ASCII names -----------------------------------------------------------

TEST(ApplicationTest, SpanishProductNameTitlesTheWindow)
{
    NamedApplication application(L"Constructora Peña", nullptr);
    EXPECT_EQ(std::wstring(L"Constructora Peña"), GetApplicationWindowTitle(application.GetDescriptor()));
}

// --- a failure leaves state unchanged --------------------------------------------

TEST(ApplicationTest, DestroyingAnApplicationThatIsNotRegisteredLeavesTheRegistration)
{
    std::unique_ptr<BaseApplication> first(new BaseApplication());
    BaseApplication second;
    ASSERT_EQ(&second, GetApplication());

    first.reset();
    EXPECT_EQ(&second, GetApplication());
}

} // namespace
} // namespace Corvane
