#pragma once

// The leaf-blowing game. Tools of random type and colour lie hidden under
// leaves; the pointer blows the leaves aside, the voice names the colour and
// the tool to find, and a click on it makes the dog cheer and the tool fly to
// its picture before the next one is named. All the tools of a level are found
// in one game: the first, then "RepeatedGameNumLoops" more.

#include <vector>

#include "Core/Source/Label.h"
#include "Core/Source/Rect.h"
#include "Core/Source/Vector2.h"
#include "2DEngine/Source/Framework/Object.h"
#include "qdl/Source/Game/GameConstants.h"
#include "qdl/Source/Game/QuarrydaleGameMode.h"

class Leaf;
class LeafCoveredTool;
class SceneNode;

// A tool to make: its type and colour.
struct sLeafToolDraw
{
    QuarrydaleTool type;
    QuarrydaleColor color;
};

class PileOfLeavesMode : public QuarrydaleGameMode
{
public:
    // Started from a menu or the story with (true, -1).
    PileOfLeavesMode(bool playIntro, int toolsLeft);
    ~PileOfLeavesMode() override;

    void Setup() override;
    void Update(float dt) override;
    void Enter() override;
    void refreshMode() override;
    void setupCursor() override;

    void generateTools(int count);
    void hideTools(int toolCover, int areaCover);
    void createLeaf(int x, int y);
    void createAnimatedLeaf();
    void playIntroAnimation();
    void startLeafMouseTracking();
    void setToolToFind();
    void maskMouseInput(bool visible);
    void playDogAnimation(Corvane::Label animation);
    Corvane::Vector2<float> getCorrectClickFlyDest() const;
    void correctToolClicked(LeafCoveredTool* tool);
    void playOutroAnimation();

    QuarrydaleColor getColorToFind() const { return colorToFind; }
    QuarrydaleTool getToolToFind() const { return toolToFind; }
    int getToolsLeftToFind() const { return toolsLeftToFind; }
    int getCursorRadius() const { return cursorRadius; }
    Corvane::Label getLevelName() const { return levelName; }
    std::vector<Leaf*> getLeaves() const;
    // The tools still in play, in the order they were made (the order asked).
    std::vector<LeafCoveredTool*> getTools() const;

    // The tool pairs a level of `count` tools may draw: with 6 or fewer, at most
    // two colours of a type; with 7 or more, one hammer, one drill, two wrenches,
    // two screwdrivers; never a pair twice.
    static bool mayDrawTool(int count, QuarrydaleTool type, int colorsOfType);
    // The most tools a level of `count` tools can make.
    static int toolsAvailable(int count);
    // The tools a level of `count` tools makes, in the order made: as many as
    // it may draw, each pair at most once.
    static std::vector<sLeafToolDraw> drawTools(int count);
    // How much of a place's bounds lies off the play area, or over the other
    // tools' bounds (more than one pixel both ways); 0 is a free place.
    static float placeOverlap(Corvane::Rect<float> const& place, std::vector<Corvane::Rect<float> > const& others);

private:
    SceneNode* nodeOf(Corvane::ObjectID id) const;

    QuarrydaleColor colorToFind;
    QuarrydaleTool toolToFind;
    int cursorRadius;
    std::vector<Corvane::ObjectID> leaves;
    int toolsLeftToFind;
    bool playIntro;
    Corvane::Label levelName;
    bool toolFound;
    Corvane::ObjectID leafLayerID;
    Corvane::ObjectID toolLayerID;
    Corvane::ObjectID clickMaskID;
    Corvane::ObjectID dogID;
    Corvane::ObjectID toolToPickID;
    Corvane::ObjectID highlightBoxID;
};
