#pragma once

// The delivery truck: it fetches the animal the child clicked from the loading
// row, carries it to the house the child clicked, lets the house check it,
// sets a delivered animal down and drives back to its idle place. Each
// sequence is built at once as task queues on the truck's node and on the
// truck, with every drive's time fixed then (its length over a named speed);
// the two queues meet at cue points. The input mask is shown while it drives.
//
// The direct way to a house is taken only when the truck stands exactly at
// the height of the road's entry point on its facing side and the house lies
// ahead; otherwise it drives off the screen, turns, and comes in at the end
// of the house's road.
//
// Content: the layout "HereToThereCartLayout" with "imageNode" (an animated
// sprite with "Drive-Left" and "Idle-Left"), "ObjectAttachNode" and
// "ObjectAttachNode_Flip"; the float constants "TrundelForegroundDrivingSpeed",
// "TrundelBackgroundDrivingSpeed", "RoadEndX_Left", "RoadEndX_Right", the
// 2D-vector lists "RoadEnd_Left" and "RoadEnd_Right" (one entry per road) and
// the 2D vectors "LoadingRowEnd_Left" and "TrundelIdleLocation"; the effects
// "SFX_TrundelMoveShort", "SFX_TrundelMoveLong" and "SFX_TrundelHorn".

#include <functional>

#include <boost/signals2/connection.hpp>

#include "Core/Source/Vector2.h"
#include "CorvaneExtensions/Source/SceneLayoutController.h"

class HereToThereObject;
class HereToThereTarget;
class SceneNode;

enum HereToThereRoadSide
{
    kRoadEnd_Left = 0,
    kRoadEnd_Right = 1
};

// Entry [road] of "RoadEnd_Left" or "RoadEnd_Right": a road past the list's
// end takes its last entry, an empty or missing list gives (0, 0).
Corvane::Vector2<float> getHereToThereRoadEnd(HereToThereRoadSide side, int road);

class HereToThereCart : public SceneLayoutController
{
public:
    HereToThereCart();
    ~HereToThereCart() override;

    SceneNode* GetLayoutNode() override { return layoutNode; }
    void Update(float) override {}
    Corvane::Label GetName() const override;

    // The truck of the current object database, or null.
    static HereToThereCart* find();

    // True while the animal on the truck is alive.
    bool hasLoadedObject() const;
    Corvane::ObjectID getLoadedObjectID() const { return loaded; }
    bool isFacingLeft() const { return facingLeft; }

    void setTrundelAnims(bool driving);
    void setCartFacing(bool left);
    Corvane::Vector2<float> getOffscreenDestPoint(Corvane::Vector2<float> const& p) const;
    Corvane::Vector2<float> getEnterScreenStartPoint(HereToThereTarget const* house) const;

    void startLoadingSequence(HereToThereObject* animal);
    void loadNewObject();
    void startDeliverySequence(HereToThereTarget* house);
    void driveToTargetDirectly(HereToThereTarget* house);
    void driveOffScreen();
    void moveToTargetRoad(HereToThereTarget* house);
    void driveToTargetFromOffscreen(HereToThereTarget* house);
    // Sets the loaded animal down 50 below the node; nothing without a live loaded animal.
    void unloadCurrentObject(SceneNode* node);
    void returnToLoadingArea(HereToThereTarget* house);
    // While an animal is held, a click on the truck or its cage where they stand
    // over a house is a click on that house; false when it is not.
    bool passClickToHouseBelow(int x, int y);

    // The seconds a drive from a to b lasts at the named speed; 0 when the
    // speed is not a positive finite number.
    float getDriveTime(Corvane::Vector2<float> const& a, Corvane::Vector2<float> const& b, char const* speed);

private:
    SceneNode* getImageNode() const;
    // The node tasks of a drive from a to b: wheels on, the move, wheels off.
    void queueDrive(Corvane::Vector2<float> const& a, Corvane::Vector2<float> const& b, char const* speed);
    void queueJump(Corvane::Vector2<float> const& p);
    // A one-shot call on the node's queue, made on the truck only while it lives.
    void queueOnNode(std::function<void(HereToThereCart&)> const& call);
    // The truck's queue goes on only once the node's queue has reached this point too.
    void queueSync();

    bool facingLeft;
    Corvane::ObjectID loaded;
    bool speedReported;
    boost::signals2::scoped_connection hornConnection;
};
