#include "qdl/Source/Game/HammerTheNail/HammerTheNailLevelResourceFactory.h"

#include <limits>
#include <set>
#include <string>

#include "Core/Source/Log.h"
#include "Core/Source/StringUtils.h"

using namespace Corvane;

namespace
{
// The tool of a "Nail" or "Tool" element; false when its type or colour names nothing.
bool readTool(XMLElement const& element, LevelNumbers const& numbers, FixItTool& tool)
{
    std::wstring const type = element.GetAttribute(L"type");
    std::wstring const color = element.GetAttribute(L"color");
    int const typeIndex = lookUpName(type, kFixItToolTypeNames);
    int const colorIndex = lookUpName(color, kFixItToolColorNames);
    if (typeIndex < 0 || colorIndex < 0)
    {
        Internal::LogWrite("%s, level %s: a %ls of type \"%s\" and color \"%s\" is left out\n",
                           numbers.getFile().c_str(), numbers.getLevel().GetString(), element.name.c_str(), TruncateStringWideToASCII(type).c_str(),
                           TruncateStringWideToASCII(color).c_str());
        return false;
    }
    tool = FixItTool(static_cast<FixItToolType>(typeIndex), static_cast<FixItToolColor>(colorIndex));
    return true;
}
} // namespace

void HammerTheNailLevelResourceFactory::readLevel(HammerTheNailLevel& level, IAttributeContainer const&,
                                                  std::wstring const&, IXMLReader& reader,
                                                  LevelNumbers& numbers) const
{
    std::set<FixItTool> nailTools;
    while (!reader.IsEOF())
    {
        XMLElement const* const element = reader.ReadElement();
        if (!element || element->kind != XMLElement::kStartElement)
            continue;
        FixItTool tool;
        if (element->name == L"Nail")
        {
            if (!readTool(*element, numbers, tool))
                continue;
            // The clicks left are the frame the nail shows: below 0 it would show nothing.
            NailData const nail = {
                tool.first, tool.second,
                numbers.wholeNumber(*element, element->name, L"clickCount", 0, 0, std::numeric_limits<int>::max()),
                numbers.wholeNumber(*element, element->name, L"x", 0, 0, LevelNumbers::kScreenWidth),
                numbers.wholeNumber(*element, element->name, L"y", 0, 0, LevelNumbers::kScreenHeight)};
            numbers.pictureFrame(element->name, L"clickCount", nail.clickCount, nail.clickCount,
                                 fixItNailImageName(nail.type, nail.color).c_str());
            level.nails.push_back(nail);
            nailTools.insert(tool);
        }
        else if (element->name == L"Tool")
        {
            if (readTool(*element, numbers, tool))
                level.tools.push_back(tool);
        }
    }
    level.tools.insert(level.tools.end(), nailTools.begin(), nailTools.end());
}

void HammerTheNailLevelResourceFactory::checkPlayable(HammerTheNailLevel const& level, LevelNumbers& numbers) const
{
    if (level.tools.size() > static_cast<size_t>(kNumFixItToolSlots))
        return numbers.refuseLevel("it needs " + std::to_string(level.tools.size()) + " tools but the tool box has " +
                                   std::to_string(kNumFixItToolSlots) + " slots");
    // The level is won when a click drives the last nail in: one nail at least must need a click.
    for (NailData const& nail : level.nails)
        if (nail.clickCount > 0)
            return;
    numbers.refuseLevel("no nail needs a click");
}
