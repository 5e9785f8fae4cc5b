#include "qdl/Tests/HammerTheNail/HammerTheNailPlayer.h"

#include <algorithm>
#include <cstdlib>

#include <gtest/gtest.h>

#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Graphics/ImageList.h"
#include "CorvaneExtensions/Source/SceneNode.h"
#include "CorvaneExtensions/Source/SpriteNodes.h"
#include "qdl/Source/Game/GameConstants.h"
#include "qdl/Source/Game/HammerTheNail/HammerTheNailMode.h"

using GameDriver::Child;

namespace HammerTheNailPlayer
{
namespace
{
NodePathElement const kTargetsPath[] = {"GameScreenRoot", "Playfield", "MaterialTargets", NodePathTerminator()};
NodePathElement const kMaskPath[] = {"GameScreenRoot", "Playfield", "MaskInput_ClickMask", NodePathTerminator()};

// The list among the names whose frame is the picture: (list index, frame), or (-1, -1).
std::pair<int, int> FindPicture(Corvane::IImage const* image, std::vector<std::string> const& lists)
{
    for (size_t list = 0; list < lists.size(); ++list)
    {
        Corvane::AutoResource<Corvane::ImageList> const images(lists[list]);
        for (int frame = 0; images && frame < images->GetNumImages(); ++frame)
            if (image && images->GetImage(frame) == image)
                return {static_cast<int>(list), frame};
    }
    return {-1, -1};
}

sPiece Centre(SceneNode const* node, sPiece piece)
{
    Corvane::Rect<float> const bounds = node->GlobalGetBounds();
    piece.x = static_cast<int>(bounds.x + bounds.width / 2.0f);
    piece.y = static_cast<int>(bounds.y + bounds.height / 2.0f);
    piece.left = static_cast<int>(bounds.x);
    piece.top = static_cast<int>(bounds.y);
    return piece;
}
} // namespace

std::vector<sPiece> ReadNails()
{
    std::vector<std::string> lists;
    for (int type = 0; type < kNumFixItToolTypes; ++type)
        for (int color = 0; color < kNumFixItToolColors; ++color)
            lists.push_back(fixItNailImageName(FixItToolType(type), FixItToolColor(color)));
    std::vector<sPiece> nails;
    SceneNode* const targets = RootDescendent(kTargetsPath);
    for (SceneNode* const nail : targets ? targets->GetChildren() : std::list<SceneNode*>())
    {
        StaticSpriteNode const* const shape = dynamic_cast<StaticSpriteNode*>(nail->GetDescendent(kFixItNailShapePath));
        if (!shape)
            continue;
        std::pair<int, int> const found = FindPicture(shape->getImage(), lists);
        sPiece piece;
        piece.type = found.first < 0 ? -1 : found.first / kNumFixItToolColors;
        piece.color = found.first < 0 ? -1 : found.first % kNumFixItToolColors;
        piece.frame = found.second;
        // The head is in the upper part of the picture: click the middle of the picture.
        nails.push_back(Centre(shape, piece));
    }
    return nails;
}

std::vector<sPiece> ReadTools()
{
    std::vector<std::string> lists;
    for (int type = 0; type < kNumFixItToolTypes; ++type)
        lists.push_back(fixItToolInBoxImageName(FixItToolType(type)));
    std::vector<sPiece> tools;
    SceneNode* const playfield = RootDescendent(kPlayfieldPath);
    for (int slot = 0; playfield && slot < kNumFixItToolSlots; ++slot)
    {
        SceneNode* const source = playfield->GetDescendent(kFixItToolSlotPaths[slot]);
        for (SceneNode* const tool : source ? source->GetChildren() : std::list<SceneNode*>())
        {
            StaticSpriteNode const* const shape = dynamic_cast<StaticSpriteNode*>(tool->GetDescendent(kFixItToolShapePath));
            if (!shape)
                continue;
            std::pair<int, int> const found = FindPicture(shape->getImage(), lists);
            sPiece piece;
            piece.type = found.first;
            piece.color = found.second;
            piece.inBox = shape->GlobalGetAlpha() > 0.5f && shape->GetHitTest();
            tools.push_back(Centre(shape, piece));
        }
    }
    return tools;
}

SceneNode* FloatingTool()
{
    SceneNode* const fx = RootDescendent(kFXLayerPath);
    return fx && !fx->GetChildren().empty() ? fx->GetChildren().back() : nullptr;
}

bool IsOutroStarted()
{
    HammerTheNailMode const* const mode = dynamic_cast<HammerTheNailMode*>(Corvane::MainLoop::GetTopMostMode(0));
    return mode && mode->isOutroStarted();
}

bool IsInputMasked()
{
    SceneNode* const mask = RootDescendent(kMaskPath);
    return mask && mask->LocalIsVisible();
}

bool DismissOverlay(Child& child)
{
    // A level without instructions shows none; one with them, within a few frames.
    if (!child.Within(Child::OnTop("FennInstructionMode"), 0.2f))
        return child.TopScreen() == "HammerTheNailMode";
    // Some overlays close themselves without an OK button.
    if (child.Within([] { return Child::FindNode("OkButton") && Child::FindNode("OkButton")->GlobalIsVisible(); },
                     0.5f))
        child.Click("OkButton");
    return child.WaitForScreen("HammerTheNailMode");
}

bool PickUp(Child& child, int type, int color)
{
    std::vector<sPiece> const tools = child.Look(ReadTools);
    // Already in hand.
    for (sPiece const& tool : tools)
        if (!tool.inBox && tool.type == type && tool.color == color)
            return true;
    for (sPiece const& tool : tools)
        if (tool.inBox && tool.type == type && tool.color == color)
            return ClickAt(child, tool.x, tool.y);
    return false;
}

bool DriveInEveryNail(Child& child)
{
    for (;;)
    {
        std::vector<sPiece> const nails = child.Look(ReadNails);
        auto const next = std::find_if(nails.begin(), nails.end(), [](sPiece const& nail) { return nail.frame > 0; });
        if (next == nails.end())
            return true;
        sPiece const nail = *next;
        EXPECT_TRUE(PickUp(child, nail.type, nail.color))
            << "no tool " << kFixItToolTypeNames[nail.type] << " " << kFixItToolColorNames[nail.color] << " in the box";
        if (::testing::Test::HasFailure())
            return false;
        for (int left = nail.frame; left > 0; --left)
        {
            child.MoveMouseTo(nail.x, nail.y);
            child.Frames(1);
            // The tool in hand follows the pointer.
            bool const underPointer = child.Look([&nail] {
                SceneNode* const floating = FloatingTool();
                return floating && floating->LocalGetLocation() == Corvane::Vector2<float>(float(nail.x), float(nail.y));
            });
            EXPECT_TRUE(underPointer);
            std::vector<GameDriver::sSoundPlay> const before = child.Sounds();
            child.PressMouse();
            child.ReleaseMouse();
            child.Frames(1);
            // A picture of the tool halfway through its turn, once per run.
            static bool turnShown = false;
            if (char const* const path = std::getenv("QDL_HAMMERTHENAIL_TURN_SCREENSHOT"))
                if (!turnShown && nail.type == kFixItToolType_Wrench)
                {
                    turnShown = true;
                    child.Frames(6);
                    EXPECT_TRUE(child.SaveScreenshot(path));
                }
            std::vector<GameDriver::sSoundPlay> const after = child.Sounds();
            char const* const voice = left == 1 ? "FixIt_NailComplete" : "FixIt_ClickAgain";
            EXPECT_EQ(CountPlays(before, "SFX_Screw") + 1, CountPlays(after, "SFX_Screw"));
            EXPECT_EQ(CountPlays(before, voice) + 1, CountPlays(after, voice)) << voice;
            // The nail sinks only once the tool has turned.
            EXPECT_EQ(left, child.Look(ReadNails)[next - nails.begin()].frame);
            size_t const index = next - nails.begin();
            EXPECT_TRUE(child.WaitUntil([index, left] { return ReadNails()[index].frame == left - 1; },
                                        "the nail to go in one step"));
            EXPECT_TRUE(
                child.WaitUntil([] { return !IsInputMasked() || IsOutroStarted(); }, "the game to take clicks or end"));
            if (::testing::Test::HasFailure())
                return false;
        }
    }
}

} // namespace HammerTheNailPlayer
