#pragma once

// One coloured platform of the stacking game, built from "StackTargetLayout":
// "clickNode" takes the mouse, "Platform" shows "Platform_Red" or
// "Platform_Blue" and holds the stack points "StackPoint_1" (bottom) to
// "StackPoint_5". It takes only objects of its own colour, lifts its top
// object off when clicked with nothing held, and judges its stack: the
// longest run from the bottom in which each object sits at its correct
// position stays, everything above falls back to the ground.

#include <vector>

#include <boost/signals2/connection.hpp>

#include "Core/Source/Label.h"
#include "CorvaneExtensions/Source/SceneLayoutController.h"
#include "qdl/Source/Game/DragAndDrop.h"
#include "qdl/Source/Game/TollerStacker/TollerStackerConstants.h"

class StackableObject;

class StackingTarget : public DragTarget<StackableObject*>, public SceneLayoutController
{
public:
    static int const kNumStackPoints = 5;

    explicit StackingTarget(StackObjectColor color);
    ~StackingTarget() override;

    void DropActivated(StackableObject* object) override;
    SceneNode* GetLayoutNode() override;
    void AddedToScene() override;
    // "TollerStacker_StackableTarget".
    Corvane::Label GetRole() const override;

    void acceptMouseInput(bool accept);
    void handleMouseEnter();
    void handleMouseExit();
    void handleMouseDown();
    void handleMouseUp() {}

    // The stack point the next object goes to; null once the platform is full.
    SceneNode* getCurrentStackingPoint() const;
    void stackObjectOnThis(StackableObject* object, bool immediate);
    // Drops the wrong part of the stack (all of it when forced) and plays
    // "SFX_GirderFall"; true when the stack was wrong or forced.
    bool shakeOutCurrentStack(bool force);

    StackObjectColor getColor() const { return color; }
    std::vector<Corvane::ObjectID> const& getStack() const { return stack; }

private:
    SceneNode* root() const { return layoutNode ? layoutNode : unattachedRoot; }
    SceneNode* clickNode() const;
    StackableObject* topObject() const;

    SceneNode* unattachedRoot;
    StackObjectColor color;
    // Bottom first.
    std::vector<Corvane::ObjectID> stack;
    boost::signals2::scoped_connection mouseUp;
    boost::signals2::scoped_connection mouseDown;
    boost::signals2::scoped_connection mouseEnter;
    boost::signals2::scoped_connection mouseExit;
};
