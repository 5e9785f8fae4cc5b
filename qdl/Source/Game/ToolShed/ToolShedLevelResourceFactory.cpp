#include "qdl/Source/Game/ToolShed/ToolShedLevelResourceFactory.h"

#include "Core/Source/Log.h"
#include "Core/Source/XMLReader.h"

using namespace Corvane;

namespace
{

ToolShedToolData readTool(XMLElement const& element)
{
    ToolShedToolData tool;
    tool.toolType = static_cast<ToolShedToolType>(lookUpName(element.GetAttribute(L"toolType"), kToolShedToolTypeNames));
    tool.color = static_cast<ToolShedToolColor>(lookUpName(element.GetAttribute(L"color"), kToolShedToolColorNames));
    return tool;
}

bool hasPicture(ToolShedToolData const& tool)
{
    return tool.toolType >= 0 && tool.toolType < kNumToolShedToolTypes && tool.color >= 0 &&
           tool.color < kNumToolShedToolColors;
}

} // namespace

void ToolShedLevelResourceFactory::readLevel(ToolShedLevel& level, IAttributeContainer const&, std::wstring const&,
                                             IXMLReader& reader, LevelNumbers& numbers) const
{
    char const* const name = numbers.getLevel().GetString();
    char const* const file = numbers.getFile().c_str();
    int unknown = 0;
    int boxes = 0;
    while (!reader.IsEOF())
    {
        XMLElement const* const element = reader.ReadElement();
        if (!element || element->kind != XMLElement::kStartElement)
            continue;
        bool const isTool = element->name == L"toolEntry";
        if (!isTool && element->name != L"toolBox")
            continue;
        ToolShedToolData const tool = readTool(*element);
        if (!hasPicture(tool))
            ++unknown;
        else if (isTool)
            level.toolEntries.push_back(tool);
        else if (++boxes <= ToolShedLevel::kMaxToolBoxes)
            level.toolBoxes.push_back(tool);
    }
    if (unknown > 0)
        Internal::LogWrite("%s, level %s: %d tools or boxes name a tool type or colour that is not known "
                           "and are left out\n", file, name, unknown);
    if (boxes > ToolShedLevel::kMaxToolBoxes)
        Internal::LogWrite("%s, level %s has %d tool boxes; the game has places for %d, the rest are left out\n",
                           file, name, boxes, ToolShedLevel::kMaxToolBoxes);
}
