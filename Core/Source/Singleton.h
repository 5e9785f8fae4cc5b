#ifndef CORVANE_CORE_SINGLETON_H
#define CORVANE_CORE_SINGLETON_H

namespace Corvane
{

class IPlatform;
class IGraphicsPlatform;
class IAudioPlatform;
class INetworkPlatform;
class IFileSource;

// Process-wide platform services. Registration does not transfer ownership;
// Unregister clears the pointer only when it is the registered one.
void RegisterSingleton(IPlatform* platform);
void UnregisterSingleton(IPlatform* platform);
bool IsPlatformRegistered();
IPlatform* GetPlatform();

void RegisterSingleton(IGraphicsPlatform* platform);
void UnregisterSingleton(IGraphicsPlatform* platform);
bool IsGraphicsPlatformRegistered();
IGraphicsPlatform* GetGraphicsPlatform();

void RegisterSingleton(IAudioPlatform* platform);
void UnregisterSingleton(IAudioPlatform* platform);
bool IsAudioPlatformRegistered();
IAudioPlatform* GetAudioPlatform();

void RegisterSingleton(INetworkPlatform* platform);
void UnregisterSingleton(INetworkPlatform* platform);
INetworkPlatform* GetNetworkPlatform();

void RegisterSingleton(IFileSource* source);
bool IsFileSourceRegistered();
IFileSource* GetFileSource();

namespace Internal
{

// An entry of the shutdown registry. Constructing one registers it; destroying
// one removes it from the registry if the registry still exists.
class SingletonDestructor
{
public:
    SingletonDestructor();
    SingletonDestructor(SingletonDestructor const&) = delete;
    SingletonDestructor& operator=(SingletonDestructor const&) = delete;

    // Destroys the owned object, then the entry itself.
    virtual void Destruct() = 0;

protected:
    virtual ~SingletonDestructor();

private:
    friend void DeleteAllSingletons();
    unsigned long long mSequence;
};

template <class T>
class AutoDeleteSingletonDestructor : public SingletonDestructor
{
public:
    explicit AutoDeleteSingletonDestructor(T* object) : mObject(object) {}

    void Destruct() override
    {
        T* const object = mObject;
        mObject = nullptr;
        delete object;
        delete this;
    }

private:
    T* mObject;
};

// Deletes every object handed to AutoDeleteSingleton, the most recently
// registered first, so that each manager is deleted while the ones created
// before it (which it may use) still exist. Then forgets the registry.
void DeleteAllSingletons();

// Number of objects waiting in the registry (0 when there is none).
int GetSingletonCount();

} // namespace Internal

// Hands the object to the shutdown registry; DeleteAllSingletons deletes it.
template <class T>
void AutoDeleteSingleton(T* object)
{
    new Internal::AutoDeleteSingletonDestructor<T>(object);
}

} // namespace Corvane

#endif
