#pragma once

// The game's loading screen: the engine's, with the root manifest "resources"
// queued first; when everything is loaded the arrow cursor comes back and the
// title screen takes over.

#include "2DEngine/Source/Widgets/LoadingMode.h"

class LoadingMode : public Corvane::LoadingMode
{
public:
    LoadingMode();
    // The engine's destructor deletes the queued tasks.
    ~LoadingMode() override;

    void OnAfterLoad() override;
};
