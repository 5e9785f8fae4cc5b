#pragma once

// The two elements of StreetSigns, wired as every mini-game element is
// (MiniGameElement.h). A StreetSign is one clickable sign of a colour and a
// shape: a click tells the mode, which answers. For a right sign the crane's
// hook comes down (lowerHook), lifts the sign off the top of the screen and
// drops it into the truck's cart (liftSignIntoTruck); a wrong sign shakes
// (wrongSignShake). The StreetSignTruck drives on at the start of a loop,
// repeats the request when clicked, and drives off at the end.
//
// Each of lowerHook, liftSignIntoTruck and wrongSignShake leaves the sign's
// own task queue waiting until its movement is over, and each drive leaves
// the truck's queue waiting until it has arrived or left: the mode queues its
// next steps behind them.
//
// Content: layouts "StreetSignLayout" ("imageNode", "imageNode"/"rollover",
// "HookAssembly") and "StreetSignTruckLayout" ("sloamImage" with "Idle-Left"
// and "Drive-Left", "MaterialsInCart"); image lists "StreetSigns_Sign<Shape>"
// (frame = colour) and "StreetSigns_SignRollover" (frame = shape); constants
// "SloamStartPosition", "SloamForegroundDrivingSpeed",
// "SloamForegroundDriveOnPath", "SloamForegroundDriveOffPath"; sounds
// "SFX_GeneralClick", "SFX_TollerArm", "SFX_DropGirder", "SFX_GirderFall",
// "SFX_SloamMove".

#include "qdl/Source/Game/MiniGameElement.h"
#include "qdl/Source/Game/StreetSigns/StreetSignsConstants.h"

class StreetSign : public MiniGameElement
{
public:
    // Colour and shape must name a picture (the level reader keeps only those).
    StreetSign(StreetSignColor color, StreetSignShape shape);
    ~StreetSign() override;

    // "SFX_GeneralClick", then the mode judges the sign.
    void handleMouseDown() override;
    Corvane::Label GetRole() const override;

    void lowerHook();
    void liftSignIntoTruck();
    // Moves the sign from its place into the truck's cart, hanging above the
    // screen over the cart's middle, shifted right by the offset; collected.
    // Nothing without a truck.
    void attachToTruckNode(float offset);
    void wrongSignShake();

    StreetSignColor color;
    StreetSignShape shape;
    // In the truck's cart: no longer outstanding.
    bool collected;
};

class StreetSignTruck : public MiniGameElement
{
public:
    StreetSignTruck();
    ~StreetSignTruck() override;

    // Silences the voice and says the request again.
    void handleMouseDown() override;
    Corvane::Label GetName() const override;

    void driveOntoScreen();
    void driveOffScreen();
};
