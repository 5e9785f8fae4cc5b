// How many loops a HammerTheNail game plays: "RepeatedGameNumLoops" at the
// difficulty for a game started from the menus, one fewer for each next loop;
// a missing or negative entry means no further loop.

#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "Core/Source/MemoryStream.h"
#include "Core/Source/Singleton.h"
#include "Core/Source/StringUtils.h"
#include "2DEngine/Source/Framework/Constant.h"
#include "2DEngine/Source/Framework/ResourceManager.h"
#include "qdl/Source/Game/LevelManager.h"
#include "qdl/Source/Game/HammerTheNail/HammerTheNailMode.h"

using namespace Corvane;

namespace
{
class HammerTheNailLoops : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Internal::DeleteAllSingletons();
        CreateConstantResourceFactories();
        savedDifficulty = GetLevelManager()->getDifficulty();
    }

    void TearDown() override
    {
        GetLevelManager()->setDifficulty(savedDifficulty);
        GetResourceManager()->Cleanup();
        Internal::DeleteAllSingletons();
    }

    void LoadConstants(std::wstring const& text)
    {
        MemoryStream stream(L"GlobalConstants");
        std::string const bytes = ConvertStringWideToUTF8String(L"<resources>" + text + L"</resources>");
        stream.Write(bytes.data(), bytes.size());
        stream.Seek(kSeekBegin, 0);
        GetResourceManager()->LoadFromStream(&stream, L"GlobalConstants");
    }

    static int LoopsLeft(GameModeDifficulty difficulty, bool playIntro, int loops)
    {
        GetLevelManager()->setDifficulty(difficulty);
        std::unique_ptr<HammerTheNailMode> const mode(new HammerTheNailMode(playIntro, loops));
        EXPECT_EQ(playIntro, mode->getPlayIntro());
        return mode->getLoopsLeft();
    }

    GameModeDifficulty savedDifficulty = kGameModeDifficulty_Medium;
};
} // namespace

TEST_F(HammerTheNailLoops, FromTheMenusTheEntryOfTheDifficultyAndThenOneFewerEachLoop)
{
    LoadConstants(L"<intarray name='RepeatedGameNumLoops'><int value='1'/><int value='3'/><int value='0'/></intarray>");
    EXPECT_EQ(1, LoopsLeft(kGameModeDifficulty_Easy, true, -1));
    EXPECT_EQ(3, LoopsLeft(kGameModeDifficulty_Medium, true, -1));
    // Zero further loops: a single one, then the level ends.
    EXPECT_EQ(0, LoopsLeft(kGameModeDifficulty_Hard, true, -1));
    // The next loop is made with the loops left and counts itself among them.
    EXPECT_EQ(2, LoopsLeft(kGameModeDifficulty_Medium, false, 3));
    EXPECT_EQ(0, LoopsLeft(kGameModeDifficulty_Medium, false, 1));
}

TEST_F(HammerTheNailLoops, AMissingOrNegativeEntryMeansNoFurtherLoop)
{
    LoadConstants(L"<intarray name='RepeatedGameNumLoops'><int value='-4'/><int value='2'/></intarray>");
    EXPECT_EQ(0, LoopsLeft(kGameModeDifficulty_Easy, true, -1));
    EXPECT_EQ(2, LoopsLeft(kGameModeDifficulty_Medium, true, -1));
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(0, LoopsLeft(kGameModeDifficulty_Hard, true, -1));
    EXPECT_NE(std::string::npos, ::testing::internal::GetCapturedStderr().find("RepeatedGameNumLoops"));
    // A count below one never goes negative.
    EXPECT_EQ(0, LoopsLeft(kGameModeDifficulty_Medium, false, 0));
    EXPECT_EQ(0, LoopsLeft(kGameModeDifficulty_Medium, false, -7));
}

TEST_F(HammerTheNailLoops, WithoutTheConstantTheGamePlaysOnce)
{
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(0, LoopsLeft(kGameModeDifficulty_Easy, true, -1));
    ::testing::internal::GetCapturedStderr();
}
