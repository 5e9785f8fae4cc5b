#ifndef CORVANE_EXTENSIONS_RADIOBUTTONNODE_H
#define CORVANE_EXTENSIONS_RADIOBUTTONNODE_H

// The radio button of the scene graph: one of a group named by a label; checking
// one unchecks the other radio buttons of that group in the current object
// database. A click sends "RadioButtonClick". Made from the "radiobuttonnode" tag.

#include "CorvaneExtensions/Source/ControlNodeSupport.h"
#include "CorvaneExtensions/Source/NodeFactory.h"
#include "CorvaneExtensions/Source/ToggleNode.h"

class RadioButtonNode : public ToggleNode
{
public:
    // A null text is the empty caption.
    RadioButtonNode(Corvane::Label group, Corvane::Label name, Corvane::Vector2<float> const& location,
                    Corvane::IImageList const* images, float width, wchar_t const* text, Corvane::Font const* font,
                    Corvane::ColorF const& color);

    // "RadioButton": the database lists every radio button under it.
    Corvane::Label GetRole() const override;
    using SceneNode::GetRole;
    void DrawAt(Corvane::Vector2<float> const& offset) override;

    virtual Corvane::Label GetGroup() const { return mGroup; }

    // Checks the button, then sends "RadioButtonClick". No sound.
    void Click() override;
    // Checking clears the others of the group directly: no message, no sound. Screens
    // call it to preset the choice, also while handling a click.
    void SetCheck(bool checked);

    void SetImages(Corvane::IImageList const* images, float width);

    // 0 normal, 1 hot, 2 pressed or checked, 3 disabled, 4 focused (or checked, when
    // the list has focus images); the first image of the frame is three times it.
    int GetImageIndex() const;
    bool HasFocusImages() const;

private:
    Corvane::Label mGroup;
};

class RadioButtonNodeDescriptor : public ControlNodes::ControlNodeDescriptor
{
public:
    Corvane::Label group;
};

// "radiobuttonnode": "group" and the attributes of "checkboxnode".
class RadioButtonNodeFactory : public SceneNodeFactory
{
public:
    SceneNodeDescriptor* CreateDescriptor(Corvane::IAttributeContainer const& attributes) const override;
    SceneNode* CreateNode(SceneNodeDescriptor const* descriptor) const override;
};

#endif
