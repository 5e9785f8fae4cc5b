#ifndef CORVANE_EXTENSIONS_CONTROLNODESUPPORT_H
#define CORVANE_EXTENSIONS_CONTROLNODESUPPORT_H

// What the widget nodes (buttons, check boxes, radio buttons, sliders, lists and
// the text nodes) share: reading resource names from layout attributes, announcing
// clicks as object messages, playing their sound lists, the common start of their
// drawing and the hit test by pixel alpha.

#include "CorvaneExtensions/Source/SceneNode.h"

#include "2DEngine/Source/Framework/AttributeContainer.h"
#include "2DEngine/Source/Graphics/DrawState.h"
#include "Core/Source/Label.h"
#include "Core/Source/Vector2.h"

namespace Corvane
{
class IImageList;
class SoundList;
}

namespace ControlNodes
{

// Key codes that activate a focused button, check box or radio button.
constexpr int kKeyEnter = 13;
constexpr int kKeySpace = 32;
constexpr int kKeyGamePadA = 258;
// The keyboard adjust-mode keys of sliders and lists: 512 enters, 512 or 513 leaves.
constexpr int kKeyAdjustMode = 512;
constexpr int kKeyAdjustModeLeave = 513;

bool IsActivationKey(int key);

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

} // namespace ControlNodes

#endif
