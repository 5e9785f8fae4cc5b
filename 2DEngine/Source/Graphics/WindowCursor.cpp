#include "2DEngine/Source/Graphics/WindowCursor.h"

#include <utility>

#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/Window.h"
#include "2DEngine/Source/Graphics/Drawing.h"

namespace Corvane
{
namespace Window
{
namespace Internal
{

void DrawCustomCursor()
{
    std::pair<int, int> const mouse = MainLoop::GetLastMousePos();
    float x = 0.0f;
    float y = 0.0f;
    if (!GetCustomCursorDrawPosition(mouse.first, mouse.second, &x, &y))
        return;
    Graphics::DrawImage(GetCustomCursorImage(), x, y);
}

} // namespace Internal
} // namespace Window
} // namespace Corvane
