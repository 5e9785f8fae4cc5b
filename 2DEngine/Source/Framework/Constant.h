#pragma once

#include <memory>
#include <string>
#include <vector>

#include "Core/Source/Color.h"
#include "Core/Source/Label.h"
#include "Core/Source/Rect.h"
#include "Core/Source/Vector2.h"
#include "Core/Source/XMLReader.h"
#include "2DEngine/Source/Framework/ContentNumbers.h"
#include "2DEngine/Source/Framework/Resource.h"

// Named constants: tuning values declared in manifests, one element per value, whose tag
// names the value's type ("float", "vector2i", "intarray" ...), read by name through
// Constant<T>.
namespace Corvane
{
    namespace Internal
    {
        // A resource holding one value, set by its factory after construction.
        template <class T>
        class ValueWrapper : public ResourceDescriptor
        {
        public:
            ValueWrapper(std::wstring const& manifest, Label name, IAttributeContainer const& attributes)
                : ResourceDescriptor(manifest, name, attributes), value()
            {
            }

            T value;
        };

        // Logs a constant read that found no value, once per name.
        void ReportMissingConstant(Label name);
        // The file the reader reads, or the manifest's name when it names none.
        std::wstring ContentFileName(std::wstring const& manifest, IXMLReader& reader);
    }

    // A named constant, bound at construction to the value loaded under the name. Valid while
    // the declaring manifest stays loaded. A name not loaded, or loaded with another type,
    // reads as T's default value and is logged once.
    template <class T>
    class Constant
    {
    public:
        explicit Constant(Label name) : mName(name) { Bind(); }
        explicit Constant(char const* name) : mName(Label::GetUniqueString(name)) { Bind(); }

        operator T() const
        {
            if (mValue)
                return mValue->value;
            Internal::ReportMissingConstant(mName);
            return T();
        }

        bool IsValid() const { return mValue != nullptr; }
        // The resource holding the value; null when the name is not bound.
        ResourceDescriptor const* GetDescriptor() const { return mValue; }

    private:
        void Bind() { mValue = dynamic_cast<Internal::ValueWrapper<T>*>(Internal::FindResource(mName)); }

        Internal::ValueWrapper<T>* mValue = nullptr;
        Label mName;
    };

    // A float constant read for a use that takes only `range` (a time, a size): a value
    // outside it, or a name not loaded, gives `fallback`. A refused value is logged once, with
    // its manifest, its name and "value".
    float ReadConstant(char const* name, NumberRange const& range, float fallback = 0.0f);
    // A duration in seconds, as ReadConstant with NumberRanges::kTime: a refused time is none.
    inline float ReadTimeConstant(char const* name) { return ReadConstant(name, NumberRanges::kTime); }

    // The factory of one scalar kind: CreateValue makes the typed holder, CreateResource hands
    // it to the resource manager. Neither ever fails: missing or unreadable attributes give
    // the kind's defaults, and a float that is not finite is refused and logged.
    template <class T>
    class ScalarResourceFactory : public IResourceFactory
    {
    public:
        typedef T ValueType;

        virtual Internal::ValueWrapper<T>* CreateValue(std::wstring const& manifest, Label name,
                                                       IAttributeContainer const& attributes) const = 0;

        IResourceDescriptor* CreateResource(std::wstring const& manifest, Label name,
                                            IAttributeContainer const& attributes, IXMLReader& reader) const override
        {
            ContentReadScope const place(Internal::ContentFileName(manifest, reader),
                                         ConvertStringUTF8ToWide(name.GetString()));
            return CreateValue(manifest, name, attributes);
        }
    };

#define CORVANE_SCALAR_RESOURCE_FACTORY(Factory, Type)                                                       \
    class Factory : public ScalarResourceFactory<Type>                                                       \
    {                                                                                                        \
    public:                                                                                                  \
        Internal::ValueWrapper<Type>* CreateValue(std::wstring const& manifest, Label name,                  \
                                                  IAttributeContainer const& attributes) const override;     \
    }

    // "value" as bool (false).
    CORVANE_SCALAR_RESOURCE_FACTORY(BoolResourceFactory, bool);
    // "value" as int (0).
    CORVANE_SCALAR_RESOURCE_FACTORY(IntResourceFactory, int);
    // "value" as float (0).
    CORVANE_SCALAR_RESOURCE_FACTORY(FloatResourceFactory, float);
    // "value" as text (empty).
    CORVANE_SCALAR_RESOURCE_FACTORY(StringResourceFactory, std::wstring);
    // "x", "y" as float (0).
    CORVANE_SCALAR_RESOURCE_FACTORY(Vector2FResourceFactory, Vector2<float>);
    // "x", "y" as int (0).
    CORVANE_SCALAR_RESOURCE_FACTORY(Vector2IResourceFactory, Vector2<int>);
    // "x", "y", "w", "h" as float (0).
    CORVANE_SCALAR_RESOURCE_FACTORY(RectFResourceFactory, Rect<float>);
    // "x", "y", "w", "h" as int (0).
    CORVANE_SCALAR_RESOURCE_FACTORY(RectIResourceFactory, Rect<int>);
    // "value" as '#RRGGBB' or '#RRGGBBAA' when present; otherwise "r", "g", "b", "a" as float (1).
    CORVANE_SCALAR_RESOURCE_FACTORY(ColorFResourceFactory, ColorF);
    // "r", "g", "b", "a" as int (255), each cut to its low 8 bits.
    CORVANE_SCALAR_RESOURCE_FACTORY(ColorIResourceFactory, ColorF);

#undef CORVANE_SCALAR_RESOURCE_FACTORY

    // A list of values: the array element's start elements at any depth are its items, in
    // file order, each read as F reads its scalar element (their tags are not looked at).
    template <class T, class F>
    class ArrayResourceFactory : public IResourceFactory
    {
    public:
        IResourceDescriptor* CreateResource(std::wstring const& manifest, Label name,
                                            IAttributeContainer const& attributes, IXMLReader& reader) const override
        {
            std::unique_ptr<Internal::ValueWrapper<std::vector<T> > > list(
                new Internal::ValueWrapper<std::vector<T> >(manifest, name, attributes));
            F itemFactory;
            ContentReadScope const place(Internal::ContentFileName(manifest, reader),
                                         ConvertStringUTF8ToWide(name.GetString()));
            // The array element itself.
            reader.ReadElement();
            while (!reader.IsEOF())
            {
                XMLElement const* item = reader.ReadElement();
                if (!item || item->kind != 0)
                    continue;
                Label itemName = Label::FromString(item->GetAttribute(L"name"));
                std::unique_ptr<Internal::ValueWrapper<T> > holder(itemFactory.CreateValue(manifest, itemName, *item));
                list->value.push_back(holder->value);
            }
            return list.release();
        }
    };

    // Registers the nineteen constant factories with the resource manager, which owns them.
    void CreateConstantResourceFactories();
}
