#pragma once

#include "Core/Source/Error.h"
#include "Core/Source/Stream.h"
#include "2DEngine/Source/Framework/AttributeContainer.h"

#include <string>
#include <type_traits>
#include <vector>

namespace Corvane
{
    // One node of a document: a start tag with its attributes, an end tag, or character data.
    class XMLElement : public AttributeContainer
    {
    public:
        enum
        {
            kStartElement = 0,
            kEndElement = 1,
            kText = 2
        };

        XMLElement() : kind(kText) {}
        XMLElement(int elementKind, const std::wstring& elementName) : kind(elementKind), name(elementName) {}
        XMLElement(const XMLElement& other) = default;
        XMLElement& operator=(const XMLElement& other) = default;
        XMLElement(XMLElement&& other) = default;
        XMLElement& operator=(XMLElement&& other) = default;
        ~XMLElement() override {}

        // kStartElement, kEndElement or kText.
        int kind;
        // The tag name, or the character data of a text element.
        std::wstring name;
    };

    // A large document's list of elements grows by moving them, not by copying every one.
    static_assert(std::is_nothrow_move_constructible<XMLElement>::value, "XMLElement must move without throwing");

    // A parse failure. Its text is FormatError(file, line, message).
    class XMLError : public RuntimeError
    {
    public:
        XMLError(const std::wstring& xmlFile, int xmlLine, const std::wstring& message,
                 const char* file, int line, const char* function);

        // "<file>(<line>): <message>"
        static std::wstring FormatError(const std::wstring& file, int line, const std::wstring& message);
    };

    // A pull reader: while IsEOF() is false, ReadElement() gives the next element.
    class IXMLReader
    {
    public:
        virtual ~IXMLReader() {}

        virtual bool IsEOF() = 0;
        // The returned element stays valid until the next ReadElement or the reader's end.
        // Reading past the end throws XMLError.
        virtual XMLElement* ReadElement() = 0;
        // The element last returned by ReadElement (null before the first).
        virtual XMLElement* GetCurrentElement() = 0;
        virtual float GetProgress() = 0;
        virtual int GetCurLine() = 0;
        virtual std::wstring GetFileName() = 0;
    };

    // Reads the whole source into memory now (the caller keeps and closes the source) and
    // returns a reader the caller deletes. Parse failures throw XMLError as elements are read.
    IXMLReader* CreateXMLReader(IStream* source);

    // Confines a reader to one subtree: made while the wrapped reader's current element is a
    // start element, it returns that element, everything inside it and its matching end, then
    // reports the end (also when the document ends before the subtree closes). The wrapped
    // reader advances with it and is left just after the subtree.
    class XMLElementReader : public IXMLReader
    {
    public:
        explicit XMLElementReader(IXMLReader* reader);

        bool IsEOF() override;
        XMLElement* ReadElement() override;
        XMLElement* GetCurrentElement() override;
        float GetProgress() override;
        int GetCurLine() override;
        std::wstring GetFileName() override;

    private:
        IXMLReader* mReader;
        bool mFirst;
        int mDepth;
    };

    // Elements copied for later replay.
    class XMLElementList : public IXMLReader
    {
    public:
        XMLElementList();

        void AddElement(const XMLElement& element);
        size_t GetCount() const { return mElements.size(); }

        bool IsEOF() override;
        XMLElement* ReadElement() override;
        XMLElement* GetCurrentElement() override;
        float GetProgress() override;
        int GetCurLine() override;
        std::wstring GetFileName() override;

    private:
        int mPosition;
        std::vector<XMLElement> mElements;
    };

    // Reads one element, appends a copy, and repeats while the reader is not at its end.
    void CopyAllElements(IXMLReader& reader, XMLElementList* list);
}
