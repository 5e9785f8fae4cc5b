#include "qdl/Source/Game/Application.h"

#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/ResourceManager.h"
#include "2DEngine/Source/Framework/Window.h"
#include "CorvaneExtensions/AudioPlatform/BASS/Audio.h"
#include "CorvaneExtensions/Source/CorvaneExtensions.h"
#include "qdl/Source/Game/GameAudioManager.h"
#include "qdl/Source/Game/LevelProgressionResourceFactory.h"
#include "qdl/Source/Game/LoadingMode.h"
#include "qdl/Source/Game/UnsavedAtQuit.h"
#include "qdl/Source/Game/CountTheMaterials/CountTheMaterialsLevelResourceFactory.h"
#include "qdl/Source/Game/HammerTheNail/HammerTheNailLevelResourceFactory.h"
#include "qdl/Source/Game/HereToThere/HereToThereLevelResourceFactory.h"
#include "qdl/Source/Game/HideAndSeek/HideAndSeekLevelResourceFactory.h"
#include "qdl/Source/Game/PaintTheHouse/PaintItLevelResourceFactory.h"
#include "qdl/Source/Game/PileOfLeaves/PileOfLeavesLevelResourceFactory.h"
#include "qdl/Source/Game/PlanAJob/PlanAJobLevelResourceFactory.h"
#include "qdl/Source/Game/ScarrowPuzzle/ScarrowPuzzleLevelResourceFactory.h"
#include "qdl/Source/Game/StreetSigns/StreetSignLevelResourceFactory.h"
#include "qdl/Source/Game/TollerStacker/TollerStackerLevelResourceFactory.h"
#include "qdl/Source/Game/ToolShed/ToolShedLevelResourceFactory.h"
#include "qdl/Source/Game/TrundelsDelivery/TrundelsDeliveryLevelResourceFactory.h"

using namespace Corvane;

namespace
{

Account* currentAccount()
{
    return GetAccountManager()->GetCurrentAccount();
}

// After "resources", which the loading mode queues first.
wchar_t const* const kManifestsAfterVoices[] = {
    L"AudioResources_General", L"LocalizedText", L"LocalizedImageResources", L"LocalizedImageResources_SP",
    L"StickerBook", L"TitleMainMenu", L"ProfileSelect", L"CreditsMode", L"DifficultyOptionsQuit", L"CutsceneMode",
    L"FennInstructionMode", L"FreePlaySelect", L"GameSelect", L"TrundelsDeliveryMode", L"PileOfLeavesMode",
    L"CountTheMaterialsMode", L"HammerTheNailMode", L"TollerStackerMode", L"PlanAJobMode", L"StreetSignsMode",
    L"ToolShedMode", L"ScarrowPuzzleMode", L"HideAndSeekMode", L"HereToThereMode", L"PaintTheHouseMode"};

} // namespace

sApplicationDescriptor const& Application::GetDescriptor() const
{
    static sApplicationDescriptor const descriptor = {L"Plenwick",
                                                      L"Quarrydale Yarrowfete",
                                                      L"Copyright \u00a9 2026 Plenwick. All rights reserved.",
                                                      L"1.0",
                                                      L"1.0.0.0",
                                                      {1, 0, 0, 0},
                                                      nullptr};
    return descriptor;
}

sWindowConfig const& Application::GetDefaultWindowConfig() const
{
    static sWindowConfig config = BaseApplication::GetDefaultWindowConfig();
    if (Account const* const account = currentAccount())
        config.mode = static_cast<eWindowMode>(account->ReadValue(
            Window::kModeKey, static_cast<int>(config.mode), kWindowMode_Windowed, kWindowMode_FullScreen));
    return config;
}

void Application::RegisterSingletons()
{
    CreateDefaultAudioPlatform();
}

void Application::registerResourceFactories()
{
    SetupCorvaneExtensions();
    ResourceManager* const manager = GetResourceManager();
    manager->AddResourceFactory(L"StreetSignLevel", new StreetSignLevelResourceFactory());
    manager->AddResourceFactory(L"ToolShedLevel", new ToolShedLevelResourceFactory());
    manager->AddResourceFactory(L"ScarrowPuzzleLevel", new ScarrowPuzzleLevelResourceFactory());
    manager->AddResourceFactory(L"HideAndSeekLevel", new HideAndSeekLevelResourceFactory());
    manager->AddResourceFactory(L"PlanAJobLevel", new PlanAJobLevelResourceFactory());
    manager->AddResourceFactory(L"PileOfLeavesLevel", new PileOfLeavesLevelResourceFactory());
    manager->AddResourceFactory(L"TollerStackerLevel", new TollerStackerLevelResourceFactory());
    manager->AddResourceFactory(L"HammerTheNailLevel", new HammerTheNailLevelResourceFactory());
    manager->AddResourceFactory(L"CountTheMaterialsLevel", new CountTheMaterialsLevelResourceFactory());
    manager->AddResourceFactory(L"HereToThereLevel", new HereToThereLevelResourceFactory());
    manager->AddResourceFactory(L"PaintItLevel", new PaintItLevelResourceFactory());
    manager->AddResourceFactory(L"TrundelsDeliveryLevel", new TrundelsDeliveryLevelResourceFactory());
    manager->AddResourceFactory(L"LevelProg", new LevelProgressionResourceFactory());
}

::LoadingMode* Application::createLoadingMode()
{
    ::LoadingMode* const mode = new ::LoadingMode();
    Account const* const account = currentAccount();
    bool const english = account ? account->ReadCheckedValue(L"EnglishLanguage", true) : true;

    mode->AddLoadingTask(new ResourceLoadTask(L"GlobalConstants"), 1);
    mode->AddLoadingTask(new ResourceLoadTask(L"LevelProgression"), 1);
    mode->AddLoadingTask(new ResourceLoadTask(L"LevelProgressionPark"), 1);
    // Only the voices follow the language; texts and pictures of both are loaded.
    mode->AddLoadingTask(new ResourceLoadTask(english ? L"AudioResources" : L"AudioResources_SP"), 1);
    for (wchar_t const* manifest : kManifestsAfterVoices)
        mode->AddLoadingTask(new ResourceLoadTask(manifest), 1);
    return mode;
}

void Application::Setup()
{
    registerResourceFactories();
    MainLoop::ChangeMode(createLoadingMode());
    GetAccountManager()->AddChangeHandler(this);
    OnAfterAccountChange();
}

void Application::Cleanup()
{
    OnBeforeAccountChange();
    GetAccountManager()->RemoveChangeHandler(this);
    // The settings' save has just tried again whatever an earlier write could not store.
    tellOfUnsavedValues(GetAccountManager()->GetCurrentAccount());
}

void Application::Update(float)
{
    GetAudioManager()->updateVocalAudioQueues();
}

void Application::OnBeforeAccountChange()
{
    // The settings saved together reach the file in one write, not one per changed value.
    Account::DeferredWrites const together(GetAccountManager()->GetCurrentAccount());
    Window::SaveAccountSettings();
    Audio::SaveAccountSettings();
}

void Application::OnAfterAccountChange()
{
    Window::LoadAccountSettings();
    Audio::LoadAccountSettings();
}
