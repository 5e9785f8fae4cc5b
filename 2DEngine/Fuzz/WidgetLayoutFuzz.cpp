// libFuzzer target for widget layouts: any layout body, loaded through the fourteen widget factories
// into an object database, updated, drawn onto a software canvas and sent mouse, key and text input,
// must give objects or nothing, never a crash, a hang or a read out of bounds. The layout may name
// the image lists "I1", "I3", "I4", "I5", "I9", "I12", "I15" and "I30" (that many images), the
// lists "Flat" (nine images, image 3 without height) and "Empty", the image "Img", the font "F"
// and the sound list "S". An input whose first byte is odd is also opened in the layout designer
// (with the designer's own resource names), which a later round closes again.
#include "Core/Source/MemoryStream.h"
#include "Core/Source/StringUtils.h"
#include "CorvaneExtensions/AudioPlatform/BASS/SoundList.h"
#include "2DEngine/Source/Framework/ApplicationMode.h"
#include "2DEngine/Source/Framework/Layout.h"
#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/ObjectDatabase.h"
#include "2DEngine/Source/Framework/ResourceManager.h"
#include "2DEngine/Source/Graphics/Context.h"
#include "2DEngine/Source/Graphics/Font.h"
#include "2DEngine/Source/Graphics/Image.h"
#include "2DEngine/Source/Graphics/ImageList.h"
#include "2DEngine/Source/Graphics/SoftwareCanvas.h"
#include "2DEngine/Source/Widgets/DesignerObjects.h"
#include "2DEngine/Source/Widgets/ObjectFactory.h"

#include <cstdint>
#include <exception>
#include <string>

using namespace Corvane;

namespace
{
    Image* Solid(int width, int height, uint32_t argb)
    {
        Image* image = new Image(width, height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                image->SetPixel(x, y, Color32(argb));
        return image;
    }

    // "count", "width", "height"; image 3 gets "edge" as its height.
    class FuzzImagesFactory : public IResourceFactory
    {
    public:
        IResourceDescriptor* CreateResource(std::wstring const& manifest, Label name,
                                            IAttributeContainer const& attributes, IXMLReader&) const override
        {
            ResourceWrapper<ImageList>* list = new ResourceWrapper<ImageList>(manifest, name, attributes);
            int const count = attributes.GetAttribute(L"count", 0);
            int const width = attributes.GetAttribute(L"width", 4);
            int const height = attributes.GetAttribute(L"height", 4);
            for (int i = 0; i < count; ++i)
                list->AddOwnedImage(Solid(width, i == 3 ? attributes.GetAttribute(L"edge", height) : height,
                                          i % 2 ? 0x80FF8000u : 0xFF2060A0u));
            return list;
        }
    };

    class FuzzImageFactory : public IResourceFactory
    {
    public:
        IResourceDescriptor* CreateResource(std::wstring const& manifest, Label name,
                                            IAttributeContainer const& attributes, IXMLReader&) const override
        {
            ResourceWrapper<Image>* image = new ResourceWrapper<Image>(manifest, name, attributes);
            image->Init(new Color32[6 * 16](), 6, 16, true, false);
            return image;
        }
    };

    // Every character a 7-pixel advance and no glyph.
    class FuzzFont : public Font
    {
    public:
        void GetGlyph(wchar_t, sGlyph* out) const override
        {
            if (out)
                *out = {nullptr, 0, 0, 0, 0};
        }
        int32_t GetGlyphHeight() const override { return 12; }
        int32_t GetKernedLetterWidth(wchar_t, wchar_t) const override { return 7; }
    };

    class FuzzFontFactory : public IResourceFactory
    {
    public:
        IResourceDescriptor* CreateResource(std::wstring const& manifest, Label name,
                                            IAttributeContainer const& attributes, IXMLReader&) const override
        {
            return new ResourceWrapper<FuzzFont>(manifest, name, attributes);
        }
    };

    void LoadText(wchar_t const* manifest, std::string const& body)
    {
        MemoryStream stream(std::wstring(manifest) + L".xml");
        stream.Write(body.data(), body.size());
        stream.Seek(kSeekBegin, 0);
        GetResourceManager()->LoadFromStream(&stream, manifest);
    }

    void SetUpOnce()
    {
        static bool done = false;
        if (done)
            return;
        done = true;
        InstallWidgetEngineHooks();
        CreateLayoutFactories();
        ResourceManager* const manager = GetResourceManager();
        manager->AddResourceFactory(L"fuzzimages", new FuzzImagesFactory());
        manager->AddResourceFactory(L"fuzzimage", new FuzzImageFactory());
        manager->AddResourceFactory(L"fuzzfont", new FuzzFontFactory());
        manager->AddResourceFactory(L"soundlist", new SoundListResourceFactory());
        std::string body = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<resources>\n";
        for (int count : {1, 3, 4, 5, 9, 12, 15, 30})
            body += "<fuzzimages name=\"I" + std::to_string(count) + "\" count=\"" + std::to_string(count) +
                    "\" width=\"6\" height=\"8\"/>\n";
        body += "<fuzzimages name=\"Flat\" count=\"9\" edge=\"0\"/><fuzzimages name=\"Empty\" count=\"0\"/>\n"
                "<fuzzimage name=\"Img\"/><fuzzfont name=\"F\"/>\n"
                "<soundlist name=\"S\"><sound event=\"Hot\" src=\"Nada\"/></soundlist>\n"
                "<fuzzimages name=\"GenericCheckbox\" count=\"10\"/><fuzzimages name=\"GenericList\" count=\"9\"/>\n"
                "<fuzzimages name=\"GenericTextEditField\" count=\"9\"/><fuzzimage name=\"GenericTextEditCursor\"/>\n"
                "<fuzzfont name=\"Verdana12\"/>\n</resources>\n";
        LoadText(L"FuzzArt", body);
    }
}

extern "C" int LLVMFuzzerTestOneInput(uint8_t const* data, size_t size)
{
    SetUpOnce();
    std::string const layout(reinterpret_cast<char const*>(data), size);
    // Malformed XML is refused with an exception, leaving nothing loaded.
    try
    {
        LoadText(L"FuzzLayout", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<resources><layout name=\"Fuzz\">" +
                                    layout + "</layout></resources>\n");
    }
    catch (std::exception const&)
    {
        return 0;
    }

    {
        ApplicationMode mode;
        MainLoop::AutoContext context;
        MainLoop::WithinContext(&mode, context);
        bool const designer = size > 0 && (data[0] & 1) != 0;
        if (Layout* found = AutoResource<Layout>("Fuzz").Get())
        {
            found->Load(Label());
            if (designer)
                OpenLayoutDesigner(found->GetInstance(Label()));
        }

        Image target(160, 120);
        Graphics::ICanvas* canvas = Graphics::CreateImageCanvas(&target);
        Graphics::PushContext(Graphics::Context(canvas, Graphics::sDrawState::GetDefaults()));
        ObjectDatabase* database = mode.GetObjectDatabase();
        // Every object takes the focus in turn, then hears the same input.
        ObjectDatabase::sIterator objects;
        for (int round = 0; round < 8; ++round)
        {
            // Half way through one object is destroyed under the open designer, and later the designer.
            if (designer && round == 4)
                database->DestroyObject(database->GetNextObject(&objects));
            if (designer && round == 6)
                database->DestroyNamedObject(Label::GetUniqueString("Corvane::DesignerSurface"));
            ObjectID const id = database->GetNextObject(&objects);
            database->SetFocus(id == kInvalidObjectID ? nullptr : database->GetObject(id));
            mode.Update(0.25f);
            database->Draw();
            int const x = size > 0 ? data[round % size] % 160 : 10;
            int const y = size > 1 ? data[(round + 1) % size] % 120 : 10;
            database->OnMouseMove(x, y);
            database->OnMouseDown(kMouseButtonPrimary, x, y);
            database->OnMouseMove(x + 40, y - 5);
            database->OnMouseUp(kMouseButtonPrimary, x + 3, y + 3);
            for (int key : {512, 37, 38, 39, 40, 8, 46, 36, 35, 13, 32, 258, 27, 513, 9, 120})
                database->OnKeyDown(key);
            database->OnTextInput(L"a\u00f1\t\r");
        }
        Graphics::PopContext();
        Graphics::DestroyImageCanvas(canvas);
    }
    GetResourceManager()->Unload(L"FuzzLayout");
    return 0;
}
