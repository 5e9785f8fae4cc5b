#include "qdl/Tests/ContentLintChecks.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>

#include "Core/Source/StringUtils.h"
#include "Core/Source/ValueText.h"

namespace ContentLintChecks
{

using Corvane::NumberRange;
namespace Ranges = Corvane::NumberRanges;

std::string const* sRawElement::Find(std::string const& name) const
{
    for (auto const& attribute : attributes)
        if (attribute.first == name)
            return &attribute.second;
    return nullptr;
}

std::string sRawElement::Where() const
{
    std::string const* const name = Find("name") ? Find("name") : Find("nodeName");
    return file + ":" + std::to_string(line) + " <" + tag + (name ? " " + *name : std::string()) + ">";
}

namespace
{

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// A small scanner over the subset of XML the content is written in: comments,
// processing instructions, start, end and empty-element tags, quoted values.
class Scanner
{
public:
    Scanner(std::string const& file, std::string text) : mFile(file), mText(std::move(text)) {}

    std::vector<sRawElement> Run(Findings& findings)
    {
        std::vector<sRawElement> elements;
        int depth = 0;
        std::string declarationTag, declarationName;
        while ((mAt = mText.find('<', mAt)) != std::string::npos)
        {
            if (Starts("<!--"))
            {
                Skip("-->");
                continue;
            }
            if (Starts("<?"))
            {
                Skip("?>");
                continue;
            }
            if (Starts("</"))
            {
                Skip(">");
                --depth;
                continue;
            }
            sRawElement element;
            element.file = mFile;
            element.line = Line();
            element.depth = depth;
            ++mAt;
            while (mAt < mText.size() && !IsSpace(mText[mAt]) && mText[mAt] != '/' && mText[mAt] != '>')
                element.tag += mText[mAt++];
            bool empty = false;
            for (;;)
            {
                while (mAt < mText.size() && IsSpace(mText[mAt]))
                    ++mAt;
                if (mAt >= mText.size())
                {
                    findings.push_back(mFile + ": the document ends inside <" + element.tag + ">");
                    return elements;
                }
                if (mText[mAt] == '>' || Starts("/>"))
                {
                    empty = mText[mAt] == '/';
                    mAt += empty ? 2 : 1;
                    break;
                }
                size_t const equals = mText.find('=', mAt);
                size_t const quote = equals == std::string::npos ? equals : equals + 1;
                if (quote == std::string::npos || quote >= mText.size() ||
                    (mText[quote] != '"' && mText[quote] != '\''))
                {
                    findings.push_back(mFile + ":" + std::to_string(Line()) + " <" + element.tag +
                                       ">: an attribute without a quoted value");
                    return elements;
                }
                size_t const close = mText.find(mText[quote], quote + 1);
                if (close == std::string::npos)
                {
                    findings.push_back(mFile + ": a value of <" + element.tag + "> is never closed");
                    return elements;
                }
                element.attributes.push_back(
                    {mText.substr(mAt, equals - mAt), mText.substr(quote + 1, close - quote - 1)});
                mAt = close + 1;
            }
            if (depth == 1)
            {
                declarationTag = element.tag;
                std::string const* const name = element.Find("name");
                declarationName = name ? *name : std::string();
            }
            element.declarationTag = depth >= 1 ? declarationTag : std::string();
            element.declarationName = depth >= 1 ? declarationName : std::string();
            elements.push_back(element);
            if (!empty)
                ++depth;
        }
        return elements;
    }

private:
    bool Starts(char const* text) const { return mText.compare(mAt, std::char_traits<char>::length(text), text) == 0; }

    void Skip(char const* end)
    {
        size_t const found = mText.find(end, mAt + 1);
        mAt = found == std::string::npos ? mText.size() : found + std::char_traits<char>::length(end);
    }

    int Line()
    {
        mLine += static_cast<int>(std::count(mText.begin() + static_cast<long>(mCounted),
                                             mText.begin() + static_cast<long>(mAt), '\n'));
        mCounted = mAt;
        return mLine;
    }

    std::string mFile;
    std::string mText;
    size_t mAt = 0;
    size_t mCounted = 0;
    int mLine = 1;
};

std::string ReadFile(std::string const& path, bool* ok)
{
    std::ifstream in(path, std::ios::binary);
    *ok = in.good();
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool HasFile(std::string const& folder, std::string const& name, std::initializer_list<char const*> extensions)
{
    for (char const* extension : extensions)
        if (std::filesystem::is_regular_file(folder + "/" + name + extension))
            return true;
    return false;
}

bool EndsWith(std::string const& text, std::string const& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

} // namespace

std::vector<sRawElement> ReadRawElements(std::string const& path, Findings& findings)
{
    bool ok = false;
    std::string text = ReadFile(path, &ok);
    if (!ok)
    {
        findings.push_back(path + ": cannot be read");
        return {};
    }
    return Scanner(std::filesystem::path(path).filename().string(), std::move(text)).Run(findings);
}

std::vector<sRawElement> ReadContentElements(std::string const& folder, Findings& findings)
{
    std::vector<std::string> paths;
    std::error_code error;
    for (auto const& entry : std::filesystem::directory_iterator(folder, error))
        if (entry.path().extension() == ".xml")
            paths.push_back(entry.path().string());
    if (error)
        findings.push_back(folder + ": " + error.message());
    std::sort(paths.begin(), paths.end());
    std::vector<sRawElement> all;
    for (std::string const& path : paths)
    {
        std::vector<sRawElement> const elements = ReadRawElements(path, findings);
        all.insert(all.end(), elements.begin(), elements.end());
    }
    return all;
}

namespace
{

// The text read as the engine reads a float, or a whole number, and whether nothing but white
// space follows what it reads: the engine would take "3abc" for 3 without a word.
bool ReadsEntirely(std::string const& text, bool whole, float& value)
{
    std::wstring const wide = Corvane::ConvertStringUTF8ToWide(text);
    size_t position = 0;
    int number = 0;
    bool const read = whole ? Corvane::ValueText::ReadInt(wide, position, number)
                            : Corvane::ValueText::ReadFloat(wide, position, value);
    if (whole)
        value = static_cast<float>(number);
    while (position < wide.size() && IsSpace(static_cast<char>(wide[position])))
        ++position;
    return read && position == wide.size();
}

} // namespace

void CheckNumber(std::string const& where, std::string const& attribute, std::string const& text,
                 NumberRange const& range, Findings& findings)
{
    float value = 0.0f;
    if (!ReadsEntirely(text, false, value))
        findings.push_back(where + ": \"" + attribute + "\" is \"" + text + "\", which is not a number");
    else if (!Corvane::NumberFits(value, range))
        findings.push_back(where + ": \"" + attribute + "\" is \"" + text + "\", which " + range.what +
                           " cannot take");
}

// ---------------------------------------------------------------------------
// Numbers of constants and layouts.

namespace
{

std::set<std::string> const kConstantTags = {"int",       "float",      "vector2f",      "vector2i",
                                             "rectf",     "recti",      "colorf",        "colori",
                                             "intarray",  "floatarray", "vector2farray", "rectfarray",
                                             "rectiarray", "colorfarray", "coloriarray"};

// What the readers of scene and widget layouts take for each number.
std::map<std::string, NumberRange const*> const kLayoutNumbers = {
    {"x", &Ranges::kPosition},       {"y", &Ranges::kPosition},         {"thumbOffsetY", &Ranges::kPosition},
    {"width", &Ranges::kSize},       {"height", &Ranges::kSize},        {"screenWidth", &Ranges::kSize},
    {"screenHeight", &Ranges::kSize}, {"scaleX", &Ranges::kFinite},     {"scaleY", &Ranges::kFinite},
    {"orientation", &Ranges::kFinite}, {"layer", &Ranges::kFinite},     {"hSpacing", &Ranges::kFinite},
    {"vSpacing", &Ranges::kFinite},  {"maxWidth", &Ranges::kFinite},    {"maxHeight", &Ranges::kFinite},
    {"max", &Ranges::kFinite},       {"start", &Ranges::kFinite},       {"initialValue", &Ranges::kFinite},
    {"alpha", &Ranges::kFraction},   {"alphaSensitivity", &Ranges::kCount}, {"numTicks", &Ranges::kCount},
};

// The numbers of the twelve games' levels, by element and attribute, as their readers take
// them: whole numbers, but for a hider's speed and a puzzle piece's place.
struct sLevelNumber
{
    char const* element;
    char const* attribute;
    bool whole;
};

sLevelNumber const kLevelNumbers[] = {
    {"Request", "number", true},
    {"Material", "number", true},
    {"Nail", "clickCount", true},
    {"Nail", "x", true},
    {"Nail", "y", true},
    {"HereToThereLevel", "numBuildings", true},
    {"HideAndSeekLevel", "numHides", true},
    {"HideAndSeekLevel", "numPreviewHides", true},
    {"HideAndSeekLevel", "runSpeed", false},
    {"Obstacle", "imageID", true},
    {"PileOfLeavesLevel", "numTools", true},
    {"PileOfLeavesLevel", "areaCover", true},
    {"PileOfLeavesLevel", "toolCover", true},
    {"PileOfLeavesLevel", "cursorRadius", true},
    {"PlanAJobLevel", "numEmpty", true},
    {"ScarrowPuzzleLevel", "puzzleID", true},
    {"PuzzlePiece", "pieceNum", true},
    {"PuzzlePiece", "x", false},
    {"PuzzlePiece", "y", false},
    {"StackObject", "size", true},
};

bool IsLevel(sRawElement const& element)
{
    return element.depth >= 1 && element.declarationTag.size() > 5 && EndsWith(element.declarationTag, "Level");
}

// The range of each number is its reader's to refuse; here only that the text is all number.
void CheckLevelNumbers(sRawElement const& element, Findings& findings)
{
    for (sLevelNumber const& number : kLevelNumbers)
    {
        std::string const* const text = element.Find(number.attribute);
        float value = 0.0f;
        if (element.tag == number.element && text && !ReadsEntirely(*text, number.whole, value))
            findings.push_back(element.Where() + " of " + element.declarationName + ": \"" + number.attribute +
                               "\" is \"" + *text + "\", which is not " +
                               (number.whole ? "a whole number" : "a number"));
    }
}

// A node scaled to nothing is drawn as nothing: a button so scaled cannot be pressed.
void CheckScale(std::string const& where, std::string const& attribute, std::string const& text,
                Findings& findings)
{
    float value = 0.0f;
    if ((attribute == "scaleX" || attribute == "scaleY") && ReadsEntirely(text, false, value) && value == 0.0f)
        findings.push_back(where + ": \"" + attribute + "\" is \"" + text + "\", which hides the node");
}

void CheckConstant(sRawElement const& element, Findings& findings)
{
    bool const rect = element.declarationTag.find("rect") == 0;
    bool const time = EndsWith(element.declarationName, "Time");
    for (auto const& attribute : element.attributes)
    {
        std::string const& name = attribute.first;
        NumberRange const* range = nullptr;
        if (name == "value" && element.declarationTag.find("color") != 0)
            range = time ? &Ranges::kTime : &Ranges::kFinite;
        else if (name == "x" || name == "y" || name == "r" || name == "g" || name == "b" || name == "a")
            range = &Ranges::kFinite;
        else if (name == "w" || name == "h")
            range = rect ? &Ranges::kSize : &Ranges::kFinite;
        if (range)
            CheckNumber(element.Where() + " of " + element.declarationName, name, attribute.second, *range,
                        findings);
    }
}

} // namespace

Findings NumberFindings(std::string const& folder)
{
    Findings findings;
    for (sRawElement const& element : ReadContentElements(folder, findings))
    {
        if (element.depth >= 1 && kConstantTags.count(element.declarationTag))
        {
            CheckConstant(element, findings);
            continue;
        }
        if (IsLevel(element))
        {
            CheckLevelNumbers(element, findings);
            continue;
        }
        // Animations, their frames and the image lists they play.
        if (std::string const* const rate = element.Find("fps"))
            CheckNumber(element.Where(), "fps", *rate, Ranges::kFrameRate, findings);
        std::string const* const duration = element.Find("duration");
        if (duration && (element.tag == "animation" || element.tag == "frame"))
            CheckNumber(element.Where(), "duration", *duration, Ranges::kTime, findings);
        bool const layout = element.declarationTag == "scenelayout" || element.declarationTag == "layout";
        if (!layout)
            continue;
        for (auto const& attribute : element.attributes)
        {
            auto const range = kLayoutNumbers.find(attribute.first);
            // The layout's own "x" and "y" offset a widget layout; a scene layout has none.
            if (range == kLayoutNumbers.end())
                continue;
            std::string const where = element.Where() + " of " + element.declarationName;
            CheckNumber(where, attribute.first, attribute.second, *range->second, findings);
            CheckScale(where, attribute.first, attribute.second, findings);
        }
    }
    return findings;
}

// ---------------------------------------------------------------------------
// Animations without frames.

Findings FramelessAnimationFindings(std::string const& folder)
{
    Findings findings;
    std::vector<sRawElement> const elements = ReadContentElements(folder, findings);
    for (size_t at = 0; at < elements.size(); ++at)
    {
        sRawElement const& animation = elements[at];
        if (animation.tag != "animation")
            continue;
        std::string const* const frameList = animation.Find("frameList");
        bool const fromText = frameList || animation.Find("fps") || animation.Find("duration");
        // With any of the three the frames come from the text alone; else from the "frame" children.
        bool framed = fromText && frameList && frameList->find_first_not_of(" \t\n") != std::string::npos;
        for (size_t child = at + 1; !fromText && child < elements.size() && elements[child].file == animation.file &&
                                    elements[child].depth > animation.depth;
             ++child)
            framed = framed || (elements[child].tag == "frame" && elements[child].depth == animation.depth + 1);
        if (!framed)
            findings.push_back(animation.Where() + " of " + animation.declarationName +
                               ": it has no frames, so its sprite stands still");
    }
    return findings;
}

// ---------------------------------------------------------------------------
// Attributes given twice.

Findings DuplicateAttributeFindings(std::string const& folder)
{
    Findings findings;
    for (sRawElement const& element : ReadContentElements(folder, findings))
    {
        std::set<std::string> seen;
        for (auto const& attribute : element.attributes)
            if (!seen.insert(attribute.first).second)
                findings.push_back(element.Where() + " gives \"" + attribute.first + "\" twice");
    }
    return findings;
}

// ---------------------------------------------------------------------------
// Names that no manifest declares.

Findings UndeclaredNameFindings(std::string const& folder)
{
    Findings findings;
    std::vector<sRawElement> const elements = ReadContentElements(folder, findings);
    std::set<std::string> declared;
    for (sRawElement const& element : elements)
        if (element.depth == 1 && element.Find("name"))
            declared.insert(*element.Find("name"));
    for (sRawElement const& element : elements)
        for (char const* key : {"sounds", "images", "spriteType", "font", "src"})
        {
            // A sound list's items name sounds; every other "src" names a file.
            if (std::string(key) == "src" && (element.declarationTag != "soundlist" || element.depth < 2))
                continue;
            std::string const* const name = element.Find(key);
            if (name && !name->empty() && !declared.count(*name))
                findings.push_back(element.Where() + ": \"" + key + "\" names \"" + *name +
                                   "\", which no manifest declares");
        }
    return findings;
}

// ---------------------------------------------------------------------------
// Files that content names.

Findings MissingPictureFindings(std::string const& folder)
{
    Findings findings;
    for (sRawElement const& element : ReadContentElements(folder, findings))
    {
        std::string const* const pattern = element.Find("pattern");
        if (element.tag == "imagelist" && pattern)
        {
            std::string const* const first = element.Find("first");
            std::string const* const last = element.Find("last");
            if (!first || !last)
            {
                findings.push_back(element.Where() + ": an image list by pattern needs \"first\" and \"last\"");
                continue;
            }
            int const from = std::atoi(first->c_str());
            int const to = std::atoi(last->c_str());
            if (from < 0 || to < from || to - from > 1000)
            {
                findings.push_back(element.Where() + ": frames " + *first + " to " + *last + " are no run of frames");
                continue;
            }
            for (int frame = from; frame <= to; ++frame)
            {
                std::string name = *pattern;
                size_t const at = name.find("%1%");
                if (at != std::string::npos)
                    name.replace(at, 3, std::to_string(frame));
                if (!HasFile(folder, name, {".png", ".jpg", ".gif"}))
                    findings.push_back(element.Where() + ": frame " + std::to_string(frame) + " (" + name +
                                       ") is missing");
            }
        }
        std::string const* const src = element.Find("src");
        if (element.tag == "image" && src && !HasFile(folder, *src, {".png", ".jpg", ".gif"}))
            findings.push_back(element.Where() + ": its picture " + *src + " is missing");
    }
    return findings;
}

Findings MissingSoundFileFindings(std::string const& folder)
{
    Findings findings;
    for (sRawElement const& element : ReadContentElements(folder, findings))
    {
        std::string const* const src = element.Find("src");
        // Inside a sound list, "src" names a sound resource, not a file.
        if (element.tag == "sound" && element.depth == 1 && src &&
            !HasFile(folder, *src, {".ogg", ".mp3", ".wav", ".aif"}))
            findings.push_back(element.Where() + ": its file " + *src + " is missing");
    }
    std::ifstream table(folder + "/VoiceOver.tsv");
    if (!table)
    {
        findings.push_back(folder + "/VoiceOver.tsv: cannot be read");
        return findings;
    }
    int number = 0;
    for (std::string line; std::getline(table, line);)
    {
        ++number;
        if (line.empty() || line[0] == '#' || line.rfind("name\t", 0) == 0)
            continue;
        std::string const name = line.substr(0, line.find('\t'));
        for (char const* voice : {"VO_EN_", "VO_SP_"})
            if (!HasFile(folder, voice + name, {".ogg"}))
                findings.push_back("VoiceOver.tsv:" + std::to_string(number) + " " + name + ": " + voice + name +
                                   ".ogg is missing");
    }
    return findings;
}

} // namespace ContentLintChecks
