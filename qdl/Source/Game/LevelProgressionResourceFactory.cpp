#include "qdl/Source/Game/LevelProgressionResourceFactory.h"

#include <memory>

#include "Core/Source/XMLReader.h"
#include "qdl/Source/Game/LevelProgressionData.h"

using namespace Corvane;

namespace
{

// A missing or empty attribute names nothing: the null label, not a label of "".
Label labelOf(XMLElement const& element, wchar_t const* attribute)
{
    std::wstring const text = element.GetAttribute(attribute);
    return text.empty() ? Label() : Label::FromString(text);
}

} // namespace

IResourceDescriptor* LevelProgressionResourceFactory::CreateResource(std::wstring const& manifest, Label name,
                                                                     IAttributeContainer const& attributes,
                                                                     IXMLReader& reader) const
{
    std::unique_ptr<ResourceWrapper<LevelProgressionData> > progression(
        new ResourceWrapper<LevelProgressionData>(manifest, name, attributes));

    // The resource element itself; the confined reader reports its end until this first read.
    reader.ReadElement();
    while (!reader.IsEOF())
    {
        XMLElement const* const element = reader.ReadElement();
        if (!element || element->kind != XMLElement::kStartElement)
            continue;
        if (element->name == L"Level")
        {
            progression->entries.push_back(LevelProgressionEntry(
                LevelProgressionEntry::kLevel, labelOf(*element, L"gameType"), labelOf(*element, L"levelID")));
        }
        else if (element->name == L"Cutscene")
        {
            progression->entries.push_back(LevelProgressionEntry(
                LevelProgressionEntry::kCutscene, labelOf(*element, L"cutsceneID")));
        }
        else if (element->name == L"Video")
        {
            progression->entries.push_back(LevelProgressionEntry(
                LevelProgressionEntry::kVideo, labelOf(*element, L"videoID")));
        }
    }
    return progression.release();
}
