#include "qdl/Source/Game/ScarrowPuzzle/ScarrowPuzzleLevelResourceFactory.h"

#include <limits>
#include <string>

#include "Core/Source/XMLReader.h"
#include "qdl/Source/Game/ScarrowPuzzle/ScarrowPuzzleMode.h"

using namespace Corvane;

void ScarrowPuzzleLevelResourceFactory::readLevel(ScarrowPuzzleLevel& level, IAttributeContainer const& attributes,
                                                  std::wstring const& tag, IXMLReader& reader,
                                                  LevelNumbers& numbers) const
{
    int const most = std::numeric_limits<int>::max();
    // Puzzle n is frame n - 1 of the boards and needs its picture lists: there is no puzzle 0.
    level.puzzleID = numbers.wholeNumber(attributes, tag, L"puzzleID", 0, 1, most);
    numbers.pictureFrame(tag, L"puzzleID", level.puzzleID, ScarrowPuzzleMode::backgroundFrame(level.puzzleID),
                         ScarrowPuzzleMode::kBoardPictures);
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
        piece.pieceNum = numbers.wholeNumber(*element, element->name, L"pieceNum", 1, 1, most) - 1;
        // Only the first pieces have places to be played from.
        if (level.puzzlePieces.size() < static_cast<size_t>(ScarrowPuzzleMode::kMaxPieces))
            numbers.pictureFrame(element->name, L"pieceNum", piece.pieceNum + 1, piece.pieceNum, base.c_str());
        // The slot is a place on the screen, where the piece can be put.
        piece.x = numbers.decimalNumber(*element, element->name, L"x", 0.0f, 0.0f,
                                        static_cast<float>(LevelNumbers::kScreenWidth));
        piece.y = numbers.decimalNumber(*element, element->name, L"y", 0.0f, 0.0f,
                                        static_cast<float>(LevelNumbers::kScreenHeight));
        level.puzzlePieces.push_back(piece);
    }
}
