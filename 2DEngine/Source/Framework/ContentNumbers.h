#pragma once

#include <string>

#include "2DEngine/Source/Framework/AttributeContainer.h"

// Numbers read from content (manifests, layouts, levels). Content can be broken: a number
// that is not finite, or that its use cannot take, would leave a screen waiting forever or
// a button out of reach. Such a number is refused where it is read, with one log line naming
// the file, the node or resource and the attribute, and the reader's default takes its place.
namespace Corvane
{
    // What one use of a number can take: finite and within [min, max].
    struct NumberRange
    {
        // Names the use in the log line ("a time").
        char const* what;
        double min;
        double max;
    };

    namespace NumberRanges
    {
        // Any finite number: scales, angles, offsets.
        extern NumberRange const kFinite;
        // A place on or off the screen.
        extern NumberRange const kPosition;
        // A width, height, spacing or wrap width.
        extern NumberRange const kSize;
        // A duration in seconds. Nothing on screen waits longer than a minute: a longer time
        // leaves the child in front of a screen that never moves on.
        extern NumberRange const kTime;
        // An opacity or colour component.
        extern NumberRange const kFraction;
        // A number of things, or a sensitivity.
        extern NumberRange const kCount;
        // An animation's frames per second: above a thousand no frame is ever seen, and below a
        // hundredth one frame outlasts any wait.
        extern NumberRange const kFrameRate;
    }

    // Whether the value is finite and within the range.
    bool NumberFits(double value, NumberRange const& range);

    // Names the file and the node or resource read on this thread while it lives, for the
    // log lines of refused numbers. Scopes nest; the innermost names the place.
    class ContentReadScope
    {
    public:
        ContentReadScope(std::wstring const& file, std::wstring const& node);
        // A node inside the enclosing scope's node ("Layout/UI/PlayButton"), in its file.
        explicit ContentReadScope(std::wstring const& step);
        ~ContentReadScope();
        ContentReadScope(ContentReadScope const&) = delete;
        ContentReadScope& operator=(ContentReadScope const&) = delete;

    private:
        friend std::string ContentReadPlace();
        ContentReadScope const* mOuter;
        std::wstring mFile;
        std::wstring mNode;
    };

    // "<file>: <node>" of the innermost scope on this thread, "(content)" outside any.
    std::string ContentReadPlace();

    // Logs "<file>: <node>: <fault>" with the place of the innermost scope on this thread.
    void ReportContentFault(std::string const& fault);

    // Logs "<file>: <node>: "<attribute>" is "<text>", which <what> cannot take; <fallback> is used."
    // with the place of the innermost scope on this thread.
    void ReportRefusedNumber(wchar_t const* attribute, std::wstring const& text, NumberRange const& range,
                             double fallback);

    // The attribute read as the container reads it (absent: defaultValue); a value that does
    // not fit `range` is refused and logged, and defaultValue is used.
    float ReadNumber(IAttributeContainer const& attributes, wchar_t const* name, float defaultValue,
                     NumberRange const& range);
    int ReadNumber(IAttributeContainer const& attributes, wchar_t const* name, int defaultValue,
                   NumberRange const& range);
}
