#include "2DEngine/Source/Widgets/BrushObjects.h"

#include "2DEngine/Source/Graphics/Brush.h"
#include "2DEngine/Source/Graphics/Context.h"
#include "2DEngine/Source/Graphics/ImageList.h"

namespace Corvane
{

NineBrushObject::NineBrushObject(Label name) : mName(name), mImages(nullptr) {}

void NineBrushObject::Draw()
{
    if (!IsVisible() || !mImages || GetAlpha() == 0.0f)
        return;
    Graphics::sDrawState state = Graphics::GetDrawState();
    state.tint.a = GetAlpha();
    Rect<float> const& bounds = GetBounds();
    Graphics::DrawNineBrush(mImages, 0, bounds.x, bounds.y, bounds.width, bounds.height, state,
                            Graphics::GetCanvas());
}

ThreeBrushObject::ThreeBrushObject(Label name) : mName(name), mImages(nullptr) {}

void ThreeBrushObject::Draw()
{
    if (!IsVisible() || !mImages || GetColor().a == 0.0f)
        return;
    Graphics::sDrawState state = Graphics::GetDrawState();
    state.tint = GetColor();
    Rect<float> const& bounds = GetBounds();
    Graphics::DrawThreeBrush(mImages, 0, bounds.x, bounds.y, bounds.width, state, Graphics::GetCanvas());
}

BackgroundObject::BackgroundObject(Label name) : ControlObject(name), mImages(nullptr) {}

void BackgroundObject::Draw()
{
    if (!IsVisible())
        return;
    Rect<float> const& bounds = GetBounds();
    Graphics::DrawNineBrush(mImages, 0, bounds.x, bounds.y, bounds.width, bounds.height, Graphics::GetDrawState(),
                            Graphics::GetCanvas());
}

Object* NineBrushObjectFactory::CreateObject(Label name, IAttributeContainer const& attributes) const
{
    NineBrushObject* const brush = new NineBrushObject(name);
    if (attributes.HasAttribute(L"images"))
        brush->SetImages(FindAttributeResource<IImageList>(attributes, L"images"));
    return brush;
}

Object* ThreeBrushObjectFactory::CreateObject(Label name, IAttributeContainer const& attributes) const
{
    ThreeBrushObject* const brush = new ThreeBrushObject(name);
    if (attributes.HasAttribute(L"images"))
        brush->SetImages(FindAttributeResource<IImageList>(attributes, L"images"));
    return brush;
}

Object* BackgroundObjectFactory::CreateObject(Label name, IAttributeContainer const& attributes) const
{
    BackgroundObject* const background = new BackgroundObject(name);
    if (attributes.HasAttribute(L"images"))
        background->SetImages(FindAttributeResource<IImageList>(attributes, L"images"));
    return background;
}

} // namespace Corvane
