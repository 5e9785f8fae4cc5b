#pragma once

// A tool in a slot of the tool box. A click picks it up: a floating copy of it
// ("FloatingToolLayout", under the effects layer) follows the mouse while the
// slot looks empty. A click on the right nail turns it once on the nail; a
// click anywhere else, or picking up another tool, puts it back in its box.

#include "Core/Source/Label.h"
#include "2DEngine/Source/Framework/Object.h"
#include "CorvaneExtensions/Source/SceneLayoutController.h"
#include "qdl/Source/Game/DragAndDrop.h"
#include "qdl/Source/Game/HammerTheNail/HammerTheNailConstants.h"

class SceneNode;
class TargetNail;
class QuarrydaleGameMode;

class DraggableTool : public DragSource<DraggableTool*>, public SceneLayoutController
{
public:
    // Builds "ToolLayout" outside any database; the mode adds it to a slot.
    DraggableTool(FixItToolType type, FixItToolColor color);
    ~DraggableTool() override;

    void DoOnStartDragging() override;
    void DoOnCancel() override;
    void DoOnReleased() override;
    // Keeps the floating tool under the mouse while it tracks it.
    void Update(float dt) override;
    SceneNode* GetLayoutNode() override { return layoutNode; }

    void setupMouseHandling();
    void acceptMouseInput(bool accept);
    void handleMouseDown();
    void handleMouseUp() {}
    void handleMouseEnter();
    void handleMouseExit();

    // The right tool clicked on the nail: it turns there once, then the nail
    // sinks a step and the tool follows the mouse again.
    void animateClickOnNail(TargetNail* nail);
    void trackMouse(bool track) { trackingMouse = track; }
    void returnToolToCursor();

    FixItToolType getType() const { return type; }
    FixItToolColor getColor() const { return color; }
    // The floating tool's root while it exists; null in the box.
    SceneNode* getFloatingNode() const;
    Corvane::ObjectID getFloatingObject() const { return floatingObject; }
    bool isTrackingMouse() const { return trackingMouse; }

private:
    void putBackInBox();
    // The mode whose database holds this tool, when it is a mini-game.
    QuarrydaleGameMode* getGameMode() const;
    SceneNode* getShapeNode() const;

    FixItToolType type;
    FixItToolColor color;
    Corvane::ObjectID floatingObject;
    Corvane::Label boxImage;
    bool trackingMouse;
};
