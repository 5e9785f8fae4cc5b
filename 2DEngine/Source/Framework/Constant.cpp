#include "2DEngine/Source/Framework/Constant.h"

#include <mutex>
#include <set>

#include "Core/Source/Log.h"
#include "Core/Source/ValueText.h"
#include "2DEngine/Source/Framework/ResourceManager.h"

namespace Corvane
{
    namespace Internal
    {
        void ReportMissingConstant(Label name)
        {
            // Constants are often read every frame: one line per name is enough to find the
            // content error without flooding the log.
            static std::mutex reportedLock;
            static std::set<Label> reported;
            {
                std::lock_guard<std::mutex> lock(reportedLock);
                if (!reported.insert(name).second)
                    return;
            }
            Internal::LogWrite("The constant %s is not loaded or has another type; its default value is used.\n",
                               name.GetString());
        }

        std::wstring ContentFileName(std::wstring const& manifest, IXMLReader& reader)
        {
            std::wstring const file = reader.GetFileName();
            return file.empty() ? manifest + L".xml" : file;
        }
    }

    float ReadConstant(char const* name, NumberRange const& range, float fallback)
    {
        Constant<float> const constant(name);
        // Reading an unbound constant logs its name.
        float const value = constant;
        if (!constant.IsValid())
            return fallback;
        if (NumberFits(value, range))
            return value;
        // Read every time its use comes round: one line per name is enough.
        static std::mutex reportedLock;
        static std::set<std::string> reported;
        bool first = false;
        {
            std::lock_guard<std::mutex> lock(reportedLock);
            first = reported.insert(name).second;
        }
        if (first)
        {
            ContentReadScope const place(constant.GetDescriptor()->GetManifest() + L".xml",
                                         ConvertStringUTF8ToWide(name));
            ReportRefusedNumber(L"value", ValueText::FormatFloat(value), range, fallback);
        }
        return fallback;
    }

    namespace
    {
        template <class T>
        Internal::ValueWrapper<T>* MakeValue(std::wstring const& manifest, Label name,
                                             IAttributeContainer const& attributes)
        {
            return new Internal::ValueWrapper<T>(manifest, name, attributes);
        }

        // A constant is not told its use: any finite number is taken here, and a use that takes
        // less reads it through ReadConstant.
        float ReadFloat(IAttributeContainer const& attributes, wchar_t const* name, float defaultValue)
        {
            return ReadNumber(attributes, name, defaultValue, NumberRanges::kFinite);
        }

        int ReadInt(IAttributeContainer const& attributes, wchar_t const* name, int defaultValue)
        {
            return attributes.GetAttribute(name, defaultValue);
        }
    }

    Internal::ValueWrapper<bool>* BoolResourceFactory::CreateValue(std::wstring const& manifest, Label name,
                                                                   IAttributeContainer const& attributes) const
    {
        Internal::ValueWrapper<bool>* holder = MakeValue<bool>(manifest, name, attributes);
        holder->value = attributes.GetAttribute(L"value", false);
        return holder;
    }

    Internal::ValueWrapper<int>* IntResourceFactory::CreateValue(std::wstring const& manifest, Label name,
                                                                 IAttributeContainer const& attributes) const
    {
        Internal::ValueWrapper<int>* holder = MakeValue<int>(manifest, name, attributes);
        holder->value = ReadInt(attributes, L"value", 0);
        return holder;
    }

    Internal::ValueWrapper<float>* FloatResourceFactory::CreateValue(std::wstring const& manifest, Label name,
                                                                     IAttributeContainer const& attributes) const
    {
        Internal::ValueWrapper<float>* holder = MakeValue<float>(manifest, name, attributes);
        holder->value = ReadFloat(attributes, L"value", 0.0f);
        return holder;
    }

    Internal::ValueWrapper<std::wstring>* StringResourceFactory::CreateValue(
        std::wstring const& manifest, Label name, IAttributeContainer const& attributes) const
    {
        Internal::ValueWrapper<std::wstring>* holder = MakeValue<std::wstring>(manifest, name, attributes);
        holder->value = attributes.GetAttribute(L"value");
        return holder;
    }

    Internal::ValueWrapper<Vector2<float> >* Vector2FResourceFactory::CreateValue(
        std::wstring const& manifest, Label name, IAttributeContainer const& attributes) const
    {
        Internal::ValueWrapper<Vector2<float> >* holder = MakeValue<Vector2<float> >(manifest, name, attributes);
        holder->value = Vector2<float>(ReadFloat(attributes, L"x", 0.0f), ReadFloat(attributes, L"y", 0.0f));
        return holder;
    }

    Internal::ValueWrapper<Vector2<int> >* Vector2IResourceFactory::CreateValue(
        std::wstring const& manifest, Label name, IAttributeContainer const& attributes) const
    {
        Internal::ValueWrapper<Vector2<int> >* holder = MakeValue<Vector2<int> >(manifest, name, attributes);
        holder->value = Vector2<int>(ReadInt(attributes, L"x", 0), ReadInt(attributes, L"y", 0));
        return holder;
    }

    Internal::ValueWrapper<Rect<float> >* RectFResourceFactory::CreateValue(
        std::wstring const& manifest, Label name, IAttributeContainer const& attributes) const
    {
        Internal::ValueWrapper<Rect<float> >* holder = MakeValue<Rect<float> >(manifest, name, attributes);
        holder->value = Rect<float>(ReadFloat(attributes, L"x", 0.0f), ReadFloat(attributes, L"y", 0.0f),
                                    ReadFloat(attributes, L"w", 0.0f), ReadFloat(attributes, L"h", 0.0f));
        return holder;
    }

    Internal::ValueWrapper<Rect<int> >* RectIResourceFactory::CreateValue(std::wstring const& manifest, Label name,
                                                                          IAttributeContainer const& attributes) const
    {
        Internal::ValueWrapper<Rect<int> >* holder = MakeValue<Rect<int> >(manifest, name, attributes);
        holder->value = Rect<int>(ReadInt(attributes, L"x", 0), ReadInt(attributes, L"y", 0),
                                  ReadInt(attributes, L"w", 0), ReadInt(attributes, L"h", 0));
        return holder;
    }

    Internal::ValueWrapper<ColorF>* ColorFResourceFactory::CreateValue(std::wstring const& manifest, Label name,
                                                                       IAttributeContainer const& attributes) const
    {
        Internal::ValueWrapper<ColorF>* holder = MakeValue<ColorF>(manifest, name, attributes);
        if (attributes.HasAttribute(L"value"))
            holder->value = ColorF::FromString(attributes.GetAttribute(L"value"));
        else
            holder->value = ColorF(ReadFloat(attributes, L"r", 1.0f), ReadFloat(attributes, L"g", 1.0f),
                                   ReadFloat(attributes, L"b", 1.0f), ReadFloat(attributes, L"a", 1.0f));
        return holder;
    }

    Internal::ValueWrapper<ColorF>* ColorIResourceFactory::CreateValue(std::wstring const& manifest, Label name,
                                                                       IAttributeContainer const& attributes) const
    {
        Internal::ValueWrapper<ColorF>* holder = MakeValue<ColorF>(manifest, name, attributes);
        uint8_t const red = uint8_t(ReadInt(attributes, L"r", 255) & 0xFF);
        uint8_t const green = uint8_t(ReadInt(attributes, L"g", 255) & 0xFF);
        uint8_t const blue = uint8_t(ReadInt(attributes, L"b", 255) & 0xFF);
        uint8_t const alpha = uint8_t(ReadInt(attributes, L"a", 255) & 0xFF);
        holder->value = ColorF(Color32::FromARGB(alpha, red, green, blue));
        return holder;
    }

    void CreateConstantResourceFactories()
    {
        ResourceManager* manager = GetResourceManager();
        manager->AddResourceFactory(L"bool", new BoolResourceFactory());
        manager->AddResourceFactory(L"int", new IntResourceFactory());
        manager->AddResourceFactory(L"float", new FloatResourceFactory());
        manager->AddResourceFactory(L"string", new StringResourceFactory());
        manager->AddResourceFactory(L"vector2f", new Vector2FResourceFactory());
        manager->AddResourceFactory(L"vector2i", new Vector2IResourceFactory());
        manager->AddResourceFactory(L"rectf", new RectFResourceFactory());
        manager->AddResourceFactory(L"recti", new RectIResourceFactory());
        manager->AddResourceFactory(L"colorf", new ColorFResourceFactory());
        manager->AddResourceFactory(L"colori", new ColorIResourceFactory());
        manager->AddResourceFactory(L"boolarray", new ArrayResourceFactory<bool, BoolResourceFactory>());
        manager->AddResourceFactory(L"intarray", new ArrayResourceFactory<int, IntResourceFactory>());
        manager->AddResourceFactory(L"floatarray", new ArrayResourceFactory<float, FloatResourceFactory>());
        manager->AddResourceFactory(L"stringarray", new ArrayResourceFactory<std::wstring, StringResourceFactory>());
        manager->AddResourceFactory(L"vector2farray",
                                    new ArrayResourceFactory<Vector2<float>, Vector2FResourceFactory>());
        manager->AddResourceFactory(L"rectfarray", new ArrayResourceFactory<Rect<float>, RectFResourceFactory>());
        manager->AddResourceFactory(L"rectiarray", new ArrayResourceFactory<Rect<int>, RectIResourceFactory>());
        manager->AddResourceFactory(L"colorfarray", new ArrayResourceFactory<ColorF, ColorFResourceFactory>());
        manager->AddResourceFactory(L"coloriarray", new ArrayResourceFactory<ColorF, ColorIResourceFactory>());
    }
}
