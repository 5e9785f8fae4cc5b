// The StreetSigns level reader: requests as labels (colour before shape, case
// ignored), signs matched exactly against the five sign colours and shapes at
// any depth, signs without a picture and signs past the twelfth left out.

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Framework/ResourceManager.h"
#include "qdl/Source/Game/LevelManager.h"
#include "qdl/Source/Game/StreetSigns/StreetSignLevelResourceFactory.h"
#include "qdl/Tests/GameTestSupport.h"

using namespace Corvane;

namespace
{

typedef std::vector<std::pair<int, int> > Pairs;

Pairs Signs(StreetSignLevel const& level)
{
    Pairs pairs;
    for (StreetSignData const& sign : level.signEntries)
        pairs.emplace_back(sign.color, sign.shape);
    return pairs;
}

std::vector<Label> Labels(std::vector<char const*> const& names)
{
    std::vector<Label> labels;
    for (char const* name : names)
        labels.push_back(Label::GetUniqueString(name));
    return labels;
}

class StreetSignLevelTest : public GameTestSupport::GameFixture
{
protected:
    void SetUp() override
    {
        GameFixture::SetUp();
        GetResourceManager()->AddResourceFactory(L"StreetSignLevel", new StreetSignLevelResourceFactory());
    }

    StreetSignLevel const* Load(char const* name, std::wstring const& body)
    {
        LoadManifest(L"StreetSignLevels.xml", L"<resources>" + body + L"</resources>");
        return AutoResource<StreetSignLevel>(name).Get();
    }
};

} // namespace

TEST_F(StreetSignLevelTest, TheExampleLevelGivesItsRequestAndSignsInOrder)
{
    StreetSignLevel const* const level =
        Load("SSReaderEasy1", L"<StreetSignLevel name='SSReaderEasy1' difficulty='Easy'>"
                              L"<attRequest color='Red'/>"
                              L"<signEntry color='Red' shape='Circle'/>"
                              L"<signEntry color='Blue' shape='Square'/>"
                              L"<signEntry color='Red' shape='Triangle'/>"
                              L"</StreetSignLevel>");
    ASSERT_NE(nullptr, level);
    EXPECT_EQ(Labels({"Red"}), level->attRequests);
    EXPECT_EQ((Pairs{{0, 4}, {2, 1}, {0, 3}}), Signs(*level));
    std::vector<Label> const& easy = GetLevelManager()->getLevels(kGameModeType_StreetSigns, kGameModeDifficulty_Easy);
    EXPECT_NE(easy.end(), std::find(easy.begin(), easy.end(), Label::GetUniqueString("SSReaderEasy1")));
}

TEST_F(StreetSignLevelTest, RequestsAreLabelsInDocumentOrderColourFirst)
{
    StreetSignLevel const* const level =
        Load("SSReaderRequests", L"<StreetSignLevel name='SSReaderRequests' difficulty='Medium'>"
                                 L"<attRequest shape='Circle' color='Blue'/>"
                                 L"<attRequest/>"
                                 L"<attRequest color=''/>"
                                 L"<group><attRequest shape='triangle'/></group>"
                                 L"</StreetSignLevel>");
    ASSERT_NE(nullptr, level);
    EXPECT_EQ(Labels({"Blue", "Circle", "", "Triangle"}), level->attRequests);
    // Labels ignore case, so the lower-case request is the label of the name.
    EXPECT_EQ(Label::GetUniqueString("TRIANGLE"), level->attRequests[3]);
}

TEST_F(StreetSignLevelTest, SignsWithUnknownNamesOrPastTheTwelfthAreLeftOut)
{
    std::wstring body = L"<StreetSignLevel name='SSReaderSigns' difficulty='Hard'>"
                        L"<attRequest shape='Star'/>"
                        L"<signEntry color='red' shape='Circle'/>"
                        L"<signEntry color='Purple' shape='Circle'/>"
                        L"<signEntry color='Red' shape='Star'/>"
                        L"<signEntry color='Green'/>"
                        L"<other><signEntry color='Yellow' shape='Octagon'/></other>";
    for (int sign = 0; sign < 13; ++sign)
        body += L"<signEntry color='Orange' shape='Rectangle'/>";
    StreetSignLevel const* const level = Load("SSReaderSigns", body + L"</StreetSignLevel>");
    ASSERT_NE(nullptr, level);
    ASSERT_EQ(12u, level->signEntries.size());
    EXPECT_EQ((std::pair<int, int>(4, 2)), Signs(*level).front());
    EXPECT_EQ((std::pair<int, int>(3, 0)), Signs(*level).back());
    // The request is not checked against the tables: it is the game's to judge.
    EXPECT_EQ(Labels({"Star"}), level->attRequests);
}
