#ifndef CORVANE_GRAPHICS_STYLEDTEXT_H
#define CORVANE_GRAPHICS_STYLEDTEXT_H

// Text wrapped to a width: plain text in one font broken into lines, and
// styled text whose inline markup mixes fonts, colours and text effects.
//
// Markup: text with <style color="#ff0000" bgColor="#000000" font="Name"
// textMode="outline|dropShadow">...</style> elements, which nest.

#include <cstdint>
#include <list>
#include <string>
#include <vector>

#include "Core/Source/Color.h"
#include "Core/Source/Label.h"
#include "Core/Source/Rect.h"
#include "2DEngine/Source/Graphics/Canvas.h"
#include "2DEngine/Source/Graphics/DrawState.h"

namespace Corvane
{

class Font;

namespace Graphics
{

// The width allowed for each line, so that text can flow around a picture.
class ILineWidths
{
public:
    virtual int GetLineWidth(int line, int defaultWidth) = 0;

protected:
    ~ILineWidths() {}
};

// Every line gets the default width.
class cDefaultLineWidths : public ILineWidths
{
public:
    int GetLineWidth(int, int defaultWidth) override { return defaultWidth; }
    static cDefaultLineWidths& Instance();
};

// The start of every line and, last, the end of the text: n + 1 positions for
// n lines; and the widest line's width.
class LineBreakList
{
public:
    LineBreakList() : mWidest(0) {}

    void Clear()
    {
        mPositions.clear();
        mWidest = 0;
    }
    void Append(int32_t position) { mPositions.push_back(position); }

    int32_t GetLineCount() const { return mPositions.empty() ? 0 : int32_t(mPositions.size()) - 1; }
    int32_t GetLineStart(int32_t line) const { return mPositions[line]; }
    int32_t GetLineLength(int32_t line) const { return mPositions[line + 1] - mPositions[line]; }
    std::vector<int32_t> const& GetPositions() const { return mPositions; }

    int32_t GetWidestWidth() const { return mWidest; }
    void SetWidestWidth(int32_t width) { mWidest = width; }

private:
    std::vector<int32_t> mPositions;
    int32_t mWidest;
};

// Breaks the text for the width: words move whole to the next line, blanks that
// end a line stay on it, blanks at the start of a wrapped line are skipped, a
// line feed ends its line, and a word longer than a line is cut before the
// first character that does not fit. Every line holds at least one character,
// however narrow the width. Null widths use the default policy.
void ComputeLineBreaks(LineBreakList* out, wchar_t const* text, int width, Font const* font, ILineWidths* widths);

struct TextStyle
{
    // Opaque white colours, no font, Normal.
    TextStyle();

    ColorF color;
    // The outline or drop-shadow colour.
    ColorF backgroundColor;
    // A font resource; null for none.
    Label font;
    TextMode textMode;
};

struct StyleRun
{
    StyleRun(TextStyle const& style_, std::wstring const& text_)
        : style(style_), text(text_), font(nullptr), reserved(-1)
    {
    }

    TextStyle style;
    std::wstring text;
    // Resolved from style.font by ComputeStyledTextLineDimensions; not owned.
    Font const* font;
    int reserved;
};

typedef std::list<StyleRun> StyleRunList;

struct LineDimension
{
    int32_t count;
    int32_t width;
    int32_t height;
};

struct LineDimensionList
{
    LineDimensionList() : widest(0), totalHeight(0) {}

    std::vector<LineDimension> lines;
    int32_t widest;
    int32_t totalHeight;
};

// The runs of equally styled text of the markup, in document order. Markup the
// XML reader rejects is logged and gives no runs.
StyleRunList ComputeStyleRuns(std::wstring const& markup, TextStyle const& defaultStyle);

// Wraps the runs into lines and measures them, resolving each run's font.
// Runs without a font are left out. Null widths use the default policy.
LineDimensionList ComputeStyledTextLineDimensions(StyleRunList& runs, int width, ILineWidths* widths);

// Draws the lines at (x, y), aligned by the state; 0, or the first negative
// result of a text draw. Bounds, when asked for, receive the text's box.
int DrawWrappedStyledText(StyleRunList const& runs, LineDimensionList const& dimensions, float x, float y,
                          Rect<float>* bounds, sDrawState const& state, ICanvas* canvas);
int DrawWrappedStyledText(StyleRunList const& runs, LineDimensionList const& dimensions, float x, float y,
                          sDrawState const& state, ICanvas* canvas);

} // namespace Graphics
} // namespace Corvane

#endif
