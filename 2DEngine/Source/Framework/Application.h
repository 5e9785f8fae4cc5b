#ifndef CORVANE_FRAMEWORK_APPLICATION_H
#define CORVANE_FRAMEWORK_APPLICATION_H

// The application: what the product is (names, version, window defaults,
// start-up flags) and the receiver of the engine's set-up, per-frame and
// tear-down calls. A game derives its one static application object from
// BaseApplication.

#include <cstdint>

#include "2DEngine/Source/Framework/Platform.h"

namespace Corvane
{

struct sApplicationDescriptor
{
    wchar_t const* companyName;
    wchar_t const* productName;
    wchar_t const* copyright;
    wchar_t const* userVersion;
    wchar_t const* fullVersion;
    uint16_t version[4];
    // Null means productName.
    wchar_t const* windowTitle;
};

struct sApplicationConfig
{
    // The main loop asks the platform to enforce a single instance after set-up.
    bool singleInstance;
    // Keeps the loop updating and drawing while the platform is inactive.
    bool runInBackground;
};

class IApplication
{
public:
    virtual ~IApplication() {}

    virtual sApplicationDescriptor const& GetDescriptor() const = 0;
    virtual sApplicationConfig const& GetConfig() const = 0;
    virtual sWindowConfig const& GetDefaultWindowConfig() const = 0;
    virtual unsigned long GetDefaultGraphicsPlatformCaps() const = 0;
    // Registers application-wide services before the engine makes its defaults.
    virtual void RegisterSingletons() = 0;
    // The application's own set-up; queues the first mode.
    virtual void Setup() = 0;
    // First step of the engine clean-up, after every mode is gone.
    virtual void Cleanup() = 0;
    // Drawn after all modes, every frame.
    virtual void Draw() = 0;
    // Every update step, after the audio platform and before the top mode.
    virtual void Update(float dt) = 0;
    // After every applied batch of mode changes that leaves a mode on the stack.
    virtual void OnEnterMode() = 0;
};

// The process-wide application, or null when none is constructed.
IApplication* GetApplication();

// The title of the application's window: the descriptor's windowTitle, or its
// productName when that is null.
wchar_t const* GetApplicationWindowTitle(sApplicationDescriptor const& descriptor);

class BaseApplication : public IApplication
{
public:
    // Registers the object being built as the process-wide application.
    BaseApplication();
    // Clears the registration only when this object is the registered one.
    ~BaseApplication() override;
    BaseApplication(BaseApplication const&) = delete;
    BaseApplication& operator=(BaseApplication const&) = delete;

    sApplicationDescriptor const& GetDescriptor() const override;
    sApplicationConfig const& GetConfig() const override;
    sWindowConfig const& GetDefaultWindowConfig() const override;
    unsigned long GetDefaultGraphicsPlatformCaps() const override;
    void RegisterSingletons() override {}
    void Setup() override {}
    void Cleanup() override {}
    void Draw() override {}
    void Update(float) override {}
    void OnEnterMode() override {}

    static sApplicationDescriptor const& GetDefaultDescriptor();
    static sApplicationConfig const& GetDefaultConfig();
    static sWindowConfig const& GetEngineDefaultWindowConfig();

protected:
    sApplicationDescriptor mDescriptor;
};

} // namespace Corvane

#endif
