#include "qdl/Source/Game/GameMakers.h"

#include "Core/Source/Log.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "CorvaneExtensions/Source/SceneLayout.h"
#include "qdl/Source/Game/HammerTheNail/HammerTheNailMode.h"

Corvane::ApplicationMode* createHammerTheNailGame(Corvane::Label)
{
    // Without its screen the game would leave the child with nothing to click, not even Quit.
    if (!Corvane::AutoResource<SceneLayout>("HammerTheNailModeLayout"))
    {
        Corvane::Internal::LogWrite("HammerTheNail: the scene layout HammerTheNailModeLayout is missing; "
                                    "the game cannot be started\n");
        return nullptr;
    }
    return new HammerTheNailMode(true, -1);
}
