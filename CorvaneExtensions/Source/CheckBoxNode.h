#ifndef CORVANE_EXTENSIONS_CHECKBOXNODE_H
#define CORVANE_EXTENSIONS_CHECKBOXNODE_H

// The check box of the scene graph: flips between unchecked and checked on each
// click, plays "Checked" or "Unchecked" and sends "CheckBoxClick". Its caption,
// to the right of the box, is clickable too. Made from the "checkboxnode" tag.

#include "CorvaneExtensions/Source/ControlNodeSupport.h"
#include "CorvaneExtensions/Source/NodeFactory.h"
#include "CorvaneExtensions/Source/ToggleNode.h"

class CheckBoxNode : public ToggleNode
{
public:
    // A null text is the empty caption.
    CheckBoxNode(Corvane::Label name, Corvane::Vector2<float> const& location, Corvane::IImageList const* images,
                 float width, wchar_t const* text, Corvane::Font const* font, Corvane::ColorF const& color);

    // The box by its pixels, or the caption's rectangle when there is a font.
    bool GlobalPointIntersects(Corvane::Vector2<float> const& point) const override;
    void DrawAt(Corvane::Vector2<float> const& offset) override;

    // Flips the check, plays "Checked" or "Unchecked", sends "CheckBoxClick".
    void Click() override;
    // Presets the check: no message, no sound.
    void SetCheck(bool checked) { mChecked = checked; }

    // The caption's rectangle in global coordinates, where it is drawn now; empty
    // without a font.
    Corvane::Rect<float> GetCaptionRect() const;

    // For lists of up to ten images the image shown; for larger lists the first
    // image of the frame shown.
    int GetImageIndex() const;
    // 0 normal, 1 hot, 2 pressed, 3 disabled, 4 focused, whether checked or not.
    int GetStateIndex() const;
    bool HasFocusImages() const;

protected:
    // The box's size, and the caption's.
    void UpdateBounds() override;

private:
    // The caption's size; its place follows the node.
    Corvane::Vector2<float> mCaptionSize;
};

class CheckBoxNodeDescriptor : public ControlNodes::ControlNodeDescriptor
{
};

// "checkboxnode": "images", "width" (0), "text", "textResource", "font",
// "alphaSensitivity" (25), "sounds".
class CheckBoxNodeFactory : public SceneNodeFactory
{
public:
    SceneNodeDescriptor* CreateDescriptor(Corvane::IAttributeContainer const& attributes) const override;
    SceneNode* CreateNode(SceneNodeDescriptor const* descriptor) const override;
};

#endif
