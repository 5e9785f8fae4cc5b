#include "2DEngine/Source/Framework/AccountFile.h"

#include "2DEngine/Source/Framework/AttributeContainer.h"
#include "Core/Source/Error.h"
#include "Core/Source/Log.h"
#include "Core/Source/MemoryStream.h"
#include "Core/Source/XMLReader.h"
#include "Core/Source/XMLWriter.h"

#include <algorithm>
#include <cstring>
#include <cwctype>
#include <limits>
#include <memory>

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
                            mWriter->WriteText(element.name);
                        return;
                    }
                }

                // A start tag of "record" with exactly this name and value, and its end, as Take
                // would take them.
                void TakeRecord(std::wstring const& name, std::wstring const& value, sRebuildResult& result)
                {
                    // Within a record left out: the two tags leave the depth as it is.
                    if (mSkipDepth > 0)
                        return;
                    if (name == mKey)
                    {
                        result.keyFound = true;
                        if (mMode == kRebuild_Write)
                            WriteRecord();
                        return;
                    }
                    if (name.find(L'\0') != std::wstring::npos || value.find(L'\0') != std::wstring::npos)
                        return;
                    mWriter->WriteStartElement(kRecordTag);
                    mWriter->WriteAttribute(L"name", name.c_str());
                    mWriter->WriteAttribute(L"value", value.c_str());
                    mWriter->WriteEndElement();
                }

                Bytes Finish()
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
                            mOpen.push_back(kAccountTag);
                            WriteRecord();
                        }
                    }
                    CloseDownTo(0);
                    mWriter.reset();
                    return mStream.GetData();
                }

            private:
                bool NeedsRecord() const { return mMode == kRebuild_Write && !mWritten; }

                void StartRecord()
                {
                    mWriter->WriteStartElement(kRecordTag);
                    mWriter->WriteAttribute(L"name", mKey.c_str());
                    mWriter->WriteAttribute(L"value", mValue.c_str());
                }

                void WriteRecord()
                {
                    StartRecord();
                    mWriter->WriteEndElement();
                    mWritten = true;
                }

                void CloseDownTo(size_t depth)
                {
                    while (mOpen.size() > depth)
                    {
                        mWriter->WriteEndElement();
                        mOpen.pop_back();
                    }
                }

                MemoryStream mStream;
                std::unique_ptr<XMLWriter> mWriter;
                std::vector<std::wstring> mOpen;
                std::wstring mKey;
                std::wstring mValue;
                eRebuild mMode;
                int mSkipDepth = 0;
                bool mWritten = false;
            };
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
                    // Positions in a document are 32 bits: a larger file would be read wrapped and
                    // written back cut short, so it is left alone instead.
                    if (bytes.size() + got > std::numeric_limits<uint32_t>::max())
                    {
                        Internal::LogWrite("Corvane::Account: '%ls%ls' is larger than 4 GB and is left alone\n",
                                           file.GetName().c_str(), file.GetExtension().c_str());
                        bytes.clear();
                        result = kRead_Unreadable;
                        break;
                    }
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

        sRebuildResult Rebuild(sDocument const& document, std::wstring const& key, std::wstring const& value,
                               eRebuild mode)
        {
            sRebuildResult result;
            Rebuilder rebuilder(key, value, mode);
            if (document.flat)
            {
                rebuilder.Take(XMLElement(XMLElement::kStartElement, kAccountTag), result);
                std::wstring name;
                std::wstring text;
                for (sRecord const& record : document.records)
                {
                    name = TextOf(document, record.name);
                    text = TextOf(document, record.value);
                    rebuilder.TakeRecord(name, text, result);
                }
                rebuilder.Take(XMLElement(XMLElement::kEndElement, kAccountTag), result);
            }
            else
            {
                for (XMLElement const& element : document.elements)
                    rebuilder.Take(element, result);
            }
            result.document = rebuilder.Finish();
            result.damaged = document.damaged;
            result.errorType = document.errorType;
            result.errorMessage = document.errorMessage;
            return result;
        }

        sRebuildResult Rebuild(Bytes const& original, std::wstring const& key, std::wstring const& value, eRebuild mode)
        {
            return Rebuild(*ParseDocument(original), key, value, mode);
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
