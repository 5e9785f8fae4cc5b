#pragma once

#include "Core/Source/FileAddress.h"
#include "Core/Source/Stream.h"

#include <memory>
#include <string>
#include <vector>

namespace Corvane
{
    namespace AccountFile
    {
        struct sDocument;
    }

    // One player's settings and progress: a small XML file of name/value records in the per-user
    // partition. The file is parsed once and kept while it stays the same on disk; every write
    // rebuilds the whole document in memory and puts it in place atomically, so a failure at any
    // point leaves the old file as it was.
    class Account
    {
    public:
        // While one lives, writes change only the kept document; the file is written once, atomically,
        // when the outermost one ends, so settings saved together cost one write of a large file.
        // Writes inside return true when the value was taken; Finish tells whether the file holds them.
        class DeferredWrites
        {
        public:
            // A null account defers nothing.
            explicit DeferredWrites(Account* account);
            ~DeferredWrites();
            DeferredWrites(DeferredWrites const&) = delete;
            DeferredWrites& operator=(DeferredWrites const&) = delete;
            // Ends the deferral early; true when nothing is left unwritten.
            bool Finish();

        private:
            Account* mAccount;
        };

        Account(FileAddress const& file, std::wstring const& name, bool current);

        std::wstring const& GetName() const { return mName; }
        bool IsCurrent() const { return mCurrent; }
        FileAddress const& GetFile() const { return mFile; }

        // Empty when the record or its value is missing.
        std::wstring ReadValue(std::wstring const& key) const;
        // Whether the file holds a record of the key, with a value or without one.
        bool HasRecord(std::wstring const& key) const;
        // The default when the record or its value is missing.
        bool ReadValue(std::wstring const& key, bool const& defaultValue) const;
        int ReadValue(std::wstring const& key, int const& defaultValue) const;
        float ReadValue(std::wstring const& key, float const& defaultValue) const;

        // Checked reads, for every value the program uses: the stored value when its whole text
        // is a number of the type from lowest to highest, else the default. A value that is there
        // but unusable, or a record with no value or an empty one, is logged with the account, the
        // key and the text; only a key the file does not hold is quietly the default.
        int ReadValue(std::wstring const& key, int const& defaultValue, int lowest, int highest) const;
        float ReadValue(std::wstring const& key, float const& defaultValue, float lowest, float highest) const;
        // The default also for a value that is neither "true" nor "false", which is logged.
        bool ReadCheckedValue(std::wstring const& key, bool defaultValue) const;

        // True when the file now holds the value; false leaves the file byte for byte as it was,
        // while the running game keeps the value (GetUnsavedKeys).
        bool WriteValue(wchar_t const* key, std::wstring const& value);
        bool WriteValue(wchar_t const* key, wchar_t const* value);
        bool WriteValue(wchar_t const* key, int value);
        bool WriteValue(wchar_t const* key, float value);
        bool WriteValue(wchar_t const* key, bool value);
        template <class T>
        bool WriteValue(std::wstring const& key, T value)
        {
            return WriteValue(key.c_str(), value);
        }

        // True when the file no longer holds the key (also when it never did).
        bool DeleteValue(wchar_t const* key);

        // A write the file could not take stays in the running game, where reads find it, and every
        // later write (also one that changes nothing) and the end of a deferral store it again.
        // These are its keys, in the order they were written, until the file has taken them.
        std::vector<std::wstring> const& GetUnsavedKeys() const { return mUnsaved; }
        // Stores what only the running game holds; true when nothing is left unsaved.
        bool SaveUnsaved();

        // A read-write memory stream over the value's bytes, owned by the caller; deleting it
        // stores its whole content back into the value.
        IStream* OpenValueStream(wchar_t const* key);
        // The number of bytes read (0 when nothing is stored).
        unsigned long ReadBinary(wchar_t const* key, void* buffer, unsigned long size);
        // The number of bytes stored (0 when the file could not be written).
        unsigned long WriteBinary(wchar_t const* key, void const* buffer, unsigned long size);

        // Used by the manager while it finds and switches accounts.
        void SetName(std::wstring const& name) { mName = name; }
        void SetCurrentFlag(bool current) { mCurrent = current; }
        // Another account still marked current on disk though this one was chosen: its mark is
        // cleared when this account's file next takes a write.
        void AddAlsoMarkedCurrent(Account* other) { mAlsoMarkedCurrent.push_back(other); }

    private:
        // Puts the kept document in the file, or leaves it pending while writes are deferred or
        // when the file cannot take it.
        bool store(char const* operation);
        bool keepDamagedCopy(char const* operation);
        void noteUnsaved(std::wstring const& key);
        bool endDeferral();
        bool writeValue(wchar_t const* key, std::wstring const& value);
        bool rewrite(char const* operation, std::wstring const& key, std::wstring const& value, int mode);
        // The parsed file, parsed again only when its stamp on disk changed; null when the file is
        // missing or unreadable (readResult tells which).
        std::shared_ptr<AccountFile::sDocument> document(char const* operation, int* readResult) const;
        // The text of the key's "value", when its record has one.
        bool readText(std::wstring const& key, std::wstring* text) const;
        // readText for the checked reads: a record without a usable text is logged.
        bool readCheckedText(std::wstring const& key, std::wstring* text) const;

        FileAddress mFile;
        std::wstring mName;
        bool mCurrent;
        mutable std::shared_ptr<AccountFile::sDocument> mDocument;
        int mDeferrals = 0;
        // The kept document holds writes the file does not have yet.
        bool mPending = false;
        std::vector<std::wstring> mUnsaved;
        // A damaged original that must be kept beside the file before the file is replaced.
        bool mDamagedToKeep = false;
        std::vector<unsigned char> mDamagedBytes;
        std::vector<Account*> mAlsoMarkedCurrent;
    };

    class IAccountChangeHandler
    {
    public:
        virtual ~IAccountChangeHandler() {}
        virtual void OnBeforeAccountChange() = 0;
        virtual void OnAfterAccountChange() = 0;
    };

    // Finds the account files at first use, makes a "Player" account when there is none and
    // keeps one account current.
    class AccountManager
    {
    public:
        static wchar_t const* const kNameKey;       // "Corvane::AccountManager::Name"
        static wchar_t const* const kIsCurrentKey;  // "Corvane::AccountManager::IsCurrent"
        static wchar_t const* const kExtension;     // ".act"
        static wchar_t const* const kDefaultName;   // "Player"

        // GetAccountManager() makes the process-wide one; tools and tests may make their own.
        AccountManager();
        ~AccountManager();
        AccountManager(AccountManager const&) = delete;
        AccountManager& operator=(AccountManager const&) = delete;

        // The first current account in list order; null only when there are no accounts at all.
        Account* GetCurrentAccount() const;
        // Makes the named account current. A name of no account changes nothing, is logged and
        // returns false.
        bool SetCurrentAccount(std::wstring const& name);
        bool IsExistingAccount(std::wstring const& name) const;
        // Null when the name is taken or the account's file could not be made.
        Account* NewAccount(std::wstring const& name);

        std::vector<Account*> const& GetAccounts() const { return mAccounts; }

        void AddChangeHandler(IAccountChangeHandler* handler);
        void RemoveChangeHandler(IAccountChangeHandler* handler);

        // Not owned. The application appends itself at set-up and removes itself at clean-up.
        std::vector<IAccountChangeHandler*> mChangeHandlers;

    private:
        void LoadAccounts();
        void NameUnnamedAccount(Account* account);
        void ChooseOneCurrentAccount();

        std::vector<Account*> mAccounts;
    };

    // Made on first use and deleted with the other singletons.
    AccountManager* GetAccountManager();
}
