#include "2DEngine/Source/Graphics/ScreenDimming.h"

#include "Core/Source/Singleton.h"
#include "2DEngine/Source/Framework/Platform.h"
#include "2DEngine/Source/Graphics/Context.h"
#include "2DEngine/Source/Graphics/Drawing.h"

namespace Corvane
{
namespace Internal
{

void DimScreen()
{
    if (!IsGraphicsPlatformRegistered())
        return;
    Graphics::ICanvas* const screen = GetGraphicsPlatform()->GetScreenCanvas();
    if (!screen)
        return;

    Graphics::PushContext(Graphics::GetContext());
    Graphics::sDrawState state = Graphics::GetDrawState();
    state.color = ColorF(0.0f, 0.0f, 0.0f, 0.5f);
    state.flags |= Graphics::DRAW_FLAG_ALPHA;
    Graphics::SetDrawState(state);
    Graphics::DrawFilledRect(screen->GetBounds());
    Graphics::PopContext();
}

} // namespace Internal
} // namespace Corvane
