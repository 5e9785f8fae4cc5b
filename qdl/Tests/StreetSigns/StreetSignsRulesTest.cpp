// The rules of StreetSigns that need no screen: which signs answer a request
// (matched by the request's text), the words spoken for it, and the depth
// order of the places on the street.

#include <gtest/gtest.h>

#include "Core/Source/Label.h"
#include "CorvaneExtensions/Source/SceneNode.h"
#include "qdl/Source/Game/PlayfieldEntityYSort.h"
#include "qdl/Source/Game/StreetSigns/StreetSignsConstants.h"
#include "qdl/Source/Game/StreetSigns/StreetSignsMode.h"

using Corvane::Label;

TEST(StreetSignsRules, ARequestIsAColourOrAShapeByItsText)
{
    Label const red = Label::GetUniqueString("Red");
    Label const triangle = Label::GetUniqueString("Triangle");
    Label const star = Label::GetUniqueString("Star");
    EXPECT_EQ(kStreetSignColor_Red, StreetSignsMode::requestColorIndex(red));
    EXPECT_EQ(-1, StreetSignsMode::requestShapeIndex(red));
    EXPECT_EQ(kStreetSignShape_Triangle, StreetSignsMode::requestShapeIndex(triangle));
    EXPECT_EQ(-1, StreetSignsMode::requestColorIndex(triangle));
    EXPECT_EQ(-1, StreetSignsMode::requestColorIndex(star));
    EXPECT_EQ(-1, StreetSignsMode::requestShapeIndex(star));

    // Red: a red square and a red circle are right, a green sign of any shape wrong.
    EXPECT_TRUE(StreetSignsMode::isRightSign(red, kStreetSignColor_Red, kStreetSignShape_Square));
    EXPECT_TRUE(StreetSignsMode::isRightSign(red, kStreetSignColor_Red, kStreetSignShape_Circle));
    for (int shape = 0; shape < kNumStreetSignShapes; ++shape)
        EXPECT_FALSE(StreetSignsMode::isRightSign(red, kStreetSignColor_Green, shape));
    EXPECT_TRUE(StreetSignsMode::isRightSign(triangle, kStreetSignColor_Blue, kStreetSignShape_Triangle));
    EXPECT_FALSE(StreetSignsMode::isRightSign(triangle, kStreetSignColor_Blue, kStreetSignShape_Octagon));
    // A request naming neither makes every sign wrong; a sign of no colour or shape matches nothing.
    for (int color = -1; color < kNumStreetSignColors; ++color)
        for (int shape = -1; shape < kNumStreetSignShapes; ++shape)
            EXPECT_FALSE(StreetSignsMode::isRightSign(star, color, shape));
    EXPECT_FALSE(StreetSignsMode::isRightSign(red, -1, kStreetSignShape_Square));
}

TEST(StreetSignsRules, TheRequestIsSpokenWithTheSharedWords)
{
    EXPECT_EQ(kQuarrydaleColor_Orange, StreetSignsMode::toQuarrydaleColor(kStreetSignColor_Orange));
    EXPECT_EQ(kQuarrydaleColor_Yellow, StreetSignsMode::toQuarrydaleColor(kStreetSignColor_Yellow));
    EXPECT_EQ(kQuarrydaleColor_Green, StreetSignsMode::toQuarrydaleColor(kStreetSignColor_Green));
    EXPECT_EQ(kQuarrydaleShape_Rectangle, StreetSignsMode::toQuarrydaleShape(kStreetSignShape_Rectangle));
    EXPECT_EQ(kQuarrydaleShape_Square, StreetSignsMode::toQuarrydaleShape(kStreetSignShape_Square));
    EXPECT_EQ(kQuarrydaleShape_Octagon, StreetSignsMode::toQuarrydaleShape(kStreetSignShape_Octagon));
    EXPECT_EQ(kQuarrydaleShape_Triangle, StreetSignsMode::toQuarrydaleShape(kStreetSignShape_Triangle));
    EXPECT_EQ(kQuarrydaleShape_Circle, StreetSignsMode::toQuarrydaleShape(kStreetSignShape_Circle));
}

TEST(StreetSignsRules, PlacesLowerOnTheStreetAreDrawnLaterAndEqualOnesKeepTheirOrder)
{
    SceneNode container;
    auto place = [&container](char const* name, float y, float height, float marker) {
        SceneNode* const node = new SceneNode(Label::GetUniqueString(name));
        node->SetNodeName(Label::GetUniqueString(name));
        node->LocalSetLocation(0.0f, y);
        node->SetHeight(height);
        if (marker >= 0.0f)
        {
            SceneNode* const bottom = new SceneNode();
            bottom->SetNodeName(Label::GetUniqueString("PlayfieldEntityBottomLoc"));
            bottom->LocalSetLocation(0.0f, marker);
            node->AttachChild(bottom);
        }
        container.AttachChild(node);
        return node;
    };
    // Bottoms: 300, 250 (its marker, although its box reaches 400), 300, 100.
    SceneNode* const first = place("first", 200, 100, -1);
    SceneNode* const marked = place("marked", 200, 200, 50);
    SceneNode* const same = place("same", 250, 50, -1);
    SceneNode* const high = place("high", 0, 100, -1);
    EXPECT_FALSE(PlayfieldEntityYSort(first, same));
    EXPECT_FALSE(PlayfieldEntityYSort(same, first));
    SortPlayfieldEntities(&container);
    std::vector<SceneNode*> const order(container.GetChildren().begin(), container.GetChildren().end());
    EXPECT_EQ((std::vector<SceneNode*>{high, marked, first, same}), order);
    for (SceneNode* const node : order)
    {
        for (SceneNode* const child : std::vector<SceneNode*>(node->GetChildren().begin(), node->GetChildren().end()))
        {
            child->DetachFromParent();
            delete child;
        }
        node->DetachFromParent();
        delete node;
    }
}
