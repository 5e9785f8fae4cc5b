#pragma once

// The hide-and-seek mini-game: a cat runs from obstacle to obstacle and hides
// behind the last one; the child clicks the obstacle it went behind. One game
// is one level of the current difficulty: its obstacles, shuffled, stand in
// the slots of the difficulty's layer, and the cat is found "numHides" times
// before it runs off and the level ends. A click mask over the playfield,
// shown from the start, keeps clicks off while the cat runs or a picture lifts.
//
// Broken content is named in a notification and the game stays empty: a
// missing level, or a layout without a node the game resolves, leaves the
// Help and Quit buttons shown (no overlay); without its screen layout at all
// the game has no Quit button, so it leaves for a new main menu.
//
// Content: the layout "HideAndSeekModeLayout" with "GameScreenRoot"/
// "Playfield" holding "ClickMask" (over the layers) and "PlayfieldLayers"/
// "YSortedLayer_Easy", "_Medium" and "_Hard", whose children are the obstacle
// slots; the layouts of the cat and the obstacles; the levels
// "HideAndSeekLevel"; the voice-over "HideAndSeek_GameComplete".

#include <string>

#include <boost/signals2/connection.hpp>

#include "Core/Source/Label.h"
#include "qdl/Source/Game/QuarrydaleGameMode.h"

class HideAndSeekObstacle;
class SceneNode;

class HideAndSeekMode : public QuarrydaleGameMode
{
public:
    HideAndSeekMode();
    ~HideAndSeekMode() override;

    void Setup() override;
    // Also re-sends the last mouse position, so that the obstacles light up
    // under a still mouse as pictures move and the mask comes and goes.
    void Update(float dt) override;

    void refreshMode() override;
    void setupCursor() override;

    // Reads the level and places its obstacles and the cat.
    void initializeLevel(Corvane::Label level);
    void setupClickMaskNode();
    // Shows (on) or hides the click mask.
    void maskClickInput(bool on);
    // An obstacle has been looked behind; a find counts only where the cat hides.
    void obstacleClicked(HideAndSeekObstacle* obstacle);
    // The closing sequence, once.
    void startOutroAnimation();
    // The layer's children keep the order the cat gives them.
    void SortPlayfieldEntities(SceneNode* layer);

    int getNumHides() const { return numHides; }
    int getHidesFound() const { return hidesFound; }
    // The playfield layer of the current difficulty, the click mask; null when the layout lacks them.
    SceneNode* getDifficultyLayer() const;
    SceneNode* getClickMask() const;

private:
    // "" when the layouts give every node the game resolves; else what is missing.
    std::string findMissingContent() const;

    int numHides;
    int hidesFound;
    boost::signals2::scoped_connection sortHook;
};
