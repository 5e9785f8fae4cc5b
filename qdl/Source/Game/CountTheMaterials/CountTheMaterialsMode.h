#pragma once

// The counting game (game type 6): the dumper asks for a number of items of
// one material, up to five piles lie on the playfield, and the child clicks
// the pile with the right material in the right number. One instance plays
// one loop: it draws a level, lays the piles out in a new random order,
// brings in the dumper and the digger, has the request spoken and judges each
// click; the right pile is delivered, and then the mode either replaces itself
// with a fresh instance (one loop fewer, no overlay) or ends the level.
//
// Content: the layout "CountTheMaterialModeLayout" with "GameScreenRoot" /
// "Playfield" holding "YSortedLayer" (the pile places "MaterialSources_0" to
// "MaterialSources_4" inside it) and the click mask "Material_ClickMask",
// which must be shown at the start; the element layouts of the pieces; the
// constants "RepeatedGameNumLoops" and "HandCursorRegPt"; "cursor_hand".

#include <boost/signals2/connection.hpp>

#include "Core/Source/Label.h"
#include "2DEngine/Source/Framework/Object.h"
#include "qdl/Source/Game/QuarrydaleGameMode.h"
#include "qdl/Source/Game/CountTheMaterials/CountTheMaterialsLevel.h"

class DraggableMaterial;

class CountTheMaterialsMode : public QuarrydaleGameMode
{
public:
    // loops: the further loops after this one plus one; -1 takes the count
    // from "RepeatedGameNumLoops" at the current difficulty.
    CountTheMaterialsMode(bool playIntro, int loops);
    ~CountTheMaterialsMode() override;

    void Update(float dt) override;
    void Setup() override;
    void refreshMode() override;
    void setupCursor() override;

    void initializeLevel(Corvane::Label level);
    void playIntroAnimation(MaterialData const& request);
    // A pile was pressed: every press restarts the hint timer; the right pile
    // is delivered, any other visited by the digger with a spoken line.
    void MaterialClicked(DraggableMaterial* pile);
    void playOutroAnimation(DraggableMaterial* pile);
    void playWrongClickAnimation(DraggableMaterial* pile);
    // The line for the wrong pile, as the digger reaches it.
    void playIncorrectMaterialVO(DraggableMaterial* pile);
    // Says the request again, cutting off what was being said.
    void playAudioRequest();
    void SortPlayfieldEntities(SceneNode* layer);

    int getLoopsLeft() const { return loopsLeft; }
    bool getPlayIntro() const { return playIntro; }
    Corvane::Label getLevel() const { return level; }
    Corvane::ObjectID getDumper() const { return dumper; }
    SceneNode* getClickMask() const;

    // The wrong-pile line: another material, too few or too many of the asked
    // one; the null label for the pile that is asked for.
    static Corvane::Label incorrectAnswerLine(MaterialData const& pile, MaterialData const& request);
    // Queues the request's words: number, colour (none for a material without
    // one), material (singular for one item only).
    static void queueRequestWords(MaterialData const& request);

private:
    SceneNode* getYSortedLayer() const;
    // Shows the mask at once, so that a second press in the same frame finds
    // it, and queues the showing too, behind whatever the mask still waits for.
    void showClickMask();
    // "" when the game's layout has every node the mode resolves.
    std::string findMissingModeNode() const;
    void leaveForMainMenu();

    Corvane::ObjectID dumper;
    int loopsLeft;
    bool playIntro;
    Corvane::Label level;
    boost::signals2::scoped_connection sortConnection;
};
