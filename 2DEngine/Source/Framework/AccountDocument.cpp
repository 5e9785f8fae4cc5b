#include "2DEngine/Source/Framework/AccountFile.h"

#include "Core/Source/Error.h"
#include "Core/Source/MemoryStream.h"
#include "Core/Source/TextReader.h"
#include "Core/Source/XMLEntities.h"
#include "Core/Source/XMLReader.h"
#include "Core/Source/XMLWriter.h"

#include <atomic>
#include <cstring>
#include <limits>
#include <memory>
#include <typeinfo>

namespace Corvane
{
    namespace AccountFile
    {
        namespace
        {
            std::atomic<size_t> gParseCount(0);

            // --- the general reader, for any document that is not flat ---

            void NoteFailure(RuntimeError const& error, sDocument& document)
            {
                document.damaged = true;
                document.errorType = typeid(error).name();
                document.errorMessage = error.what();
            }

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

            // Damaged documents are mostly cut short. The reader parses ahead of what it returns,
            // so the elements just before the damage would be lost with the exception: instead
            // the longest prefix ending at a '>' that parses cleanly is taken, trying a bounded
            // number of cuts.
            int const kSalvageAttempts = 64;

            std::vector<XMLElement> ReadElements(sDocument& document)
            {
                Bytes const& bytes = document.bytes;
                try
                {
                    return ParseAll(bytes.data(), bytes.size());
                }
                catch (RuntimeError const& error)
                {
                    NoteFailure(error, document);
                }
                size_t end = bytes.size();
                for (int attempt = 0; attempt < kSalvageAttempts; ++attempt)
                {
                    size_t cut = end;
                    while (cut > 0 && bytes[cut - 1] != '>')
                        --cut;
                    if (cut == 0)
                        break;
                    end = cut - 1;
                    // The whole document has already failed.
                    if (cut == bytes.size())
                        continue;
                    try
                    {
                        return ParseAll(bytes.data(), cut);
                    }
                    catch (RuntimeError const&)
                    {
                    }
                }
                return std::vector<XMLElement>();
            }

            sText Keep(sDocument& document, std::wstring const& text)
            {
                sText kept;
                kept.at = static_cast<uint32_t>(document.decoded.size());
                kept.length = static_cast<uint32_t>(text.size());
                kept.decoded = true;
                document.decoded += text;
                return kept;
            }

            void TakeRecordsOfElements(sDocument& document)
            {
                for (XMLElement const& element : document.elements)
                {
                    if (element.kind != XMLElement::kStartElement || element.name != L"record")
                        continue;
                    AttributeContainer::AttributeMap const& attributes = element.GetAttributes();
                    auto const name = attributes.find(L"name");
                    if (name == attributes.end())
                        continue;
                    sRecord record;
                    record.name = Keep(document, name->second);
                    auto const value = attributes.find(L"value");
                    record.hasValue = value != attributes.end();
                    if (record.hasValue)
                        record.value = Keep(document, value->second);
                    document.records.push_back(record);
                }
            }

            // --- the flat layout ---

            // Each byte is its own character: the reader decodes ASCII other than NUL to itself,
            // and '&' starts an entity.
            bool IsPlainText(unsigned char const* at, size_t length)
            {
                bool plain = true;
                for (size_t i = 0; i < length; ++i)
                    plain &= at[i] - 1u < 0x7Fu && at[i] != '&';
                return plain;
            }

            // A quoted name or value, decoded as the reader decodes it.
            std::wstring DecodeQuoted(unsigned char const* at, size_t length)
            {
                // With its closing quote, so that a sequence cut off by the quote decodes as the
                // reader decodes it there: not as the end of the text.
                MemoryStream copy(L"Account");
                copy.Write(at, length + 1);
                copy.Seek(kSeekBegin, 0);
                TextReader reader(&copy);
                std::wstring text;
                for (wchar_t character = reader.Read(); character != kTextEOF; character = reader.Read())
                    text += character;
                text.pop_back();
                return Internal::DecodeXMLEntities(text);
            }

            bool IsSpace(unsigned char byte)
            {
                return byte == ' ' || byte == '\t' || byte == '\r' || byte == '\n';
            }

            // Reads the bytes as a flat document, or returns false for anything else (which
            // the general reader then reads, with all its rules and its damage).
            class FlatReader
            {
            public:
                explicit FlatReader(sDocument& document)
                    : mDocument(document), mBytes(document.bytes.data()), mEnd(document.bytes.size())
                {
                }

                bool Read()
                {
                    if (mEnd >= std::numeric_limits<uint32_t>::max())
                        return false;
                    SkipSpace();
                    if (Take("<?"))
                    {
                        // A '<' might open a comment inside the instruction, which has rules of its own.
                        while (mAt + 1 < mEnd && !(mBytes[mAt] == '?' && mBytes[mAt + 1] == '>'))
                        {
                            if (mBytes[mAt] == '<')
                                return false;
                            ++mAt;
                        }
                        if (!Take("?>"))
                            return false;
                        SkipSpace();
                    }
                    if (!Take("<account>"))
                        return false;
                    for (;;)
                    {
                        SkipSpace();
                        if (Take("</account>"))
                        {
                            SkipSpace();
                            return mAt == mEnd;
                        }
                        if (!ReadRecord())
                            return false;
                    }
                }

            private:
                bool ReadRecord()
                {
                    sRecord record;
                    record.tagAt = static_cast<uint32_t>(mAt);
                    if (!Take("<record") || mAt == mEnd || !IsSpace(mBytes[mAt]))
                        return false;
                    SkipSpace();
                    if (!Take("name=") || !ReadQuoted(record.name))
                        return false;
                    SkipSpace();
                    if (!Take("value=") || !ReadQuoted(record.value))
                        return false;
                    SkipSpace();
                    if (!Take("/>"))
                        return false;
                    record.hasValue = true;
                    record.tagLength = static_cast<uint32_t>(mAt - record.tagAt);
                    mDocument.records.push_back(record);
                    return true;
                }

                bool ReadQuoted(sText& text)
                {
                    if (mAt == mEnd || (mBytes[mAt] != '"' && mBytes[mAt] != '\''))
                        return false;
                    unsigned char const quote = mBytes[mAt++];
                    void const* const close = std::memchr(mBytes + mAt, quote, mEnd - mAt);
                    if (!close)
                        return false;
                    size_t const length = static_cast<size_t>(static_cast<unsigned char const*>(close) - (mBytes + mAt));
                    if (IsPlainText(mBytes + mAt, length))
                    {
                        text.at = static_cast<uint32_t>(mAt);
                        text.length = static_cast<uint32_t>(length);
                    }
                    else
                        text = Keep(mDocument, DecodeQuoted(mBytes + mAt, length));
                    mAt += length + 1;
                    return true;
                }

                bool Take(char const* word)
                {
                    size_t const length = std::strlen(word);
                    if (mEnd - mAt < length || std::memcmp(mBytes + mAt, word, length) != 0)
                        return false;
                    mAt += length;
                    return true;
                }

                void SkipSpace()
                {
                    while (mAt < mEnd && IsSpace(mBytes[mAt]))
                        ++mAt;
                }

                sDocument& mDocument;
                unsigned char const* mBytes;
                size_t mEnd;
                size_t mAt = 0;
            };

            // --- the index of names ---

            wchar_t CharacterOf(sDocument const& document, sText const& text, size_t i)
            {
                return text.decoded ? document.decoded[text.at + i] : wchar_t(document.bytes[text.at + i]);
            }

            uint64_t const kHashStart = 14695981039346656037ull;
            uint64_t const kHashFactor = 1099511628211ull;

            uint64_t HashOf(sDocument const& document, sText const& text)
            {
                uint64_t hash = kHashStart;
                for (size_t i = 0; i < text.length; ++i)
                    hash = (hash ^ uint64_t(uint32_t(CharacterOf(document, text, i)))) * kHashFactor;
                return hash;
            }

            uint64_t HashOf(std::wstring const& key)
            {
                uint64_t hash = kHashStart;
                for (wchar_t character : key)
                    hash = (hash ^ uint64_t(uint32_t(character))) * kHashFactor;
                return hash;
            }

            bool Equal(sDocument const& document, sText const& a, sText const& b)
            {
                if (a.length != b.length)
                    return false;
                if (!a.decoded && !b.decoded)
                    return std::memcmp(&document.bytes[a.at], &document.bytes[b.at], a.length) == 0;
                for (size_t i = 0; i < a.length; ++i)
                    if (CharacterOf(document, a, i) != CharacterOf(document, b, i))
                        return false;
                return true;
            }

            bool Equal(sDocument const& document, sText const& text, std::wstring const& key)
            {
                if (text.length != key.size())
                    return false;
                for (size_t i = 0; i < key.size(); ++i)
                    if (CharacterOf(document, text, i) != key[i])
                        return false;
                return true;
            }

            void BuildIndex(sDocument& document)
            {
                size_t slots = 16;
                while (slots < document.records.size() * 2)
                    slots *= 2;
                document.slots.assign(slots, 0);
                size_t const mask = slots - 1;
                for (size_t i = 0; i < document.records.size(); ++i)
                {
                    sRecord& record = document.records[i];
                    for (size_t slot = HashOf(document, record.name) & mask;; slot = (slot + 1) & mask)
                    {
                        uint32_t& last = document.slots[slot];
                        if (last != 0 && !Equal(document, document.records[last - 1].name, record.name))
                            continue;
                        record.previous = last;
                        last = static_cast<uint32_t>(i + 1);
                        break;
                    }
                }
            }

            // The key's last record, plus one; 0 when it has none.
            uint32_t LastOf(sDocument const& document, std::wstring const& key)
            {
                size_t const mask = document.slots.size() - 1;
                for (size_t slot = HashOf(key) & mask;; slot = (slot + 1) & mask)
                {
                    uint32_t const last = document.slots[slot];
                    if (last == 0 || Equal(document, document.records[last - 1].name, key))
                        return last;
                }
            }

            // The record as the writer writes it, without its line end.
            std::string RecordText(std::wstring const& key, std::wstring const& value)
            {
                MemoryStream stream(L"Record");
                {
                    XMLWriter writer(&stream);
                    writer.WriteStartElement(L"record");
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

            std::shared_ptr<sDocument> Parse(Bytes bytes, eParse how)
            {
                std::shared_ptr<sDocument> document = std::make_shared<sDocument>();
                document->bytes = std::move(bytes);
                document->flat = how == kParse_Any && FlatReader(*document).Read();
                if (!document->flat)
                {
                    document->records.clear();
                    document->decoded.clear();
                    document->elements = ReadElements(*document);
                    TakeRecordsOfElements(*document);
                }
                BuildIndex(*document);
                return document;
            }
        }

        std::shared_ptr<sDocument> ParseDocument(Bytes bytes, eParse how)
        {
            ++gParseCount;
            return Parse(std::move(bytes), how);
        }

        std::shared_ptr<sDocument> ReadBack(Bytes bytes)
        {
            return Parse(std::move(bytes), kParse_Any);
        }

        size_t GetParseCount()
        {
            return gParseCount.load();
        }

        std::wstring TextOf(sDocument const& document, sText const& text)
        {
            if (text.decoded)
                return document.decoded.substr(text.at, text.length);
            unsigned char const* const at = document.bytes.data() + text.at;
            return std::wstring(at, at + text.length);
        }

        bool FindValue(sDocument const& document, std::wstring const& key, std::wstring* value)
        {
            uint32_t const last = LastOf(document, key);
            if (last == 0 || !document.records[last - 1].hasValue)
                return false;
            *value = TextOf(document, document.records[last - 1].value);
            return true;
        }

        size_t CountRecords(sDocument const& document, std::wstring const& key)
        {
            size_t count = 0;
            for (uint32_t at = LastOf(document, key); at != 0; at = document.records[at - 1].previous)
                ++count;
            return count;
        }

        bool HoldsValue(sDocument const& document, std::wstring const& key, std::wstring const& value)
        {
            uint32_t at = LastOf(document, key);
            if (at == 0)
                return false;
            for (; at != 0; at = document.records[at - 1].previous)
            {
                sRecord const& record = document.records[at - 1];
                if (!record.hasValue || !Equal(document, record.value, value))
                    return false;
            }
            return true;
        }

        bool ReplaceInPlace(sDocument& document, std::wstring const& key, std::wstring const& value)
        {
            uint32_t const last = LastOf(document, key);
            if (!document.flat || last == 0 || document.records[last - 1].previous != 0)
                return false;
            size_t const index = last - 1;
            sRecord& record = document.records[index];
            std::string const before = RecordText(key, TextOf(document, record.value));
            std::string const after = RecordText(key, value);
            Bytes& bytes = document.bytes;
            if (after.empty() || before.size() != record.tagLength ||
                std::memcmp(&bytes[record.tagAt], before.data(), before.size()) != 0 ||
                bytes.size() - before.size() + after.size() >= std::numeric_limits<uint32_t>::max())
                return false;
            if (after.size() == before.size())
                std::memcpy(&bytes[record.tagAt], after.data(), after.size());
            else
            {
                Bytes spliced;
                spliced.reserve(bytes.size() - before.size() + after.size());
                spliced.insert(spliced.end(), bytes.begin(), bytes.begin() + record.tagAt);
                spliced.insert(spliced.end(), after.begin(), after.end());
                spliced.insert(spliced.end(), bytes.begin() + record.tagAt + before.size(), bytes.end());
                bytes.swap(spliced);
                // The records after it moved with the bytes.
                uint32_t const shift = static_cast<uint32_t>(after.size() - before.size());
                for (size_t i = index + 1; i < document.records.size(); ++i)
                {
                    sRecord& later = document.records[i];
                    later.tagAt += shift;
                    if (!later.name.decoded)
                        later.name.at += shift;
                    if (!later.value.decoded)
                        later.value.at += shift;
                }
            }
            record.tagLength = static_cast<uint32_t>(after.size());
            // The tag ends with the value, its quote and "/>": a value the writer writes as it is
            // stays in the bytes; any other is kept decoded.
            sText written;
            written.at = static_cast<uint32_t>(record.tagAt + after.size() - 3 - value.size());
            written.length = static_cast<uint32_t>(value.size());
            record.value = after.size() >= value.size() + 3 && Equal(document, written, value) &&
                                   IsPlainText(&bytes[written.at], written.length)
                               ? written
                               : Keep(document, value);
            return true;
        }

        bool FindValue(Bytes const& document, std::wstring const& key, std::wstring* value, sRebuildResult* error)
        {
            std::shared_ptr<sDocument> const parsed = ParseDocument(document);
            if (error && parsed->damaged)
            {
                error->damaged = true;
                error->errorType = parsed->errorType;
                error->errorMessage = parsed->errorMessage;
            }
            return FindValue(*parsed, key, value);
        }
    }
}
