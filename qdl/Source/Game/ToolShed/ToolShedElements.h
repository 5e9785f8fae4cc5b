#pragma once

// The two elements of ToolShed. A ToolShedItem is a tool lying in the yard:
// a click picks it up (its picture goes transparent and a copy follows the
// mouse), and a click on a tool box tries to put it there. A ToolShedToolBox
// takes tools of one type and colour, shown by the plate on its front: the
// right tool goes in; a wrong one shakes on the cursor while a voice says
// what is wrong, and stays held. Both are wired as every mini-game element is
// (MiniGameElement.h).
//
// Content: layouts "ToolShedItemLayout" ("imageNode", "imageNode"/"rolloverNode")
// and "ToolShedToolBoxLayout" ("animNode", "animNode"/"clickRect",
// "animNode"/"signNode"); image lists "ToolShedTool_<Type>" and
// "ToolShedTool_<Type>_Label" (frame = colour), "ToolShedTool_rollover"
// (frame = type); sprite types "ToolBox_Left/Middle/Right_SpriteType" with
// "Closed" and "Shaking"; images "ToolShed_Fenn" and "ToolShed_Fenn_happy";
// sounds "SFX_ObjectStick", "SFX_ObjectRollover", "SFX_Toolbox",
// "ToolShed_WrongTool", "ToolShed_WrongColor".

#include "Core/Source/Vector2.h"
#include "qdl/Source/Game/MiniGameElement.h"
#include "qdl/Source/Game/ToolShed/ToolShedConstants.h"

class ToolShedItem : public MiniGameDragSource<ToolShedItem>
{
public:
    // Type and colour must name a picture (the level reader keeps only those).
    ToolShedItem(ToolShedToolType toolType, ToolShedToolColor color);
    ~ToolShedItem() override;

    void DoOnStartDragging() override;
    void DoOnCancel() override;
    void DoOnReleased() override;
    Corvane::Label GetRole() const override;

    // The shared pick-up pop on the mouse copy.
    void nodePickUp();
    // The answer to a wrong box: Fenn looks worried and the copy shakes; the
    // tool stays held.
    void errorShake();

    ToolShedToolType toolType;
    ToolShedToolColor color;
    // Where the tool lands after its throw, and its volley (0, 1 or 2); set by the mode.
    Corvane::Vector2<float> landingLocation;
    int throwGroup;
};

class ToolShedToolBox : public MiniGameDropTarget<ToolShedItem>
{
public:
    // The position (0 to 5) chooses the box's sprite type and its volley.
    ToolShedToolBox(ToolShedToolType toolType, ToolShedToolColor color, int position);
    ~ToolShedToolBox() override;

    // Judges the held tool: the right one is released into this box; a wrong
    // one gets the voice-over of what differs and shakes. Nothing held: nothing.
    void handleMouseDown() override;
    void DropActivated(ToolShedItem* tool) override;
    Corvane::Label GetRole() const override;

    // "Shaking" when the box belongs to the volley being thrown.
    void shakeToolBox(int group);
    void closeToolBox();

    ToolShedToolType toolType;
    ToolShedToolColor color;
    int throwGroup;
};
