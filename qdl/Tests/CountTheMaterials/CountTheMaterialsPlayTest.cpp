// The counting game played through the driver over the real content.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "2DEngine/Source/Framework/MainLoop.h"
#include "qdl/Source/Game/LevelManager.h"
#include "qdl/Source/Game/CountTheMaterials/CountTheMaterialsMode.h"
#include "qdl/Tests/CountTheMaterials/CountTheMaterialsPlayer.h"
#include "qdl/Tests/Driver/GameDriver.h"

using GameDriver::Child;
using namespace CountTheMaterialsPlayer;

namespace
{

class CountTheMaterialsPlay : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::string reason;
        if (!driver.HasDisplay(&reason))
            GTEST_SKIP() << "no display: " << reason;
    }

    GameDriver::Driver driver;
};

TEST_F(CountTheMaterialsPlay, Smoke)
{
    driver.StartWith([]() -> Corvane::ApplicationMode* {
        GetLevelManager()->setDifficulty(kGameModeDifficulty_Hard);
        return new CountTheMaterialsMode(true, -1);
    });
    driver.Play([](Child& child) {
        ASSERT_TRUE(CloseOverlay(child));
        ASSERT_TRUE(WaitForPiles(child));
        sSeen const request = ReadRequest(child);
        std::vector<sSeen> const piles = ReadPiles(child);
        printf("request %d x %d\n", request.material, request.count);
        for (sSeen const& pile : piles)
            printf("pile %d x %d at %s\n", pile.material, pile.count, pile.path.c_str());
        child.SaveScreenshot("/tmp/ctm_smoke1.png");
        int const place = FindPile(piles, request);
        ASSERT_GE(place, 0);
        ASSERT_TRUE(child.Click(piles[place].path));
        child.Wait(1.5f);
        child.SaveScreenshot("/tmp/ctm_smoke2.png");
        child.Wait(1.5f);
        child.SaveScreenshot("/tmp/ctm_smoke3.png");
        child.Wait(2.0f);
        child.SaveScreenshot("/tmp/ctm_smoke4.png");
        for (auto const& s : child.Sounds())
            printf("%llu %s %s\n", (unsigned long long)s.timeMS, s.sound.c_str(), s.kind.c_str());
    });
    printf("%s\n", driver.Log().c_str());
}

} // namespace
