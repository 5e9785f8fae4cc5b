#include "2DEngine/Source/Widgets/PressableObject.h"

#include "2DEngine/Source/Framework/ContentNumbers.h"

#include "CorvaneExtensions/AudioPlatform/BASS/SoundList.h"
#include "2DEngine/Source/Graphics/Brush.h"
#include "2DEngine/Source/Graphics/ImageList.h"
#include "2DEngine/Source/Widgets/ControlLogic.h"
#include "2DEngine/Source/Widgets/ObjectFactory.h"

namespace Corvane
{

PressableObject::PressableObject(Label name)
    : ControlObject(name), mHot(false), mImages(nullptr), mAlphaSensitivity(25), mSounds(nullptr)
{
}

PressableObject::PressableObject(Label name, float layer)
    : ControlObject(name, layer), mHot(false), mImages(nullptr), mAlphaSensitivity(25), mSounds(nullptr)
{
}

bool PressableObject::ImageAlphaContains(bool threeSlice, int x, int y) const
{
    if (mAlphaSensitivity == 0 || ControlLogic::ImageCount(mImages) == 0)
        return true;
    Vector2<float> const& location = GetLocation();
    int const dx = x - static_cast<int>(location.x);
    int const dy = y - static_cast<int>(location.y);
    int const alpha = threeSlice ? Graphics::GetThreeBrushPixelAlpha(mImages, 0, dx, dy, GetBounds().width)
                                 : mImages->GetImagePixelAlpha(0, dx, dy);
    return alpha > mAlphaSensitivity;
}

void PressableObject::ReadPressableAttributes(IAttributeContainer const& attributes)
{
    if (attributes.HasAttribute(L"images"))
        SetImages(FindAttributeResource<IImageList>(attributes, L"images"));
    if (attributes.HasAttribute(L"sounds"))
        SetSounds(FindAttributeResource<SoundList>(attributes, L"sounds"));
    if (attributes.HasAttribute(L"alphaSensitivity"))
        SetAlphaSensitivity(ReadNumber(attributes, L"alphaSensitivity", 25, NumberRanges::kCount));
}

MessageResult PressableObject::OnMouseMove(int x, int y)
{
    bool const wasHot = mHot;
    mHot = BoundsContains(static_cast<float>(x), static_cast<float>(y));
    if (mHot && !wasHot)
        PlayControlSound(mSounds, HotEvent());
    return kMessageNotHandled;
}

MessageResult PressableObject::OnMouseDown(MouseButton, int x, int y)
{
    mHot = BoundsContains(static_cast<float>(x), static_cast<float>(y));
    if (!mHot)
        return kMessageNotHandled;
    Capture();
    PlayControlSound(mSounds, DownEvent());
    return kMessageHandled;
}

MessageResult PressableObject::OnMouseUp(MouseButton, int x, int y)
{
    mHot = BoundsContains(static_cast<float>(x), static_cast<float>(y));
    if (HasCapture())
    {
        if (mHot)
            Click();
        ReleaseCapture();
    }
    return mHot ? kMessageHandled : kMessageNotHandled;
}

} // namespace Corvane
