#include "2DEngine/Source/Framework/FileTransfer.h"

namespace Corvane
{
    namespace
    {
        IDownloadManager* gDownloadManager = nullptr;
    }

    void RegisterDownloadManager(IDownloadManager* manager)
    {
        gDownloadManager = manager;
    }

    void UnregisterDownloadManager(IDownloadManager* manager)
    {
        if (gDownloadManager == manager)
            gDownloadManager = nullptr;
    }

    IDownloadManager* GetRegisteredDownloadManager()
    {
        return gDownloadManager;
    }
}
