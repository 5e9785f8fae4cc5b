#pragma once

// The on-disk side of player accounts: reading an account file whole, rebuilding its document
// with one record replaced or removed, and putting a new document in place atomically.

#include "Core/Source/FileAddress.h"
#include "Core/Source/FileSystem.h"

#include <string>
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
