#pragma once

// The digger of the counting game, built from the layout
// "MaterialLoaderLayout": it drives in and waits at its idle place; after a
// wrong click it drives to the pile, waits while the line is spoken and backs
// up; after the right click it lifts the pile ("materialAttach"), drives off
// to the right, comes back along the delivery road with the pile on the other
// side ("materialAttach_flip"), drops it into the dumper's cart and leaves.
// Its moves are tasks on its layout root (place), on "truckImage" (animations
// and sounds) and on the digger itself (hand-overs), met at cue points.

#include <boost/signals2/connection.hpp>

#include "Core/Source/Label.h"
#include "Core/Source/Vector2.h"
#include "CorvaneExtensions/Source/SceneLayoutController.h"

class DraggableMaterial;

class MaterialLoader : public SceneLayoutController
{
public:
    MaterialLoader();
    ~MaterialLoader() override;

    SceneNode* GetLayoutNode() override;
    void AddedToScene() override;
    // "CountTheMaterials_MaterialLoader", by which the mode finds it.
    Corvane::Label GetName() const override;
    static Corvane::Label name();

    void enterScreen();
    // The right pile's delivery, in four stages the mode calls in this order.
    void driveToMaterial(DraggableMaterial* pile);
    void driveOffScreen(Corvane::Vector2<float> const& point);
    void startLoadSequence();
    void endLoadSequence();
    // The visit of a wrong pile; the mode's line is spoken on arrival.
    void driveToIncorrectMaterial(DraggableMaterial* pile);

    // Hand-overs, run from the queues.
    void pickUpMaterial(DraggableMaterial* pile);
    void flipGrubbinFacing();
    void giveMaterials();

    // Where the digger's layout root goes to reach the pile: its lower left
    // corner moved by "MaterialPickupOffset".
    static Corvane::Vector2<float> pickUpPoint(DraggableMaterial const* pile);

private:
    SceneNode* node(int path) const;
    void queueDriveToPile(DraggableMaterial* pile, bool rightPile);

    // The tree built here until it is added to a scene; from then on the base's.
    SceneNode* unattachedRoot;
    boost::signals2::scoped_connection bodyClick;
};
