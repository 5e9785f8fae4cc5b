#include "qdl/Source/Game/PaintTheHouse/PaintItLevelResourceFactory.h"

#include "Core/Source/Log.h"

std::vector<int> PaintItLevelResourceFactory::readPatternOrder(std::wstring const& order)
{
    return readPatternLetters(order);
}

void PaintItLevelResourceFactory::readLevel(PaintItLevel& level, Corvane::IAttributeContainer const&,
                                            std::wstring const&, Corvane::IXMLReader& reader,
                                            LevelNumbers& numbers) const
{
    while (!reader.IsEOF())
    {
        Corvane::XMLElement const* const element = reader.ReadElement();
        if (!element || element->kind != Corvane::XMLElement::kStartElement || element->name != L"Pattern")
            continue;
        std::vector<int> symbols = readPatternOrder(element->GetAttribute(L"order"));
        // The mode steps through a pattern modulo its length: an empty one could never be painted.
        if (symbols.empty())
        {
            Corvane::Internal::LogWrite("%s, level %s: a Pattern without the letters A, B or C is left out (order "
                                        "\"%ls\")\n",
                                        numbers.getFile().c_str(), numbers.getLevel().GetString(),
                                        element->GetAttribute(L"order").c_str());
            continue;
        }
        level.patterns.push_back(std::move(symbols));
    }
}

void PaintItLevelResourceFactory::checkPlayable(PaintItLevel const& level, LevelNumbers& numbers) const
{
    if (level.patterns.empty())
        numbers.refuseLevel("it has no Pattern with the letters A, B or C");
}
