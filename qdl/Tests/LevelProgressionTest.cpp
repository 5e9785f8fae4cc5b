#include "qdl/Source/Game/LevelProgressionData.h"
#include "qdl/Source/Game/LevelProgressionResourceFactory.h"
#include "qdl/Tests/GameTestSupport.h"

using namespace Corvane;
using GameTestSupport::GameFixture;

namespace
{

class LevelProgressionTest : public GameFixture
{
protected:
    void SetUp() override
    {
        GameFixture::SetUp();
        GetResourceManager()->AddResourceFactory(L"LevelProg", new LevelProgressionResourceFactory());
    }

    std::vector<LevelProgressionEntry> Load(std::wstring const& body, char const* name = "ParkStory")
    {
        std::wstring const manifest = L"LevelProgression" + std::to_wstring(++mLoads);
        LoadManifest(manifest.c_str(), L"<resources>" + body + L"</resources>");
        AutoResource<LevelProgressionData> story(name);
        EXPECT_TRUE(story);
        return story ? story->entries : std::vector<LevelProgressionEntry>();
    }

    int mLoads = 0;
};

Label L(char const* text)
{
    return Label::GetUniqueString(text);
}

TEST_F(LevelProgressionTest, StepsAreReadInDocumentOrder)
{
    std::vector<LevelProgressionEntry> const entries =
        Load(L"<LevelProg name='ParkStory'>"
             L"<Cutscene cutsceneID='Intro'/>"
             L"<Level gameType='PlanAJob' levelID='PlanAJob_Easy1'/>"
             L"<Video videoID='Opening'/>"
             L"<Level gameType='CountTheMaterials'/>"
             L"</LevelProg>");
    ASSERT_EQ(4u, entries.size());
    EXPECT_EQ(LevelProgressionEntry::kCutscene, entries[0].type);
    EXPECT_EQ(L("Intro"), entries[0].id);
    EXPECT_TRUE(entries[0].level.IsNull());
    EXPECT_EQ(LevelProgressionEntry::kLevel, entries[1].type);
    EXPECT_EQ(L("PlanAJob"), entries[1].id);
    EXPECT_EQ(L("PlanAJob_Easy1"), entries[1].level);
    EXPECT_EQ(LevelProgressionEntry::kVideo, entries[2].type);
    EXPECT_EQ(L("Opening"), entries[2].id);
    // Without "levelID" the level is the null label.
    EXPECT_EQ(L("CountTheMaterials"), entries[3].id);
    EXPECT_TRUE(entries[3].level.IsNull());
}

TEST_F(LevelProgressionTest, AnEmptyProgressionHasNoSteps)
{
    EXPECT_TRUE(Load(L"<LevelProg name='ParkStory'/>").empty());
    EXPECT_TRUE(Load(L"<LevelProg name='Otra'></LevelProg>", "Otra").empty());
}

TEST_F(LevelProgressionTest, UnknownTagsAndTextAddNothingButStepsInsideThemAreRead)
{
    std::vector<LevelProgressionEntry> const entries =
        Load(L"<LevelProg name='ParkStory'>texto suelto"
             L"<Chapter title='Uno'><Level gameType='ToolShed'/>más texto</Chapter>"
             L"<level gameType='Minúsculas'/>"
             L"<Cutscene cutsceneID='Fin'></Cutscene>"
             L"</LevelProg>");
    ASSERT_EQ(2u, entries.size());
    EXPECT_EQ(L("ToolShed"), entries[0].id);
    EXPECT_EQ(L("Fin"), entries[1].id);
}

TEST_F(LevelProgressionTest, IdsAreKeptAsWrittenWithoutChecks)
{
    std::vector<LevelProgressionEntry> const entries =
        Load(L"<LevelProg name='ParkStory'><Level gameType='Jardinería' levelID=''/><Cutscene/></LevelProg>");
    ASSERT_EQ(2u, entries.size());
    EXPECT_EQ(Label::FromString(std::wstring(L"Jardinería")), entries[0].id);
    EXPECT_TRUE(entries[0].level.IsNull());
    // A missing attribute reads as empty text: the null label.
    EXPECT_TRUE(entries[1].id.IsNull());
}

TEST_F(LevelProgressionTest, ElementsAfterTheProgressionAreResourcesOfTheirOwn)
{
    LoadManifest(L"LevelProgression", L"<resources><LevelProg name='A'><Cutscene cutsceneID='x'/></LevelProg>"
                                      L"<LevelProg name='B'><Cutscene cutsceneID='y'/></LevelProg></resources>");
    AutoResource<LevelProgressionData> a("A");
    AutoResource<LevelProgressionData> b("B");
    ASSERT_TRUE(a);
    ASSERT_TRUE(b);
    EXPECT_EQ(1u, a->entries.size());
    ASSERT_EQ(1u, b->entries.size());
    EXPECT_EQ(L("y"), b->entries[0].id);
}

} // namespace
