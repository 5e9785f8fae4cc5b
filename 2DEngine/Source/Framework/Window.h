#ifndef CORVANE_FRAMEWORK_WINDOW_H
#define CORVANE_FRAMEWORK_WINDOW_H

// The one window configuration of the process: windowed or full screen, the
// aspect lock and the size. Applying a configuration tears the graphics
// platform and the window down and builds both again, walking from hardware
// to software rendering and from full screen to windowed until one works.
// Also the software-drawn cursor and the mode kept in the player's account.
// Main thread only.

#include <functional>

#include "Core/Source/Vector2.h"
#include "2DEngine/Source/Framework/Platform.h"

namespace Corvane
{

class IImage;

namespace Window
{

// The account keys.
extern wchar_t const* const kModeKey;                  // "Corvane::Window::Mode"
extern wchar_t const* const kIsCustomCursorEnabledKey; // "Corvane::Window::IsCustomCursorEnabled"

// The current configuration; its mode is kWindowMode_None until the first apply.
sWindowConfig const& GetConfig();
// Applies the configuration unless its mode, width and height are the current
// ones; a mode other than windowed and full screen is logged and opens a
// window. Throws what the last fallback threw when no combination works.
void SetConfig(sWindowConfig const& config);
void SetMode(eWindowMode mode);
void ToggleMode();

void EnableCustomCursor(bool enable);
bool IsCustomCursorEnabled();
// The image is not owned; null draws no cursor.
void SetCustomCursor(IImage const* image, Vector2<int> const& hotSpot);
IImage const* GetCustomCursorImage();
Vector2<int> GetCustomCursorHotSpot();
// Takes the shape's image and hot spot from the platform, then sets its system cursor.
void SetCursor(eCursor cursor);

// The mode and the custom-cursor choice in the current account; nothing
// happens without a current account. Without a window no mode is saved; a
// stored value that is no mode or no boolean word is logged and not applied.
void SaveAccountSettings();
void LoadAccountSettings();

namespace Internal
{

// Makes a graphics platform with the given capability bits (it registers
// itself). The desktop platform library installs IGraphicsPlatform::Create;
// tests install failing ones.
typedef std::function<IGraphicsPlatform*(unsigned long caps)> GraphicsPlatformFactory;
// Returns the factory that was installed before.
GraphicsPlatformFactory SetGraphicsPlatformFactory(GraphicsPlatformFactory factory);

// The position at which the cursor image is drawn for a mouse position, or
// false when nothing is drawn (custom cursor off, no image, no position).
bool GetCustomCursorDrawPosition(int mouseX, int mouseY, float* x, float* y);

// Back to the state of a process that never opened a window: no mode, aspect
// lock 1, 800 x 600, custom cursor off, no cursor image. For tests.
void Reset();

} // namespace Internal

} // namespace Window
} // namespace Corvane

#endif
