#include "2DEngine/Source/Graphics/ReferenceDrawing.h"

namespace Corvane
{
namespace Graphics
{

namespace
{

bool gReferenceDrawing = false;

} // namespace

void SetReferenceDrawing(bool reference)
{
    gReferenceDrawing = reference;
}

bool IsReferenceDrawing()
{
    return gReferenceDrawing;
}

} // namespace Graphics
} // namespace Corvane
