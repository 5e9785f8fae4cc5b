#include "2DEngine/Source/Widgets/TextFieldDrawing.h"

#include "2DEngine/Source/Graphics/Animation.h"
#include "2DEngine/Source/Graphics/Brush.h"
#include "2DEngine/Source/Graphics/Drawing.h"

namespace Corvane
{

namespace ControlLogic
{

void DrawTextField(TextFieldModel const& model, sTextFieldFrame const& frame, sTextFieldLook const& look,
                   Graphics::ICanvas* canvas)
{
    Rect<float> const& bounds = look.bounds;
    if (frame.fieldImages)
        Graphics::DrawNineBrush(frame.fieldImages, 0, bounds.x, bounds.y, bounds.width, bounds.height,
                                look.frameState, canvas);

    Vector2<float> const location = model.TextLocation(frame);
    if (look.textState.font && !model.GetValue().empty())
    {
        Rect<int> clip(static_cast<int>(bounds.x + location.x), static_cast<int>(bounds.y + location.y),
                       static_cast<int>(TextFieldModel::TextBoxWidth(frame)),
                       static_cast<int>(TextFieldModel::TextBoxHeight(frame)));
        if (look.clip)
            clip = clip.getIntersection(*look.clip);
        Graphics::sDrawState text = look.textState;
        text.clip = clip;
        Graphics::DrawText(model.GetShownText(frame).c_str(), bounds.x + location.x + model.GetScroll(),
                           bounds.y + location.y, text, canvas);
    }

    if (look.caret)
    {
        Vector2<float> const& caret = model.GetCaretPosition();
        Rect<float> cursor(bounds.x + caret.x + model.GetScroll(), bounds.y + caret.y,
                           static_cast<float>(look.caret->GetWidth()), bounds.height - 2.0f * caret.y);
        Graphics::DrawStretchedAnimation(look.caret, look.caretTime, cursor, look.caretState, canvas);
    }
}

} // namespace ControlLogic

} // namespace Corvane
