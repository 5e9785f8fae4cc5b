#ifndef CORVANE_CORE_STRINGFORMATTER_H
#define CORVANE_CORE_STRINGFORMATTER_H

#include "Core/Source/Date.h"

#include <boost/variant.hpp>

#include <cstdint>
#include <string>
#include <vector>

namespace Corvane
{

// Builds wide text from a format with positional ("%1%") and named ("%file%")
// placeholders, each with an optional ":" part giving flag, width and
// precision ("%1:05%", "%1:8.2%", "%1:x%"). The format is parsed once; the text
// is produced by c_str.
class StringFormatter
{
public:
    enum eFlags
    {
        kFlagBinary = 1,
        kFlagOctal = 2,
        kFlagDecimal = 4,
        kFlagHex = 8,
        kFlagHexUpper = 16,
        kFlagTime = 32
    };

    struct TextRun
    {
        std::uint32_t position;
        std::size_t start;
        std::size_t end;
        std::size_t nameStart;
        std::size_t nameEnd;
        unsigned flags;
        int width;
        wchar_t pad;
        int precision;
    };

    typedef boost::variant<char, wchar_t, int, unsigned int, short, unsigned short, long, unsigned long,
                           long long, unsigned long long, float, double, std::string, std::wstring, DateTime>
        Argument;

    class ArgumentFormatter;

    explicit StringFormatter(std::wstring const& format);
    explicit StringFormatter(wchar_t const* format);
    ~StringFormatter();

    // Appends a positional argument.
    template <class T>
    StringFormatter& Arg(T const& value)
    {
        return AddArgument(Argument(value));
    }
    StringFormatter& Arg(char const* value) { return AddArgument(Argument(std::string(value ? value : ""))); }
    StringFormatter& Arg(wchar_t const* value) { return AddArgument(Argument(std::wstring(value ? value : L""))); }

    // Appends an argument and gives its position to every placeholder of that name
    // (exact, case-sensitive); a later Arg with the same name takes them over.
    template <class T>
    StringFormatter& Arg(std::wstring const& name, T const& value)
    {
        AddArgument(Argument(value));
        return NameLastArgument(name);
    }
    StringFormatter& Arg(std::wstring const& name, char const* value)
    {
        return Arg(name, std::string(value ? value : ""));
    }
    StringFormatter& Arg(std::wstring const& name, wchar_t const* value)
    {
        return Arg(name, std::wstring(value ? value : L""));
    }

    // The formatted text; valid until the next c_str or the formatter's end.
    wchar_t const* c_str();

    std::vector<TextRun> const& GetRuns() const { return mRuns; }

private:
    StringFormatter& AddArgument(Argument const& value);
    StringFormatter& NameLastArgument(std::wstring const& name);
    void breakFormatIntoTextRuns();
    void updateOutput();

    std::wstring mFormat;
    std::wstring mOutput;
    std::vector<TextRun> mRuns;
    std::vector<Argument> mArguments;
};

} // namespace Corvane

#endif
