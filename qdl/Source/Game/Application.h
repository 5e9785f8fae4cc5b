#pragma once

// The game's one application object: who the product is, how the window
// starts (its mode from the player's account), the audio platform, the
// resource readers of the levels and the story, every content manifest queued
// behind the loading screen, the window and audio settings kept in the
// account, and the voice-over queue drained every step.

#include "2DEngine/Source/Framework/Account.h"
#include "2DEngine/Source/Framework/Application.h"

class LoadingMode;

class Application : public Corvane::BaseApplication, public Corvane::IAccountChangeHandler
{
public:
    Application() {}
    ~Application() override {}

    Corvane::sApplicationDescriptor const& GetDescriptor() const override;
    // The first call copies the engine default; every call takes the mode
    // from the current account, keeping the present one when none is stored.
    Corvane::sWindowConfig const& GetDefaultWindowConfig() const override;
    void RegisterSingletons() override;
    void Setup() override;
    void Cleanup() override;
    void Update(float dt) override;

    // Saves the window and audio settings into the account.
    void OnBeforeAccountChange() override;
    // Loads the window and audio settings from the account.
    void OnAfterAccountChange() override;

    // The scene graph's kinds, the twelve level readers and the story reader.
    static void registerResourceFactories();
    // The loading screen with its 30 manifests; the voice-over manifest
    // follows the account's "EnglishLanguage" (English when absent).
    static LoadingMode* createLoadingMode();
};
