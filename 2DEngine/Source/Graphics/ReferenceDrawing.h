#ifndef CORVANE_GRAPHICS_REFERENCEDRAWING_H
#define CORVANE_GRAPHICS_REFERENCEDRAWING_H

// The one switch that turns off every optimisation of the drawing path (kept
// frames repainted only where they changed, and whatever else draws less for
// the same pixels). With it on, each frame is drawn whole, as plainly as the
// canvas can, so that a test can compare the optimised picture of a frame with
// the reference picture of the same frame. Every such optimisation asks
// IsReferenceDrawing() when it would apply and stands aside while it is on.
// Main thread only.

namespace Corvane
{
namespace Graphics
{

void SetReferenceDrawing(bool reference);
bool IsReferenceDrawing();

// Reference drawing on for the scope, then as it was before.
class ScopedReferenceDrawing
{
public:
    ScopedReferenceDrawing() : mWas(IsReferenceDrawing()) { SetReferenceDrawing(true); }
    ~ScopedReferenceDrawing() { SetReferenceDrawing(mWas); }
    ScopedReferenceDrawing(ScopedReferenceDrawing const&) = delete;
    ScopedReferenceDrawing& operator=(ScopedReferenceDrawing const&) = delete;

private:
    bool mWas;
};

} // namespace Graphics
} // namespace Corvane

#endif
