#include "2DEngine/Source/Framework/Roles.h"

namespace Corvane
{

Vector2<float> const& BoundsComponent::GetLocation() const
{
    mLocation = Vector2<float>(mBounds.x, mBounds.y);
    return mLocation;
}

void BoundsComponent::SetLocation(Vector2<float> const& location)
{
    Rect<float> bounds = GetBounds();
    bounds.x = location.x;
    bounds.y = location.y;
    SetBounds(bounds);
}

void BoundsComponent::SetLocation(float x, float y)
{
    SetLocation(Vector2<float>(x, y));
}

void BoundsComponent::SetWidth(float width)
{
    Rect<float> bounds = GetBounds();
    bounds.width = width;
    SetBounds(bounds);
}

void BoundsComponent::SetHeight(float height)
{
    Rect<float> bounds = GetBounds();
    bounds.height = height;
    SetBounds(bounds);
}

bool BoundsComponent::BoundsContains(float x, float y) const
{
    Rect<float> const& bounds = GetBounds();
    return x >= bounds.x && y >= bounds.y && x < bounds.x + bounds.width && y < bounds.y + bounds.height;
}

} // namespace Corvane
