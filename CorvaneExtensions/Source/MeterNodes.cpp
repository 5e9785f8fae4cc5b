#include "CorvaneExtensions/Source/MeterNodes.h"

#include "2DEngine/Source/Framework/ContentNumbers.h"

#include "CorvaneExtensions/Source/ControlNodeSupport.h"
#include "CorvaneExtensions/Source/TextAlignment.h"
#include "CorvaneExtensions/Source/TextSpriteNodes.h"

#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Graphics/Context.h"
#include "2DEngine/Source/Graphics/Drawing.h"
#include "2DEngine/Source/Graphics/Font.h"
#include "2DEngine/Source/Graphics/Image.h"
#include "2DEngine/Source/Graphics/ImageList.h"
#include "Core/Source/StringUtils.h"

#include <cmath>

using namespace Corvane;

namespace
{

bool IsHorizontal(int direction)
{
    return direction == kMeterLeftToRight || direction == kMeterRightToLeft;
}

// units x value / maximum truncated, kept within 0 and units; 0 for a maximum of 0.
int Proportion(int units, float value, float maximum)
{
    if (!(maximum > 0.0f) || units <= 0)
        return 0;
    double const exact = static_cast<double>(units) * static_cast<double>(value) / static_cast<double>(maximum);
    if (!(exact > 0.0))
        return 0;
    if (exact >= static_cast<double>(units))
        return units;
    return static_cast<int>(exact);
}

// A copy of the current state tinted by the node's global colour, clipped by the
// node's clip rectangle when it has one.
Graphics::sDrawState MeterDrawState(SceneNode const& node)
{
    Graphics::sDrawState state = Graphics::GetDrawState();
    state.tint = node.GlobalGetColor();
    if (node.GetUseClipRect())
        state.clip = node.GetClipRect();
    return state;
}

// The decimal text of a value truncated toward zero.
std::wstring WholeNumberText(float value)
{
    double const whole = std::trunc(static_cast<double>(value));
    if (!(whole == whole))
        return L"0";
    // Beyond what an integer holds the digits would be noise anyway.
    if (whole >= 9.0e18)
        return L"9000000000000000000";
    if (whole <= -9.0e18)
        return L"-9000000000000000000";
    return std::to_wstring(static_cast<long long>(whole));
}

int NonNegative(int value)
{
    return value < 0 ? 0 : value;
}

} // namespace

int ParseMeterDirection(std::wstring const& text)
{
    std::string const name = TruncateStringWideToASCII(text);
    if (name == "leftToRight")
        return kMeterLeftToRight;
    if (name == "rightToLeft")
        return kMeterRightToLeft;
    if (name == "topToBottom")
        return kMeterTopToBottom;
    if (name == "bottomToTop")
        return kMeterBottomToTop;
    return kMeterLeftToRight;
}

// MeterComponent

void MeterComponent::SetMeterValue(float value)
{
    if (!(value > 0.0f))
        mValue = 0.0f;
    else if (value > mMax)
        mValue = mMax;
    else
        mValue = value;
}

void MeterComponent::SetMeterMax(float maximum)
{
    mMax = maximum > 0.0f ? maximum : 0.0f;
    SetMeterValue(mValue);
}

// MeterBarNode

MeterBarNode::MeterBarNode(MeterDirection direction, int size, ImageList const* images, Label name)
    : SceneNode(name), mImages(images), mDirection(direction), mSize(size), mLength(0)
{
    updateBounds();
}

void MeterBarNode::updateBounds()
{
    mLength = 0;
    IImage const* fill = mImages ? mImages->GetImage(0) : nullptr;
    if (!fill)
    {
        SetWidth(0.0f);
        SetHeight(0.0f);
        return;
    }
    if (IsHorizontal(mDirection))
    {
        mLength = mSize >= 1 ? mSize : fill->GetWidth();
        SetWidth(static_cast<float>(mLength));
        SetHeight(static_cast<float>(fill->GetHeight()));
    }
    else
    {
        mLength = mSize >= 1 ? mSize : fill->GetHeight();
        SetWidth(static_cast<float>(fill->GetWidth()));
        SetHeight(static_cast<float>(mLength));
    }
}

int MeterBarNode::GetFilledLength() const
{
    return Proportion(mLength, GetMeterValue(), GetMeterMax());
}

void MeterBarNode::DrawAt(Vector2<float> const& offset)
{
    IImage const* fill = mImages ? mImages->GetImage(0) : nullptr;
    if (!fill || !GlobalIsVisible())
        return;
    Vector2<float> const position = ControlNodes::NodeDrawPosition(*this, offset);
    Graphics::sDrawState const state = MeterDrawState(*this);
    Graphics::ICanvas* canvas = Graphics::GetCanvas();
    bool const horizontal = IsHorizontal(mDirection);
    int const filled = GetFilledLength();

    if (IImage const* background = mImages->GetImage(1))
    {
        if (horizontal)
            Graphics::DrawTiledImageH(background, position.x, position.y, static_cast<float>(mLength), 0, state,
                                      canvas);
        else
            Graphics::DrawTiledImageV(background, position.x, position.y, static_cast<float>(mLength), 0, state,
                                      canvas);
    }
    if (filled < 1)
        return;

    // The fill's pattern stays fixed to the bar: a fill that grows from the far edge
    // starts its tiling as far into the pattern as it starts into the bar.
    int const rest = mLength - filled;
    switch (mDirection)
    {
    case kMeterRightToLeft:
        Graphics::DrawTiledImageH(fill, position.x + static_cast<float>(rest), position.y,
                                  static_cast<float>(filled), rest, state, canvas);
        break;
    case kMeterTopToBottom:
        Graphics::DrawTiledImageV(fill, position.x, position.y, static_cast<float>(filled), 0, state, canvas);
        break;
    case kMeterBottomToTop:
        Graphics::DrawTiledImageV(fill, position.x, position.y + static_cast<float>(rest),
                                  static_cast<float>(filled), rest, state, canvas);
        break;
    default:
        Graphics::DrawTiledImageH(fill, position.x, position.y, static_cast<float>(filled), 0, state, canvas);
        break;
    }
}

// DiscreteMeterBarNode

DiscreteMeterBarNode::DiscreteMeterBarNode(MeterDirection direction, int count, int spacing,
                                           IImageList const* images, Label name)
    : SceneNode(name), mImages(images), mDirection(direction), mCount(NonNegative(count)),
      mSpacing(NonNegative(spacing))
{
    UpdateBounds();
}

void DiscreteMeterBarNode::UpdateBounds()
{
    if (!mImages || mImages->GetNumImages() == 0)
    {
        SetWidth(0.0f);
        SetHeight(0.0f);
        return;
    }
    int const unitWidth = mImages->GetImageWidth(0);
    int const unitHeight = mImages->GetImageHeight(0);
    // Without units there are no gaps either.
    int const extent = mCount > 0 ? mCount * (IsHorizontal(mDirection) ? unitWidth : unitHeight) +
                                        (mCount - 1) * mSpacing
                                  : 0;
    if (IsHorizontal(mDirection))
    {
        SetWidth(static_cast<float>(extent));
        SetHeight(static_cast<float>(unitHeight));
    }
    else
    {
        SetWidth(static_cast<float>(unitWidth));
        SetHeight(static_cast<float>(extent));
    }
}

int DiscreteMeterBarNode::GetFullCount() const
{
    return Proportion(mCount, GetMeterValue(), GetMeterMax());
}

void DiscreteMeterBarNode::DrawAt(Vector2<float> const& offset)
{
    if (!mImages || mImages->GetNumImages() == 0 || !GlobalIsVisible() || !(GetMeterMax() > 0.0f))
        return;
    Vector2<float> point = ControlNodes::NodeDrawPosition(*this, offset);
    Graphics::sDrawState const state = MeterDrawState(*this);
    Graphics::ICanvas* canvas = Graphics::GetCanvas();
    bool const horizontal = IsHorizontal(mDirection);
    float const step =
        static_cast<float>((horizontal ? mImages->GetImageWidth(0) : mImages->GetImageHeight(0)) + mSpacing);
    int const full = GetFullCount();
    int const empty = mCount - full;
    // Full units sit at the start edge: for the reversed directions the empty ones
    // come first.
    bool const reversed = mDirection == kMeterRightToLeft || mDirection == kMeterBottomToTop;
    int const firstImage = reversed ? 1 : 0;
    int const firstCount = reversed ? empty : full;
    for (int i = 0; i < mCount; ++i)
    {
        int const index = i < firstCount ? firstImage : 1 - firstImage;
        Graphics::DrawImageList(mImages, index, point.x, point.y, state, canvas);
        if (horizontal)
            point.x += step;
        else
            point.y += step;
    }
}

// FractionTextMeterNode

FractionTextMeterNode::FractionTextMeterNode(Font const* font, ColorF const& color, HAlignment justification,
                                             Label name)
    : SceneNode(name), mText(new TextSpriteNode(Vector2<float>(0.0f, 0.0f), L"", font, color, 0.0f))
{
    mText->SetTextJustification(justification);
    AttachChild(mText);
    UpdateText();
}

void FractionTextMeterNode::SetMeterValue(float value)
{
    MeterComponent::SetMeterValue(value);
    UpdateText();
}

void FractionTextMeterNode::SetMeterMax(float maximum)
{
    MeterComponent::SetMeterMax(maximum);
    UpdateText();
}

void FractionTextMeterNode::ChildNodeDetached(SceneNode* child)
{
    // Taken away by other code, the text is no longer ours to write to.
    if (child == mText)
        mText = nullptr;
}

void FractionTextMeterNode::UpdateText()
{
    // The base constructor clamps before the child exists.
    if (!mText)
        return;
    mText->SetText(WholeNumberText(GetMeterValue()) + L"/" + WholeNumberText(GetMeterMax()));
    SetWidth(mText->GetWidth());
    SetHeight(mText->GetHeight());
}

// Factories

SceneNodeDescriptor* MeterBarNodeFactory::CreateDescriptor(IAttributeContainer const& attributes) const
{
    MeterBarNodeDescriptor* d = new MeterBarNodeDescriptor();
    d->direction = ParseMeterDirection(attributes.GetAttribute(std::wstring(L"direction")));
    d->size = NonNegative(attributes.GetAttribute(L"size", 0));
    d->images = ControlNodes::ReadResourceLabel(attributes, L"images");
    d->maximum = ReadNumber(attributes, L"max", 0.0f, NumberRanges::kFinite);
    d->start = ReadNumber(attributes, L"start", 0.0f, NumberRanges::kFinite);
    return d;
}

SceneNode* MeterBarNodeFactory::CreateNode(SceneNodeDescriptor const* descriptor) const
{
    MeterBarNodeDescriptor const* d = dynamic_cast<MeterBarNodeDescriptor const*>(descriptor);
    if (!d)
        return nullptr;
    AutoResource<ImageList> const images(d->images);
    MeterBarNode* node = new MeterBarNode(d->direction, d->size, images.Get(), Label());
    node->SetMeterMax(d->maximum);
    node->SetMeterValue(d->start);
    return node;
}

SceneNodeDescriptor* DiscreteMeterBarNodeFactory::CreateDescriptor(IAttributeContainer const& attributes) const
{
    DiscreteMeterBarNodeDescriptor* d = new DiscreteMeterBarNodeDescriptor();
    d->direction = ParseMeterDirection(attributes.GetAttribute(std::wstring(L"direction")));
    d->images = ControlNodes::ReadResourceLabel(attributes, L"images");
    d->count = NonNegative(attributes.GetAttribute(L"size", 0));
    d->spacing = NonNegative(attributes.GetAttribute(L"offset", 0));
    d->maximum = ReadNumber(attributes, L"max", 0.0f, NumberRanges::kFinite);
    d->start = ReadNumber(attributes, L"start", 0.0f, NumberRanges::kFinite);
    return d;
}

SceneNode* DiscreteMeterBarNodeFactory::CreateNode(SceneNodeDescriptor const* descriptor) const
{
    DiscreteMeterBarNodeDescriptor const* d = dynamic_cast<DiscreteMeterBarNodeDescriptor const*>(descriptor);
    if (!d)
        return nullptr;
    AutoResource<IImageList> const images(d->images);
    DiscreteMeterBarNode* node = new DiscreteMeterBarNode(d->direction, d->count, d->spacing, images.Get(), Label());
    node->SetMeterMax(d->maximum);
    node->SetMeterValue(d->start);
    return node;
}

SceneNodeDescriptor* FractionTextMeterNodeFactory::CreateDescriptor(IAttributeContainer const& attributes) const
{
    FractionTextMeterNodeDescriptor* d = new FractionTextMeterNodeDescriptor();
    d->font = ControlNodes::ReadResourceLabel(attributes, L"font");
    if (attributes.HasAttribute(L"color"))
        d->color = ColorF::FromString(attributes.GetAttribute(std::wstring(L"color")));
    d->justification = StringToHAlignment(attributes.GetAttribute(std::wstring(L"textJustify")), kHAlignment_Left);
    d->maximum = ReadNumber(attributes, L"max", 0.0f, NumberRanges::kFinite);
    d->start = ReadNumber(attributes, L"start", 0.0f, NumberRanges::kFinite);
    return d;
}

SceneNode* FractionTextMeterNodeFactory::CreateNode(SceneNodeDescriptor const* descriptor) const
{
    FractionTextMeterNodeDescriptor const* d = dynamic_cast<FractionTextMeterNodeDescriptor const*>(descriptor);
    if (!d)
        return nullptr;
    AutoResource<Font> const font(d->font);
    FractionTextMeterNode* node = new FractionTextMeterNode(font.Get(), d->color, d->justification, Label());
    node->SetMeterMax(d->maximum);
    node->SetMeterValue(d->start);
    return node;
}
