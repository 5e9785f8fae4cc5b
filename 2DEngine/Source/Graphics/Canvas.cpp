#include "2DEngine/Source/Graphics/Canvas.h"

namespace Corvane
{
namespace Graphics
{

Label ICanvas::InterfaceLabel()
{
    static Label const label = Label::GetUniqueString("ICanvas");
    return label;
}

Label ILineDrawingCanvas::InterfaceLabel()
{
    static Label const label = Label::GetUniqueString("ILineDrawingCanvas");
    return label;
}

Label IPixelSettingCanvas::InterfaceLabel()
{
    static Label const label = Label::GetUniqueString("IPixelSettingCanvas");
    return label;
}

Label IEllipseDrawingCanvas::InterfaceLabel()
{
    static Label const label = Label::GetUniqueString("IEllipseDrawingCanvas");
    return label;
}

Label IQuadDrawingCanvas::InterfaceLabel()
{
    static Label const label = Label::GetUniqueString("IQuadDrawingCanvas");
    return label;
}

Label IScreen::InterfaceLabel()
{
    static Label const label = Label::GetUniqueString("IScreen");
    return label;
}

Label ITextDrawingCanvas::InterfaceLabel()
{
    static Label const label = Label::GetUniqueString("ITextDrawingCanvas");
    return label;
}

} // namespace Graphics
} // namespace Corvane
