#ifndef CORVANE_WIDGETS_BRUSHOBJECTS_H
#define CORVANE_WIDGETS_BRUSHOBJECTS_H

// Framed areas of widget layouts: the nine-brush ("ninebrush") stretches a
// nine-slice frame over its bounds, the three-brush ("threebrush") a
// three-slice strip along its width, and the background ("background") is a
// control that draws a nine-slice frame and takes every mouse event offered to
// it, so that nothing on a lower layer is clicked.

#include "2DEngine/Source/Widgets/ControlObject.h"
#include "2DEngine/Source/Widgets/ObjectFactory.h"

namespace Corvane
{

class IImageList;

// Layer 0, no bounds, alpha 1, visible.
class NineBrushObject : public Object,
                        public DrawableComponent,
                        public BoundsComponent,
                        public AlphaComponent,
                        public VisibleComponent
{
public:
    explicit NineBrushObject(Label name);

    Label GetName() const override { return mName; }
    // Nothing when hidden, without images or at alpha 0.
    void Draw() override;
    virtual void SetImages(IImageList const* images) { mImages = images; }
    IImageList const* GetImages() const { return mImages; }

private:
    Label mName;
    IImageList const* mImages;
};

// Layer 0, no bounds, visible, opaque white. The strip is as high as its images.
class ThreeBrushObject : public Object,
                         public DrawableComponent,
                         public BoundsComponent,
                         public VisibleComponent,
                         public ColorComponent
{
public:
    explicit ThreeBrushObject(Label name);

    Label GetName() const override { return mName; }
    // Nothing when hidden, without images or at alpha 0; tinted by the colour.
    void Draw() override;
    virtual void SetImages(IImageList const* images) { mImages = images; }
    IImageList const* GetImages() const { return mImages; }

private:
    Label mName;
    IImageList const* mImages;
};

class BackgroundObject : public ControlObject
{
public:
    explicit BackgroundObject(Label name);

    // Keys pass on; every mouse event is taken wherever it lands.
    MessageResult OnKeyDown(int) override { return kMessageNotHandled; }
    MessageResult OnKeyUp(int) override { return kMessageNotHandled; }
    MessageResult OnMouseMove(int, int) override { return kMessageHandled; }
    MessageResult OnMouseDown(MouseButton, int, int) override { return kMessageHandled; }
    MessageResult OnMouseUp(MouseButton, int, int) override { return kMessageHandled; }
    // The frame in the current draw state; the control's colour is not applied.
    void Draw() override;
    bool CanFocus() const override { return false; }

    void SetImages(IImageList const* images) { mImages = images; }
    IImageList const* GetImages() const { return mImages; }

private:
    IImageList const* mImages;
};

// "images".
class NineBrushObjectFactory : public IObjectFactory
{
public:
    Object* CreateObject(Label name, IAttributeContainer const& attributes) const override;
};

// "images".
class ThreeBrushObjectFactory : public IObjectFactory
{
public:
    Object* CreateObject(Label name, IAttributeContainer const& attributes) const override;
};

// "images".
class BackgroundObjectFactory : public IObjectFactory
{
public:
    Object* CreateObject(Label name, IAttributeContainer const& attributes) const override;
};

} // namespace Corvane

#endif
