#include "2DEngine/Tests/Framework/ResourceTestSupport.h"

#include <typeinfo>

using namespace Corvane;
using namespace ResourceTesting;

namespace
{
    class ResourceTest : public ResourceFixture
    {
    };

    // An attribute container of another class than AttributeContainer.
    class ForeignAttributes : public IAttributeContainer
    {
    public:
        AttributeMap const& GetAttributes() const override { return mMap; }
        bool HasAttribute(std::wstring const&) const override { return false; }
        std::wstring GetAttribute(std::wstring const&) const override { return std::wstring(); }
        wchar_t const* GetAttribute(std::wstring const&, wchar_t const* d) const override { return d; }
        int GetAttribute(std::wstring const&, int const& d) const override { return d; }
        float GetAttribute(std::wstring const&, float const& d) const override { return d; }
        bool GetAttribute(std::wstring const&, bool const& d) const override { return d; }

    private:
        AttributeMap mMap;
    };

    // A value that is itself an attribute container, as a layout is.
    class SelfDescribed : public AttributeContainer
    {
    };

    class SelfDescribedFactory : public IResourceFactory
    {
    public:
        IResourceDescriptor* CreateResource(std::wstring const& manifest, Label name,
                                            IAttributeContainer const& attributes, IXMLReader&) const override
        {
            return new ResourceWrapper<SelfDescribed>(manifest, name, attributes);
        }
    };

    // Reads its element's children: the reader given to a factory starts at the element
    // itself and ends after it.
    class ListFactory : public IResourceFactory
    {
    public:
        IResourceDescriptor* CreateResource(std::wstring const& manifest, Label name,
                                            IAttributeContainer const& attributes, IXMLReader& reader) const override
        {
            ResourceWrapper<Thing>* thing = new ResourceWrapper<Thing>(manifest, name, attributes);
            XMLElement const* first = reader.ReadElement();
            thing->value = first->name + L":";
            while (!reader.IsEOF())
            {
                XMLElement const* element = reader.ReadElement();
                if (element->kind == XMLElement::kStartElement)
                    thing->value += element->GetAttribute(L"value");
            }
            // Read after the children: the attributes must still be those of the element.
            thing->value += L":" + attributes.GetAttribute(L"tail");
            return thing;
        }
    };

    XMLElement MakeElement(std::wstring const& tag, AttributeContainer::AttributeMap const& attributes)
    {
        XMLElement element(XMLElement::kStartElement, tag);
        element.SetAttributes(attributes);
        return element;
    }
}

// ---- Descriptors ------------------------------------------------------------------------------

TEST(ResourceDescriptorTest, CopiesTheDeclaringElementsAttributes)
{
    XMLElement element = MakeElement(L"thing", {{L"name", L"Grúa"}, {L"value", L"3"}});
    ResourceWrapper<Thing> thing(L"Máquinas", Label::FromString(std::wstring(L"Grúa")), element);
    element.SetAttributes({});

    EXPECT_EQ(L"Máquinas", thing.GetManifest());
    EXPECT_STREQ("Gr?a", thing.GetName().GetString());
    EXPECT_EQ(L"Grúa", thing.GetAttribute(L"name"));
    EXPECT_EQ(3, thing.GetAttribute(L"value", 0));
    EXPECT_TRUE(thing.value.empty());
}

TEST(ResourceDescriptorTest, RefusesAnAttributeContainerOfAnotherClass)
{
    ForeignAttributes foreign;
    EXPECT_THROW(ResourceWrapper<Thing>(L"M", Label(), foreign), std::bad_cast);
}

// ---- Handles ----------------------------------------------------------------------------------

TEST_F(ResourceTest, AHandleFindsTheResourceByNameInAnyLetterCase)
{
    Files().SetFile(L"Tools.xml", Manifest(L"<thing name='Hammer' value='h'/>"));
    manager->Load(L"Tools");
    AutoResource<Thing> byLabel(L8("Hammer"));
    AutoResource<Thing> byString(std::string("HAMMER"));
    AutoResource<Thing> byChars("hammer");
    ASSERT_TRUE(byLabel);
    EXPECT_EQ(byLabel.Get(), byString.Get());
    EXPECT_EQ(byLabel.Get(), byChars.Get());
    EXPECT_EQ(L"h", byLabel->value);
}

TEST_F(ResourceTest, AHandleOfTheWrongKindHasADescriptorButNoValue)
{
    Files().SetFile(L"Tools.xml", Manifest(L"<gadget name='Drill'/>"));
    manager->Load(L"Tools");
    AutoResource<Thing> wrongKind("Drill");
    EXPECT_NE(nullptr, wrongKind.GetDescriptor());
    EXPECT_EQ(nullptr, wrongKind.Get());
    EXPECT_FALSE(wrongKind);
}

TEST_F(ResourceTest, AHandleOfAnUnboundNameIsEmpty)
{
    AutoResource<Thing> missing("Nowhere");
    EXPECT_EQ(nullptr, missing.GetDescriptor());
    EXPECT_EQ(nullptr, missing.Get());
}

TEST_F(ResourceTest, AnAttributeHandleReadsTheDeclaringElementOfAnyKind)
{
    manager->AddResourceFactory(L"self", new SelfDescribedFactory());
    Files().SetFile(L"Tools.xml", Manifest(L"<gadget name='Drill' speed='7'/><self name='Layout'/>"));
    manager->Load(L"Tools");
    AutoResource<AttributeContainer> drill(L8("DRILL"));
    ASSERT_TRUE(drill);
    EXPECT_EQ(L"Drill", drill->GetAttribute(L"name"));
    EXPECT_EQ(7, drill->GetAttribute(L"speed", 0));
    // A value that is itself an attribute container gives two candidates: no value.
    AutoResource<AttributeContainer> layout(L8("Layout"));
    EXPECT_NE(nullptr, layout.GetDescriptor());
    EXPECT_EQ(nullptr, layout.Get());
}

TEST_F(ResourceTest, AFactoryReadsItsElementsContentThroughTheConfinedReader)
{
    manager->AddResourceFactory(L"list", new ListFactory());
    Files().SetFile(L"Lists.xml", Manifest(L"<list name='Digits' tail='end'><i value='1'/><i value='2'/></list>"
                                           L"<thing name='After' value='a'/>"));
    manager->Load(L"Lists");
    Thing* digits = AutoResource<Thing>("Digits").Get();
    ASSERT_NE(nullptr, digits);
    EXPECT_EQ(L"list:12:end", digits->value);
    ASSERT_NE(nullptr, AutoResource<Thing>("After").Get());
}
