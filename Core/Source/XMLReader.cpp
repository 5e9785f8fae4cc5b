#include "Core/Source/XMLReader.h"

#include "Core/Source/Log.h"
#include "Core/Source/MemoryStream.h"
#include "Core/Source/StringUtils.h"
#include "Core/Source/StringFormatter.h"
#include "Core/Source/TextReader.h"
#include "Core/Source/XMLEntities.h"

#include <cwctype>
#include <deque>
#include <memory>

#define CORVANE_XML_FAIL(message) \
    throw ::Corvane::XMLError(L"unknown", -1, (message), __FILE__, __LINE__, __PRETTY_FUNCTION__)

namespace Corvane
{
    namespace
    {
        const size_t kCopyPieceSize = 16384;
        const wchar_t* const kNameDelimiters = L" \n\r\t/>";

        // Elements made by the parser are the only ones whose attributes are set one by one.
        class ParsedXMLElement : public XMLElement
        {
        public:
            ParsedXMLElement(int elementKind, const std::wstring& elementName) : XMLElement(elementKind, elementName) {}

            // The last occurrence of a name in a tag wins.
            void SetAttribute(const std::wstring& attributeName, const std::wstring& value)
            {
                mAttributes[attributeName] = value;
            }
        };

        std::wstring Format(const wchar_t* pattern, const std::wstring& argument)
        {
            StringFormatter formatter(pattern);
            formatter.Arg(argument);
            return formatter.c_str();
        }

        bool IsWhiteSpace(wchar_t character)
        {
            return character != kTextEOF &&
                   (std::iswspace(wint_t(character)) || character == L'\n' || character == L'\r');
        }

        class StreamingXMLReader : public IXMLReader
        {
        public:
            explicit StreamingXMLReader(IStream* source)
                : mCopy(source->GetName()), mReader(&mCopy), mFailed(false)
            {
                if (source->GetCapabilities() & kStreamDirectAccess)
                {
                    void* data = nullptr;
                    size_t n = source->ReadOptimized(data, source->GetLength());
                    if (n > 0 && data)
                        mCopy.Write(data, n);
                }
                else
                {
                    std::unique_ptr<unsigned char[]> piece(new unsigned char[kCopyPieceSize]);
                    while (!source->IsEOF())
                    {
                        size_t n = source->Read(piece.get(), kCopyPieceSize);
                        // A source that yields nothing before its end would keep us here.
                        if (n == 0)
                            break;
                        mCopy.Write(piece.get(), n);
                    }
                }
                mCopy.Seek(kSeekBegin, 0);
                SkipWhiteSpace();
            }

            ~StreamingXMLReader() override
            {
                for (XMLElement* element : mQueue)
                    delete element;
            }

            bool IsEOF() override
            {
                if (!mQueue.empty())
                    return false;
                ParseStep();
                return mQueue.empty();
            }

            XMLElement* ReadElement() override
            {
                // Parsing one step ahead of the caller keeps IsEOF cheap.
                ParseStep();
                mCurrent.reset();
                if (mQueue.empty())
                    CORVANE_XML_FAIL(L"Read past the end of the document");
                mCurrent.reset(mQueue.front());
                mQueue.pop_front();
                return mCurrent.get();
            }

            XMLElement* GetCurrentElement() override
            {
                return mCurrent.get();
            }

            float GetProgress() override
            {
                return float(mReader.GetBytesRead()) / float(mCopy.GetLength());
            }

            int GetCurLine() override
            {
                return mReader.GetLine();
            }

            std::wstring GetFileName() override
            {
                return mCopy.GetName();
            }

        private:
            void ParseStep()
            {
                // After a parse error the rest of the document is not trusted: the reader ends.
                if (mFailed)
                    return;
                try
                {
                    ParseOneStep();
                }
                catch (...)
                {
                    mFailed = true;
                    throw;
                }
            }

            void ParseOneStep()
            {
                for (;;)
                {
                    std::wstring skipped = SkipWhiteSpace();
                    wchar_t next = mReader.Peek();
                    if (next == kTextEOF)
                        return;
                    if (next != L'<' || !skipped.empty())
                    {
                        std::wstring text = skipped + ReadUntil(L"<");
                        Queue(new ParsedXMLElement(XMLElement::kText, Internal::DecodeXMLEntities(text)));
                        return;
                    }
                    mReader.Read();
                    next = mReader.Peek();
                    if (next == L'!')
                    {
                        Expect(L"!--");
                        SkipTo(L"-->");
                    }
                    else if (next == L'?')
                    {
                        Expect(L"?");
                        SkipTo(L"?>");
                    }
                    else
                    {
                        ParseTag();
                        return;
                    }
                }
            }

            void ParseTag()
            {
                SkipWhiteSpace();
                if (mReader.Peek() == L'/')
                {
                    Expect(L"/");
                    std::wstring name = ReadUntil(kNameDelimiters);
                    ReadUntil(L">");
                    Expect(L">");
                    Queue(new ParsedXMLElement(XMLElement::kEndElement, name));
                    return;
                }

                std::wstring name = ReadUntil(kNameDelimiters);
                if (name.empty())
                    CORVANE_XML_FAIL(L"UnnamedElement");
                std::unique_ptr<ParsedXMLElement> element(new ParsedXMLElement(XMLElement::kStartElement, name));
                SkipWhiteSpace();
                for (;;)
                {
                    wchar_t next = mReader.Peek();
                    if (next == L'/' || next == L'>')
                        break;
                    std::wstring attributeName = ReadUntil(L"=");
                    Expect(L"=");
                    wchar_t quote = mReader.Peek();
                    if (quote == kTextEOF)
                        CORVANE_XML_FAIL(Format(L"EOF while eating '%1%'", L"\""));
                    if (quote != L'"' && quote != L'\'')
                        CORVANE_XML_FAIL(Format(L"Expected quote, got '%1%'", std::wstring(1, quote)));
                    mReader.Read();
                    const wchar_t quoteText[2] = {quote, 0};
                    std::wstring value = ReadUntil(quoteText);
                    Expect(quoteText);
                    if (element->HasAttribute(attributeName))
                        ReportDuplicateAttribute(name, attributeName);
                    element->SetAttribute(attributeName, Internal::DecodeXMLEntities(value));
                    SkipWhiteSpace();
                }
                Queue(element.release());

                if (mReader.Peek() == L'/')
                {
                    Expect(L"/");
                    Queue(new ParsedXMLElement(XMLElement::kEndElement, name));
                }
                Expect(L">");
            }

            // A tag that gives one attribute twice is most likely damaged (a flipped byte
            // turned another name into this one). The last value still wins, as it always
            // has; the line lets the damage be found.
            void ReportDuplicateAttribute(const std::wstring& tag, const std::wstring& attribute)
            {
                std::wstring const where = XMLError::FormatError(mCopy.GetName(), mReader.GetLine(), L"");
                Internal::LogWrite("%s<%s> gives the attribute \"%s\" twice; the last value is used.\n",
                                   ConvertStringWideToUTF8String(where).c_str(),
                                   ConvertStringWideToUTF8String(tag).c_str(),
                                   ConvertStringWideToUTF8String(attribute).c_str());
            }

            void Queue(XMLElement* element)
            {
                std::unique_ptr<XMLElement> owned(element);
                mQueue.push_back(owned.get());
                owned.release();
            }

            std::wstring SkipWhiteSpace()
            {
                std::wstring skipped;
                while (IsWhiteSpace(mReader.Peek()))
                    skipped += mReader.Read();
                return skipped;
            }

            std::wstring ReadUntil(const wchar_t* stops)
            {
                std::wstring text;
                for (;;)
                {
                    wchar_t next = mReader.Peek();
                    if (next == kTextEOF || std::wcschr(stops, next))
                        return text;
                    text += mReader.Read();
                }
            }

            void Expect(const wchar_t* expected)
            {
                for (const wchar_t* p = expected; *p; ++p)
                {
                    wchar_t next = mReader.Peek();
                    if (next == kTextEOF)
                        CORVANE_XML_FAIL(Format(L"EOF while eating '%1%'", expected));
                    if (next != *p)
                        CORVANE_XML_FAIL(Format(L"Couldn't eat '%1%'", expected));
                    mReader.Read();
                }
            }

            // Consumes up to and including the first terminator; a "<!--" before it opens a
            // nested comment that needs its own "-->". Kept iterative so that deep nesting
            // cannot exhaust the stack.
            void SkipTo(const std::wstring& terminator)
            {
                const std::wstring commentStart = L"<!--";
                const std::wstring commentEnd = L"-->";
                std::wstring window;
                int nested = 0;
                for (;;)
                {
                    const std::wstring& end = nested > 0 ? commentEnd : terminator;
                    wchar_t character = mReader.Read();
                    if (character == kTextEOF)
                        CORVANE_XML_FAIL(Format(L"EOF while eating '%1%'", end));
                    window += character;
                    if (window.size() > commentStart.size())
                        window.erase(0, 1);
                    if (EndsWith(window, end))
                    {
                        if (nested == 0)
                            return;
                        --nested;
                        window.clear();
                    }
                    else if (EndsWith(window, commentStart))
                    {
                        ++nested;
                        window.clear();
                    }
                }
            }

            static bool EndsWith(const std::wstring& text, const std::wstring& end)
            {
                return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
            }

            MemoryStream mCopy;
            TextReader mReader;
            std::unique_ptr<XMLElement> mCurrent;
            std::deque<XMLElement*> mQueue;
            bool mFailed;
        };
    }

    IXMLReader* CreateXMLReader(IStream* source)
    {
        return new StreamingXMLReader(source);
    }
}
