// libFuzzer target for the ToolShed and StreetSigns level readers: any level element must give a
// record or an XML error, never a crash, a hang or a read out of bounds; a record holds no tool,
// box or sign without a picture, at most six boxes and twelve signs, and the reader consumes the
// level element up to its own end, so that the manifest reader goes on after it.
#include "Core/Source/Label.h"
#include "Core/Source/MemoryStream.h"
#include "Core/Source/XMLReader.h"
#include "qdl/Source/Game/StreetSigns/StreetSignLevelResourceFactory.h"
#include "qdl/Source/Game/ToolShed/ToolShedLevelResourceFactory.h"

#include <cstdint>
#include <cstdlib>
#include <memory>

using namespace Corvane;

namespace
{
    void Check(bool condition)
    {
        if (!condition)
            std::abort();
    }

    void CheckRecord(IResourceDescriptor* resource)
    {
        if (ToolShedLevel const* const tools = dynamic_cast<ToolShedLevel const*>(resource))
        {
            Check(tools->toolBoxes.size() <= static_cast<size_t>(ToolShedLevel::kMaxToolBoxes));
            for (auto const* list : {&tools->toolEntries, &tools->toolBoxes})
                for (ToolShedToolData const& tool : *list)
                    Check(tool.toolType >= 0 && tool.toolType < kNumToolShedToolTypes && tool.color >= 0 &&
                          tool.color < kNumToolShedToolColors);
        }
        if (StreetSignLevel const* const signs = dynamic_cast<StreetSignLevel const*>(resource))
        {
            Check(signs->signEntries.size() <= static_cast<size_t>(StreetSignLevel::kMaxSigns));
            for (StreetSignData const& sign : signs->signEntries)
                Check(sign.color >= 0 && sign.color < kNumStreetSignColors && sign.shape >= 0 &&
                      sign.shape < kNumStreetSignShapes);
        }
    }
}

extern "C" int LLVMFuzzerTestOneInput(uint8_t const* data, size_t size)
{
    static ToolShedLevelResourceFactory const toolShed;
    static StreetSignLevelResourceFactory const streetSigns;
    // One name for every level, so that the level manager's lists stay small however long the run.
    static Label const name = Label::GetUniqueString("FuzzLevel");

    MemoryStream stream(L"FuzzLevels.xml");
    stream.Write(data, size);
    stream.Seek(kSeekBegin, 0);
    std::unique_ptr<IXMLReader> reader(CreateXMLReader(&stream));
    try
    {
        // The manifest's root, then each element inside it as the manifest reader hands them on.
        int depth = 0;
        while (!reader->IsEOF())
        {
            XMLElement* const element = reader->ReadElement();
            if (!element || element->kind == XMLElement::kText)
                continue;
            if (element->kind == XMLElement::kEndElement)
            {
                --depth;
                continue;
            }
            if (depth++ != 1)
                continue;
            IResourceFactory const* factory = nullptr;
            if (element->name == L"ToolShedLevel")
                factory = &toolShed;
            else if (element->name == L"StreetSignLevel")
                factory = &streetSigns;
            if (!factory)
                continue;
            XMLElement const level = *element;
            XMLElementReader confined(reader.get());
            std::unique_ptr<IResourceDescriptor> resource(factory->CreateResource(L"FuzzLevels", name, level, confined));
            Check(confined.IsEOF());
            CheckRecord(resource.get());
            // The confined reader has read the level's own end tag.
            --depth;
        }
    }
    catch (XMLError const&)
    {
    }
    return 0;
}
