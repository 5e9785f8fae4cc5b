#ifndef CORVANE_EXTENSIONS_METERNODES_H
#define CORVANE_EXTENSIONS_METERNODES_H

// Display-only nodes that show a value against a maximum: MeterBarNode fills a bar
// of tiled images from one edge, DiscreteMeterBarNode shows a row or column of full
// and empty unit images, FractionTextMeterNode writes "value/maximum". Game code
// changes the value through the meter role; the nodes show it on the next draw.
// Made from the "meterbarnode", "discretemeterbarnode" and "fractiontextmeternode"
// layout tags.

#include "CorvaneExtensions/Source/NodeFactory.h"
#include "CorvaneExtensions/Source/SceneNode.h"

#include "2DEngine/Source/Graphics/DrawState.h"
#include "Core/Source/Color.h"
#include "Core/Source/Label.h"

#include <string>

namespace Corvane
{
class Font;
class IImageList;
class ImageList;
}

class TextSpriteNode;

// The meter role.
class IMeter
{
public:
    virtual ~IMeter() {}
    virtual float GetMeterValue() const = 0;
    virtual void SetMeterValue(float value) = 0;
    virtual float GetMeterMax() const = 0;
    virtual void SetMeterMax(float maximum) = 0;
};

// Keeps the value between 0 and the maximum.
class MeterComponent : public IMeter
{
public:
    MeterComponent() : mValue(0.0f), mMax(0.0f) {}
    ~MeterComponent() override {}

    float GetMeterValue() const override { return mValue; }
    // Clamped to 0 and the maximum; a value that is not a number is 0.
    void SetMeterValue(float value) override;
    float GetMeterMax() const override { return mMax; }
    // A negative maximum (or one that is not a number) is 0; the value is clamped
    // again through the virtual SetMeterValue.
    void SetMeterMax(float maximum) override;

private:
    float mValue;
    float mMax;
};

// Where a meter starts filling: horizontal for the first two, vertical for the others.
enum eMeterDirection
{
    kMeterLeftToRight = 0,
    kMeterRightToLeft = 1,
    kMeterTopToBottom = 2,
    kMeterBottomToTop = 3
};

// "leftToRight", "rightToLeft", "topToBottom", "bottomToTop" (exact); anything else 0.
int ParseMeterDirection(std::wstring const& text);

class MeterBarNode : public SceneNode, public MeterComponent
{
public:
    typedef int MeterDirection;

    // Image 0 of the list is the fill, image 1 the optional background; size is
    // the bar's length, 0 or less for the fill image's own length.
    MeterBarNode(MeterDirection direction, int size, Corvane::ImageList const* images,
                 Corvane::Label name = Corvane::Label());

    void DrawAt(Corvane::Vector2<float> const& offset) override;

    MeterDirection GetDirection() const { return mDirection; }
    // The length in use.
    int GetLength() const { return mLength; }
    // The pixels of fill the current value gives, 0 to the length.
    int GetFilledLength() const;
    Corvane::ImageList const* GetImages() const { return mImages; }

private:
    void updateBounds();

    Corvane::ImageList const* mImages;
    MeterDirection mDirection;
    int mSize;
    int mLength;
};

class DiscreteMeterBarNode : public SceneNode, public MeterComponent
{
public:
    typedef int MeterDirection;

    // Image 0 is a full unit, image 1 an empty one; spacing is the gap between units.
    DiscreteMeterBarNode(MeterDirection direction, int count, int spacing, Corvane::IImageList const* images,
                         Corvane::Label name = Corvane::Label());

    void DrawAt(Corvane::Vector2<float> const& offset) override;

    MeterDirection GetDirection() const { return mDirection; }
    int GetCount() const { return mCount; }
    int GetSpacing() const { return mSpacing; }
    // The units the current value fills: count x value / maximum, truncated.
    int GetFullCount() const;

    void UpdateBounds();

private:
    Corvane::IImageList const* mImages;
    MeterDirection mDirection;
    int mCount;
    int mSpacing;
};

class FractionTextMeterNode : public SceneNode, public MeterComponent
{
public:
    FractionTextMeterNode(Corvane::Font const* font, Corvane::ColorF const& color,
                          Corvane::HAlignment justification, Corvane::Label name = Corvane::Label());

    // Both rewrite the text after the component's work.
    void SetMeterValue(float value) override;
    void SetMeterMax(float maximum) override;
    void ChildNodeDetached(SceneNode* child) override;

    // The child that shows the fraction; owned as a child node.
    TextSpriteNode* GetTextNode() const { return mText; }
    void UpdateText();

private:
    TextSpriteNode* mText;
};

class MeterBarNodeDescriptor : public SceneNodeDescriptor
{
public:
    MeterBarNodeDescriptor() : direction(kMeterLeftToRight), size(0), maximum(0.0f), start(0.0f) {}

    Corvane::Label images;
    int direction;
    int size;
    float maximum;
    float start;
};

// "meterbarnode": "direction", "size" (0), "images", "max" (0), "start" (0).
class MeterBarNodeFactory : public SceneNodeFactory
{
public:
    SceneNodeDescriptor* CreateDescriptor(Corvane::IAttributeContainer const& attributes) const override;
    SceneNode* CreateNode(SceneNodeDescriptor const* descriptor) const override;
};

class DiscreteMeterBarNodeDescriptor : public SceneNodeDescriptor
{
public:
    DiscreteMeterBarNodeDescriptor()
        : direction(kMeterLeftToRight), count(0), spacing(0), maximum(0.0f), start(0.0f)
    {
    }

    Corvane::Label images;
    int direction;
    int count;
    int spacing;
    float maximum;
    float start;
};

// "discretemeterbarnode": "direction", "images", "size" (the unit count), "offset"
// (the spacing), "max", "start".
class DiscreteMeterBarNodeFactory : public SceneNodeFactory
{
public:
    SceneNodeDescriptor* CreateDescriptor(Corvane::IAttributeContainer const& attributes) const override;
    SceneNode* CreateNode(SceneNodeDescriptor const* descriptor) const override;
};

class FractionTextMeterNodeDescriptor : public SceneNodeDescriptor
{
public:
    FractionTextMeterNodeDescriptor()
        : color(0.0f, 0.0f, 0.0f, 1.0f), justification(Corvane::kHAlignment_Left), maximum(0.0f), start(0.0f)
    {
    }

    Corvane::Label font;
    Corvane::ColorF color;
    Corvane::HAlignment justification;
    float maximum;
    float start;
};

// "fractiontextmeternode": "font", "color" (opaque black), "textJustify", "max", "start".
class FractionTextMeterNodeFactory : public SceneNodeFactory
{
public:
    SceneNodeDescriptor* CreateDescriptor(Corvane::IAttributeContainer const& attributes) const override;
    SceneNode* CreateNode(SceneNodeDescriptor const* descriptor) const override;
};

#endif
