#pragma once

// One pile of a building material on the playfield, built from the layout
// "MaterialSourceLayout": its "imageNode" shows the pile (frame count - 1 of
// the material's pile image list) and takes the mouse, its
// "imageNode"/"highlightNode" shows the matching rollover frame while the
// mouse is over the pile. A press hands the pile to the running
// CountTheMaterialsMode, which judges it; the pile never judges itself.

#include <boost/signals2/connection.hpp>

#include "Core/Source/Label.h"
#include "CorvaneExtensions/Source/SceneLayoutController.h"
#include "qdl/Source/Game/CountTheMaterials/CountTheMaterialsConstants.h"

class DraggableMaterial : public SceneLayoutController
{
public:
    DraggableMaterial(BuildingMaterial material, int count);
    ~DraggableMaterial() override;

    SceneNode* GetLayoutNode() override;
    void AddedToScene() override;
    // "CountTheMaterials_MaterialObject".
    Corvane::Label GetRole() const override;

    void acceptMouseInput(bool accept);
    void setupMouseHandling();
    void handleMouseEnter();
    void handleMouseExit();
    void handleMouseDown();
    void handleMouseUp();
    // Piles of more than two items become their material's clump picture when lifted.
    void convertToClump();

    BuildingMaterial getMaterial() const { return material; }
    int getCount() const { return count; }

private:
    SceneNode* imageNode() const;
    SceneNode* highlightNode() const;

    BuildingMaterial material;
    int count;
    // The tree built here until it is added to a scene; from then on the base's.
    SceneNode* unattachedRoot;
    boost::signals2::scoped_connection mouseUp;
    boost::signals2::scoped_connection mouseDown;
    boost::signals2::scoped_connection mouseEnter;
    boost::signals2::scoped_connection mouseExit;
};
