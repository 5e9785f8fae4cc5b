#pragma once

// ToolShed (game type 0, label "ToolShed"): the scarecrow peeks in from the
// left, the right and the top, jumps into the yard and throws the level's
// tools in three volleys; they land scattered in the band x 100..700,
// y 400..550. Then the instruction overlay is pushed, Fenn appears and the
// input mask goes. The child clicks a tool, then the box of the same type
// and colour (ToolShedElements.h); a click on the ground puts a held tool
// back. When no tool is left the boxes close, "ToolShed_GameComplete" is said
// and the level ends 2 s later. A level is played once; there are no loops.
//
// A level that is missing gives the notification "Difficulty Level Not Found
// for ToolShedMode" (the level and its file are logged, levelNotFound); a
// yard without tools, missing level or level without tools, is won at once
// (no intro) and the level ends. A layout that cannot be built is reported and
// the main menu follows.
//
// Content: layout "ToolShedModeLayout" (ToolShedConstants.h names its nodes);
// constants "ScarrowArmShakeLocations" (three points), "ToolThrowUpTime",
// "ToolFallDownTime", "ScarrowToolShedPeekMoveTime", "ArmShakePauseTime",
// "LeftScarrowFinalLoc", "RightScarrowFinalLoc", "TopScarrowFinalLoc",
// "ToolShed_ScarrowJumpingPath_1" and "_2", "HandCursorRegPt"; the scarecrow's
// animations "StartJump" and "ArmShake"; sounds "SFX_ScarrowTools",
// "SFX_Toolbox", "SFX_DropGirder", "ToolShed_GameComplete".

#include <vector>

#include "Core/Source/Label.h"
#include "CorvaneExtensions/Source/NodePath.h"
#include "qdl/Source/Game/QuarrydaleGameMode.h"

class SceneNode;
class ToolShedItem;
class ToolShedLevel;
class ToolShedToolBox;

class ToolShedMode : public QuarrydaleGameMode
{
public:
    // Place draws per tool before the overlap threshold is halved, so that a
    // crowded level cannot keep set-up drawing for ever.
    static int const kMaxPlacementDraws = 2000;

    ToolShedMode();
    ~ToolShedMode() override;

    void Setup() override;
    // The scene's update, then the mouse's enter and exit against nodes that
    // moved, then the win test.
    void Update(float dt) override;
    // A fresh game with a freshly drawn level.
    void refreshMode() override;
    void setupCursor() override;

    // Builds the tools and boxes of the level; false (with the notification)
    // when there is no such level.
    bool initializeLevel(Corvane::Label level);
    void generateTools(ToolShedLevel const& level);
    void throwUpToolsWithIndex(int group);
    void landAllTools();
    void playIntroAnimation();
    // Acts once: closes the boxes, speaks, and ends the level 2 s later.
    void playOutroAnimation();
    // Puts a held tool back (the ground is no drop target).
    void cancelItemDragging();

    // The squared distance a new tool keeps from every placed tool's box:
    // 90000 / n (whole division) times 0.7, in 32-bit floats, truncated.
    static int getToolOverlapThreshold(int toolCount);

    // The live objects of each role, in the database's order.
    std::vector<ToolShedItem*> getTools();
    std::vector<ToolShedToolBox*> getToolBoxes();

private:
    SceneNode* findPlayfieldNode(NodePathElement const* path) const;
    bool isPlaceFree(float x, float y, float threshold);

    // Set once the layout stands and the level is set up, found or not: from
    // then on a playfield without tools is won.
    bool levelSetUp;
};
