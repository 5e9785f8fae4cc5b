#include "Core/Source/Singleton.h"

#include <iterator>
#include <map>

namespace Corvane
{

namespace
{

IPlatform* gPlatform = nullptr;
IGraphicsPlatform* gGraphicsPlatform = nullptr;
IAudioPlatform* gAudioPlatform = nullptr;
INetworkPlatform* gNetworkPlatform = nullptr;
IFileSource* gFileSource = nullptr;

template <class T>
void Unregister(T*& stored, T* given)
{
    if (stored == given)
        stored = nullptr;
}

// Entries keyed by registration number, so deletion can run newest first.
typedef std::map<unsigned long long, Internal::SingletonDestructor*> Registry;
Registry* gRegistry = nullptr;
unsigned long long gNextSequence = 0;

} // namespace

void RegisterSingleton(IPlatform* platform) { gPlatform = platform; }
void UnregisterSingleton(IPlatform* platform) { Unregister(gPlatform, platform); }
bool IsPlatformRegistered() { return gPlatform != nullptr; }
IPlatform* GetPlatform() { return gPlatform; }

void RegisterSingleton(IGraphicsPlatform* platform) { gGraphicsPlatform = platform; }
void UnregisterSingleton(IGraphicsPlatform* platform) { Unregister(gGraphicsPlatform, platform); }
bool IsGraphicsPlatformRegistered() { return gGraphicsPlatform != nullptr; }
IGraphicsPlatform* GetGraphicsPlatform() { return gGraphicsPlatform; }

void RegisterSingleton(IAudioPlatform* platform) { gAudioPlatform = platform; }
void UnregisterSingleton(IAudioPlatform* platform) { Unregister(gAudioPlatform, platform); }
bool IsAudioPlatformRegistered() { return gAudioPlatform != nullptr; }
IAudioPlatform* GetAudioPlatform() { return gAudioPlatform; }

void RegisterSingleton(INetworkPlatform* platform) { gNetworkPlatform = platform; }
void UnregisterSingleton(INetworkPlatform* platform) { Unregister(gNetworkPlatform, platform); }
INetworkPlatform* GetNetworkPlatform() { return gNetworkPlatform; }

void RegisterSingleton(IFileSource* source) { gFileSource = source; }
bool IsFileSourceRegistered() { return gFileSource != nullptr; }
IFileSource* GetFileSource() { return gFileSource; }

namespace Internal
{

SingletonDestructor::SingletonDestructor() : mSequence(gNextSequence++)
{
    if (gRegistry == nullptr)
        gRegistry = new Registry();
    gRegistry->emplace(mSequence, this);
}

SingletonDestructor::~SingletonDestructor()
{
    if (gRegistry != nullptr)
        gRegistry->erase(mSequence);
}

void DeleteAllSingletons()
{
    if (gRegistry == nullptr)
        return;
    // A destructor may register or delete further entries; take one at a time.
    while (!gRegistry->empty())
    {
        Registry::iterator const newest = std::prev(gRegistry->end());
        SingletonDestructor* const entry = newest->second;
        gRegistry->erase(newest);
        entry->Destruct();
    }
    delete gRegistry;
    gRegistry = nullptr;
}

int GetSingletonCount()
{
    return gRegistry != nullptr ? static_cast<int>(gRegistry->size()) : 0;
}

} // namespace Internal

} // namespace Corvane
