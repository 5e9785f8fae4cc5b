#include "qdl/Source/Game/HammerTheNail/HammerTheNailLevelResourceFactory.h"

#include <set>
#include <string>

#include "Core/Source/Log.h"
#include "Core/Source/StringUtils.h"

using namespace Corvane;

namespace
{
// The tool of a "Nail" or "Tool" element; false when its type or colour names nothing.
bool readTool(XMLElement const& element, Label level, FixItTool& tool)
{
    std::wstring const type = element.GetAttribute(L"type");
    std::wstring const color = element.GetAttribute(L"color");
    int const typeIndex = lookUpName(type, kFixItToolTypeNames);
    int const colorIndex = lookUpName(color, kFixItToolColorNames);
    if (typeIndex < 0 || colorIndex < 0)
    {
        Internal::LogWrite("HammerTheNail level %s: a %ls of type \"%s\" and color \"%s\" is left out\n",
                           level.GetString(), element.name.c_str(), TruncateStringWideToASCII(type).c_str(),
                           TruncateStringWideToASCII(color).c_str());
        return false;
    }
    tool = FixItTool(static_cast<FixItToolType>(typeIndex), static_cast<FixItToolColor>(colorIndex));
    return true;
}
} // namespace

void HammerTheNailLevelResourceFactory::readLevel(HammerTheNailLevel& level, IAttributeContainer const& attributes,
                                                  IXMLReader& reader) const
{
    Label const name = Label::FromString(attributes.GetAttribute(L"name"));
    std::set<FixItTool> nailTools;
    while (!reader.IsEOF())
    {
        XMLElement const* const element = reader.ReadElement();
        if (!element || element->kind != XMLElement::kStartElement)
            continue;
        FixItTool tool;
        if (element->name == L"Nail")
        {
            if (!readTool(*element, name, tool))
                continue;
            NailData const nail = {tool.first, tool.second, element->GetAttribute(L"clickCount", 0),
                                   element->GetAttribute(L"x", 0), element->GetAttribute(L"y", 0)};
            level.nails.push_back(nail);
            nailTools.insert(tool);
        }
        else if (element->name == L"Tool")
        {
            if (readTool(*element, name, tool))
                level.tools.push_back(tool);
        }
    }
    level.tools.insert(level.tools.end(), nailTools.begin(), nailTools.end());
}

bool HammerTheNailLevelResourceFactory::isPlayable(HammerTheNailLevel const& level, Label name) const
{
    if (level.tools.size() <= static_cast<size_t>(kNumFixItToolSlots))
        return true;
    Internal::LogWrite("HammerTheNail level %s needs %d tools but the tool box has %d slots; it is not used\n",
                       name.GetString(), static_cast<int>(level.tools.size()), kNumFixItToolSlots);
    return false;
}
