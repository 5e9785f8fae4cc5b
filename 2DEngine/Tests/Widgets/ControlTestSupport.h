#ifndef CORVANE_TESTS_WIDGETS_CONTROLTESTSUPPORT_H
#define CORVANE_TESTS_WIDGETS_CONTROLTESTSUPPORT_H

// For the widget control tests: image lists made in memory, a fixed-advance
// font, sounds that note when they are asked for, an object that notes the
// messages the controls broadcast, a recording canvas, and a fixture that
// feeds input to the context mode's object database.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "CorvaneExtensions/AudioPlatform/BASS/SoundList.h"
#include "2DEngine/Source/Framework/AudioServices.h"
#include "2DEngine/Source/Framework/ObjectDatabase.h"
#include "2DEngine/Source/Graphics/Context.h"
#include "2DEngine/Source/Graphics/Image.h"
#include "2DEngine/Source/Graphics/ImageList.h"
#include "2DEngine/Tests/Graphics/FontTestSupport.h"
#include "2DEngine/Tests/Graphics/RecordingCanvas.h"
#include "2DEngine/Tests/Widgets/WidgetTestSupport.h"

namespace ControlTesting
{
using namespace Corvane;

typedef std::vector<std::string> Names;

inline Image* SolidImage(int width, int height, uint32_t argb)
{
    Image* image = new Image(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image->SetPixel(x, y, Color32(argb));
    return image;
}

// count opaque images of one size.
inline std::unique_ptr<ImageList> Solid(int count, int width, int height, uint32_t argb = 0xFFFFFFFFu)
{
    std::unique_ptr<ImageList> list(new ImageList());
    for (int i = 0; i < count; ++i)
        list->AddOwnedImage(SolidImage(width, height, argb));
    return list;
}

// The index of the image in the list, -1 when it is none of them.
inline int IndexOf(ImageList const& list, IImage const* image)
{
    for (int i = 0; i < list.GetNumImages(); ++i)
        if (list.GetImage(i) == image)
            return i;
    return -1;
}

// A sound that is nothing but its name.
class NamedSound : public ISound
{
public:
    Label GetKind() const override { return Label::GetUniqueString("Effect"); }
    float GetDefaultVolume() const override { return 1.0f; }
    float GetDefaultRate() const override { return 1.0f; }
    float GetDefaultPan() const override { return 0.0f; }
    int GetDefaultLoopCount() const override { return 1; }
    boost::intrusive_ptr<IReferenced> GetSoundData() const override { return nullptr; }
};

class NamedSoundFactory : public IResourceFactory
{
public:
    IResourceDescriptor* CreateResource(std::wstring const& manifest, Label name, IAttributeContainer const& attributes,
                                        IXMLReader&) const override
    {
        return new ResourceWrapper<NamedSound>(manifest, name, attributes);
    }
};

// Notes every sound asked for by name, and plays none.
class SoundRecorder : public Internal::BaseAudioPlatform
{
public:
    void Setup() override {}
    void Cleanup() override {}
    void Activate(bool) override {}
    void Update(float) override {}
    bool WasSoundPlayedRecently(ISound const* sound, unsigned int) override
    {
        IResourceDescriptor const* resource = dynamic_cast<IResourceDescriptor const*>(sound);
        asked.push_back(resource ? resource->GetName().GetString() : "?");
        return true;
    }
    Names Take()
    {
        Names taken;
        taken.swap(asked);
        return taken;
    }

    Names asked;
};

// Notes the label and sender of every message a control broadcasts: not the
// database's own, nor its notes of the pointer entering and leaving controls.
class MessageRecorder : public Object
{
public:
    void ReceiveMessage(ObjectMessage const& message) override
    {
        std::string const label = message.message.GetString();
        if (message.sender != kInvalidObjectID && label != "ControlEnter" && label != "ControlLeave")
            heard.push_back(std::make_pair(std::string(message.message.GetString()), message.sender));
    }
    Names Take()
    {
        Names labels;
        for (auto const& entry : heard)
            labels.push_back(entry.first);
        heard.clear();
        return labels;
    }

    std::vector<std::pair<std::string, ObjectID> > heard;
};

// Drawing goes to a recording canvas for the life of the object.
class CanvasScope
{
public:
    CanvasScope() : canvas(800, 600)
    {
        canvas.offersQuads = true;
        canvas.offersText = true;
        Graphics::PushContext(Graphics::Context(&canvas, Graphics::sDrawState::GetDefaults()));
    }
    ~CanvasScope() { Graphics::PopContext(); }

    FacadeTesting::RecordingCanvas canvas;
};

// Sounds "Hot", "Down", "Checked", "Unchecked" and "Snap" under the list "Sounds",
// a 10-wide, 16-high font "Font", and input fed to the context database.
class ControlFixture : public WidgetTesting::WidgetFixture
{
protected:
    void SetUp() override
    {
        WidgetFixture::SetUp();
        // The registry does not own the audio platform: TearDown deletes it.
        audio = new SoundRecorder();
        GetResourceManager()->AddResourceFactory(L"sound", new NamedSoundFactory());
        GetResourceManager()->AddResourceFactory(L"soundlist", new SoundListResourceFactory());
        Load(L"Controles", L"<testfont name=\"Font\" advance=\"10\" height=\"16\"/>"
                           L"<sound name=\"Hot\"/><sound name=\"Down\"/><sound name=\"Checked\"/>"
                           L"<sound name=\"Unchecked\"/><sound name=\"Snap\"/>"
                           L"<soundlist name=\"Sounds\"><sound event=\"Hot\" src=\"Hot\"/>"
                           L"<sound event=\"Down\" src=\"Down\"/><sound event=\"Checked\" src=\"Checked\"/>"
                           L"<sound event=\"Unchecked\" src=\"Unchecked\"/><sound event=\"Snap\" src=\"Snap\"/>"
                           L"</soundlist>");
        recorder = new MessageRecorder();
        Database()->AddObject(recorder);
    }

    void TearDown() override
    {
        WidgetFixture::TearDown();
        delete audio;
        audio = nullptr;
    }

    ObjectDatabase* Database() { return GetObjectDatabase(); }

    template <class T>
    T* Add(T* object)
    {
        Database()->AddObject(object);
        return object;
    }

    // Runs the database's update, which sorts the drawables by layer.
    void Frame() { Database()->Update(0.02f); }

    int Move(int x, int y) { return Database()->OnMouseMove(x, y); }
    int Press(int x, int y) { return Database()->OnMouseDown(kMouseButtonPrimary, x, y); }
    int Release(int x, int y) { return Database()->OnMouseUp(kMouseButtonPrimary, x, y); }
    void Click(int x, int y)
    {
        Move(x, y);
        Press(x, y);
        Release(x, y);
    }
    int Key(int key) { return Database()->OnKeyDown(key); }
    int Type(std::wstring const& text) { return Database()->OnTextInput(text); }

    Font const* TheFont() { return AutoResource<Font>("Font").Get(); }
    SoundList const* TheSounds() { return AutoResource<SoundList>("Sounds").Get(); }

    SoundRecorder* audio = nullptr;
    MessageRecorder* recorder = nullptr;
};

} // namespace ControlTesting

#endif
