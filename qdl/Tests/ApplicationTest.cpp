#include <cstdlib>
#include <string>
#include <vector>

#include "Core/Source/Error.h"
#include "2DEngine/Source/Framework/Window.h"
#include "2DEngine/Source/Platform/MacOSX/DesktopServices.h"
#include "qdl/Source/Game/Application.h"
#include "qdl/Source/Game/LevelManager.h"
#include "qdl/Source/Game/LevelProgressionData.h"
#include "qdl/Source/Game/LoadingMode.h"
#include "qdl/Source/Game/UnhandledException.h"
#include "qdl/Tests/GameTestSupport.h"

using namespace Corvane;
using GameTestSupport::GameFixture;
using GameTestSupport::ScreenRecorder;

namespace
{

class ApplicationTest : public GameFixture
{
protected:
    std::vector<std::wstring> Manifests()
    {
        std::unique_ptr<::LoadingMode> mode(Application::createLoadingMode());
        std::vector<std::wstring> manifests;
        for (auto const& entry : mode->GetTasks())
        {
            EXPECT_EQ(1u, entry.weight);
            ResourceLoadTask const* const task = dynamic_cast<ResourceLoadTask const*>(entry.task);
            EXPECT_NE(nullptr, task);
            manifests.push_back(task ? task->GetManifest() : L"?");
        }
        return manifests;
    }

    Application application;
};

std::vector<std::wstring> const kEnglishManifests = {
    L"resources", L"GlobalConstants", L"LevelProgression", L"LevelProgressionPark", L"AudioResources",
    L"AudioResources_General", L"LocalizedText", L"LocalizedImageResources", L"LocalizedImageResources_SP",
    L"StickerBook", L"TitleMainMenu", L"ProfileSelect", L"CreditsMode", L"DifficultyOptionsQuit", L"CutsceneMode",
    L"FennInstructionMode", L"FreePlaySelect", L"GameSelect", L"TrundelsDeliveryMode", L"PileOfLeavesMode",
    L"CountTheMaterialsMode", L"HammerTheNailMode", L"TollerStackerMode", L"PlanAJobMode", L"StreetSignsMode",
    L"ToolShedMode", L"ScarrowPuzzleMode", L"HideAndSeekMode", L"HereToThereMode", L"PaintTheHouseMode"};

TEST_F(ApplicationTest, TheDescriptorNamesTheProductAndItsVersion)
{
    sApplicationDescriptor const& descriptor = application.GetDescriptor();
    EXPECT_STREQ(L"Plenwick", descriptor.companyName);
    EXPECT_STREQ(L"Quarrydale Yarrowfete", descriptor.productName);
    EXPECT_STREQ(L"1.0", descriptor.userVersion);
    EXPECT_STREQ(L"1.0.0.0", descriptor.fullVersion);
    EXPECT_EQ(1, descriptor.version[0]);
    EXPECT_EQ(0, descriptor.version[1] + descriptor.version[2] + descriptor.version[3]);
    EXPECT_EQ(nullptr, descriptor.windowTitle);
    EXPECT_NE(nullptr, descriptor.copyright);
    EXPECT_STREQ(L"Quarrydale Yarrowfete", GetApplicationWindowTitle(descriptor));
    // The same record every time.
    EXPECT_EQ(&descriptor, &application.GetDescriptor());
    // The engine's own expectations of the application.
    EXPECT_TRUE(application.GetConfig().singleInstance);
    EXPECT_FALSE(application.GetConfig().runInBackground);
    EXPECT_EQ(application.GetDefaultGraphicsPlatformCaps(), BaseApplication().GetDefaultGraphicsPlatformCaps());
}

TEST_F(ApplicationTest, TheWindowStartsFullScreenAndFollowsTheModeInTheAccount)
{
    sWindowConfig const first = application.GetDefaultWindowConfig();
    EXPECT_EQ(kWindowMode_FullScreen, first.mode);
    EXPECT_EQ(1, first.aspectLock);
    EXPECT_EQ(800, first.width);
    EXPECT_EQ(600, first.height);

    ASSERT_TRUE(account->WriteValue(Window::kModeKey, 0));
    sWindowConfig const windowed = application.GetDefaultWindowConfig();
    EXPECT_EQ(kWindowMode_Windowed, windowed.mode);
    EXPECT_EQ(800, windowed.width);
    EXPECT_EQ(600, windowed.height);
    EXPECT_EQ(1, windowed.aspectLock);

    // Without a stored mode the present one stays.
    ASSERT_TRUE(account->DeleteValue(Window::kModeKey));
    EXPECT_EQ(kWindowMode_Windowed, application.GetDefaultWindowConfig().mode);
    ASSERT_TRUE(account->WriteValue(Window::kModeKey, 1));
    EXPECT_EQ(kWindowMode_FullScreen, application.GetDefaultWindowConfig().mode);
}

TEST_F(ApplicationTest, ThirtyManifestsOfEqualWeightAreLoadedInOrder)
{
    EXPECT_EQ(kEnglishManifests, Manifests());
}

TEST_F(ApplicationTest, TheSpanishVoicesReplaceTheEnglishOnesAndNothingElseChanges)
{
    ASSERT_TRUE(account->WriteValue(L"EnglishLanguage", false));
    std::vector<std::wstring> expected = kEnglishManifests;
    expected[4] = L"AudioResources_SP";
    std::vector<std::wstring> const manifests = Manifests();
    EXPECT_EQ(expected, manifests);
    EXPECT_EQ(manifests.end(), std::find(manifests.begin(), manifests.end(), L"AudioResources"));

    // An unreadable value means English.
    ASSERT_TRUE(account->WriteValue(L"EnglishLanguage", L"s\u00ed"));
    EXPECT_EQ(kEnglishManifests, Manifests());
}

TEST_F(ApplicationTest, TheLoadingModeLoadsTheRootManifestFirstAndDeletesItsTasksUnrun)
{
    ::LoadingMode mode;
    ASSERT_EQ(1u, mode.GetTasks().size());
    EXPECT_EQ(L"resources", dynamic_cast<ResourceLoadTask const*>(mode.GetTasks()[0].task)->GetManifest());
}

TEST_F(ApplicationTest, WithoutATitleScreenTheLoadingScreenStays)
{
    ScreenRecorder recorder;
    ::LoadingMode mode;
    testing::internal::CaptureStderr();
    mode.OnAfterLoad();
    std::string const log = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::vector<std::string>({"title"}), recorder.screens);
    EXPECT_NE(std::string::npos, log.find("title screen"));
}

TEST_F(ApplicationTest, EveryLevelKindAndTheStoryHaveTheirReader)
{
    Application::registerResourceFactories();
    LoadManifest(L"Niveles",
                 L"<resources>"
                 L"<StreetSignLevel name='AppSigns' difficulty='Easy'><attRequest color='Red'/>"
                 L"<signEntry color='Red' shape='Circle'/></StreetSignLevel>"
                 L"<ToolShedLevel name='AppTools' difficulty='Hard'><Tool type='Saw'/></ToolShedLevel>"
                 L"<ScarrowPuzzleLevel name='AppPuzzle' difficulty='Medium' puzzleID='1'/>"
                 L"<HideAndSeekLevel name='AppHide' difficulty='Medium' numPreviewHides='1' runSpeed='9'><Obstacle/>"
                 L"</HideAndSeekLevel>"
                 L"<PlanAJobLevel name='AppPlan' difficulty='Medium' numEmpty='1'/>"
                 L"<PileOfLeavesLevel name='AppLeaves' difficulty='Medium' numTools='3'/>"
                 L"<TollerStackerLevel name='AppStack' difficulty='Medium'><StackObject size='1' color='Red' type='Log'/>"
                 L"</TollerStackerLevel>"
                 L"<HammerTheNailLevel name='AppHammer' difficulty='Medium'><Nail type='Wrench' color='Red' "
                 L"clickCount='1'/></HammerTheNailLevel>"
                 L"<CountTheMaterialsLevel name='AppCount' difficulty='Medium'><Request material='Plant' number='1'/>"
                 L"<Material type='Plant' number='1'/></CountTheMaterialsLevel>"
                 L"<HereToThereLevel name='AppHere' difficulty='Medium'><Animal type='Star' color='Blue'/>"
                 L"</HereToThereLevel>"
                 L"<PaintItLevel name='AppPaint' difficulty='Medium'><Pattern order='AB'/></PaintItLevel>"
                 L"<TrundelsDeliveryLevel name='AppDeliver' difficulty='Medium'><Pattern order='AB'/>"
                 L"</TrundelsDeliveryLevel>"
                 L"<TrundelsDeliveryLevel name='AppDeliverBad' difficulty='medium'/>"
                 L"<LevelProg name='AppStory'><Level gameType='ToolShed'/></LevelProg>"
                 L"</resources>");
    LevelManager* const levels = GetLevelManager();
    auto has = [&](GameModeType type, GameModeDifficulty difficulty, char const* name) {
        std::vector<Label> const& list = levels->getLevels(type, difficulty);
        return std::find(list.begin(), list.end(), Label::GetUniqueString(name)) != list.end();
    };
    EXPECT_TRUE(has(kGameModeType_StreetSigns, kGameModeDifficulty_Easy, "AppSigns"));
    EXPECT_TRUE(has(kGameModeType_ToolShed, kGameModeDifficulty_Hard, "AppTools"));
    EXPECT_TRUE(has(kGameModeType_ScarrowPuzzle, kGameModeDifficulty_Medium, "AppPuzzle"));
    EXPECT_TRUE(has(kGameModeType_HideAndSeek, kGameModeDifficulty_Medium, "AppHide"));
    EXPECT_TRUE(has(kGameModeType_PlanAJob, kGameModeDifficulty_Medium, "AppPlan"));
    EXPECT_TRUE(has(kGameModeType_PileOfLeaves, kGameModeDifficulty_Medium, "AppLeaves"));
    EXPECT_TRUE(has(kGameModeType_TollerStacker, kGameModeDifficulty_Medium, "AppStack"));
    EXPECT_TRUE(has(kGameModeType_HammerTheNail, kGameModeDifficulty_Medium, "AppHammer"));
    EXPECT_TRUE(has(kGameModeType_CountTheMaterials, kGameModeDifficulty_Medium, "AppCount"));
    EXPECT_TRUE(has(kGameModeType_HereToThere, kGameModeDifficulty_Medium, "AppHere"));
    EXPECT_TRUE(has(kGameModeType_PaintIt, kGameModeDifficulty_Medium, "AppPaint"));
    EXPECT_TRUE(has(kGameModeType_TrundelsDelivery, kGameModeDifficulty_Medium, "AppDeliver"));
    // A difficulty that is not one of the three words registers nothing, but the resource loads.
    for (int d = 0; d < kNumGameModeDifficulties; ++d)
        EXPECT_FALSE(has(kGameModeType_TrundelsDelivery, static_cast<GameModeDifficulty>(d), "AppDeliverBad"));
    EXPECT_TRUE(AutoResource<IResourceDescriptor>("AppDeliverBad").GetDescriptor() != nullptr);
    // The content inside a level is not taken for resources of its own.
    AutoResource<LevelProgressionData> story("AppStory");
    ASSERT_TRUE(story);
    EXPECT_EQ(1u, story->entries.size());
}

TEST_F(ApplicationTest, SettingsAreSavedToTheAccountAndTheHandlerIsRemovedAtCleanup)
{
    GetAccountManager()->AddChangeHandler(&application);
    application.OnBeforeAccountChange();
    EXPECT_TRUE(account->ReadValue(Window::kIsCustomCursorEnabledKey) != L"");
    // No window is open here: no mode is kept that the next start could not open.
    EXPECT_EQ(L"", account->ReadValue(Window::kModeKey));
    application.OnAfterAccountChange();
    application.Cleanup();
    std::vector<IAccountChangeHandler*> const& handlers = GetAccountManager()->mChangeHandlers;
    EXPECT_EQ(handlers.end(), std::find(handlers.begin(), handlers.end(), &application));
}

// ---- The unhandled-exception report

class UnhandledExceptionTest : public ::testing::Test
{
protected:
    void SetUp() override { setenv(MacOSX::kLogMessageBoxesVariable, "1", 1); }
    void TearDown() override { unsetenv(MacOSX::kLogMessageBoxesVariable); }
};

TEST_F(UnhandledExceptionTest, AnEngineErrorIsLoggedInSixPartsAndShownWithItsPlace)
{
    RuntimeError const error("No se pudo abrir el archivo", "Fuente/Archivo.cpp", 42, "Cargar");
    EXPECT_EQ(L"Function:\tCargar\nFile:\tFuente/Archivo.cpp\nLine:\t42\n\nNo se pudo abrir el archivo",
              getUnhandledExceptionAlertText(error));

    testing::internal::CaptureStderr();
    reportUnhandledException(error);
    std::string const log = testing::internal::GetCapturedStderr();
    std::string const expected = "Unhandled Exception: Corvane::RuntimeError\n"
                                 "\tFunction:\tCargar\n"
                                 "\tFile:\tFuente/Archivo.cpp\n"
                                 "\tLine:\t42\n"
                                 "\tMessage:\tNo se pudo abrir el archivo\n";
    EXPECT_EQ(0u, log.find(expected)) << log;
    EXPECT_NE(std::string::npos, log.find("Unhandled Exception: Function:\tCargar"));
}

TEST_F(UnhandledExceptionTest, AStandardExceptionIsLoggedInThreePartsAndShownAsItsMessage)
{
    std::out_of_range const error("fuera de rango");
    EXPECT_EQ(L"fuera de rango", getUnhandledExceptionAlertText(error));
    testing::internal::CaptureStderr();
    reportUnhandledException(error);
    std::string const log = testing::internal::GetCapturedStderr();
    EXPECT_EQ(0u, log.find("Unhandled Exception: std::out_of_range\n\tMessage:\tfuera de rango\n")) << log;
    EXPECT_NE(std::string::npos, log.find("Unhandled Exception: fuera de rango"));
    EXPECT_EQ(std::string::npos, log.find("Function"));
}

} // namespace
