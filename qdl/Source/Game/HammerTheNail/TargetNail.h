#pragma once

// A nail or screw on the playfield. Its picture shows the clicks it still
// needs (frame 0: driven in). A click while a tool is held tests the tool; the
// right one turns on it, after which the nail sinks one step.

#include "Core/Source/Label.h"
#include "CorvaneExtensions/Source/SceneLayoutController.h"
#include "qdl/Source/Game/DragAndDrop.h"
#include "qdl/Source/Game/HammerTheNail/HammerTheNailConstants.h"

class DraggableTool;
class SceneNode;

class TargetNail : public DragTarget<DraggableTool*>, public SceneLayoutController
{
public:
    // Builds "NailLayout" outside any database; the mode adds it to the playfield.
    TargetNail(FixItToolType type, FixItToolColor color, int clickCount);
    ~TargetNail() override;

    // The tool is judged by hitWithTool on the click itself, not on a drop.
    void DropActivated(DraggableTool*) override {}
    SceneNode* GetLayoutNode() override { return layoutNode; }
    // "HammerTheNail_Nail", by which the mode finds every nail.
    Corvane::Label GetRole() const override;

    void setupMouseHandling();
    void acceptMouseInput(bool accept);
    void handleMouseDown();
    void handleMouseUp() {}
    void handleMouseEnter();
    void handleMouseExit();

    // The decision of a click with the held tool: a driven-in nail first
    // (whatever the tool), then the tool's type and colour, then the turn.
    void hitWithTool(DraggableTool* tool);
    // One step lower, then the mode looks whether every nail is in.
    void decreaseNailSize();

    FixItToolType getType() const { return type; }
    FixItToolColor getColor() const { return color; }
    int getClickCount() const { return clickCount; }
    Corvane::Label getImage() const { return image; }

private:
    SceneNode* getShapeNode() const;

    FixItToolType type;
    FixItToolColor color;
    Corvane::Label image;
    int clickCount;
};
