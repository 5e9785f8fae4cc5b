#ifndef CORVANE_TESTS_SCENE_SPRITETESTSUPPORT_H
#define CORVANE_TESTS_SCENE_SPRITETESTSUPPORT_H

// Helpers of the sprite, shape and task tests: manifests served from memory and
// loaded through the resource manager, image lists of solid frames declared in those
// manifests, and readers over XML text for calling factories directly.

#include "CorvaneExtensions/Source/CorvaneExtensions.h"

#include "2DEngine/Source/Framework/FileSource.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Framework/ResourceManager.h"
#include "2DEngine/Source/Graphics/Canvas.h"
#include "2DEngine/Source/Graphics/Context.h"
#include "2DEngine/Source/Graphics/Image.h"
#include "2DEngine/Source/Graphics/ImageList.h"
#include "Core/Source/FileAddress.h"
#include "Core/Source/MemoryStream.h"
#include "Core/Source/Singleton.h"
#include "Core/Source/StringUtils.h"
#include "Core/Source/XMLReader.h"

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace SpriteTesting
{

// The colour of frame i of a test image list: red, green, blue, white, then again.
inline std::uint32_t FrameColor(int index)
{
    static std::uint32_t const colors[] = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFFFFFFFu};
    return colors[index % 4];
}

inline Corvane::Image* MakeSolidImage(int width, int height, std::uint32_t argb)
{
    Corvane::Image* image = new Corvane::Image(width, height);
    for (int y = 0; y < height; ++y)
    {
        for (int x = 0; x < width; ++x)
            image->SetPixel(x, y, Corvane::Color32(argb));
    }
    return image;
}

// "testimagelist": "count" solid frames; frame i is FrameColor(i), ("width" + i) by
// "height" pixels, so that a sprite's size tells which frame it shows.
class TestImageListFactory : public Corvane::IResourceFactory
{
public:
    Corvane::IResourceDescriptor* CreateResource(std::wstring const& manifest, Corvane::Label name,
                                                 Corvane::IAttributeContainer const& attributes,
                                                 Corvane::IXMLReader&) const override
    {
        std::unique_ptr<Corvane::ResourceWrapper<Corvane::ImageList> > list(
            new Corvane::ResourceWrapper<Corvane::ImageList>(manifest, name, attributes));
        int const count = attributes.GetAttribute(L"count", 1);
        int const width = attributes.GetAttribute(L"width", 4);
        int const height = attributes.GetAttribute(L"height", 4);
        for (int i = 0; i < count; ++i)
            list->AddOwnedImage(MakeSolidImage(width + i, height, FrameColor(i)));
        return list.release();
    }
};

// "testimage": one solid image of "width" x "height" in the colour "argb" (hex).
class TestImageFactory : public Corvane::IResourceFactory
{
public:
    Corvane::IResourceDescriptor* CreateResource(std::wstring const& manifest, Corvane::Label name,
                                                 Corvane::IAttributeContainer const& attributes,
                                                 Corvane::IXMLReader&) const override
    {
        int const width = attributes.GetAttribute(L"width", 4);
        int const height = attributes.GetAttribute(L"height", 4);
        std::uint32_t const argb = static_cast<std::uint32_t>(
            std::stoul(Corvane::TruncateStringWideToASCII(attributes.GetAttribute(std::wstring(L"argb"))), nullptr,
                       16));
        std::unique_ptr<Corvane::ResourceWrapper<Corvane::Image> > image(
            new Corvane::ResourceWrapper<Corvane::Image>(manifest, name, attributes));
        Corvane::Color32* pixels = new Corvane::Color32[static_cast<std::size_t>(width) * height];
        for (int i = 0; i < width * height; ++i)
            pixels[i] = Corvane::Color32(argb);
        image->Init(pixels, width, height, true, false);
        return image.release();
    }
};

// Serves manifests from memory.
class MemoryFileSource : public Corvane::IFileSource
{
public:
    Corvane::IStream* OpenFileStream(Corvane::FileAddress const& address) const override
    {
        std::lock_guard<std::mutex> lock(mLock);
        auto found = mFiles.find(address.GetName() + address.GetExtension());
        if (found == mFiles.end())
            return nullptr;
        Corvane::MemoryStream* stream = new Corvane::MemoryStream(found->first);
        std::string const bytes = Corvane::ConvertStringWideToUTF8String(found->second);
        stream->Write(bytes.data(), bytes.size());
        stream->Seek(Corvane::kSeekBegin, 0);
        return stream;
    }
    bool Cleanup() override { return false; }

    void SetFile(std::wstring const& name, std::wstring const& text)
    {
        std::lock_guard<std::mutex> lock(mLock);
        mFiles[name] = text;
    }

private:
    mutable std::mutex mLock;
    std::map<std::wstring, std::wstring> mFiles;
};

inline MemoryFileSource& Files()
{
    static MemoryFileSource files;
    return files;
}

// The engine's resource set-up as the game makes it, plus the test image kinds; the
// manifest is then loaded under its name.
class LoadedManifest
{
public:
    LoadedManifest(std::wstring const& name, std::wstring const& text)
    {
        Corvane::Internal::DeleteAllSingletons();
        Corvane::RegisterSingleton(static_cast<Corvane::IFileSource*>(&Files()));
        Files().SetFile(name + L".xml", text);
        SetupCorvaneExtensions();
        Corvane::GetResourceManager()->AddResourceFactory(L"testimagelist", new TestImageListFactory());
        Corvane::GetResourceManager()->AddResourceFactory(L"testimage", new TestImageFactory());
        Corvane::GetResourceManager()->Load(name.c_str());
    }
    ~LoadedManifest()
    {
        Corvane::GetResourceManager()->Cleanup();
        Corvane::Internal::DeleteAllSingletons();
    }
};

// A reader over XML text positioned on its first element, with a copy of that
// element's attributes, for handing to a resource factory as the manager would.
class ElementSource
{
public:
    explicit ElementSource(std::wstring const& text) : mStream(L"Prueba.xml")
    {
        std::string const bytes = Corvane::ConvertStringWideToUTF8String(text);
        mStream.Write(bytes.data(), bytes.size());
        mStream.Seek(Corvane::kSeekBegin, 0);
        mReader.reset(Corvane::CreateXMLReader(&mStream));
        Corvane::XMLElement* element = mReader->ReadElement();
        while (element->kind != Corvane::XMLElement::kStartElement)
            element = mReader->ReadElement();
        element_ = *element;
        mConfined.reset(new Corvane::XMLElementReader(mReader.get()));
    }

    Corvane::XMLElement const& Element() const { return element_; }
    Corvane::IXMLReader& Reader() { return *mConfined; }

private:
    Corvane::MemoryStream mStream;
    std::unique_ptr<Corvane::IXMLReader> mReader;
    std::unique_ptr<Corvane::XMLElementReader> mConfined;
    Corvane::XMLElement element_;
};

// The resource a factory makes from XML text, owned by the caller.
template <class T>
std::unique_ptr<Corvane::IResourceDescriptor> MakeResource(Corvane::IResourceFactory const& factory,
                                                           std::wstring const& text, T** value)
{
    ElementSource source(text);
    std::unique_ptr<Corvane::IResourceDescriptor> resource(
        factory.CreateResource(L"Prueba", Corvane::Label::GetUniqueString("Prueba"), source.Element(), source.Reader()));
    *value = dynamic_cast<T*>(resource.get());
    return resource;
}

struct sShapeCall
{
    std::string kind;
    Corvane::Rect<float> rect;
    Corvane::Graphics::sDrawState state;
};

// Records shape and image calls; made current for its lifetime.
class ShapeRecordingCanvas : public Corvane::Graphics::ICanvas,
                             public Corvane::Graphics::IQuadDrawingCanvas,
                             public Corvane::Graphics::ILineDrawingCanvas,
                             public Corvane::Graphics::IEllipseDrawingCanvas
{
public:
    ShapeRecordingCanvas() : mBounds(0, 0, 800, 600)
    {
        Corvane::Graphics::PushContext(
            Corvane::Graphics::Context(this, Corvane::Graphics::sDrawState::GetDefaults()));
    }
    ~ShapeRecordingCanvas() override { Corvane::Graphics::PopContext(); }

    Corvane::Label GetKind() override { return Corvane::Label::GetUniqueString("ShapeRecordingCanvas"); }
    Corvane::Rect<int> const& GetBounds() override { return mBounds; }
    bool QueryInterface(Corvane::Label name, void** out) override
    {
        using namespace Corvane::Graphics;
        if (name == IQuadDrawingCanvas::InterfaceLabel())
            *out = static_cast<IQuadDrawingCanvas*>(this);
        else if (name == ILineDrawingCanvas::InterfaceLabel())
            *out = static_cast<ILineDrawingCanvas*>(this);
        else if (name == IEllipseDrawingCanvas::InterfaceLabel())
            *out = static_cast<IEllipseDrawingCanvas*>(this);
        else
            return false;
        return true;
    }

    int DrawFilledRect(Corvane::Rect<int> const& rect, Corvane::Graphics::sDrawState const& state) override
    {
        return Record("filled rect", Corvane::Rect<float>(static_cast<float>(rect.x), static_cast<float>(rect.y),
                                                          static_cast<float>(rect.width),
                                                          static_cast<float>(rect.height)),
                      state);
    }
    int DrawFilledRect(Corvane::Rect<float> const& rect, Corvane::Graphics::sDrawState const& state) override
    {
        return Record("filled rect", rect, state);
    }
    int DrawImage(Corvane::IImage const* image, float x, float y, Corvane::Graphics::sDrawState const& state) override
    {
        return Record("image", Corvane::Rect<float>(x, y, static_cast<float>(image->GetWidth()),
                                                    static_cast<float>(image->GetHeight())),
                      state);
    }
    int DrawStretchedImage(Corvane::IImage const*, Corvane::Rect<int> const& dest,
                           Corvane::Graphics::sDrawState const& state) override
    {
        return Record("stretched", Corvane::Rect<float>(static_cast<float>(dest.x), static_cast<float>(dest.y),
                                                        static_cast<float>(dest.width),
                                                        static_cast<float>(dest.height)),
                      state);
    }
    int DrawRotatedImage(Corvane::IImage const*, float x, float y, Corvane::Angle,
                         Corvane::Graphics::sDrawState const& state) override
    {
        return Record("rotated", Corvane::Rect<float>(x, y, 0, 0), state);
    }
    int DrawStretchedRotatedImage(Corvane::IImage const*, Corvane::Rect<int> const&, Corvane::Angle,
                                  Corvane::Graphics::sDrawState const& state) override
    {
        return Record("stretched rotated", Corvane::Rect<float>(), state);
    }
    int DrawPrimitive(Corvane::PrimitiveKind, Corvane::IImage const*, int, Corvane::Graphics::sPrimitiveVertex const*,
                      Corvane::Graphics::sDrawState const& state) override
    {
        return Record("primitive", Corvane::Rect<float>(), state);
    }
    int DrawLine(float x0, float y0, float x1, float y1, Corvane::Graphics::sDrawState const& state) override
    {
        return Record("line", Corvane::Rect<float>(x0, y0, x1 - x0, y1 - y0), state);
    }
    int DrawLineCircle(float cx, float cy, float radius, Corvane::Graphics::sDrawState const& state) override
    {
        return Record("line circle", Corvane::Rect<float>(cx - radius, cy - radius, 2 * radius, 2 * radius), state);
    }
    int DrawFilledCircle(float cx, float cy, float radius, Corvane::Graphics::sDrawState const& state) override
    {
        return Record("filled circle", Corvane::Rect<float>(cx - radius, cy - radius, 2 * radius, 2 * radius), state);
    }
    int DrawLineEllipse(Corvane::Rect<float> const& rect, Corvane::Graphics::sDrawState const& state) override
    {
        return Record("line ellipse", rect, state);
    }
    int DrawFilledEllipse(Corvane::Rect<float> const& rect, Corvane::Graphics::sDrawState const& state) override
    {
        return Record("filled ellipse", rect, state);
    }

    // The kinds recorded, in order.
    std::vector<std::string> Kinds() const
    {
        std::vector<std::string> kinds;
        for (sShapeCall const& call : calls)
            kinds.push_back(call.kind);
        return kinds;
    }

    std::vector<sShapeCall> calls;

private:
    int Record(char const* kind, Corvane::Rect<float> const& rect, Corvane::Graphics::sDrawState const& state)
    {
        calls.push_back(sShapeCall{kind, rect, state});
        return 0;
    }

    Corvane::Rect<int> mBounds;
};

} // namespace SpriteTesting

#endif
