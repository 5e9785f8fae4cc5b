#include "Core/Source/XMLReader.h"

#include "Core/Source/StringFormatter.h"

namespace Corvane
{
    XMLError::XMLError(const std::wstring& xmlFile, int xmlLine, const std::wstring& message,
                       const char* file, int line, const char* function)
        : RuntimeError(FormatError(xmlFile, xmlLine, message), file, line, function)
    {
    }

    std::wstring XMLError::FormatError(const std::wstring& file, int line, const std::wstring& message)
    {
        StringFormatter formatter(L"%file%(%line%): %msg%");
        formatter.Arg(L"file", file).Arg(L"line", line).Arg(L"msg", message);
        return formatter.c_str();
    }

    XMLElementReader::XMLElementReader(IXMLReader* reader)
        : mReader(reader), mFirst(true), mDepth(0)
    {
    }

    bool XMLElementReader::IsEOF()
    {
        // A document that ends inside the subtree ends it too.
        return mFirst || mDepth <= 0 || mReader->IsEOF();
    }

    XMLElement* XMLElementReader::ReadElement()
    {
        XMLElement* element;
        if (mFirst)
        {
            element = mReader->GetCurrentElement();
            if (!element)
                throw XMLError(L"unknown", -1, L"No element to read a subtree from", __FILE__, __LINE__, __PRETTY_FUNCTION__);
            mFirst = false;
        }
        else
        {
            if (mDepth <= 0)
                throw XMLError(L"unknown", -1, L"Read past the end of the element", __FILE__, __LINE__, __PRETTY_FUNCTION__);
            element = mReader->ReadElement();
        }
        if (element->kind == XMLElement::kStartElement)
            ++mDepth;
        else if (element->kind == XMLElement::kEndElement)
            --mDepth;
        return element;
    }

    XMLElement* XMLElementReader::GetCurrentElement()
    {
        return mReader->GetCurrentElement();
    }

    float XMLElementReader::GetProgress()
    {
        return 0.5f;
    }

    int XMLElementReader::GetCurLine()
    {
        return mReader->GetCurLine();
    }

    std::wstring XMLElementReader::GetFileName()
    {
        return mReader->GetFileName();
    }

    XMLElementList::XMLElementList()
        : mPosition(-1)
    {
    }

    void XMLElementList::AddElement(const XMLElement& element)
    {
        mElements.push_back(element);
    }

    bool XMLElementList::IsEOF()
    {
        return mElements.empty() || mPosition >= int(mElements.size()) - 1;
    }

    XMLElement* XMLElementList::ReadElement()
    {
        if (mPosition + 1 >= int(mElements.size()))
            throw XMLError(L"unknown", -1, L"Read past the end of the elements", __FILE__, __LINE__, __PRETTY_FUNCTION__);
        ++mPosition;
        return &mElements[size_t(mPosition)];
    }

    XMLElement* XMLElementList::GetCurrentElement()
    {
        if (mPosition < 0 || mPosition >= int(mElements.size()))
            return nullptr;
        return &mElements[size_t(mPosition)];
    }

    float XMLElementList::GetProgress()
    {
        if (IsEOF())
            return 1.0f;
        return float(mPosition + 1) / float(mElements.size());
    }

    int XMLElementList::GetCurLine()
    {
        return 0;
    }

    std::wstring XMLElementList::GetFileName()
    {
        return std::wstring();
    }

    void CopyAllElements(IXMLReader& reader, XMLElementList* list)
    {
        do
            list->AddElement(*reader.ReadElement());
        while (!reader.IsEOF());
    }
}
