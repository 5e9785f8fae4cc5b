#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "Core/Source/MemoryStream.h"
#include "Core/Source/Singleton.h"
#include "Core/Source/StringUtils.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Framework/ResourceManager.h"
#include "qdl/Source/Game/LevelProgressionData.h"
#include "qdl/Source/Game/CountTheMaterials/CountTheMaterialsLevel.h"
#include "qdl/Source/Game/HammerTheNail/HammerTheNailLevel.h"
#include "qdl/Source/Game/HereToThere/HereToThereLevel.h"
#include "qdl/Source/Game/HideAndSeek/HideAndSeekLevel.h"
#include "qdl/Source/Game/PaintTheHouse/PaintItLevel.h"
#include "qdl/Source/Game/PileOfLeaves/PileOfLeavesLevel.h"
#include "qdl/Source/Game/PlanAJob/PlanAJobLevel.h"
#include "qdl/Source/Game/ScarrowPuzzle/ScarrowPuzzleLevel.h"
#include "qdl/Source/Game/StreetSigns/StreetSignLevel.h"
#include "qdl/Source/Game/TollerStacker/TollerStackerLevel.h"
#include "qdl/Source/Game/ToolShed/ToolShedLevel.h"
#include "qdl/Source/Game/TrundelsDelivery/TrundelsDeliveryLevel.h"

using namespace Corvane;

namespace
{
    // Wraps an empty record, as each game's own level factory does before filling it.
    template <class T>
    class RecordFactory : public IResourceFactory
    {
    public:
        IResourceDescriptor* CreateResource(std::wstring const& manifest, Label name,
                                            IAttributeContainer const& attributes, IXMLReader&) const override
        {
            return new ResourceWrapper<T>(manifest, name, attributes);
        }
    };

    class LevelRecordsTest : public ::testing::Test
    {
    protected:
        void SetUp() override
        {
            Internal::DeleteAllSingletons();
            manager = GetResourceManager();
            Register<LevelProgressionData>(L"LevelProg");
            Register<CountTheMaterialsLevel>(L"CountTheMaterialsLevel");
            Register<HammerTheNailLevel>(L"HammerTheNailLevel");
            Register<HereToThereLevel>(L"HereToThereLevel");
            Register<HideAndSeekLevel>(L"HideAndSeekLevel");
            Register<TollerStackerLevel>(L"TollerStackerLevel");
            Register<TrundelsDeliveryLevel>(L"TrundelsDeliveryLevel");
            Register<PaintItLevel>(L"PaintItLevel");
            Register<PileOfLeavesLevel>(L"PileOfLeavesLevel");
            Register<PlanAJobLevel>(L"PlanAJobLevel");
            Register<ScarrowPuzzleLevel>(L"ScarrowPuzzleLevel");
            Register<StreetSignLevel>(L"StreetSignLevel");
            Register<ToolShedLevel>(L"ToolShedLevel");
        }

        void TearDown() override
        {
            manager->Cleanup();
            Internal::DeleteAllSingletons();
        }

        template <class T>
        void Register(wchar_t const* tag)
        {
            manager->AddResourceFactory(tag, new RecordFactory<T>());
        }

        void LoadText(wchar_t const* manifest, std::wstring const& text)
        {
            MemoryStream stream(manifest);
            std::string const bytes = ConvertStringWideToUTF8String(text);
            stream.Write(bytes.data(), bytes.size());
            stream.Seek(kSeekBegin, 0);
            manager->LoadFromStream(&stream, manifest);
        }

        ResourceManager* manager = nullptr;
    };

    template <class T>
    bool IsA(char const* name)
    {
        return AutoResource<T>(name).Get() != nullptr;
    }
}

TEST_F(LevelRecordsTest, EachLevelKindIsFoundOnlyThroughItsOwnRecordType)
{
    LoadText(L"Levels", L"<levels>"
                        L"<LevelProg name='ParkStory'/>"
                        L"<CountTheMaterialsLevel name='Count1'/>"
                        L"<HammerTheNailLevel name='Hammer1'/>"
                        L"<HereToThereLevel name='Here1'/>"
                        L"<HideAndSeekLevel name='Hide1'/>"
                        L"<TollerStackerLevel name='Stack1'/>"
                        L"<TrundelsDeliveryLevel name='Deliver1'/>"
                        L"<PaintItLevel name='Paint1'/>"
                        L"<PileOfLeavesLevel name='Leaves1'/>"
                        L"<PlanAJobLevel name='Plan1'/>"
                        L"<ScarrowPuzzleLevel name='Puzzle1'/>"
                        L"<StreetSignLevel name='Signs1'/>"
                        L"<ToolShedLevel name='Tools1'/>"
                        L"</levels>");

    EXPECT_TRUE(IsA<LevelProgressionData>("ParkStory"));
    EXPECT_TRUE(IsA<CountTheMaterialsLevel>("Count1"));
    EXPECT_TRUE(IsA<HammerTheNailLevel>("Hammer1"));
    EXPECT_TRUE(IsA<HereToThereLevel>("Here1"));
    EXPECT_TRUE(IsA<HideAndSeekLevel>("Hide1"));
    EXPECT_TRUE(IsA<TollerStackerLevel>("Stack1"));
    EXPECT_TRUE(IsA<TrundelsDeliveryLevel>("Deliver1"));
    EXPECT_TRUE(IsA<PaintItLevel>("Paint1"));
    EXPECT_TRUE(IsA<PileOfLeavesLevel>("Leaves1"));
    EXPECT_TRUE(IsA<PlanAJobLevel>("Plan1"));
    EXPECT_TRUE(IsA<ScarrowPuzzleLevel>("Puzzle1"));
    EXPECT_TRUE(IsA<StreetSignLevel>("Signs1"));
    EXPECT_TRUE(IsA<ToolShedLevel>("Tools1"));

    // The records have no common base: a level of one game is no level of another.
    EXPECT_FALSE(IsA<HammerTheNailLevel>("Count1"));
    EXPECT_FALSE(IsA<CountTheMaterialsLevel>("ParkStory"));
    EXPECT_FALSE(IsA<StreetSignLevel>("Tools1"));
    // Every record still answers for the element that declared it.
    AutoResource<AttributeContainer> declared("Signs1");
    ASSERT_TRUE(declared);
    EXPECT_EQ(L"Signs1", declared->GetAttribute(L"name"));
}

TEST_F(LevelRecordsTest, UnloadingTheManifestRemovesItsLevels)
{
    LoadText(L"Niveles", L"<levels><PaintItLevel name='Pintura fácil'/></levels>");
    EXPECT_TRUE(IsA<PaintItLevel>("Pintura f?cil"));
    manager->Unload(L"Niveles");
    EXPECT_FALSE(IsA<PaintItLevel>("Pintura f?cil"));
}
