#include <string>

#include <boost/variant.hpp>
#include <gtest/gtest.h>

#include "qdl/Source/Game/GameConstants.h"
#include "qdl/Source/Game/GameModeTypes.h"
#include "qdl/Source/Game/CountTheMaterials/CountTheMaterialsConstants.h"
#include "qdl/Source/Game/HammerTheNail/HammerTheNailConstants.h"
#include "qdl/Source/Game/HereToThere/HereToThereConstants.h"
#include "qdl/Source/Game/PaintTheHouse/PaintTheHouseConstants.h"
#include "qdl/Source/Game/StreetSigns/StreetSignsConstants.h"
#include "qdl/Source/Game/TollerStacker/TollerStackerConstants.h"
#include "qdl/Source/Game/ToolShed/ToolShedConstants.h"

using Corvane::Label;

namespace
{

TEST(GameConstantsTest, LabelTablesAreTheInternedWordsOfTheNameTables)
{
    for (int i = 0; i < kNumQuarrydaleColors; ++i)
        EXPECT_EQ(Label::GetUniqueString(kQuarrydaleColorNames[i]), kQuarrydaleColorLabels[i]) << i;
    for (int i = 0; i < kNumQuarrydaleShapes; ++i)
        EXPECT_EQ(Label::GetUniqueString(kQuarrydaleShapeNames[i]), kQuarrydaleShapeLabels[i]) << i;
    for (int i = 0; i < kNumQuarrydaleTools; ++i)
        EXPECT_EQ(Label::GetUniqueString(kQuarrydaleToolNames[i]), kQuarrydaleToolLabels[i]) << i;
    for (int i = 0; i < kNumQuarrydaleMaterials; ++i)
        EXPECT_EQ(Label::GetUniqueString(kQuarrydaleMaterialNames[i]), kQuarrydaleMaterialLabels[i]) << i;
    EXPECT_STREQ("Gray", kQuarrydaleColorNames[kQuarrydaleColor_Gray]);
    EXPECT_STREQ("Pliers", kQuarrydaleToolNames[kNumQuarrydaleTools - 1]);
    EXPECT_EQ(Label::GetUniqueString("music"), kMusicKind);
    EXPECT_STREQ("Effect", kEffectKind.GetString());
    EXPECT_STREQ("Ambient", kAmbientKind.GetString());
}

TEST(GameConstantsTest, TheSameWordStandsAtDifferentPlacesInDifferentTables)
{
    EXPECT_EQ(2, lookUpName(L"Blue", kQuarrydaleColorNames));
    EXPECT_EQ(2, lookUpName(L"Blue", kStreetSignColorNames));
    EXPECT_EQ(1, lookUpName(L"Blue", kToolShedToolColorNames));
    EXPECT_EQ(1, lookUpName(L"Blue", kStackObjectColorNames));
    EXPECT_EQ(2, lookUpName(L"Blue", kFixItToolColorNames));
    EXPECT_EQ(0, lookUpName(L"Blue", kHereToThereObjectColorNames));
    EXPECT_EQ(5, lookUpName(L"Rectangle", kQuarrydaleShapeNames));
    EXPECT_EQ(0, lookUpName(L"Rectangle", kStreetSignShapeNames));
    EXPECT_EQ(3, lookUpName(L"Brush", kQuarrydaleToolNames));
    EXPECT_EQ(0, lookUpName(L"Brush", kToolShedToolTypeNames));
    EXPECT_EQ(1, lookUpName(L"Log", kStackObjectTypeNames));
    EXPECT_EQ(1, lookUpName(L"LogRed", kBuildingMaterialNames));
    EXPECT_EQ(2, lookUpName(L"Hard", kGameModeDifficultyNames));
}

TEST(GameConstantsTest, NamesMatchOnlyAsExactText)
{
    EXPECT_EQ(-1, lookUpName(L"red", kQuarrydaleColorNames));
    EXPECT_EQ(-1, lookUpName(L"easy", kGameModeDifficultyNames));
    EXPECT_EQ(-1, lookUpName(L"", kGameModeDifficultyNames));
    EXPECT_EQ(-1, lookUpName(L" Easy", kGameModeDifficultyNames));
    EXPECT_EQ(-1, lookUpName(L"Log", kBuildingMaterialNames));
    EXPECT_EQ(-1, lookUpName(std::wstring(L"Easy\0x", 6), kGameModeDifficultyNames));
}

TEST(GameConstantsTest, LettersOutsideASCIIMatchNothing)
{
    // U+0152 and U+0148 end in the bytes of 'R' and 'H': they must not pass for them.
    EXPECT_EQ(-1, lookUpName(L"\u0152ed", kQuarrydaleColorNames));
    EXPECT_EQ(-1, lookUpName(L"\u0148ard", kGameModeDifficultyNames));
    EXPECT_EQ(-1, lookUpName(L"Fácil", kGameModeDifficultyNames));
}

TEST(GameConstantsTest, PerGameTablesHoldTheirContentNames)
{
    EXPECT_STREQ("Materials-Cement-Rollover", kBuildingMaterialRolloverImages[kBuildingMaterial_CementGray]);
    EXPECT_STREQ("Materials-Bricks-Blue", kBuildingMaterialImages[kNumBuildingMaterials - 1]);
    EXPECT_STREQ("Materials-Plant-Rollover", kBuildingMaterialRolloverImages[kBuildingMaterial_Plant]);
    EXPECT_EQ(Label::GetUniqueString("StreetSigns_SignOctagon"), kStreetSignShapeSprites[kStreetSignShape_Octagon]);
    EXPECT_EQ(Label::GetUniqueString("ToolShedTool_Pliers_Label"), kToolShedToolLabelSprites[kToolShedToolType_Pliers]);
    EXPECT_EQ(Label::GetUniqueString("ToolShedTool_Saw"), kToolShedToolSprites[kToolShedToolType_Saw]);
    EXPECT_EQ(Label::GetUniqueString("cursor_brush_yellow"), kHousePaintBrushCursors[kHousePaintColor_Yellow]);
    EXPECT_EQ(Label::GetUniqueString("FenceSpriteType_Green"), kHousePaintFenceSpriteTypes[kHousePaintColor_Green]);
    EXPECT_EQ(2, lookUpName(L"DriverMinus", kFixItToolTypeNames));
    EXPECT_EQ(3, lookUpName(L"Star", kHereToThereObjectShapeNames));
}

TEST(GameConstantsTest, LayerPathsNameTwoChildrenAndEnd)
{
    NodePathElement const* const paths[] = {kPlayfieldPath, kFXLayerPath, kUIAttachPath};
    char const* const layers[] = {"Playfield", "FX_Layer", "UI_attach"};
    for (int i = 0; i < 3; ++i)
    {
        ASSERT_NE(nullptr, boost::get<char const*>(&paths[i][0]));
        EXPECT_STREQ("GameScreenRoot", boost::get<char const*>(paths[i][0]));
        EXPECT_STREQ(layers[i], boost::get<char const*>(paths[i][1]));
        EXPECT_TRUE(IsNodePathTerminator(paths[i][2]));
    }
    // Without a current scene the path resolves to nothing, which callers test.
    EXPECT_EQ(nullptr, RootDescendent(kPlayfieldPath));
}

} // namespace
