#ifndef CORVANE_WIDGETS_TEXTFIELDDRAWING_H
#define CORVANE_WIDGETS_TEXTFIELDDRAWING_H

// The drawing of a text field, written once for the widget object and its
// scene-node twin: the nine-slice frame, the shown text clipped to the text
// box, and the blinking caret.

#include "Core/Source/Rect.h"
#include "2DEngine/Source/Graphics/DrawState.h"
#include "2DEngine/Source/Widgets/ControlLogic.h"

namespace Corvane
{

class Animation;

namespace Graphics
{
class ICanvas;
}

namespace ControlLogic
{

// How and where a field is drawn, as its owner sees it.
struct sTextFieldLook
{
    // Where the field stands on the canvas, and its size.
    Rect<float> bounds;
    Graphics::sDrawState frameState;
    // Its font draws the text; without one no text is drawn.
    Graphics::sDrawState textState;
    Graphics::sDrawState caretState;
    // Narrows the text box further where set.
    Rect<int> const* clip = nullptr;
    // Null while no caret shows.
    Animation const* caret = nullptr;
    float caretTime = 0.0f;
};

void DrawTextField(TextFieldModel const& model, sTextFieldFrame const& frame, sTextFieldLook const& look,
                   Graphics::ICanvas* canvas);

} // namespace ControlLogic

} // namespace Corvane

#endif
