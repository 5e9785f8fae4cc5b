// Sound lists: entries resolved when the list is made, and playing by event.

#include <gtest/gtest.h>

#include "CorvaneExtensions/AudioPlatform/BASS/SoundList.h"
#include "CorvaneExtensions/Tests/Audio/AudioTestSupport.h"

namespace AudioTesting
{
namespace
{

typedef std::vector<std::string> Calls;

class SoundListTest : public AudioFixture
{
protected:
    SoundList* FindList(char const* name) { return AutoResource<SoundList>(name).Get(); }
};

// --- normal case -----------------------------------------------------------

TEST_F(SoundListTest, EventsMapToTheirSounds)
{
    MakeSound("Clic");
    MakeSound("Campana");
    LoadManifest(L"<soundlist name=\"Boton\">"
                 L"<sound event=\"Down\" src=\"Clic\"/><sound event=\"Campaña\" src=\"Campana\"/>"
                 L"</soundlist>",
                 L"Listas");
    SoundList* const list = FindList("Boton");
    ASSERT_NE(nullptr, list);
    EXPECT_EQ(FindSound("Clic"), list->GetSound(L8("Down")));
    EXPECT_EQ(FindSound("Campana"), list->GetSound(Label(L"Campaña")));
    // Labels are caseless.
    EXPECT_EQ(FindSound("Clic"), list->GetSound(L8("DOWN")));
    EXPECT_EQ(nullptr, list->GetSound(L8("Hot")));
}

TEST_F(SoundListTest, PlaySoundPlaysTheEventsSoundOnceWithin20ms)
{
    MakeSound("Clic");
    LoadManifest(L"<soundlist name=\"Boton\"><sound event=\"Down\" src=\"Clic\"/></soundlist>", L"Listas");
    SoundList* const list = FindList("Boton");
    ASSERT_NE(nullptr, list);
    library.Take();
    list->PlaySound(L8("Down"));
    list->PlaySound(L8("down"));
    EXPECT_EQ((Calls{"ChannelPlay 100 1"}), library.Matching("ChannelPlay"));
    clock.AdvanceMS(21);
    list->PlaySound(L8("Down"));
    EXPECT_EQ(2u, library.Matching("ChannelPlay").size());
}

TEST_F(SoundListTest, TheLaterEntryForAnEventWins)
{
    MakeSound("Uno");
    MakeSound("Dos");
    LoadManifest(L"<soundlist name=\"Lista\"><sound event=\"Hot\" src=\"Uno\"/><sound event=\"hot\" src=\"Dos\"/>"
                 L"</soundlist>",
                 L"Listas");
    EXPECT_EQ(FindSound("Dos"), FindList("Lista")->GetSound(L8("Hot")));
    EXPECT_EQ(1u, FindList("Lista")->GetCount());
}

// --- invalid input ---------------------------------------------------------

TEST_F(SoundListTest, MissingSoundsAndOtherTagsLeaveNoPlayableEntry)
{
    MakeSound("Clic");
    LogCapture log;
    LoadManifest(L"<soundlist name=\"Lista\"><sound event=\"Hot\" src=\"NoExiste\"/>"
                 L"<musica event=\"Down\" src=\"Clic\"/><grupo><sound event=\"Release\" src=\"Clic\"/></grupo>"
                 L"</soundlist>",
                 L"Listas");
    SoundList* const list = FindList("Lista");
    ASSERT_NE(nullptr, list);
    EXPECT_EQ(nullptr, list->GetSound(L8("Hot")));
    EXPECT_EQ(nullptr, list->GetSound(L8("Down")));
    EXPECT_EQ(nullptr, list->GetSound(L8("Release")));
    library.Take();
    list->PlaySound(L8("Hot"));
    list->PlaySound(L8("Down"));
    EXPECT_EQ(Calls{}, library.Take());
    EXPECT_EQ("", AudioLines(log.Take()));
}

TEST_F(SoundListTest, AnEmptyListPlaysNothing)
{
    LoadManifest(L"<soundlist name=\"Vacia\"/><soundlist name=\"Hueca\"></soundlist>", L"Listas");
    for (char const* name : {"Vacia", "Hueca"})
    {
        SoundList* const list = FindList(name);
        ASSERT_NE(nullptr, list) << name;
        EXPECT_EQ(0u, list->GetCount());
        list->PlaySound(L8("Down"));
        list->PlaySound(Label());
    }
    EXPECT_EQ(Calls{}, library.Take());
}

// --- failure leaves state unchanged ----------------------------------------

TEST_F(SoundListTest, AListOutlivingItsSoundsPlaysNothing)
{
    MakeSound("Clic");
    LoadManifest(L"<soundlist name=\"Boton\"><sound event=\"Down\" src=\"Clic\"/></soundlist>", L"Listas");
    SoundList* const list = FindList("Boton");
    ASSERT_NE(nullptr, list);
    GetResourceManager()->Unload(L"Clic");
    library.Take();
    EXPECT_EQ(nullptr, list->GetSound(L8("Down")));
    list->PlaySound(L8("Down"));
    EXPECT_EQ(Calls{}, library.Take());
}

TEST_F(SoundListTest, AListMadeBeforeItsSoundKeepsTheNullEntry)
{
    LoadManifest(L"<soundlist name=\"Temprana\"><sound event=\"Down\" src=\"Tarde\"/></soundlist>", L"Listas");
    MakeSound("Tarde");
    EXPECT_EQ(nullptr, FindList("Temprana")->GetSound(L8("Down")));
}

} // namespace
} // namespace AudioTesting
