#pragma once

// StreetSigns (game type 1, label "StreetSigns"): a voice asks for signs of one
// colour or one shape; the level's signs stand at random places of a
// container of 6, 9 or 12 places. The truck drives on, the request is said
// and the signs take clicks. A right sign is lifted by the crane's hook into
// the truck; a wrong one shakes while a voice says what is wrong (a coin
// decides between the specific and the generic line). A click on the truck
// says the request again; a click on the crane says "VO_Toller_IThinkSo".
// When no right sign is left the truck drives off and the loop ends: the mode
// starts itself again ("RepeatedGameNumLoops"[difficulty] further loops, each
// a new mode without the overlay), or the level ends with
// "StreetSigns_GameComplete".
//
// The request is the first label of the level's requests; its text is
// matched byte for byte against the five sign colours and five sign shapes.
// A level that is missing, asks for nothing or shows no sign gives the notification
// "Difficulty Level Not Found for StreetSignsMode" (the level and its file
// are logged, levelNotFound) and a street without signs or truck; Help and
// Quit still work. A layout that cannot be built is reported and the main
// menu follows.
//
// Content: layout "StreetSignsModeLayout" (StreetSignsConstants.h names its
// nodes; the crane has "Happy" and "Sad"); constants "RepeatedGameNumLoops",
// "HandCursorRegPt"; sounds "VO_Toller_IThinkSo", "VO_TollerTada",
// "StreetSigns_WrongShape", "StreetSigns_WrongColor", "StreetSigns_WrongSign",
// "StreetSigns_GameComplete", the shared colour and shape words.

#include <vector>

#include "Core/Source/Label.h"
#include "CorvaneExtensions/Source/NodePath.h"
#include "qdl/Source/Game/GameConstants.h"
#include "qdl/Source/Game/QuarrydaleGameMode.h"

class SceneNode;
class StreetSign;
class StreetSignTruck;

class StreetSignsMode : public QuarrydaleGameMode
{
public:
    // loopsLeft -1 starts a level: "RepeatedGameNumLoops" at the current
    // difficulty further loops follow. Otherwise it is the ending loop's
    // count, lowered by one.
    StreetSignsMode(bool playIntro, int loopsLeft);
    ~StreetSignsMode() override;

    void Setup() override;
    // The scene's update, then the mouse's enter and exit against nodes that moved.
    void Update(float dt) override;
    // The next loop: a new mode without the overlay, with this loop's count.
    void refreshMode() override;
    void setupCursor() override;

    // False (with the notification) when the level is missing or asks for nothing.
    bool initializeLevel(Corvane::Label level);
    // Says the request when a right sign is outstanding; nothing otherwise.
    void playTraitVocal();
    void playIntroAnimation();
    void streetSignClicked(StreetSign* sign);
    void checkLevelEnding();
    // Acts once: the truck drives off, then the next loop or the level's end.
    void playOutroAnimation();
    void maskMouseInput(bool mask);

    // The request's index among the sign colours or shapes; -1 when its text is none of them.
    static int requestColorIndex(Corvane::Label request);
    static int requestShapeIndex(Corvane::Label request);
    static bool isRightSign(Corvane::Label request, int color, int shape);
    static QuarrydaleColor toQuarrydaleColor(int signColor);
    static QuarrydaleShape toQuarrydaleShape(int signShape);

    Corvane::Label getRequest() const { return request; }
    int getLoopsLeft() const { return loopsLeft; }
    bool getPlayIntro() const { return playIntro; }
    // The live signs, in the database's order.
    std::vector<StreetSign*> getSigns();
    bool hasOutstandingRightSign();
    StreetSignTruck* getTruck();

private:
    SceneNode* findPlayfieldNode(NodePathElement const* path) const;
    void setCraneAnimation(char const* animation);

    Corvane::Label request;
    int loopsLeft;
    bool playIntro;
};
