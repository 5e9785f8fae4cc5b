#pragma once

// The leaf-blowing game's elements: a leaf that flies in to its resting place
// and, once tracking is on, is pushed out to the edge of the circle around the
// pointer; and a tool hidden under the leaves, which lights up under the
// pointer, wobbles when it is the wrong one and flies, spinning, to the
// picture of the wanted tool when it is the right one.

#include "Core/Source/Label.h"
#include "Core/Source/Vector2.h"
#include "CorvaneExtensions/Source/SceneLayoutController.h"
#include "qdl/Source/Game/MiniGameElement.h"
#include "qdl/Source/Game/GameConstants.h"

class PileOfLeavesMode;
class SceneNode;
class StaticSpriteNode;

class Leaf : public SceneLayoutController
{
public:
    Leaf(int x, int y, int cursorRadius);

    SceneNode* GetLayoutNode() override;
    Corvane::Label GetRole() const override;
    static Corvane::Label role();
    void Update(float dt) override;

    void flyToStablePosition();
    // Where the leaf is pushed for a pointer at (mouseX, mouseY): its resting
    // place, the circle's edge, or nowhere (false) outside the pointer's square.
    static bool pushedPosition(Corvane::Vector2<int> const& stable, int cursorRadius, int mouseX, int mouseY,
                               Corvane::Vector2<int>* position);

    Corvane::Vector2<int> getStablePosition() const { return stablePosition; }
    int getCursorRadius() const { return cursorRadius; }

    bool trackMouse;

private:
    SceneNode* createdLayout;
    int cursorRadius;
    int cursorRadiusSquared;
    Corvane::Vector2<int> stablePosition;
};

// Its picture ("imageNode") takes the mouse, its whole rectangle;
// "imageNode"/"highlightNode" lights up under the pointer.
class LeafCoveredTool : public MiniGameElement
{
public:
    LeafCoveredTool(QuarrydaleColor color, QuarrydaleTool toolType);

    Corvane::Label GetRole() const override;
    static Corvane::Label role();
    void Update(float) override {}

    void handleMouseDown() override { nodeClicked(); }
    void nodeClicked();
    void flyToLocation(Corvane::Vector2<float> const& target);

    QuarrydaleColor getColor() const { return color; }
    QuarrydaleTool getToolType() const { return toolType; }
    StaticSpriteNode* getImageNode() const;
    bool isHighlighted() const;

private:
    QuarrydaleColor color;
    QuarrydaleTool toolType;
};

// The image list of a tool: "GeneralTool_" and its name.
Corvane::Label generalToolImages(QuarrydaleTool tool);
// The top mode as the leaf-blowing game, or null (logged with `who`) when
// something else, such as an overlay, is on top.
PileOfLeavesMode* topPileOfLeavesMode(char const* who);
