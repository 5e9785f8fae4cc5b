#pragma once

// What every mini-game's level reader does: wraps the game's level record,
// lets the game read its own elements, and registers the level with the level
// manager under the game and the difficulty named by the element's
// "difficulty" attribute ("Easy", "Medium" or "Hard", exactly; any other text
// registers nothing). A record read again under the same name (a manifest
// loaded again, a name written twice) replaces the earlier one, so the level
// is listed only where the latest record says.
//
// A level the child could not finish is never offered: its numbers, and the
// pictures they pick, are checked where they are read (LevelNumbers), the
// game checks what it needs of the whole level (checkPlayable), and a refused
// level is made but never registered, so that the game draws another one or
// tells the child that the level is not found.

#include <memory>
#include <string>
#include <vector>

#include "Core/Source/Label.h"
#include "Core/Source/Log.h"
#include "Core/Source/XMLReader.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "qdl/Source/Game/GameConstants.h"
#include "qdl/Source/Game/LevelManager.h"

// A pattern's letters as symbols, A as 0, B as 1 and C as 2 in either case;
// any other character is skipped.
inline std::vector<int> readPatternLetters(std::wstring const& order)
{
    std::vector<int> symbols;
    for (wchar_t const letter : order)
    {
        if (letter == L'A' || letter == L'a')
            symbols.push_back(0);
        else if (letter == L'B' || letter == L'b')
            symbols.push_back(1);
        else if (letter == L'C' || letter == L'c')
            symbols.push_back(2);
    }
    return symbols;
}

// The numbers of one level element as its reader takes them, and whether the
// level is refused. A present number must be one (after white space and a
// sign, a digit; a decimal may start with its point; what follows the number
// is not read), finite, and within what the game can use; otherwise it is
// refused with a log line naming the file, the level, the element and the
// attribute, and the value of a missing attribute takes its place. Where that
// value is no use either, the level is refused.
class LevelNumbers
{
public:
    // A place a child can click lies on the 800 x 600 screen.
    static constexpr int kScreenWidth = 800;
    static constexpr int kScreenHeight = 600;

    LevelNumbers(std::wstring const& manifest, Corvane::Label level);

    int wholeNumber(Corvane::IAttributeContainer const& element, std::wstring const& node, wchar_t const* attribute,
                    int absent, int low, int high);
    float decimalNumber(Corvane::IAttributeContainer const& element, std::wstring const& node,
                        wchar_t const* attribute, float absent, float low, float high);

    // A number of the level that the game shows as a frame of a picture list
    // (a pile of n items is frame n - 1): a frame the list lacks draws nothing
    // and takes no click, so the level is refused, logged with the file, the
    // level, the element and the attribute. A frame below 0 is left to the
    // number's own range. A game's lists stand before its levels in its
    // manifest; a list that is not loaded (none is named, or it is missing)
    // is not checked here.
    void pictureFrame(std::wstring const& node, wchar_t const* attribute, int value, int frame,
                      char const* pictures);

    // The level cannot be finished, for the reason given ("no nail needs a
    // click"); logged with the file and the level.
    void refuseLevel(std::string const& reason);
    bool isRefused() const { return refused; }

    std::string const& getFile() const { return file; }
    Corvane::Label getLevel() const { return level; }

private:
    template <class Number>
    Number number(Corvane::IAttributeContainer const& element, std::wstring const& node, wchar_t const* attribute,
                  Number absent, Number low, Number high);
    // Logs the refused text and says what takes its place.
    template <class Number>
    Number refuse(std::wstring const& node, wchar_t const* attribute, std::wstring const& text, char const* why,
                  Number absent, Number low, Number high);

    std::string file;
    Corvane::Label level;
    bool refused;
};

template <class T, GameModeType kType>
class LevelResourceFactory : public Corvane::IResourceFactory
{
public:
    Corvane::IResourceDescriptor* CreateResource(std::wstring const& manifest, Corvane::Label name,
                                                 Corvane::IAttributeContainer const& attributes,
                                                 Corvane::IXMLReader& reader) const override
    {
        std::unique_ptr<Corvane::ResourceWrapper<T> > level(
            new Corvane::ResourceWrapper<T>(manifest, name, attributes));
        LevelNumbers numbers(manifest, name);
        // The level element itself; the confined reader reports its end until this first read.
        Corvane::XMLElement const* const element = reader.ReadElement();
        std::wstring const tag = element ? element->name : std::wstring(L"level");
        readLevel(*level, attributes, tag, reader, numbers);
        // Read to the element's end, so nothing inside it is taken for a resource of its own.
        while (!reader.IsEOF())
            reader.ReadElement();
        int const difficulty = lookUpName(attributes.GetAttribute(L"difficulty"), kGameModeDifficultyNames);
        GetLevelManager()->removeLevelForGameModeType(kType, name);
        // -1 is no value of GameModeDifficulty (converting it is undefined), so such a level stops here.
        if (difficulty < 0)
        {
            Corvane::Internal::LogWrite("%s, level %s has no difficulty of Easy, Medium or Hard and is not used\n",
                                        numbers.getFile().c_str(), name.GetString());
            return level.release();
        }
        if (!numbers.isRefused())
            checkPlayable(*level, numbers);
        if (!numbers.isRefused())
            GetLevelManager()->addLevelForGameModeType(kType, name, static_cast<GameModeDifficulty>(difficulty));
        return level.release();
    }

protected:
    // The game's own fields: the attributes are the level element's (its tag
    // given for the log), and the reader yields the element's content.
    virtual void readLevel(T& /*level*/, Corvane::IAttributeContainer const& /*attributes*/,
                           std::wstring const& /*tag*/, Corvane::IXMLReader& /*reader*/,
                           LevelNumbers& /*numbers*/) const
    {
    }

    // What the game needs of the whole level for the child to finish it; a
    // level that falls short is refused through numbers.refuseLevel. It is
    // still made (the manifest loads) but never registered, so no game draws it.
    virtual void checkPlayable(T const& /*level*/, LevelNumbers& /*numbers*/) const {}
};
