#ifndef CORVANE_EXTENSIONS_CONTROLNODESUPPORT_H
#define CORVANE_EXTENSIONS_CONTROLNODESUPPORT_H

// What the widget nodes (buttons, check boxes, radio buttons, sliders, lists and
// the text nodes) share: reading resource names from layout attributes, announcing
// clicks as object messages, playing their sound lists, the common start of their
// drawing and the hit test by pixel alpha.

#include "CorvaneExtensions/Source/NodeFactory.h"
#include "CorvaneExtensions/Source/SceneNode.h"

#include "2DEngine/Source/Framework/AttributeContainer.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Graphics/DrawState.h"
#include "2DEngine/Source/Widgets/ControlLogic.h"
#include "Core/Source/Label.h"
#include "Core/Source/Vector2.h"

#include <string>

namespace Corvane
{
class Font;
class IImageList;
class SoundList;
}

namespace ControlNodes
{

// The keys, state images and measures that the widget nodes share with the
// widget objects.
using Corvane::ControlLogic::IsActivationKey;
using Corvane::ControlLogic::ImageCount;
using Corvane::ControlLogic::kKeyAdjustMode;
using Corvane::ControlLogic::kKeyAdjustModeLeave;

// The label of an attribute that names a resource; null when absent or empty.
Corvane::Label ReadResourceLabel(Corvane::IAttributeContainer const& attributes, wchar_t const* name);

// Broadcasts the message with the node as sender through the current object
// database; nothing without one.
void SendNodeMessage(SceneNode const& node, Corvane::Label message);

// Plays the event's sound; nothing without a list or without the event in it.
void PlayNodeSound(Corvane::SoundList const* sounds, Corvane::Label event);

// The sound events of the widget nodes.
Corvane::Label HotEvent();
Corvane::Label DownEvent();
Corvane::Label ReleaseEvent();
Corvane::Label CheckedEvent();
Corvane::Label UncheckedEvent();
Corvane::Label SnapEvent();

// Ends the keyboard adjust mode of sliders and lists, from any sender.
Corvane::Label LostFocusMessage();

// A copy of the current draw state whose tint alpha is the node's global alpha and
// whose clip is the node's clip rectangle when it has one.
Corvane::Graphics::sDrawState NodeDrawState(SceneNode const& node);

// The node's global top-left corner moved by the drawing offset.
Corvane::Vector2<float> NodeDrawPosition(SceneNode const& node, Corvane::Vector2<float> const& offset);

// Whether the images are opaque enough at the global point: always with a
// sensitivity of 0 or without images; otherwise the alpha of image 0, or of the
// three-slice frame of images 0 to 2 at the node's width, must be greater than the
// sensitivity at the point made local by truncation.
bool AlphaContains(SceneNode const& node, Corvane::IImageList const* images, bool threeSlice, int sensitivity,
                   Corvane::Vector2<float> const& point);

// What follows is shared by the buttons, check boxes and radio buttons.

// A caption beside its box (check boxes, round radio buttons) sits this far to its right.
constexpr float kCaptionGap = 5.0f;

// The state image: 0 normal, 1 hot, 2 pressed (captured while hot), 3 disabled,
// 4 focused, or 1 for the focus when the list has no focus images.
int StateIndex(SceneNode const& node, bool enabled, bool hot, bool focusImages);

// Mouse down on an enabled control: it turns hot, takes the capture and plays "Down".
void PressControl(SceneNode& node, bool enabled, bool& hot, Corvane::SoundList const* sounds);

// The mouse entering an enabled control: it turns hot and plays "Hot".
void EnterControl(bool enabled, bool& hot, Corvane::SoundList const* sounds);

// Sizes the node to image 0 of the list, or to the frame width across when it is a
// three-slice frame; 0 x 0 without images.
void SizeToImages(SceneNode& node, Corvane::IImageList const* images, bool threeSlice, float frameWidth);

// Draws the control's image at the position: from the first image of a three-slice
// frame at the node's width, or the single image; nothing without images.
void DrawControlImage(SceneNode const& node, Corvane::IImageList const* images, bool threeSlice, int index,
                      Corvane::Vector2<float> const& position, Corvane::Graphics::sDrawState const& state);

// Draws the caption in the node's global colour, vertically centred on the node:
// centred across it, or from kCaptionGap to its right. Nothing for an empty text or
// without a font.
void DrawControlCaption(SceneNode const& node, std::wstring const& text, Corvane::Font const* font,
                        Corvane::Vector2<float> const& position, Corvane::Graphics::sDrawState const& state,
                        bool centred);

// The layout attributes of buttons, check boxes and radio buttons: "images",
// "width" (0), "text", "textResource", "font", "alphaSensitivity" (25), "sounds".
class ControlNodeDescriptor : public SceneNodeDescriptor
{
public:
    ControlNodeDescriptor() : width(0.0f), alphaSensitivity(25) {}

    Corvane::Label images;
    float width;
    std::wstring text;
    Corvane::Label font;
    int alphaSensitivity;
    Corvane::Label sounds;
    // Null when the layout names none.
    Corvane::Label textResource;
};

void ReadControlAttributes(Corvane::IAttributeContainer const& attributes, ControlNodeDescriptor& descriptor);

// The resources a control descriptor names, looked up while its node is made.
struct sControlResources
{
    explicit sControlResources(ControlNodeDescriptor const& descriptor);

    Corvane::AutoResource<Corvane::IImageList> images;
    Corvane::AutoResource<Corvane::Font> font;
    Corvane::AutoResource<Corvane::SoundList> sounds;
};

// Gives a control just made the descriptor's hit sensitivity, sounds and text resource.
template <class Node>
void ApplyControlSettings(Node& node, ControlNodeDescriptor const& descriptor, sControlResources const& resources)
{
    node.SetAlphaSensitivity(descriptor.alphaSensitivity);
    node.SetSoundList(resources.sounds.Get());
    if (descriptor.textResource.IsValid())
        node.SetTextFromResource(descriptor.textResource);
}

} // namespace ControlNodes

#endif
