// The delivery game over a copy of the content whose Hard levels hold no
// usable pattern: the child is told once that the level is missing, sees no
// train and no choice to press, earns nothing, and can leave.

#include <string>

#include <gtest/gtest.h>

#include "qdl/Source/Game/StickerManager.h"
#include "qdl/Tests/TrundelsDelivery/TrundelsDeliveryTestSupport.h"

using namespace TrundelsDeliveryTest;

namespace
{

class TrundelsDeliveryContent : public GameDriver::PlayTest
{
};

TEST_F(TrundelsDeliveryContent, WithoutAUsableHardPatternTheChildIsToldOnceAndCanLeave)
{
    StartGame(driver, kGameModeDifficulty_Hard);
    driver.UseContentCopy([](std::string const& folder) {
        // Patterns without a letter A, B or C: every Hard level is left with none.
        ASSERT_TRUE(GameDriver::EditTextFile(folder + "/TrundelsDeliveryMode.xml", [](std::string& text) {
            for (char const* order : {"ABCC", "AABC", "ABAC"})
            {
                size_t const at = text.find(std::string("order=\"") + order + "\"");
                ASSERT_NE(std::string::npos, at) << order;
                text.replace(at, 7 + std::string(order).size() + 1, "order=\"x-y-z\"");
            }
        }));
    });
    driver.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen("TrundelsDeliveryMode"));
        int const stickers = GameDriver::StickerCount(child);
        ASSERT_TRUE(child.Wait(3.0f));
        EXPECT_EQ(std::vector<std::string>{"TrundelsDeliveryMode"}, child.Screens());
        sYard const yard = ReadYard(child);
        EXPECT_TRUE(yard.carts.empty());
        EXPECT_EQ(5u, yard.choices.size());
        for (sChoice const& choice : yard.choices)
            EXPECT_FALSE(choice.clickable);
        EXPECT_FALSE(yard.maskShown);
        ASSERT_TRUE(GameDriver::QuitToMainMenu(child));
        EXPECT_EQ(stickers, GameDriver::StickerCount(child));
    });
    EXPECT_TRUE(GameDriver::IsOnlyLevelNotFound(driver.Notifications(), driver.Log(), "TrundelsDeliveryMode", "Hard"));
}

} // namespace
