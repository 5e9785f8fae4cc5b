#ifndef CORVANE_TESTS_SCENE_CONTROLTESTSUPPORT_H
#define CORVANE_TESTS_SCENE_CONTROLTESTSUPPORT_H

// Shared by the widget node tests: in-memory image lists and a fixed-width font,
// with resource kinds that make them from manifest elements; an object that notes
// the messages the widgets broadcast; and a fixture with the audio platform over
// the recording sound library, the scene graph's resource kinds and node tags, and
// a scene mode as the context mode, driven with input events as the main loop would.

#include "CorvaneExtensions/Tests/Audio/AudioTestSupport.h"
#include "CorvaneExtensions/Tests/Scene/SceneTestSupport.h"

#include "CorvaneExtensions/Source/CorvaneExtensions.h"
#include "CorvaneExtensions/Source/SceneLayout.h"

#include "2DEngine/Source/Framework/Constant.h"
#include "2DEngine/Source/Framework/ObjectDatabase.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Graphics/Font.h"
#include "2DEngine/Source/Graphics/Image.h"
#include "2DEngine/Source/Graphics/ImageList.h"
#include "Core/Source/StringUtils.h"

#include <cstdint>
#include <cwchar>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace ControlTesting
{

inline Corvane::Image* SolidImage(int width, int height, std::uint32_t argb)
{
    Corvane::Image* image = new Corvane::Image(width, height);
    for (int y = 0; y < height; ++y)
    {
        for (int x = 0; x < width; ++x)
            image->SetPixel(x, y, Corvane::Color32(argb));
    }
    return image;
}

// Fills an image list with count solid images of one size; image i takes colour i
// of the list, the last colour repeating (opaque white without colours).
inline void FillImageList(Corvane::ImageList* list, int count, int width, int height,
                          std::vector<std::uint32_t> const& colors = std::vector<std::uint32_t>())
{
    for (int i = 0; i < count; ++i)
    {
        std::uint32_t const color =
            colors.empty() ? 0xFFFFFFFFu : colors[static_cast<size_t>(std::min<int>(i, int(colors.size()) - 1))];
        list->AddOwnedImage(SolidImage(width, height, color));
    }
}

inline std::unique_ptr<Corvane::ImageList> MakeImageList(int count, int width, int height,
                                                         std::vector<std::uint32_t> const& colors =
                                                             std::vector<std::uint32_t>())
{
    std::unique_ptr<Corvane::ImageList> list(new Corvane::ImageList());
    FillImageList(list.get(), count, width, height, colors);
    return list;
}

// Every character is an opaque white block of one size, so that text widths are
// easy to foresee and drawn captions can be found by their colour.
class FixedFont : public Corvane::Font
{
public:
    FixedFont() { Configure(8, 12); }

    void Configure(int glyphWidth, int glyphHeight)
    {
        mWidth = glyphWidth;
        mHeight = glyphHeight;
        mAtlas.reset(SolidImage(glyphWidth, glyphHeight, 0xFFFFFFFFu));
    }

    void GetGlyph(wchar_t, sGlyph* out) const override
    {
        out->image = mAtlas.get();
        out->x = 0;
        out->y = 0;
        out->width = mWidth;
        out->height = mHeight;
    }
    std::int32_t GetGlyphHeight() const override { return mHeight; }
    std::int32_t GetKernedLetterWidth(wchar_t, wchar_t) const override { return mWidth; }

private:
    int mWidth = 8;
    int mHeight = 12;
    std::unique_ptr<Corvane::Image> mAtlas;
};

// "testimages": "count" solid images of "width" x "height", coloured by "colors"
// (comma-separated hexadecimal AARRGGBB values, one per image, the last repeating).
class TestImageListFactory : public Corvane::IResourceFactory
{
public:
    Corvane::IResourceDescriptor* CreateResource(std::wstring const& manifest, Corvane::Label name,
                                                 Corvane::IAttributeContainer const& attributes,
                                                 Corvane::IXMLReader&) const override
    {
        auto* list = new Corvane::ResourceWrapper<Corvane::ImageList>(manifest, name, attributes);
        std::vector<std::uint32_t> colors;
        for (std::wstring const& word : Corvane::StringUtils::GetWords(attributes.GetAttribute(L"colors"), L','))
        {
            if (!word.empty())
                colors.push_back(static_cast<std::uint32_t>(std::wcstoul(word.c_str(), nullptr, 16)));
        }
        FillImageList(list, attributes.GetAttribute(L"count", 1), attributes.GetAttribute(L"width", 1),
                      attributes.GetAttribute(L"height", 1), colors);
        return list;
    }
};

// "testfont": a FixedFont of "glyphWidth" x "glyphHeight".
class TestFontFactory : public Corvane::IResourceFactory
{
public:
    Corvane::IResourceDescriptor* CreateResource(std::wstring const& manifest, Corvane::Label name,
                                                 Corvane::IAttributeContainer const& attributes,
                                                 Corvane::IXMLReader&) const override
    {
        auto* font = new Corvane::ResourceWrapper<FixedFont>(manifest, name, attributes);
        font->Configure(attributes.GetAttribute(L"glyphWidth", 8), attributes.GetAttribute(L"glyphHeight", 12));
        return font;
    }
};

struct sNoted
{
    Corvane::ObjectID sender;
    std::string message;
};

// Notes every broadcast but the database's own add and remove messages.
class MessageRecorder : public Corvane::Object
{
public:
    void ReceiveMessage(Corvane::ObjectMessage const& message) override
    {
        if (message.message == Corvane::ObjectDatabase::GetAddMessageName() ||
            message.message == Corvane::ObjectDatabase::GetRemoveMessageName())
            return;
        noted.push_back(sNoted{message.sender, message.message.GetString()});
    }

    // The message names noted since the last Take.
    std::vector<std::string> Take()
    {
        std::vector<std::string> names;
        for (sNoted const& entry : noted)
            names.push_back(entry.message);
        noted.clear();
        return names;
    }

    std::vector<sNoted> noted;
};

typedef std::vector<std::string> Names;

struct sDrawCall
{
    std::string kind;
    Corvane::IImage const* image;
    float x;
    float y;
    Corvane::Rect<float> rect;
    Corvane::Graphics::sDrawState state;
};

// Records the image and fill calls that reach it; current for its lifetime.
class DrawRecordingCanvas : public Corvane::Graphics::ICanvas, public Corvane::Graphics::IQuadDrawingCanvas
{
public:
    DrawRecordingCanvas() : mBounds(0, 0, 800, 600)
    {
        Corvane::Graphics::PushContext(
            Corvane::Graphics::Context(this, Corvane::Graphics::sDrawState::GetDefaults()));
    }
    ~DrawRecordingCanvas() override { Corvane::Graphics::PopContext(); }

    Corvane::Label GetKind() override { return Corvane::Label::GetUniqueString("DrawRecordingCanvas"); }
    Corvane::Rect<int> const& GetBounds() override { return mBounds; }
    bool QueryInterface(Corvane::Label name, void** out) override
    {
        if (name != Corvane::Graphics::IQuadDrawingCanvas::InterfaceLabel())
            return false;
        *out = static_cast<Corvane::Graphics::IQuadDrawingCanvas*>(this);
        return true;
    }

    int DrawFilledRect(Corvane::Rect<int> const& rect, Corvane::Graphics::sDrawState const& state) override
    {
        Corvane::Rect<float> const r(float(rect.x), float(rect.y), float(rect.width), float(rect.height));
        calls.push_back(sDrawCall{"fill", nullptr, r.x, r.y, r, state});
        return 0;
    }
    int DrawFilledRect(Corvane::Rect<float> const& rect, Corvane::Graphics::sDrawState const& state) override
    {
        calls.push_back(sDrawCall{"fill", nullptr, rect.x, rect.y, rect, state});
        return 0;
    }
    int DrawImage(Corvane::IImage const* image, float x, float y, Corvane::Graphics::sDrawState const& state) override
    {
        calls.push_back(sDrawCall{"image", image, x, y, Corvane::Rect<float>(x, y, 0, 0), state});
        return 0;
    }
    int DrawStretchedImage(Corvane::IImage const* image, Corvane::Rect<int> const& dest,
                           Corvane::Graphics::sDrawState const& state) override
    {
        Corvane::Rect<float> const r(float(dest.x), float(dest.y), float(dest.width), float(dest.height));
        calls.push_back(sDrawCall{"stretched", image, r.x, r.y, r, state});
        return 0;
    }
    int DrawRotatedImage(Corvane::IImage const* image, float x, float y, Corvane::Angle,
                         Corvane::Graphics::sDrawState const& state) override
    {
        calls.push_back(sDrawCall{"rotated", image, x, y, Corvane::Rect<float>(x, y, 0, 0), state});
        return 0;
    }
    int DrawStretchedRotatedImage(Corvane::IImage const* image, Corvane::Rect<int> const& dest, Corvane::Angle,
                                  Corvane::Graphics::sDrawState const& state) override
    {
        Corvane::Rect<float> const r(float(dest.x), float(dest.y), float(dest.width), float(dest.height));
        calls.push_back(sDrawCall{"stretched rotated", image, r.x, r.y, r, state});
        return 0;
    }
    int DrawPrimitive(Corvane::PrimitiveKind, Corvane::IImage const*, int, Corvane::Graphics::sPrimitiveVertex const*,
                      Corvane::Graphics::sDrawState const&) override
    {
        return 0;
    }

    // The images drawn, in order, as their index in the list (-1 for another image).
    std::vector<int> IndicesIn(Corvane::ImageList const& list) const
    {
        std::vector<int> indices;
        for (sDrawCall const& call : calls)
        {
            if (!call.image)
                continue;
            int found = -1;
            for (int i = 0; i < list.GetNumImages(); ++i)
            {
                if (list.GetImage(i) == call.image)
                    found = i;
            }
            indices.push_back(found);
        }
        return indices;
    }

    // The calls that drew the image.
    std::vector<sDrawCall> CallsWith(Corvane::IImage const* image) const
    {
        std::vector<sDrawCall> found;
        for (sDrawCall const& call : calls)
        {
            if (call.image == image)
                found.push_back(call);
        }
        return found;
    }

    std::vector<sDrawCall> calls;

private:
    Corvane::Rect<int> mBounds;
};

class ControlFixture : public AudioTesting::AudioFixture
{
protected:
    void SetUp() override
    {
        AudioTesting::AudioFixture::SetUp();
        Corvane::GetResourceManager()->AddResourceFactory(L"testimages", new TestImageListFactory());
        Corvane::GetResourceManager()->AddResourceFactory(L"testfont", new TestFontFactory());
        Corvane::CreateConstantResourceFactories();
        SetupCorvaneExtensions();
        scene.reset(new SceneTesting::SceneModeFixture());
        recorder = new MessageRecorder();
        scene->Database()->AddObject(recorder);
    }

    void TearDown() override
    {
        scene.reset();
        AudioTesting::AudioFixture::TearDown();
    }

    // A sound resource for each event of a "soundlist" named after the list: the
    // sound of event E is called "<list>E".
    void MakeSoundList(std::wstring const& list, std::vector<std::wstring> const& events)
    {
        std::wstring body = L"<soundlist name=\"" + list + L"\">";
        for (std::wstring const& event : events)
        {
            std::string const sound = Corvane::TruncateStringWideToASCII(list + event);
            mSounds[sound] = MakeSound(sound.c_str());
            body += L"<sound event=\"" + event + L"\" src=\"" + list + event + L"\"/>";
        }
        LoadManifest(body + L"</soundlist>", (list + L"Manifest").c_str());
    }

    // The sounds of MakeSoundList started since the last call, by name; the clock
    // then moves on beyond the repeat window so that the next action starts afresh.
    Names SoundsPlayed()
    {
        Names played;
        for (auto const& entry : mSounds)
        {
            if (platform->WasSoundPlayedRecently(entry.second, 0))
                played.push_back(entry.first);
        }
        clock.AdvanceMS(50);
        return played;
    }

    // Reads a "scenelayout" resource named name from a manifest of its own.
    void LoadLayout(std::wstring const& name, std::wstring const& root)
    {
        LoadManifest(L"<scenelayout name=\"" + name + L"\">" + root + L"</scenelayout>", (name + L"Layout").c_str());
    }

    // Builds the layout under the scene root, in the mode's database, and brings
    // the globals up to date as a frame would.
    SceneNode* Instantiate(wchar_t const* name)
    {
        Corvane::AutoResource<SceneLayout> layout(Corvane::Label::FromString(std::wstring(name)));
        if (!layout)
            return nullptr;
        SceneNode* node = layout->InstantiateLayout(scene->Database(), scene->Root());
        Frame();
        return node;
    }

    // Adds a node built in code under the root and updates the globals.
    template <class T>
    T* Add(T* node, SceneNode* parent = nullptr)
    {
        scene->Add(node, parent);
        Frame();
        return node;
    }

    void Frame() { scene->mode->Update(0.02f); }

    Corvane::MessageResult Move(int x, int y) { return scene->mode->OnMouseMove(x, y); }
    Corvane::MessageResult Press(int x, int y, Corvane::MouseButton button = Corvane::MouseButton(0))
    {
        return scene->mode->OnMouseDown(button, x, y);
    }
    Corvane::MessageResult Release(int x, int y, Corvane::MouseButton button = Corvane::MouseButton(0))
    {
        return scene->mode->OnMouseUp(button, x, y);
    }
    // Moves there, presses and releases, as a hand on the mouse would.
    void ClickAt(int x, int y)
    {
        Move(x, y);
        Press(x, y);
        Release(x, y);
    }
    Corvane::MessageResult Key(int key) { return scene->mode->OnKeyDown(key); }
    SceneNode* Capturing() const { return scene->mode->GetMouseCapturingNode(); }

    std::unique_ptr<SceneTesting::SceneModeFixture> scene;
    MessageRecorder* recorder = nullptr;

private:
    std::map<std::string, Corvane::ISound*> mSounds;
};

} // namespace ControlTesting

#endif
