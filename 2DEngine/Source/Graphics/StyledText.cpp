#include "2DEngine/Source/Graphics/StyledText.h"

#include <algorithm>
#include <cmath>
#include <cwctype>
#include <exception>
#include <memory>
#include <typeinfo>

#include "Core/Source/Log.h"
#include "Core/Source/MemoryStream.h"
#include "Core/Source/TextWriter.h"
#include "Core/Source/XMLReader.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Graphics/Drawing.h"
#include "2DEngine/Source/Graphics/Font.h"

namespace Corvane
{
namespace Graphics
{

cDefaultLineWidths& cDefaultLineWidths::Instance()
{
    static cDefaultLineWidths instance;
    return instance;
}

namespace
{

bool IsSpace(wchar_t c)
{
    return c != 0 && std::iswspace(static_cast<wint_t>(c)) != 0;
}

// The width of text[start, end) measured as a string of its own: the last
// character pairs with the terminating 0.
int32_t RangeWidth(Font const* font, wchar_t const* text, int32_t start, int32_t end)
{
    int32_t width = 0;
    for (int32_t i = start; i < end; ++i)
        width += font->GetKernedLetterWidth(text[i], i + 1 < end ? text[i + 1] : 0);
    return width;
}

} // namespace

void ComputeLineBreaks(LineBreakList* out, wchar_t const* text, int width, Font const* font, ILineWidths* widths)
{
    if (!out)
        return;
    if (!widths)
        widths = &cDefaultLineWidths::Instance();
    out->Clear();
    out->Append(0);
    if (!text)
        text = L"";

    int32_t w = 0;
    int32_t widest = 0;
    int32_t t = 0;
    int32_t p = 0;
    int32_t askedLine = -1;
    int allowed = width;
    for (;;)
    {
        int32_t const line = out->GetLineCount();
        if (line != askedLine)
        {
            allowed = widths->GetLineWidth(line, width);
            askedLine = line;
        }
        if (text[p] == 0)
        {
            if (font)
                w += RangeWidth(font, text, t, p);
            widest = std::max(widest, w);
            out->Append(p);
            out->SetWidestWidth(widest);
            return;
        }

        int32_t tw = font ? RangeWidth(font, text, t, p + 1) : 0;
        if (IsSpace(text[p]))
        {
            w += tw;
            widest = std::max(widest, w);
            t = p + 1;
            if (text[p] == L'\n')
            {
                out->Append(p + 1);
                w = 0;
                ++p;
                continue;
            }
            tw = 0;
        }

        int32_t const lineStart = out->GetPositions().back();
        // The first character of a line stays on it even when it is wider than the line,
        // so that every line makes progress.
        if (allowed < tw + w && !(t == lineStart && p == lineStart))
        {
            // A token wider than the whole line is cut right before p.
            if (t == lineStart)
                t = p;
            while (IsSpace(text[t]))
                ++t;
            out->Append(t);
            w = 0;
            p = t;
        }
        else
        {
            ++p;
        }
    }
}

TextStyle::TextStyle()
    : color(1.0f, 1.0f, 1.0f, 1.0f), backgroundColor(1.0f, 1.0f, 1.0f, 1.0f), font(),
      textMode(kTextMode_Normal)
{
}

StyleRunList ComputeStyleRuns(std::wstring const& markup, TextStyle const& defaultStyle)
{
    StyleRunList runs;
    try
    {
        MemoryStream stream(L"StyleRunList temp");
        {
            TextWriter writer(&stream);
            writer.Write(L"<dummy>");
            writer.Write(markup);
            writer.Write(L"</dummy>");
        }
        stream.Seek(kSeekBegin, 0);
        std::unique_ptr<IXMLReader> reader(CreateXMLReader(&stream));

        std::vector<TextStyle> styles(1, defaultStyle);
        StyleRun* current = nullptr;
        while (!reader->IsEOF())
        {
            XMLElement const* const element = reader->ReadElement();
            if (!element)
                break;
            if (element->kind == XMLElement::kStartElement && element->name == L"style")
            {
                TextStyle style = styles.back();
                if (element->HasAttribute(L"color"))
                    style.color = ColorF::FromString(element->GetAttribute(L"color"));
                if (element->HasAttribute(L"bgColor"))
                    style.backgroundColor = ColorF::FromString(element->GetAttribute(L"bgColor"));
                if (element->HasAttribute(L"font"))
                    style.font = Label::FromString(element->GetAttribute(L"font"));
                if (element->HasAttribute(L"textMode"))
                {
                    std::wstring const mode = element->GetAttribute(L"textMode");
                    style.textMode = mode == L"outline"      ? kTextMode_Outline
                                     : mode == L"dropShadow" ? kTextMode_DropShadow
                                                             : kTextMode_Normal;
                }
                styles.push_back(style);
                current = nullptr;
            }
            else if (element->kind == XMLElement::kEndElement && element->name == L"style")
            {
                if (styles.size() > 1)
                    styles.pop_back();
                current = nullptr;
            }
            else if (element->kind == XMLElement::kText)
            {
                if (!current)
                {
                    runs.push_back(StyleRun(styles.back(), std::wstring()));
                    current = &runs.back();
                }
                current->text += element->name;
            }
        }
    }
    catch (std::exception const& e)
    {
        Internal::LogWrite("StyledTextGraphics::Graphics::ComputeStyleRuns: There is an error in the XML style "
                           "data:\n%ls\n",
                           markup.c_str());
        Internal::LogWrite("%s\n", typeid(e).name());
        Internal::LogWrite("\tMessage:\t%s\n", e.what());
        runs.clear();
    }
    return runs;
}

namespace
{

struct Word
{
    int32_t count = 0;
    int32_t width = 0;
    int32_t height = 0;
    bool blank = false;
    bool lineFeed = false;

    bool Empty() const { return count == 0; }
    bool IsText() const { return !blank && !lineFeed; }

    void Add(wchar_t ch, wchar_t next, Font const* font)
    {
        bool const chBlank = IsSpace(ch) && ch != L'\n';
        blank = Empty() ? chBlank : (blank && chBlank);
        lineFeed = lineFeed || ch == L'\n';
        ++count;
        width += font->GetKernedLetterWidth(ch, next);
        height = std::max(height, font->GetGlyphHeight());
    }
};

struct Line
{
    int32_t count = 0;
    int32_t width = 0;
    int32_t height = 0;
    int allowed = 0;
    Word last;

    bool Overflows(Word const& word) const
    {
        int32_t const pending = last.blank ? last.width : 0;
        return allowed < pending + width + word.width && !(pending + width == 0 && word.count == 1);
    }

    void Commit(Word const& word)
    {
        count += word.count;
        height = std::max(height, word.height);
        if (!word.blank)
            width += word.width;
        if (last.blank)
            width += last.width;
        last = word;
    }
};

class LineBuilder
{
public:
    LineBuilder(LineDimensionList* out, int width, ILineWidths* widths) : mOut(out), mWidth(width), mWidths(widths)
    {
        Start();
    }

    Line& Current() { return mLine; }

    void Emit()
    {
        mOut->lines.push_back(LineDimension{mLine.count, mLine.width, mLine.height});
        mOut->widest = std::max(mOut->widest, mLine.width);
        mOut->totalHeight += mLine.height;
        Start();
    }

private:
    void Start()
    {
        mLine = Line();
        mLine.allowed = mWidths->GetLineWidth(int(mOut->lines.size()), mWidth);
    }

    LineDimensionList* mOut;
    int mWidth;
    ILineWidths* mWidths;
    Line mLine;
};

struct StreamCharacter
{
    wchar_t ch;
    Font const* font;
};

} // namespace

LineDimensionList ComputeStyledTextLineDimensions(StyleRunList& runs, int width, ILineWidths* widths)
{
    if (!widths)
        widths = &cDefaultLineWidths::Instance();
    LineDimensionList result;

    std::vector<StreamCharacter> stream;
    for (StyleRun& run : runs)
    {
        run.font = AutoResource<Font>(run.style.font).Get();
        if (!run.font)
            continue;
        for (wchar_t ch : run.text)
            stream.push_back(StreamCharacter{ch, run.font});
    }

    LineBuilder builder(&result, width, widths);
    Word word;
    for (std::size_t i = 0; i < stream.size(); ++i)
    {
        wchar_t const ch = stream[i].ch;
        wchar_t const next = i + 1 < stream.size() ? stream[i + 1].ch : 0;
        Font const* const font = stream[i].font;
        bool const chSpace = IsSpace(ch);

        bool const boundary = word.lineFeed || (!word.Empty() && !word.blank && chSpace) || (word.blank && !chSpace);
        if (boundary)
        {
            if (word.IsText() && builder.Current().Overflows(word))
                builder.Emit();
            builder.Current().Commit(word);
            word = Word();
        }

        Word const before = word;
        word.Add(ch, next, font);

        if (word.lineFeed)
        {
            builder.Current().Commit(word);
            word = Word();
            builder.Emit();
            continue;
        }
        if (builder.Current().count > 0 && word.IsText() && builder.Current().Overflows(word))
            builder.Emit();
        if (word.IsText() && builder.Current().Overflows(word))
        {
            builder.Current().Commit(before);
            builder.Emit();
            word = Word();
            word.Add(ch, next, font);
        }
    }
    builder.Current().Commit(word);
    builder.Emit();
    return result;
}

int DrawWrappedStyledText(StyleRunList const& runs, LineDimensionList const& dimensions, float x, float y,
                          Rect<float>* bounds, sDrawState const& state, ICanvas* canvas)
{
    if (runs.empty() || dimensions.lines.empty())
        return 0;

    float const total = float(dimensions.totalHeight);
    if (state.vAlign == kVAlignment_Bottom)
        y -= total;
    else if (state.vAlign == kVAlignment_Middle)
        y -= total * 0.5f;
    float const top = y;

    StyleRunList::const_iterator run = runs.begin();
    std::size_t offset = 0;
    auto nextUsableRun = [&]() {
        while (run != runs.end() && (!run->font || offset >= run->text.size()))
        {
            ++run;
            offset = 0;
        }
        return run != runs.end();
    };

    bool outOfRuns = false;
    for (LineDimension const& line : dimensions.lines)
    {
        if (!nextUsableRun())
        {
            outOfRuns = true;
            break;
        }
        float lineX = x;
        if (state.hAlign == kHAlignment_Right)
            lineX = x - float(line.width);
        else if (state.hAlign == kHAlignment_Center)
            lineX = std::floor(x - float(line.width) * 0.5f);
        if (state.vAlign == kVAlignment_Middle)
            y = std::floor(y);

        float penX = lineX;
        wchar_t previous = 0;
        Font const* previousFont = nullptr;
        int32_t remaining = line.count;
        while (remaining > 0)
        {
            if (!nextUsableRun())
            {
                outOfRuns = true;
                break;
            }
            std::size_t const piece = std::min<std::size_t>(std::size_t(remaining), run->text.size() - offset);
            std::wstring const text = run->text.substr(offset, piece);
            if (previous != 0 && previous != L' ' && previousFont)
            {
                penX -= float(previousFont->GetKernedLetterWidth(previous, 0));
                penX += float(run->font->GetKernedLetterWidth(previous, text[0]));
            }

            sDrawState pieceState = state;
            pieceState.font = run->font;
            pieceState.color = run->style.color;
            pieceState.color.a = state.color.a;
            pieceState.effectColor = run->style.backgroundColor;
            pieceState.effectColor.a = state.effectColor.a;
            pieceState.textMode = run->style.textMode;
            pieceState.hAlign = kHAlignment_Left;
            pieceState.vAlign = kVAlignment_Top;
            float const pieceY = y + float(line.height - run->font->GetGlyphHeight());
            int const result = DrawText(text.c_str(), penX, pieceY, pieceState, canvas);
            if (result < 0)
                return result;
            penX += float(run->font->GetStringWidth(text.c_str()));

            previous = text[piece - 1];
            previousFont = run->font;
            offset += piece;
            remaining -= int32_t(piece);
        }
        if (outOfRuns)
            break;
        y += float(line.height);
    }
    if (outOfRuns)
        Internal::LogWrite("StyledTextGraphics::Graphics::DrawWrappedStyledText: ran out of style runs (malformed "
                           "LineDimensionList?)\n");

    if (bounds)
    {
        float left = x;
        if (state.hAlign == kHAlignment_Right)
            left = x - float(dimensions.widest);
        else if (state.hAlign == kHAlignment_Center)
            left = x - float(dimensions.widest) * 0.5f;
        *bounds = Rect<float>(left, top, float(dimensions.widest), total);
    }
    return 0;
}

int DrawWrappedStyledText(StyleRunList const& runs, LineDimensionList const& dimensions, float x, float y,
                          sDrawState const& state, ICanvas* canvas)
{
    return DrawWrappedStyledText(runs, dimensions, x, y, nullptr, state, canvas);
}

} // namespace Graphics
} // namespace Corvane
