#include "qdl/Source/Game/LoadingMode.h"

#include "Core/Source/Log.h"
#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/Window.h"
#include "qdl/Source/Game/GameScreenHooks.h"

LoadingMode::LoadingMode()
{
    AddLoadingTask(new Corvane::ResourceLoadTask(L"resources"), 1);
}

LoadingMode::~LoadingMode() {}

void LoadingMode::OnAfterLoad()
{
    Corvane::Window::SetCursor(Corvane::kCursor_Arrow);
    sGameScreenHooks const& hooks = GetGameScreenHooks();
    Corvane::ApplicationMode* const title = hooks.createTitleMode ? hooks.createTitleMode() : nullptr;
    if (!title)
    {
        Corvane::Internal::LogWrite("The title screen is not available; the loading screen stays\n");
        return;
    }
    Corvane::MainLoop::ChangeMode(title);
}
