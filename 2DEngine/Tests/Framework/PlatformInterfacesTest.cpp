// The input record and its helpers, and the audio platform's registration.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "2DEngine/Source/Framework/AudioServices.h"
#include "2DEngine/Source/Framework/Platform.h"

namespace Corvane
{
namespace
{

class SilentAudioPlatform : public Internal::BaseAudioPlatform
{
public:
    void Setup() override {}
    void Cleanup() override {}
    void Activate(bool) override {}
    void Update(float) override {}
};

// --- normal case -----------------------------------------------------------

TEST(PlatformInterfacesTest, TextEventCarriesTheFullAddressOfItsText)
{
    static_assert(sizeof(sInputEvent::data) >= sizeof(void*), "the data field must hold an address");

    // A heap address, which on this machine does not fit 32 bits.
    std::unique_ptr<std::wstring> text(new std::wstring(L"hola"));
    sInputEvent const event = MakeTextInputEvent(text->c_str());
    EXPECT_EQ(static_cast<uint32_t>(kInputEvent_TextInput), event.type);
    EXPECT_EQ(text->c_str(), GetInputEventText(event));
}

TEST(PlatformInterfacesTest, WheelDeltaIsTheAmountOverTheDivisor)
{
    EXPECT_FLOAT_EQ(1.5f, GetInputEventWheelDelta(MakeMouseWheelEvent(3, 2, 0, 0)));
    EXPECT_FLOAT_EQ(-0.25f, GetInputEventWheelDelta(MakeMouseWheelEvent(1, -4, 0, 0)));
    sInputEvent const event = MakeMouseWheelEvent(120, 120, 7, 9);
    EXPECT_EQ(7, event.x);
    EXPECT_EQ(9, event.y);
    EXPECT_FLOAT_EQ(1.0f, GetInputEventWheelDelta(event));
}

TEST(PlatformInterfacesTest, AudioPlatformRegistersItselfWhileItLives)
{
    ASSERT_FALSE(IsAudioPlatformRegistered());
    {
        SilentAudioPlatform audio;
        EXPECT_TRUE(IsAudioPlatformRegistered());
        EXPECT_EQ(&audio, GetAudioPlatform());
    }
    EXPECT_FALSE(IsAudioPlatformRegistered());
}

// --- invalid input -------------------------------------------------------------

TEST(PlatformInterfacesTest, ZeroWheelDivisorCountsAsOne)
{
    EXPECT_FLOAT_EQ(5.0f, GetInputEventWheelDelta(MakeMouseWheelEvent(5, 0, 0, 0)));
    EXPECT_FLOAT_EQ(-3.0f, GetInputEventWheelDelta(MakeMouseWheelEvent(-3, 0, 0, 0)));
}

TEST(PlatformInterfacesTest, TextEventWithoutTextReadsAsEmpty)
{
    EXPECT_EQ(std::wstring(), GetInputEventText(MakeTextInputEvent(nullptr)));
}

// --- non-ASCII text ----------------------------------------------------------------

TEST(PlatformInterfacesTest, TextEventKeepsAccentedCharacters)
{
    wchar_t const* const text = L"¿Dónde está el camión?";
    EXPECT_EQ(std::wstring(text), GetInputEventText(MakeTextInputEvent(text)));
}

// --- a failure leaves state unchanged ------------------------------------------------

TEST(PlatformInterfacesTest, DestroyingAnUnregisteredAudioPlatformLeavesTheRegistration)
{
    std::unique_ptr<SilentAudioPlatform> first(new SilentAudioPlatform());
    SilentAudioPlatform second;
    ASSERT_EQ(&second, GetAudioPlatform());

    first.reset();
    EXPECT_EQ(&second, GetAudioPlatform());
}

} // namespace
} // namespace Corvane
