#ifndef CORVANE_TESTS_WIDGETS_DESIGNERTESTSUPPORT_H
#define CORVANE_TESTS_WIDGETS_DESIGNERTESTSUPPORT_H

// For the layout designer's tests: an 800 x 600 window, a layout of a button,
// a text sprite, an image sprite and a nine-brush, and the designer opened
// over it in the context database.

#include <memory>
#include <string>
#include <vector>

#include "2DEngine/Source/Framework/Layout.h"
#include "2DEngine/Source/Framework/Window.h"
#include "2DEngine/Source/Widgets/DesignerObjects.h"
#include "2DEngine/Source/Widgets/PropertyEditorObjects.h"
#include "2DEngine/Tests/Widgets/ControlTestSupport.h"

namespace DesignerTesting
{
using namespace Corvane;
using namespace ControlTesting;

class DesignerFixture : public ControlFixture
{
protected:
    void SetUp() override
    {
        ControlFixture::SetUp();
        window.reset(new WidgetTesting::WindowOfSize(800, 600));
        Load(L"Designer", L"<testfont name=\"Verdana12\" advance=\"7\" height=\"12\"/>"
                          L"<testimage name=\"Picture\" width=\"40\" height=\"30\"/>"
                          L"<layout name=\"Screen\">"
                          L"<button name=\"Go\" x=\"100\" y=\"50\" width=\"100\" height=\"40\" font=\"Font\" text=\"Go\"/>"
                          L"<textsprite name=\"Caption\" x=\"300\" y=\"20\" font=\"Font\" text=\"Hi\"/>"
                          L"<imagesprite name=\"Pic\" src=\"Picture\" x=\"400\" y=\"300\"/>"
                          L"<ninebrush name=\"Panel\" x=\"10\" y=\"400\" width=\"200\" height=\"100\"/>"
                          L"</layout>");
        layout = FindLayout("Screen");
        ASSERT_NE(nullptr, layout);
        layout->Load(Label());
        // Its caption's size rule ran after the layout's size.
        if (IBounds* go = Named<IBounds>("Go"))
            go->SetBounds(Rect<float>(100, 50, 100, 40));
    }

    void TearDown() override
    {
        window.reset();
        ControlFixture::TearDown();
    }

    ObjectID Open() { return OpenLayoutDesigner(layout->GetInstance(Label())); }

    DesignerObject* FrameOf(char const* target)
    {
        return Named<DesignerObject>((std::string(target) + "::DesignerObject").c_str());
    }

    PropertyListEditorObject* Column() { return Named<PropertyListEditorObject>("Corvane::PropertyListEditorObject"); }

    // The live rows, in the order they were added.
    std::vector<PropertyEditorObject*> Rows()
    {
        std::vector<PropertyEditorObject*> rows;
        for (ObjectID id : Database()->GetObjectsWithRole(PropertyEditorObject::GetRoleLabel()))
            if (PropertyEditorObject* row = dynamic_cast<PropertyEditorObject*>(Database()->GetObject(id)))
                rows.push_back(row);
        return rows;
    }

    std::vector<std::wstring> RowNames()
    {
        std::vector<std::wstring> names;
        for (PropertyEditorObject* row : Rows())
            names.push_back(row->GetPropertyName());
        return names;
    }

    template <class T>
    T* RowNamed(wchar_t const* name)
    {
        for (PropertyEditorObject* row : Rows())
            if (row->GetPropertyName() == name)
                return dynamic_cast<T*>(row);
        return nullptr;
    }

    std::unique_ptr<WidgetTesting::WindowOfSize> window;
    Layout* layout = nullptr;
};

} // namespace DesignerTesting

#endif
