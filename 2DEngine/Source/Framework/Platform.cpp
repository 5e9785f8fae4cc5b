#include "2DEngine/Source/Framework/Platform.h"

namespace Corvane
{

void IPlatform::SetApplicationTitle(wchar_t const*)
{
}

sInputEvent MakeTextInputEvent(wchar_t const* text)
{
    sInputEvent event = {kInputEvent_TextInput, 0, 0, 0, reinterpret_cast<intptr_t>(text)};
    return event;
}

sInputEvent MakeMouseWheelEvent(int32_t amount, int32_t divisor, int32_t x, int32_t y)
{
    sInputEvent event = {kInputEvent_MouseWheel, x, y, amount, static_cast<intptr_t>(divisor)};
    return event;
}

wchar_t const* GetInputEventText(sInputEvent const& event)
{
    wchar_t const* text = reinterpret_cast<wchar_t const*>(event.data);
    return text ? text : L"";
}

float GetInputEventWheelDelta(sInputEvent const& event)
{
    // A divisor of 0 would give an infinite delta; the platform means "no scaling".
    intptr_t const divisor = event.data != 0 ? event.data : 1;
    return static_cast<float>(event.code) / static_cast<float>(divisor);
}

} // namespace Corvane
