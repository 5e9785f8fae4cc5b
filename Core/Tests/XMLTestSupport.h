#pragma once

#include "Core/Source/MemoryStream.h"
#include "Core/Source/XMLReader.h"

#include <memory>
#include <string>
#include <vector>

namespace XMLTest
{
    // One element written compactly: "<a x=1>", "</a>" or "text[...]" for checks.
    inline std::wstring Describe(const Corvane::XMLElement& element)
    {
        switch (element.kind)
        {
        case Corvane::XMLElement::kStartElement:
        {
            std::wstring text = L"<" + element.name;
            for (const auto& attribute : element.GetAttributes())
                text += L" " + attribute.first + L"=" + attribute.second;
            return text + L">";
        }
        case Corvane::XMLElement::kEndElement:
            return L"</" + element.name + L">";
        default:
            return L"text[" + element.name + L"]";
        }
    }

    inline std::unique_ptr<Corvane::MemoryStream> Source(const std::string& utf8, const std::wstring& name = L"test.xml")
    {
        std::unique_ptr<Corvane::MemoryStream> stream(new Corvane::MemoryStream(name));
        stream->Write(utf8.data(), utf8.size());
        stream->Seek(Corvane::kSeekBegin, 0);
        return stream;
    }

    inline std::unique_ptr<Corvane::IXMLReader> Reader(const std::string& utf8)
    {
        std::unique_ptr<Corvane::MemoryStream> source = Source(utf8);
        return std::unique_ptr<Corvane::IXMLReader>(Corvane::CreateXMLReader(source.get()));
    }

    // Every element the reader gives, described.
    inline std::vector<std::wstring> ReadAll(Corvane::IXMLReader& reader)
    {
        std::vector<std::wstring> elements;
        while (!reader.IsEOF())
            elements.push_back(Describe(*reader.ReadElement()));
        return elements;
    }

    inline std::vector<std::wstring> ReadAll(const std::string& utf8)
    {
        return ReadAll(*Reader(utf8));
    }

    // The text of the XMLError that reading the whole document throws, or "no error".
    inline std::string ErrorOf(const std::string& utf8)
    {
        try
        {
            ReadAll(utf8);
        }
        catch (const Corvane::XMLError& error)
        {
            return error.what();
        }
        return "no error";
    }
}
