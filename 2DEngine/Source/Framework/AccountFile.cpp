#include "2DEngine/Source/Framework/AccountFile.h"

#include "2DEngine/Source/Framework/AttributeContainer.h"
#include "Core/Source/Error.h"
#include "Core/Source/Log.h"
#include "Core/Source/MemoryStream.h"
#include "Core/Source/XMLReader.h"
#include "Core/Source/XMLWriter.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <cwctype>
#include <functional>
#include <memory>
#include <typeinfo>

namespace Corvane
{
    namespace AccountFile
    {
        namespace
        {
            wchar_t const* const kAccountTag = L"account";
            wchar_t const* const kRecordTag = L"record";

            bool IsRecordOf(XMLElement const& element, std::wstring const& key)
            {
                return element.kind == XMLElement::kStartElement && element.name == kRecordTag &&
                       element.HasAttribute(L"name") && element.GetAttribute(L"name") == key;
            }

            // A name the reader produced but that would not read back the same once written (the
            // reader allows blanks after '<', so a name may start with '!' or '?'; raw input may
            // hold a null character).
            bool IsWritableName(std::wstring const& name)
            {
                if (name.empty() || name[0] == L'!' || name[0] == L'?')
                    return false;
                return name.find_first_of(std::wstring(L" \t\r\n/>\0", 7)) == std::wstring::npos;
            }

            bool IsWritableElement(XMLElement const& element)
            {
                if (!IsWritableName(element.name))
                    return false;
                for (auto const& attribute : element.GetAttributes())
                {
                    if (attribute.first.find(L'\0') != std::wstring::npos ||
                        attribute.second.find(L'\0') != std::wstring::npos)
                        return false;
                }
                return true;
            }

            bool IsBlank(std::wstring const& text)
            {
                return std::all_of(text.begin(), text.end(), [](wchar_t c) { return std::iswspace(c) != 0; });
            }

            // Writes a new document while mirroring the writer's stack of open elements, so that
            // unbalanced input can be closed soundly and the record put inside "account".
            class Rebuilder
            {
            public:
                Rebuilder(std::wstring const& key, std::wstring const& value, eRebuild mode)
                    : mStream(L"Temporary"), mWriter(new XMLWriter(&mStream)), mKey(key), mValue(value), mMode(mode)
                {
                }

                void Take(XMLElement const& element, sRebuildResult& result)
                {
                    if (mSkipDepth > 0)
                    {
                        if (element.kind == XMLElement::kStartElement)
                            ++mSkipDepth;
                        else if (element.kind == XMLElement::kEndElement)
                            --mSkipDepth;
                        return;
                    }
                    switch (element.kind)
                    {
                    case XMLElement::kStartElement:
                        if (IsRecordOf(element, mKey))
                        {
                            result.keyFound = true;
                            if (mMode == kRebuild_Delete)
                            {
                                mSkipDepth = 1;
                                return;
                            }
                            StartRecord();
                            mOpen.push_back(kRecordTag);
                            mWritten = true;
                            return;
                        }
                        // Dropping it keeps the rest of the file readable; its end tag then
                        // matches nothing open and is dropped too.
                        if (!IsWritableElement(element))
                            return;
                        mWriter->WriteElement(element);
                        mEmitted.push_back(element);
                        mOpen.push_back(element.name);
                        return;
                    case XMLElement::kEndElement:
                    {
                        auto open = std::find(mOpen.rbegin(), mOpen.rend(), element.name);
                        // An end tag of nothing open is dropped rather than closing something else.
                        if (open == mOpen.rend())
                            return;
                        size_t const index = static_cast<size_t>(mOpen.rend() - open) - 1;
                        if (element.name == kAccountTag && NeedsRecord())
                        {
                            CloseDownTo(index + 1);
                            WriteRecord();
                        }
                        CloseDownTo(index);
                        return;
                    }
                    default:
                        // Account files hold no character data; blank lines between records
                        // would only pile up, but other text is kept by a delete.
                        if (mMode == kRebuild_Delete && !IsBlank(element.name) &&
                            element.name.find(L'\0') == std::wstring::npos)
                        {
                            mWriter->WriteText(element.name);
                            mEmitted.push_back(XMLElement(XMLElement::kText, element.name));
                        }
                        return;
                    }
                }

                Bytes Finish(Elements* emitted)
                {
                    if (NeedsRecord())
                    {
                        auto account = std::find(mOpen.begin(), mOpen.end(), std::wstring(kAccountTag));
                        if (account != mOpen.end())
                        {
                            CloseDownTo(static_cast<size_t>(account - mOpen.begin()) + 1);
                            WriteRecord();
                        }
                        else
                        {
                            CloseDownTo(0);
                            mWriter->WriteStartElement(kAccountTag);
                            mEmitted.push_back(XMLElement(XMLElement::kStartElement, kAccountTag));
                            mOpen.push_back(kAccountTag);
                            WriteRecord();
                        }
                    }
                    CloseDownTo(0);
                    mWriter.reset();
                    *emitted = std::move(mEmitted);
                    return mStream.GetData();
                }

            private:
                bool NeedsRecord() const { return mMode == kRebuild_Write && !mWritten; }

                void StartRecord()
                {
                    mWriter->WriteStartElement(kRecordTag);
                    mWriter->WriteAttribute(L"name", mKey.c_str());
                    mWriter->WriteAttribute(L"value", mValue.c_str());
                    XMLElement record(XMLElement::kStartElement, kRecordTag);
                    std::map<std::wstring, std::wstring> attributes;
                    attributes[L"name"] = mKey;
                    attributes[L"value"] = mValue;
                    record.SetAttributes(attributes);
                    mEmitted.push_back(std::move(record));
                }

                void WriteRecord()
                {
                    StartRecord();
                    mWriter->WriteEndElement();
                    mEmitted.push_back(XMLElement(XMLElement::kEndElement, kRecordTag));
                    mWritten = true;
                }

                void CloseDownTo(size_t depth)
                {
                    while (mOpen.size() > depth)
                    {
                        mWriter->WriteEndElement();
                        mEmitted.push_back(XMLElement(XMLElement::kEndElement, mOpen.back()));
                        mOpen.pop_back();
                    }
                }

                MemoryStream mStream;
                std::unique_ptr<XMLWriter> mWriter;
                std::vector<std::wstring> mOpen;
                Elements mEmitted;
                std::wstring mKey;
                std::wstring mValue;
                eRebuild mMode;
                int mSkipDepth = 0;
                bool mWritten = false;
            };

            void NoteFailure(RuntimeError const& error, sRebuildResult& result)
            {
                result.damaged = true;
                result.errorType = typeid(error).name();
                result.errorMessage = error.what();
            }

            std::atomic<size_t> gParseCount(0);

            std::vector<XMLElement> ParseAll(uint8_t const* bytes, size_t length)
            {
                // Elements move when the list grows, so a large file's list needs no guess of its size.
                std::vector<XMLElement> elements;
                ReadOnlyMemoryStream source(L"Account", bytes, static_cast<uint32_t>(length));
                std::unique_ptr<IXMLReader> reader(CreateXMLReader(&source));
                // The reader lets go of its element at the next read: it is taken, not copied.
                while (!reader->IsEOF())
                    elements.push_back(std::move(*reader->ReadElement()));
                return elements;
            }

            // The record as the writer writes it, without its line end.
            std::string RecordText(std::wstring const& key, std::wstring const& value)
            {
                MemoryStream stream(L"Record");
                {
                    XMLWriter writer(&stream);
                    writer.WriteStartElement(kRecordTag);
                    writer.WriteAttribute(L"name", key.c_str());
                    writer.WriteAttribute(L"value", value.c_str());
                    writer.WriteEndElement();
                }
                Bytes const& data = stream.GetData();
                std::string text(data.begin(), data.end());
                size_t const start = text.find("<record");
                size_t const end = text.rfind("/>");
                return start == std::string::npos || end == std::string::npos ? std::string()
                                                                              : text.substr(start, end + 2 - start);
            }

            // Only the declaration is an instruction; no comment, section or doctype. One pass over
            // the bytes, as a large file's every byte is looked at.
            bool IsPlain(Bytes const& bytes)
            {
                unsigned char const* at = bytes.data();
                unsigned char const* const end = at + bytes.size();
                int instructions = 0;
                while (at < end)
                {
                    at = static_cast<unsigned char const*>(std::memchr(at, '<', static_cast<size_t>(end - at)));
                    if (!at || ++at == end)
                        break;
                    if (*at == '!' || (*at == '?' && ++instructions > 1))
                        return false;
                }
                return true;
            }

            // Damaged documents are mostly cut short. The reader parses ahead of what it returns,
            // so the elements just before the damage would be lost with the exception: instead
            // the longest prefix ending at a '>' that parses cleanly is taken, trying a bounded
            // number of cuts.
            int const kSalvageAttempts = 64;

            std::vector<XMLElement> ReadElements(Bytes const& document, sRebuildResult& result)
            {
                ++gParseCount;
                try
                {
                    return ParseAll(document.data(), document.size());
                }
                catch (RuntimeError const& error)
                {
                    NoteFailure(error, result);
                }
                size_t end = document.size();
                for (int attempt = 0; attempt < kSalvageAttempts; ++attempt)
                {
                    size_t cut = end;
                    while (cut > 0 && document[cut - 1] != '>')
                        --cut;
                    if (cut == 0)
                        break;
                    end = cut - 1;
                    // The whole document has already failed.
                    if (cut == document.size())
                        continue;
                    try
                    {
                        return ParseAll(document.data(), cut);
                    }
                    catch (RuntimeError const&)
                    {
                    }
                }
                return std::vector<XMLElement>();
            }
        }

        eReadResult ReadWhole(FileAddress const& file, Bytes& bytes)
        {
            bytes.clear();
            IFileSystem* fileSystem = GetFileSystem();
            if (!fileSystem)
                return kRead_Unreadable;
            if (!fileSystem->FileExists(&file))
                return kRead_Missing;
            IStream* stream = fileSystem->OpenStream(&file, kFileRead, kFileOpenExisting);
            if (!stream)
                return kRead_Unreadable;
            eReadResult result = kRead_Ok;
            try
            {
                bytes.reserve(stream->GetLength());
                uint8_t piece[65536];
                for (;;)
                {
                    size_t const got = stream->Read(piece, sizeof(piece));
                    if (got == 0)
                        break;
                    bytes.insert(bytes.end(), piece, piece + got);
                }
            }
            catch (RuntimeError const& error)
            {
                Internal::LogWrite("Corvane::Account: could not read '%ls%ls': %s\n", file.GetName().c_str(),
                                   file.GetExtension().c_str(), error.what());
                bytes.clear();
                result = kRead_Unreadable;
            }
            fileSystem->CloseStream(stream);
            return result;
        }

        sRebuildResult Rebuild(Elements const& elements, std::wstring const& key, std::wstring const& value,
                               eRebuild mode)
        {
            sRebuildResult result;
            Rebuilder rebuilder(key, value, mode);
            for (XMLElement const& element : elements)
                rebuilder.Take(element, result);
            result.document = rebuilder.Finish(&result.elements);
            return result;
        }

        sRebuildResult Rebuild(Bytes const& original, std::wstring const& key, std::wstring const& value, eRebuild mode)
        {
            sRebuildResult failure;
            Elements const elements = ReadElements(original, failure);
            sRebuildResult result = Rebuild(elements, key, value, mode);
            result.damaged = failure.damaged;
            result.errorType = failure.errorType;
            result.errorMessage = failure.errorMessage;
            return result;
        }

        bool FindRecord(Bytes const& document, std::wstring const& key, AttributeContainer& record,
                        sRebuildResult* error)
        {
            std::shared_ptr<sDocument> const parsed = ParseDocument(document);
            if (error && parsed->damaged)
            {
                error->damaged = true;
                error->errorType = parsed->errorType;
                error->errorMessage = parsed->errorMessage;
            }
            return FindRecord(*parsed, key, record);
        }

        std::shared_ptr<sDocument> DocumentOf(Elements elements)
        {
            std::shared_ptr<sDocument> document = std::make_shared<sDocument>();
            document->elements = std::move(elements);
            auto const isRecordTag = [](XMLElement const& element) {
                return element.kind == XMLElement::kStartElement && element.name == kRecordTag;
            };
            // Sized once: growing the index a step at a time rehashed every key again and again.
            document->records.reserve(static_cast<size_t>(
                std::count_if(document->elements.begin(), document->elements.end(), isRecordTag)));
            for (size_t i = 0; i < document->elements.size(); ++i)
            {
                XMLElement const& element = document->elements[i];
                if (isRecordTag(element) && element.HasAttribute(L"name"))
                    document->records[element.GetAttribute(L"name")].push_back(i);
            }
            return document;
        }

        std::shared_ptr<sDocument> ParseDocument(Bytes const& bytes)
        {
            sRebuildResult failure;
            Elements elements = ReadElements(bytes, failure);
            std::shared_ptr<sDocument> document = DocumentOf(std::move(elements));
            if (failure.damaged)
            {
                document->damaged = true;
                document->errorType = failure.errorType;
                document->errorMessage = failure.errorMessage;
            }
            document->bytes = bytes;
            document->plain = !failure.damaged && IsPlain(bytes);
            return document;
        }

        size_t GetParseCount()
        {
            return gParseCount.load();
        }

        bool FindRecord(sDocument const& document, std::wstring const& key, AttributeContainer& record)
        {
            auto const found = document.records.find(key);
            if (found == document.records.end() || found->second.empty())
                return false;
            record.SetAttributes(document.elements[found->second.back()].GetAttributes());
            return true;
        }

        bool ReplaceInPlace(sDocument& document, std::wstring const& key, std::wstring const& value)
        {
            auto const found = document.records.find(key);
            if (!document.plain || found == document.records.end() || found->second.size() != 1)
                return false;
            XMLElement& record = document.elements[found->second.front()];
            if (record.GetAttributes().size() != 2 || !record.HasAttribute(L"value"))
                return false;
            std::string const before = RecordText(key, record.GetAttribute(L"value"));
            std::string const after = RecordText(key, value);
            auto const searcher = std::boyer_moore_horspool_searcher(before.begin(), before.end());
            auto const first = std::search(document.bytes.begin(), document.bytes.end(), searcher);
            if (first == document.bytes.end() ||
                std::search(first + 1, document.bytes.end(), searcher) != document.bytes.end())
                return false;
            size_t const at = static_cast<size_t>(first - document.bytes.begin());
            Bytes bytes;
            bytes.reserve(document.bytes.size() - before.size() + after.size());
            bytes.insert(bytes.end(), document.bytes.begin(), document.bytes.begin() + at);
            bytes.insert(bytes.end(), after.begin(), after.end());
            bytes.insert(bytes.end(), document.bytes.begin() + at + before.size(), document.bytes.end());
            document.bytes.swap(bytes);
            record.SetAttributes({{L"name", key}, {L"value", value}});
            return true;
        }

        bool HoldsValue(sDocument const& document, std::wstring const& key, std::wstring const& value)
        {
            auto const found = document.records.find(key);
            if (found == document.records.end() || found->second.empty())
                return false;
            return found->second.AllOf([&](size_t index) {
                XMLElement const& record = document.elements[index];
                return record.HasAttribute(L"value") && record.GetAttribute(L"value") == value;
            });
        }

        FileAddress TemporaryFor(FileAddress const& target)
        {
            return FileAddress(target.partition, target.GetFolder(), target.GetName(), target.GetExtension() + L".tmp");
        }

        FileAddress DamagedCopyFor(FileAddress const& target)
        {
            return FileAddress(target.partition, target.GetFolder(), target.GetName(), target.GetExtension() + L".bad");
        }

        eReplaceResult SaveAtomically(FileAddress const& target, Bytes const& bytes, eReplaceMode mode)
        {
            IFileSystem* fileSystem = GetFileSystem();
            if (!fileSystem)
                return kReplaceResult_Failed;
            FileAddress const temporary = TemporaryFor(target);
            IStream* stream = fileSystem->OpenStream(&temporary, kFileWrite, kFileCreateAlways);
            if (!stream)
                return kReplaceResult_Failed;
            bool complete = true;
            try
            {
                size_t done = 0;
                while (done < bytes.size())
                {
                    size_t const wrote = stream->Write(bytes.data() + done, bytes.size() - done);
                    if (wrote == 0 || wrote > bytes.size() - done)
                    {
                        complete = false;
                        break;
                    }
                    done += wrote;
                }
            }
            catch (RuntimeError const& error)
            {
                Internal::LogWrite("Corvane::Account: could not write '%ls%ls': %s\n", temporary.GetName().c_str(),
                                   temporary.GetExtension().c_str(), error.what());
                complete = false;
            }
            fileSystem->CloseStream(stream);
            eReplaceResult result = kReplaceResult_Failed;
            if (complete)
                result = fileSystem->ReplaceFile(&temporary, &target, mode);
            if (result == kReplaceResult_NotHere)
                result = kReplaceResult_Failed;
            if (result != kReplaceResult_Done)
                fileSystem->DeleteFile(&temporary);
            return result;
        }
    }
}
