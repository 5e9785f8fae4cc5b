#ifndef CORVANE_GRAPHICS_CONTEXT_H
#define CORVANE_GRAPHICS_CONTEXT_H

// The current drawing context (a canvas and a draw state) and the stack of
// saved contexts that lets code redirect drawing into an image and back.

#include "2DEngine/Source/Graphics/Canvas.h"
#include "2DEngine/Source/Graphics/DrawState.h"

namespace Corvane
{
namespace Graphics
{

struct Context
{
    // Not owned; null means the screen.
    ICanvas* canvas;
    sDrawState state;

    Context() : canvas(nullptr) {}
    Context(ICanvas* target, sDrawState const& drawState) : canvas(target), state(drawState) {}
};

constexpr int kContextStackSize = 64;

// The current context, modifiable. At start it is the screen with the default state.
Context& GetContext();

// Saves the current context on the stack and makes a copy of the given one
// current. A push onto a full stack is refused and logged, leaving the current
// context as it was; the matching PopContext then undoes nothing, so pops stay
// balanced with pushes. Returns whether the context was pushed.
bool PushContext(Context const& context);
// Restores the context saved by the matching PushContext; does nothing when
// nothing is pushed.
void PopContext();
// The number of saved contexts on the stack.
int GetContextDepth();

// The current context's canvas, or the screen canvas when it is null.
ICanvas* GetCanvas();
sDrawState const& GetDrawState();
void SetDrawState(sDrawState const& state);

// The canvas that stands for the screen: every call is forwarded to the current
// screen canvas of the registered graphics platform. Without a graphics platform
// or a screen canvas it has no kind, empty bounds and offers no interface, so
// drawing onto it reports a missing interface.
ICanvas* GetScreenCanvas();

} // namespace Graphics
} // namespace Corvane

#endif
