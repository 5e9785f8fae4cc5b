#include "Core/Source/StringFormatter.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>

namespace Corvane
{

namespace
{

// Integer texts live in 128 wide characters with the terminator, real texts in 256.
const int kMaxIntegerText = 127;
const int kMaxRealWidth = 255;
// Far beyond what a double can carry, and keeps every real's text bounded.
const int kMaxPrecision = 100;
const int kSpecificationLimit = 1000000;

StringFormatter::TextRun MakeRun(std::size_t start)
{
    StringFormatter::TextRun run;
    run.position = 0;
    run.start = start;
    run.end = start;
    run.nameStart = 0;
    run.nameEnd = 0;
    run.flags = 0;
    run.width = 0;
    run.pad = L' ';
    run.precision = 0;
    return run;
}

// Accumulates one width or precision character; saturates instead of overflowing.
int AddDigit(int value, wchar_t c)
{
    long long const next = static_cast<long long>(value) * 10 + (static_cast<long long>(c) - L'0');
    if (next > kSpecificationLimit)
        return kSpecificationLimit;
    if (next < -kSpecificationLimit)
        return -kSpecificationLimit;
    return static_cast<int>(next);
}

// Reads the placeholder text between the opening and closing percent signs.
void ParsePlaceholder(std::wstring const& format, std::size_t begin, std::size_t close, StringFormatter::TextRun& run)
{
    run.width = -1;
    run.precision = -1;

    std::size_t nameEnd = begin;
    while (nameEnd < close && format[nameEnd] != L':')
        ++nameEnd;

    bool allDigits = true;
    std::uint64_t position = 0;
    for (std::size_t i = begin; i < nameEnd; ++i)
    {
        wchar_t const c = format[i];
        if (c < L'0' || c > L'9')
        {
            allDigits = false;
            break;
        }
        // A position too large to exist stays too large rather than wrapping to a small one.
        position = std::min<std::uint64_t>(position * 10 + static_cast<std::uint64_t>(c - L'0'), UINT32_MAX);
    }
    if (allDigits)
    {
        run.position = static_cast<std::uint32_t>(position);
    }
    else
    {
        run.nameStart = begin;
        run.nameEnd = nameEnd;
    }

    if (nameEnd >= close)
        return;

    std::size_t i = nameEnd + 1;
    if (i < close)
    {
        switch (format[i])
        {
        case L'b': run.flags |= StringFormatter::kFlagBinary; ++i; break;
        case L'o': run.flags |= StringFormatter::kFlagOctal; ++i; break;
        case L'd': run.flags |= StringFormatter::kFlagDecimal; ++i; break;
        case L'x': run.flags |= StringFormatter::kFlagHex; ++i; break;
        case L'X': run.flags |= StringFormatter::kFlagHexUpper; ++i; break;
        case L't': run.flags |= StringFormatter::kFlagTime; ++i; break;
        default: break;
        }
    }

    bool widthDigitRead = false;
    for (; i < close && format[i] != L'.'; ++i)
    {
        wchar_t const c = format[i];
        if (!widthDigitRead && c == L'0')
        {
            run.pad = L'0';
            continue;
        }
        run.width = widthDigitRead ? AddDigit(run.width, c) : AddDigit(0, c);
        widthDigitRead = true;
    }

    if (i < close && format[i] == L'.')
    {
        ++i;
        bool precisionDigitRead = false;
        for (; i < close && format[i] != L'.'; ++i)
        {
            run.precision = precisionDigitRead ? AddDigit(run.precision, format[i]) : AddDigit(0, format[i]);
            precisionDigitRead = true;
        }
    }
}

} // namespace

class StringFormatter::ArgumentFormatter : public boost::static_visitor<void>
{
public:
    ArgumentFormatter(TextRun const& run, std::wstring& output) : mRun(run), mOutput(output) {}

    // Bytes above 0x7F are taken as Latin-1 so every narrow character becomes a valid code point.
    void operator()(char value) const { mOutput.push_back(static_cast<wchar_t>(static_cast<unsigned char>(value))); }
    void operator()(wchar_t value) const { mOutput.push_back(value); }
    void operator()(int value) const { formatSigned(value); }
    void operator()(unsigned int value) const { formatInteger(static_cast<std::uint64_t>(value), false); }
    void operator()(short value) const { formatSigned(value); }
    void operator()(unsigned short value) const { formatInteger(static_cast<std::uint64_t>(value), false); }
    void operator()(long value) const { formatSigned(value); }
    void operator()(unsigned long value) const { formatInteger(static_cast<std::uint64_t>(value), false); }
    void operator()(long long value) const { formatSigned(value); }
    void operator()(unsigned long long value) const { formatInteger(static_cast<std::uint64_t>(value), false); }
    void operator()(float value) const { formatReal(value); }
    void operator()(double value) const { formatReal(value); }

    void operator()(std::string const& value) const
    {
        for (char c : value)
            (*this)(c);
    }

    void operator()(std::wstring const& value) const { mOutput.append(value); }

    void operator()(DateTime const& value) const
    {
        if (mRun.flags & kFlagDecimal)
            mOutput.append(value.ToDateString());
        else if (mRun.flags & kFlagTime)
            mOutput.append(value.ToTimeString());
        else
            mOutput.append(value.ToString());
    }

private:
    void formatSigned(std::int64_t value) const { formatInteger(static_cast<std::uint64_t>(value), true); }

    // The value's bits with a signed/unsigned mark; digits are produced from the
    // least significant end into a bounded buffer.
    void formatInteger(std::uint64_t bits, bool isSigned) const
    {
        unsigned base = 10;
        wchar_t const* digits = L"0123456789abcdef";
        bool grouping = false;
        if (mRun.flags & kFlagBinary)
            base = 2;
        else if (mRun.flags & kFlagOctal)
            base = 8;
        else if (mRun.flags & kFlagDecimal)
            base = 10;
        else if (mRun.flags & kFlagHex)
            base = 16;
        else if (mRun.flags & kFlagHexUpper)
        {
            base = 16;
            digits = L"0123456789ABCDEF";
        }
        else
            grouping = true;

        bool negative = false;
        std::uint64_t magnitude = bits;
        if (isSigned && static_cast<std::int64_t>(bits) < 0)
        {
            negative = true;
            magnitude = 0 - bits;
        }

        wchar_t buffer[kMaxIntegerText + 1];
        int const capacity = kMaxIntegerText;
        int pos = capacity;
        buffer[pos] = 0;
        int produced = 0;
        do
        {
            if (grouping && produced > 0 && produced % 3 == 0)
                buffer[--pos] = L',';
            buffer[--pos] = digits[magnitude % base];
            magnitude /= base;
            ++produced;
        } while (magnitude != 0);

        int length = (capacity - pos) + (negative ? 1 : 0);
        int const width = std::min(mRun.width, kMaxIntegerText);
        if (mRun.pad == L'0')
        {
            while (length < width && pos > (negative ? 1 : 0))
            {
                buffer[--pos] = mRun.pad;
                ++length;
            }
            if (negative)
                buffer[--pos] = L'-';
        }
        else
        {
            if (negative)
                buffer[--pos] = L'-';
            while (length < width && pos > 0)
            {
                buffer[--pos] = mRun.pad;
                ++length;
            }
        }
        mOutput.append(buffer + pos, buffer + capacity);
    }

    // Always the C locale's decimal point, whatever the user's locale.
    void formatReal(double value) const
    {
        int const precision = mRun.precision < 0 ? 6 : std::min(mRun.precision, kMaxPrecision);
        char text[512];
        std::to_chars_result const result =
            std::to_chars(text, text + sizeof(text), value, std::chars_format::fixed, precision);
        std::size_t const length = result.ec == std::errc() ? static_cast<std::size_t>(result.ptr - text) : 0;
        int const width = std::min(mRun.width, kMaxRealWidth);
        for (int n = static_cast<int>(length); n < width; ++n)
            mOutput.push_back(L' ');
        for (std::size_t n = 0; n < length; ++n)
            mOutput.push_back(static_cast<wchar_t>(text[n]));
    }

    TextRun const& mRun;
    std::wstring& mOutput;
};

StringFormatter::StringFormatter(std::wstring const& format) : mFormat(format)
{
    breakFormatIntoTextRuns();
}

StringFormatter::StringFormatter(wchar_t const* format) : mFormat(format ? format : L"")
{
    breakFormatIntoTextRuns();
}

StringFormatter::~StringFormatter()
{
}

StringFormatter& StringFormatter::AddArgument(Argument const& value)
{
    mArguments.push_back(value);
    return *this;
}

StringFormatter& StringFormatter::NameLastArgument(std::wstring const& name)
{
    std::uint32_t const position = static_cast<std::uint32_t>(mArguments.size());
    for (TextRun& run : mRuns)
    {
        if (run.nameEnd > run.nameStart && mFormat.compare(run.nameStart, run.nameEnd - run.nameStart, name) == 0)
            run.position = position;
    }
    return *this;
}

void StringFormatter::breakFormatIntoTextRuns()
{
    mRuns.clear();
    std::size_t const length = mFormat.size();
    if (length == 0)
        return;

    TextRun run = MakeRun(0);
    for (std::size_t i = 1; i < length; ++i)
    {
        if (mFormat[i] != L'%')
            continue;
        if (mFormat[run.start] == L'%')
        {
            if (i == run.start + 1)
            {
                run.end = run.start + 1;
                mRuns.push_back(run);
            }
            else
            {
                ParsePlaceholder(mFormat, run.start + 1, i, run);
                run.end = i + 1;
                mRuns.push_back(run);
            }
            // The next run starts after this percent sign; its first character is not examined.
            run = MakeRun(i + 1);
            ++i;
        }
        else
        {
            run.end = i;
            mRuns.push_back(run);
            run = MakeRun(i);
        }
    }
    if (run.start < length)
    {
        TextRun rest = MakeRun(run.start);
        rest.end = length;
        mRuns.push_back(rest);
    }
}

void StringFormatter::updateOutput()
{
    mOutput.clear();
    mOutput.reserve(mFormat.size());
    for (TextRun const& run : mRuns)
    {
        if (run.position != 0 && run.position <= mArguments.size())
        {
            ArgumentFormatter formatter(run, mOutput);
            boost::apply_visitor(formatter, mArguments[run.position - 1]);
        }
        else
        {
            mOutput.append(mFormat, run.start, run.end - run.start);
        }
    }
}

wchar_t const* StringFormatter::c_str()
{
    updateOutput();
    return mOutput.c_str();
}

} // namespace Corvane
