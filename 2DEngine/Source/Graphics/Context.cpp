#include "2DEngine/Source/Graphics/Context.h"

#include "2DEngine/Source/Framework/Platform.h"
#include "Core/Source/Log.h"

namespace Corvane
{
namespace Graphics
{

namespace
{

ICanvas* GetPlatformScreenCanvas()
{
    IGraphicsPlatform* const platform = GetGraphicsPlatform();
    return platform ? platform->GetScreenCanvas() : nullptr;
}

// Holds no state: each call finds the screen canvas anew, because the graphics
// platform and its canvas are replaced whenever the window changes mode.
class cScreenCanvasProxy : public ICanvas
{
public:
    Label GetKind() override
    {
        ICanvas* const screen = GetPlatformScreenCanvas();
        return screen ? screen->GetKind() : Label();
    }

    Rect<int> const& GetBounds() override
    {
        static Rect<int> const kNoBounds;
        ICanvas* const screen = GetPlatformScreenCanvas();
        return screen ? screen->GetBounds() : kNoBounds;
    }

    bool QueryInterface(Label name, void** out) override
    {
        ICanvas* const screen = GetPlatformScreenCanvas();
        return screen ? screen->QueryInterface(name, out) : false;
    }
};

cScreenCanvasProxy& GetProxy()
{
    static cScreenCanvasProxy proxy;
    return proxy;
}

struct sContextStack
{
    Context current;
    Context saved[kContextStackSize];
    int depth;
    // Pushes refused because the stack was full and not yet popped.
    int refused;

    sContextStack() : current(&GetProxy(), sDrawState::GetDefaults()), depth(0), refused(0) {}
};

sContextStack& GetStack()
{
    static sContextStack stack;
    return stack;
}

} // namespace

Context& GetContext()
{
    return GetStack().current;
}

bool PushContext(Context const& context)
{
    sContextStack& stack = GetStack();
    if (stack.depth >= kContextStackSize)
    {
        ++stack.refused;
        Internal::LogWrite("Graphics::PushContext: the context stack is full (%d contexts); the push is ignored.\n",
                           kContextStackSize);
        return false;
    }
    // Copy first: the given context may be the current one.
    Context const copy = context;
    stack.saved[stack.depth] = stack.current;
    ++stack.depth;
    stack.current = copy;
    return true;
}

void PopContext()
{
    sContextStack& stack = GetStack();
    if (stack.refused > 0)
    {
        --stack.refused;
        return;
    }
    if (stack.depth <= 0)
        return;
    --stack.depth;
    stack.current = stack.saved[stack.depth];
}

int GetContextDepth()
{
    return GetStack().depth;
}

ICanvas* GetCanvas()
{
    ICanvas* const canvas = GetStack().current.canvas;
    return canvas ? canvas : GetScreenCanvas();
}

sDrawState const& GetDrawState()
{
    return GetStack().current.state;
}

void SetDrawState(sDrawState const& state)
{
    GetStack().current.state = state;
}

ICanvas* GetScreenCanvas()
{
    return &GetProxy();
}

} // namespace Graphics
} // namespace Corvane
