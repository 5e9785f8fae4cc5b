#pragma once

// The on-disk side of player accounts: reading an account file whole, rebuilding its document
// with one record replaced or removed, and putting a new document in place atomically.

#include "Core/Source/FileAddress.h"
#include "Core/Source/FileSystem.h"
#include "Core/Source/XMLReader.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace Corvane
{
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
        };

        // A record's name or value: a span of the document's bytes that are all plain ASCII other
        // than '&' (each byte is its own character), or else a span of the document's decoded text.
        struct sText
        {
            uint32_t at = 0;
            uint32_t length = 0;
            bool decoded = false;
        };

        // A "record" element that has a name.
        struct sRecord
        {
            sText name;
            sText value;
            bool hasValue = false;
            // The key's record before this one, plus one; 0 for its first.
            uint32_t previous = 0;
            // Where the whole tag lies in the bytes of a flat document.
            uint32_t tagAt = 0;
            uint32_t tagLength = 0;
        };

        // An account file parsed once and kept while its stamp on disk stays the same, so that a
        // read costs a look-up, not a parse of the whole file. A large file has hundreds of
        // thousands of records: they are kept flat, as spans of the file's bytes, with an index of
        // their names in one array, so that neither the parse nor the end of the document costs an
        // allocation per record.
        struct sDocument
        {
            std::vector<sRecord> records;
            // Open addressing by name: each slot holds the last record of one name, plus one.
            std::vector<uint32_t> slots;
            // Names and values that are not plain bytes, decoded.
            std::wstring decoded;
            // Flat: the bytes are exactly a declaration, an "account" element and its records, each
            // written as one empty tag with a name and a value, and blanks between them. Any other
            // document is read by the general reader and keeps its elements for a rebuild.
            bool flat = false;
            Elements elements;
            // Damaged: what came before the damage was kept; bytes then serve for the copy kept
            // beside the file at the next write.
            bool damaged = false;
            std::string errorType;
            std::string errorMessage;
            // The file's bytes.
            Bytes bytes;
            bool stamped = false;
            sFileStamp stamp;
        };

        enum eParse
        {
            // Flat when the bytes allow it.
            kParse_Any = 0,
            // Always through the general reader.
            kParse_General = 1
        };

        std::shared_ptr<sDocument> ParseDocument(Bytes bytes, eParse how = kParse_Any);
        // The document a rebuild wrote, which is already in memory; no parse is counted.
        std::shared_ptr<sDocument> ReadBack(Bytes bytes);
        // How many account documents were parsed in this process.
        size_t GetParseCount();

        // The characters of a record's name or value.
        std::wstring TextOf(sDocument const& document, sText const& text);
        // The value of the last record of the key; false when there is none or it has no value.
        bool FindValue(sDocument const& document, std::wstring const& key, std::wstring* value);
        // How many records the key has.
        size_t CountRecords(sDocument const& document, std::wstring const& key);
        // Replaces the one record of the key in a flat document's bytes, as the writer writes it,
        // when it is written there as the writer writes it; false (nothing changed) otherwise.
        bool ReplaceInPlace(sDocument& document, std::wstring const& key, std::wstring const& value);

        // Whether the key has records and every one of them holds the value.
        bool HoldsValue(sDocument const& document, std::wstring const& key, std::wstring const& value);

        // Writes a new document from the given one: writing replaces every record of the key in
        // place (or adds one at the end of the "account" element, which is made when missing);
        // deleting leaves the key's records out. Never throws an XML error.
        sRebuildResult Rebuild(sDocument const& document, std::wstring const& key, std::wstring const& value,
                               eRebuild mode);

        // Rebuild (above) of bytes not parsed yet.
        sRebuildResult Rebuild(Bytes const& original, std::wstring const& key, std::wstring const& value, eRebuild mode);

        // Like the reader's records: the value of the last "record" of the key. When the document
        // is damaged, what was found before the damage; error receives the failure.
        bool FindValue(Bytes const& document, std::wstring const& key, std::wstring* value, sRebuildResult* error);

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
