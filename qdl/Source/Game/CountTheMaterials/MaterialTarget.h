#pragma once

// The dumper of the counting game, built from the layout "MaterialTargetLayout":
// it drives in, shows the request (one item of the material and the number) in
// the box over its cab, takes the delivered pile into its cart
// ("MaterialsInCart") and drives away; then a small copy of it
// ("SloamBGLayout") drives along the road in the background. A click on the
// dumper or on its request box has the request spoken again.

#include <boost/signals2/connection.hpp>

#include "Core/Source/Label.h"
#include "2DEngine/Source/Framework/Object.h"
#include "CorvaneExtensions/Source/SceneLayoutController.h"
#include "qdl/Source/Game/CountTheMaterials/CountTheMaterialsConstants.h"

class MaterialTarget : public SceneLayoutController
{
public:
    MaterialTarget(BuildingMaterial material, int count);
    ~MaterialTarget() override;

    SceneNode* GetLayoutNode() override;
    void AddedToScene() override;
    // "CountTheMaterials_MaterialTarget", by which the mode and the digger find it.
    Corvane::Label GetName() const override;
    static Corvane::Label name();

    void acceptMouseInput(bool accept);
    void setupMouseHandling();
    void handleMouseUp() {}
    // The picture lies on the request box and takes its clicks first: it repeats the request too.
    void handleMouseDown();
    void handleMouseEnter() {}
    void handleMouseExit() {}
    void hideMaterialRequest(bool hide);

    // The arrival, queued; the request box shows once the dumper has parked.
    void driveOntoScreen();
    // The departure, queued, and the background drive after it; the dumper
    // object passes its last cue point when the background drive has ended.
    void driveOffScreen();

    BuildingMaterial getMaterial() const { return material; }
    int getCount() const { return count; }
    Corvane::ObjectID getBackgroundDumper() const { return backgroundDumper; }

private:
    SceneNode* node(int path) const;

    // The tree built here until it is added to a scene; from then on the base's.
    SceneNode* unattachedRoot;
    Corvane::ObjectID backgroundDumper;
    int count;
    BuildingMaterial material;
    boost::signals2::scoped_connection bodyClick;
    boost::signals2::scoped_connection boxClick;
    boost::signals2::scoped_connection pictureUp;
    boost::signals2::scoped_connection pictureDown;
    boost::signals2::scoped_connection pictureEnter;
    boost::signals2::scoped_connection pictureExit;
};
