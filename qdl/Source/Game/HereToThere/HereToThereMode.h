#pragma once

// The animal-delivery game: up to four caged animals wait in the loading row,
// houses with flags stand in twelve slots on three roads, and the truck takes
// each animal to the house whose flag has the same colour and shape. One game
// per level; when the last animal is delivered the outro plays once and the
// level ends.
//
// Content: the layout "HereToThereModeLayout" with "GameScreenRoot" /
// "Playfield" / "YSorted" (at the screen origin, holding "Source_1" to
// "Source_4" and "Target_1" to "Target_12") and "GameScreenRoot" /
// "Playfield" / "Material_ClickMask" (the input mask over the playfield);
// the layouts of the animals, houses and truck and "HereToThereDummyHouse";
// the levels of kind "HereToThereLevel"; the voice-over
// "HereToThere_GameComplete"; the constants "TrundelIdleLocation" and
// "DefaultCursorRegPt"; the image "cursor_default".

#include <string>

#include <boost/signals2/connection.hpp>

#include "qdl/Source/Game/QuarrydaleGameMode.h"

class HereToThereLevel;

class HereToThereMode : public QuarrydaleGameMode
{
public:
    HereToThereMode();
    ~HereToThereMode() override;

    void Setup() override;
    // Re-sends the last mouse position, so that enter and exit follow what
    // moves under a still mouse and the mask as it comes and goes.
    void Update(float dt) override;
    void refreshMode() override;
    void setupCursor() override;

    // The running game: the main loop's top mode when it is this game.
    static HereToThereMode* find();

    void initializeLevel(Corvane::Label level);
    void initializeTargetBuildings(HereToThereLevel* level);
    void initializeObjects(HereToThereLevel* level);
    void maskMouseInput(bool mask);
    void SortPlayfieldEntities(SceneNode* layer);
    // Plays the outro once no animal is left.
    void checkLevelEnd();
    void playOutroAnimation();

    bool getMatchColor() const { return matchColor; }

    // What is wrong with the layouts: the first node this game resolves that
    // its layout lacks, naming both, or a missing layout; empty when all is there.
    static std::string findMissingLayoutNode();

private:
    bool matchColor;
    boost::signals2::scoped_connection sortConnection;
};
