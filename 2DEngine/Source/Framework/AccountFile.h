#pragma once

// The on-disk side of player accounts: reading an account file whole, rebuilding its document
// with one record replaced or removed, and putting a new document in place atomically.

#include "Core/Source/FileAddress.h"
#include "Core/Source/FileSystem.h"
#include "Core/Source/XMLReader.h"

#include <cstddef>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace Corvane
{
    class AttributeContainer;

    namespace AccountFile
    {
        enum eReadResult
        {
            kRead_Ok = 0,
            kRead_Missing = 1,
            // Present but it could not be opened or read: it must be left alone.
            kRead_Unreadable = 2
        };

        typedef std::vector<unsigned char> Bytes;
        typedef std::vector<XMLElement> Elements;

        eReadResult ReadWhole(FileAddress const& file, Bytes& bytes);

        // What a rebuild does with the records of the key.
        enum eRebuild
        {
            kRebuild_Write = 0,
            kRebuild_Delete = 1
        };

        struct sRebuildResult
        {
            Bytes document;
            // The document was damaged: what came before the damage was kept.
            bool damaged = false;
            std::string errorType;
            std::string errorMessage;
            // Delete: whether any record of the key was met.
            bool keyFound = false;
            // The elements of the new document, as reading it back gives them.
            Elements elements;
        };

        // An account file parsed once and kept while its stamp on disk stays the same, so that a
        // read costs a look-up, not a parse of the whole file.
        // The positions of one key's records in a document's elements, in document order. Nearly
        // every key has one record, held without an allocation of its own: a large file has
        // hundreds of thousands.
        class RecordPositions
        {
        public:
            void push_back(size_t position)
            {
                if (mCount++ == 0)
                    mFirst = position;
                else
                    mMore.push_back(position);
            }
            size_t size() const { return mCount; }
            bool empty() const { return mCount == 0; }
            size_t front() const { return mFirst; }
            size_t back() const { return mMore.empty() ? mFirst : mMore.back(); }
            template <class Predicate>
            bool AllOf(Predicate predicate) const
            {
                if (mCount == 0 || !predicate(mFirst))
                    return false;
                for (size_t position : mMore)
                    if (!predicate(position))
                        return false;
                return true;
            }

        private:
            size_t mCount = 0;
            size_t mFirst = 0;
            std::vector<size_t> mMore;
        };

        struct sDocument
        {
            Elements elements;
            // For each key, the positions of its records in elements.
            std::unordered_map<std::wstring, RecordPositions> records;
            // Damaged: what came before the damage was kept; bytes then serve for the copy kept
            // beside the file at the next write.
            bool damaged = false;
            std::string errorType;
            std::string errorMessage;
            // The file's bytes.
            Bytes bytes;
            // Neither comments, sections nor instructions besides the declaration: every "<record"
            // in the bytes is a record, so one can be replaced in the bytes themselves.
            bool plain = false;
            bool stamped = false;
            sFileStamp stamp;
        };

        std::shared_ptr<sDocument> ParseDocument(Bytes const& bytes);
        // A document from elements already parsed; no parse is counted.
        std::shared_ptr<sDocument> DocumentOf(Elements elements);
        // How many account documents were parsed in this process.
        size_t GetParseCount();

        // The attributes of the last record of the key; false when it has none.
        bool FindRecord(sDocument const& document, std::wstring const& key, AttributeContainer& record);
        // Replaces the one record of the key in a plain document's bytes, as the writer writes
        // it, and in its elements; false (nothing changed) when the key has not exactly one
        // record or its text is not found exactly once as the writer writes it.
        bool ReplaceInPlace(sDocument& document, std::wstring const& key, std::wstring const& value);

        // Whether the key has records and every one of them holds the value.
        bool HoldsValue(sDocument const& document, std::wstring const& key, std::wstring const& value);

        // Rebuild (below) from elements already parsed.
        sRebuildResult Rebuild(Elements const& elements, std::wstring const& key, std::wstring const& value,
                               eRebuild mode);

        // Copies the document's elements into a new document: writing replaces every record of
        // the key in place (or adds one at the end of the "account" element, which is made when
        // missing); deleting leaves the key's records out. Never throws an XML error.
        sRebuildResult Rebuild(Bytes const& original, std::wstring const& key, std::wstring const& value, eRebuild mode);

        // Like the reader's records: the attributes of the last "record" of the key. When the
        // document is damaged, what was found before the damage; error receives the failure.
        bool FindRecord(Bytes const& document, std::wstring const& key, AttributeContainer& record,
                        sRebuildResult* error);

        // Writes the bytes to a temporary file beside the target (never listed as an account),
        // checking every write, then syncs it and renames it over the target. Any failure
        // removes the temporary and leaves the target untouched. Exclusive mode never replaces
        // an existing target; its result then is kReplaceResult_TargetExists.
        eReplaceResult SaveAtomically(FileAddress const& target, Bytes const& bytes, eReplaceMode mode);

        // The temporary's address for a target: the same folder and name, the extension
        // followed by ".tmp".
        FileAddress TemporaryFor(FileAddress const& target);
        // Where a damaged original is kept: the extension followed by ".bad".
        FileAddress DamagedCopyFor(FileAddress const& target);
    }
}
