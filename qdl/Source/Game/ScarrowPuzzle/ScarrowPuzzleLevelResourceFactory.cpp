#include "qdl/Source/Game/ScarrowPuzzle/ScarrowPuzzleLevelResourceFactory.h"

#include <limits>
#include <string>

#include "Core/Source/XMLReader.h"

using namespace Corvane;

void ScarrowPuzzleLevelResourceFactory::readLevel(ScarrowPuzzleLevel& level, IAttributeContainer const& attributes,
                                                  IXMLReader& reader) const
{
    level.puzzleID = attributes.GetAttribute(L"puzzleID", 0);
    std::string const base = "Puzzle" + std::to_string(level.puzzleID);
    Label const image = Label::FromString(base);
    Label const rollover = Label::FromString(base + "_rollover");
    while (!reader.IsEOF())
    {
        XMLElement const* const element = reader.ReadElement();
        if (!element || element->kind != XMLElement::kStartElement || element->name != L"PuzzlePiece")
            continue;
        ScarrowPuzzlePieceSlotData piece;
        piece.image = image;
        piece.rollover = rollover;
        int const number = element->GetAttribute(L"pieceNum", 1);
        // The getter clamps to the int range; the lowest number stays as it is rather than overflow.
        piece.pieceNum = number == std::numeric_limits<int>::min() ? number : number - 1;
        piece.x = element->GetAttribute(L"x", 0.0f);
        piece.y = element->GetAttribute(L"y", 0.0f);
        level.puzzlePieces.push_back(piece);
    }
}
